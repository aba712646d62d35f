#include "interruption.h"

#include <csignal>
#include <initializer_list>

namespace {

// The first signal that arrived, 0 while none has.
volatile std::sig_atomic_t g_signal = 0;

extern "C" void NoteInterruption(int signal) {
  if (g_signal == 0) g_signal = signal;
}

}  // namespace

void CatchInterruptions() {
  struct sigaction action = {};
  action.sa_handler = NoteInterruption;
  sigemptyset(&action.sa_mask);
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
}

bool Interrupted() { return g_signal != 0; }

int InterruptedExitStatus() { return 128 + (g_signal != 0 ? g_signal : SIGINT); }

// The process entry: start the platform layer, refuse a second copy, let the user choose
// the settings, open the log, create the window, build the demo and run it to its end.
#include <sys/resource.h>

#include <cstring>
#include <memory>

#include <SDL2/SDL.h>

#include "app/clock.h"
#include "app/demo_settings.h"
#include "app/demo_window.h"
#include "app/instance_lock.h"
#include "app/log.h"
#include "app/memory_status.h"
#include "app/message_box.h"
#include "demo/demo.h"
#include "demo/demo_error.h"
#include "demo/timeline_script.h"

namespace {

constexpr int kFatalExit = -1;

// Playback is smoother ahead of other work; a user may not be allowed to ask for it,
// and the demo plays either way.
void RaisePriority() { setpriority(PRIO_PROCESS, 0, -5); }

}  // namespace

int main(int argc, char** argv) {
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    ShowMessageBox("lantern", "Error Initializing DirectX");
    return kFatalExit;
  }
  const std::unique_ptr<InstanceLock> instance = InstanceLock::Acquire();
  if (!instance) {
    SDL_Quit();
    return 0;
  }

  DemoSettings settings;
  settings.showLog = argc == 2 && std::strcmp(argv[1], "log") == 0;
  if (!RunSetupDialog(settings)) {
    SDL_Quit();
    return 0;
  }

  if (settings.log && OpenLog("log.txt")) {
    WriteLogHeader(g_log,
                   {settings.deviceName, settings.width, settings.height, settings.bitsPerPixel,
                    settings.fullscreen},
                   ReadMemoryStatus());
  }

  CDemoWindow window(settings.fullscreen, settings.runAlways, settings.onTop);
  if (!window.Create()) {
    ShowMessageBox("lantern", "Error creating window");
    SDL_Quit();
    return kFatalExit;
  }
  RaisePriority();
  SDL_DisableScreenSaver();

  SdlClock clock;
  int exitCode = 0;
  try {
    CDemo demo(window.Handle(), settings.fullscreen, settings.width, settings.height,
               settings.bitsPerPixel, settings.deviceIndex, settings.mute, clock,
               BuildTimeline);
    window.Show();
    window.SetDemo(&demo);
    exitCode = window.RunMessageLoop();
    window.SetDemo(nullptr);
  } catch (const demoError& error) {
    g_log << "Exception: " << error.message() << "\n";
    ShowMessageBox("lantern", error.message(), window.Handle());
    exitCode = kFatalExit;
  }
  g_log.close();
  SDL_EnableScreenSaver();
  SDL_Quit();
  return exitCode;
}

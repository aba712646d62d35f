// The process entry: start the platform layer, refuse a second copy, let the user choose
// the settings, open the log, create the window, build the demo and run it to its end.
#include <SDL2/SDL.h>
#include <sys/resource.h>

#include <iostream>
#include <memory>
#include <optional>

#include "app/command_line.h"
#include "app/demo_settings.h"
#include "app/demo_window.h"
#include "app/instance_lock.h"
#include "app/message_box.h"
#include "app/study_mode.h"
#include "app/study_overlay.h"
#include "base/clock.h"
#include "base/demo_error.h"
#include "base/log.h"
#include "base/memory_status.h"
#include "demo/demo.h"
#include "show/timeline_script.h"

namespace {

constexpr int kFatalExit = -1;

// Playback is smoother ahead of other work; a user may not be allowed to ask for it,
// and the demo plays either way.
void RaisePriority() { setpriority(PRIO_PROCESS, 0, -5); }

// Runs the demo in study mode, paused at `startAt` when given. The overlay goes before the
// demo, whose OpenGL context it draws with.
int PlayStudy(CDemoWindow& window, CDemo& demo, std::optional<double> startAt) {
  StudyMode study(demo);
  StudyOverlay overlay(window.Handle(), study);
  demo.context()->SetWindowOverlay([&overlay] { overlay.Draw(); });
  if (startAt) {
    study.TogglePause();
    study.SeekTo(*startAt);
  }
  window.SetStudy(&study, &overlay);
  const int exitCode = window.RunMessageLoop();
  window.SetStudy(nullptr, nullptr);
  demo.context()->SetWindowOverlay({});
  return exitCode;
}

// Creates the window, builds the demo on it and runs it to its end. The window lives only
// inside this function, so it is gone before SDL shuts down.
int PlayDemo(const DemoSettings& settings, const CommandLine& commandLine) {
  CDemoWindow window(settings.fullscreen, settings.runAlways, settings.onTop);
  if (!window.Create()) {
    ShowMessageBox("lantern", "Error creating window");
    return kFatalExit;
  }
  RaisePriority();
  SDL_DisableScreenSaver();

  SdlClock clock;
  try {
    CDemo demo(window.Handle(), settings.fullscreen, settings.width, settings.height,
               settings.bitsPerPixel, settings.deviceIndex, settings.mute, clock,
               BuildTimeline);
    window.Show();
    window.SetDemo(&demo);
    const int exitCode =
        commandLine.study ? PlayStudy(window, demo, commandLine.startAt) : window.RunMessageLoop();
    window.SetDemo(nullptr);
    return exitCode;
  } catch (const demoError& error) {
    g_log << "Exception: " << error.message() << "\n";
    ShowMessageBox("lantern", error.message(), window.Handle());
    return kFatalExit;
  }
}

// A 16-bit mode is run only when the user insists; otherwise the dialog is shown again.
bool ConfirmedIfSixteenBit(const DemoSettings& settings) {
  return settings.bitsPerPixel != 16 ||
         AskYesNo("Warning",
                  "This demo looks like crap in 16bpp.\nAre you sure you want to do this?");
}

}  // namespace

int main(int argc, char** argv) {
  CommandLine commandLine;
  if (const std::optional<int> exitNow =
          ParseCommandLine(argc, argv, commandLine, std::cout, std::cerr)) {
    return *exitNow;
  }
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
  settings.showLog = commandLine.showLog;
  do {
    if (!RunSetupDialog(settings)) {
      SDL_Quit();
      return 0;
    }
  } while (!ConfirmedIfSixteenBit(settings));

  if (settings.log && OpenLog("log.txt")) {
    WriteLogHeader(g_log,
                   {settings.deviceName, settings.width, settings.height, settings.bitsPerPixel,
                    settings.fullscreen},
                   ReadMemoryStatus());
  }

  const int exitCode = PlayDemo(settings, commandLine);
  g_log.close();
  SDL_EnableScreenSaver();
  SDL_Quit();
  return exitCode;
}

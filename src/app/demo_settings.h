#pragma once
// The choices the start-up dialog hands to the entry point.
#include <cstdint>
#include <string>

struct DemoSettings {
  uint32_t width = 640;
  uint32_t height = 480;
  uint32_t bitsPerPixel = 32;
  uint32_t deviceIndex = 0;
  bool fullscreen = true;   // "Full Screen" selected
  bool runAlways = true;    // "Run only when active" not ticked
  bool onTop = false;       // "Always on top" ticked
  bool log = false;         // "Log" ticked
  bool mute = false;        // "Mute Music" ticked
  bool showLog = false;     // the command line was "log": the "Log" box is shown
  std::string deviceName;   // the chosen device's description, for the log
};

// Runs the start-up dialog. Returns true when the user confirmed, with the choices in
// `settings` (whose showLog the caller has set).
bool RunSetupDialog(DemoSettings& settings);

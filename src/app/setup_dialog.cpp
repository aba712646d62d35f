#include "app/demo_settings.h"

// Until the dialog window exists, the user's choice is the dialog's own defaults:
// full screen at 640 x 480 x 32 on the first device, every option unticked.
bool RunSetupDialog(DemoSettings& settings) {
  const bool showLog = settings.showLog;
  settings = DemoSettings{};
  settings.showLog = showLog;
  settings.deviceName = "OpenGL";
  return true;
}

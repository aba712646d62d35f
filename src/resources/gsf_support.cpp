#include "resources/gsf_support.h"

#include <gsf/gsf-utils.h>

#include "resources/library_messages.h"

namespace {

// libgsf reports what it finds wrong in a damaged compound file as GLib warnings, which
// would otherwise be printed on standard error; the archive's readers report the failure
// themselves, so the details go to the log.
void LogGsfMessage(const gchar* domain, GLogLevelFlags, const gchar* message, gpointer) {
  LogLibraryMessage(domain, message);
}

}  // namespace

void InitialiseGsf() {
  static const bool initialised = [] {
    gsf_init();
    g_log_set_handler("libgsf", static_cast<GLogLevelFlags>(G_LOG_LEVEL_MASK), LogGsfMessage,
                      nullptr);
    g_log_set_handler("libgsf:msole", static_cast<GLogLevelFlags>(G_LOG_LEVEL_MASK),
                      LogGsfMessage, nullptr);
    return true;
  }();
  (void)initialised;
}

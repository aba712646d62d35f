#include "resources/library_messages.h"

#include "base/log.h"

void LogLibraryMessage(const char* domain, const char* message) {
  g_log << domain << ": " << message << "\n";
}

#include "resources/library_messages.h"

#include "app/log.h"

void LogLibraryMessage(const char* domain, const char* message) {
  g_log << domain << ": " << message << "\n";
}

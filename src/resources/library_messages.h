#pragma once
// Writes a message of a library the archive uses to the demo's log. Kept apart from the
// code that includes glib, whose g_log function shares its name with the log.
void LogLibraryMessage(const char* domain, const char* message);

#pragma once
// Where the demo's archive, "lantern.dat", is read from: the working directory's when it
// holds one, as always; otherwise the one installed with the program, in the data
// directory beside its bin directory (found from the executable's own path, so that a
// prefix moved elsewhere still works).
#include <filesystem>

#include "resources/archive.h"

inline constexpr char kDataArchiveName[] = "lantern.dat";

// Opens the archive from the first of those places that has one. When neither has, the
// working directory's is tried all the same, so the failure is the one it always was.
HRESULT OpenDataArchive(IStorage** root);

// The installed archive's path for the running program (it may not exist).
std::filesystem::path InstalledDataArchive();

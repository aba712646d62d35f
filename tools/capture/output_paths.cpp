#include "output_paths.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace {

namespace fs = std::filesystem;

std::optional<std::string> CannotWriteIn(const std::string& option, const fs::path& folder) {
  if (access(folder.c_str(), W_OK) == 0) return std::nullopt;
  return option + ": cannot write in " + folder.string() + ": " + std::strerror(errno);
}

// A folder the moments go into, made when missing.
std::optional<std::string> FolderProblem(const std::string& option, const fs::path& folder) {
  std::error_code error;
  fs::create_directories(folder, error);
  if (error) return option + ": cannot create " + folder.string() + ": " + error.message();
  if (!fs::is_directory(folder)) return option + ": " + folder.string() + " is not a folder";
  return CannotWriteIn(option, folder);
}

// A file written beside itself first (FILE.part) and then renamed into place.
std::optional<std::string> FileProblem(const std::string& option, const fs::path& file) {
  std::error_code error;
  if (fs::is_directory(file, error)) return option + ": " + file.string() + " is a folder";
  const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
  if (!fs::is_directory(folder, error)) {
    return option + ": the folder " + folder.string() + " does not exist";
  }
  return CannotWriteIn(option, folder);
}

}  // namespace

std::optional<std::string> OutputProblem(const CaptureOptions& options) {
  switch (options.mode) {
    case CaptureMode::kMoments:
      return FolderProblem("--out", options.outputDirectory);
    case CaptureMode::kVideo:
      return FileProblem("--video", options.videoPath);
    case CaptureMode::kSheet:
      return FileProblem("--sheet", options.sheetPath);
    case CaptureMode::kBench:
    case CaptureMode::kStudyBench:
      return std::nullopt;
  }
  return std::nullopt;
}

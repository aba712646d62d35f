#pragma once
// A fresh directory under the system's temporary directory for one test's files; it is
// removed, with everything in it, when the object goes away.
#include <filesystem>
#include <string>
#include <string_view>

class TempDir {
 public:
  // Throws std::system_error when the directory cannot be created.
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // The path of the file `name` inside the directory.
  std::string File(std::string_view name) const;

 private:
  std::filesystem::path path_;
};

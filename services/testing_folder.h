// A scratch folder for tests that work with relative paths: it is created
// under the temporary folder, made the working folder, and removed (with the
// old working folder restored) when the object goes.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>

namespace zarn {

class ScratchWorkingFolder {
 public:
  // Creates <tmp>/<tag>_<pid>/<subfolder> and makes it the working folder.
  explicit ScratchWorkingFolder(const std::string& tag, const std::string& subfolder = "prog")
      : previous_(std::filesystem::current_path()),
        root_(std::filesystem::temp_directory_path() / (tag + "_" + std::to_string(::getpid()))) {
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_ / subfolder);
    std::filesystem::current_path(root_ / subfolder);
  }
  ~ScratchWorkingFolder() {
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(root_);
  }
  const std::filesystem::path& root() const { return root_; }

 private:
  std::filesystem::path previous_;
  std::filesystem::path root_;
};

}  // namespace zarn

// A file written front to back through a large buffer, with two extras the
// workbook writer needs: patching bytes already written, and copying the whole
// content into another file. The first failure (with the system's message) is
// kept and every later call does nothing, so callers check once at the end.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace zarn {

class ScratchFile {
 public:
  ScratchFile() = default;
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;
  ~ScratchFile();  // closes without reporting; call Close() to learn of errors

  // Creates (or empties) the file for reading and writing. False on failure.
  bool Create(const std::filesystem::path& path);

  void Write(std::string_view bytes);
  void WriteZeros(uint64_t count);
  // Overwrites bytes at `offset`, which with `bytes` must lie within Size().
  void WriteAt(uint64_t offset, std::string_view bytes);
  // Appends the whole content of this file to `target`.
  void CopyTo(ScratchFile& target);
  // Writes out the buffer and closes the file. False when any step failed.
  bool Close();

  uint64_t Size() const { return flushed_ + buffer_.size(); }
  bool ok() const { return error_.empty(); }
  // The system's message of the first failure; empty while ok().
  const std::string& error() const { return error_; }

 private:
  void Flush();
  void Fail();

  std::FILE* file_ = nullptr;
  std::string buffer_;
  uint64_t flushed_ = 0;
  std::string error_;
};

}  // namespace zarn

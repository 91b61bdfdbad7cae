// SharedFile is one open table or memo file together with its share mode.
// Windows opens files with share modes; the tables rely on them, so the same
// answers are given here with advisory locks: a shared open holds a shared
// lock and an exclusive open an exclusive one, taken without waiting. Two
// opens of one file conflict the same way whether they come from one process
// or from two.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace zarn {

enum class FileAccess { kRead, kReadWrite };
enum class FileShare { kDenyNone, kExclusive };

class SharedFile {
 public:
  SharedFile() = default;
  ~SharedFile();
  SharedFile(const SharedFile&) = delete;
  SharedFile& operator=(const SharedFile&) = delete;

  // Opens an existing file. Returns false when the file is missing, cannot be
  // opened with the access asked for, or another open holds a conflicting lock.
  bool Open(const std::string& path, FileAccess access, FileShare share);
  // Creates the file, or empties an existing one once the exclusive lock is
  // held (so a file in use elsewhere is never cut). Returns false on failure.
  bool Create(const std::string& path);
  void Close();
  bool IsOpen() const { return fd_ >= 0; }

  // Reads up to count bytes at offset; returns the number read (0 at the end
  // of the file), or -1 on failure.
  int64_t ReadAt(uint64_t offset, void* buffer, size_t count) const;
  // Writes all count bytes at offset; returns false on failure.
  bool WriteAt(uint64_t offset, const void* data, size_t count);
  // Cuts or extends the file to size bytes.
  bool Truncate(uint64_t size);
  // Current size of the file, or -1 when it cannot be determined.
  int64_t Size() const;

 private:
  int fd_ = -1;
};

}  // namespace zarn

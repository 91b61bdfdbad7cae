#include "dbf/shared_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace zarn {

SharedFile::~SharedFile() { Close(); }

bool SharedFile::Open(const std::string& path, FileAccess access, FileShare share) {
  Close();
  int flags = (access == FileAccess::kRead ? O_RDONLY : O_RDWR) | O_CLOEXEC;
  int fd = ::open(path.c_str(), flags);
  if (fd < 0) return false;
  int lock = share == FileShare::kExclusive ? LOCK_EX : LOCK_SH;
  if (::flock(fd, lock | LOCK_NB) != 0) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  return true;
}

bool SharedFile::Create(const std::string& path) {
  Close();
  int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::ftruncate(fd, 0) != 0) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  return true;
}

void SharedFile::Close() {
  if (fd_ >= 0) ::close(fd_);  // closing the descriptor releases its lock
  fd_ = -1;
}

int64_t SharedFile::ReadAt(uint64_t offset, void* buffer, size_t count) const {
  if (fd_ < 0) return -1;
  char* out = static_cast<char*>(buffer);
  size_t done = 0;
  while (done < count) {
    ssize_t n = ::pread(fd_, out + done, count - done, static_cast<off_t>(offset + done));
    if (n < 0) {
      if (errno == EINTR) continue;
      return -1;
    }
    if (n == 0) break;
    done += static_cast<size_t>(n);
  }
  return static_cast<int64_t>(done);
}

bool SharedFile::WriteAt(uint64_t offset, const void* data, size_t count) {
  if (fd_ < 0) return false;
  const char* in = static_cast<const char*>(data);
  size_t done = 0;
  while (done < count) {
    ssize_t n = ::pwrite(fd_, in + done, count - done, static_cast<off_t>(offset + done));
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

bool SharedFile::Truncate(uint64_t size) {
  return fd_ >= 0 && ::ftruncate(fd_, static_cast<off_t>(size)) == 0;
}

int64_t SharedFile::Size() const {
  struct stat st;
  if (fd_ < 0 || ::fstat(fd_, &st) != 0) return -1;
  return st.st_size;
}

}  // namespace zarn

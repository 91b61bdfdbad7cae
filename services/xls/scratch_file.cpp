#include "services/xls/scratch_file.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

namespace zarn {
namespace {

constexpr size_t kBufferSize = size_t{1} << 20;

std::FILE* OpenForUpdate(const std::filesystem::path& path) {
#ifdef _WIN32
  return ::_wfopen(path.c_str(), L"w+b");
#else
  return std::fopen(path.c_str(), "w+b");
#endif
}

}  // namespace

ScratchFile::~ScratchFile() {
  if (file_) std::fclose(file_);
}

bool ScratchFile::Create(const std::filesystem::path& path) {
  file_ = OpenForUpdate(path);
  if (!file_) Fail();
  buffer_.reserve(kBufferSize);
  return ok();
}

void ScratchFile::Fail() {
  if (error_.empty()) error_ = std::error_code(errno ? errno : EIO, std::generic_category()).message();
}

void ScratchFile::Flush() {
  if (!ok() || buffer_.empty()) return;
  errno = 0;
  if (std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) Fail();
  flushed_ += buffer_.size();
  buffer_.clear();
}

void ScratchFile::Write(std::string_view bytes) {
  if (!ok()) return;
  buffer_.append(bytes);
  if (buffer_.size() >= kBufferSize) Flush();
}

void ScratchFile::WriteZeros(uint64_t count) {
  while (count > 0 && ok()) {
    const size_t part = static_cast<size_t>(std::min<uint64_t>(count, kBufferSize));
    buffer_.append(part, '\0');
    Flush();
    count -= part;
  }
}

void ScratchFile::WriteAt(uint64_t offset, std::string_view bytes) {
  if (offset >= flushed_) {
    buffer_.replace(offset - flushed_, bytes.size(), bytes);
    return;
  }
  Flush();
  if (!ok()) return;
  errno = 0;
  if (std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0 ||
      std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size() || std::fseek(file_, 0, SEEK_END) != 0) {
    Fail();
  }
}

void ScratchFile::CopyTo(ScratchFile& target) {
  Flush();
  if (!ok()) return;
  std::rewind(file_);
  std::string chunk(kBufferSize, '\0');
  uint64_t left = flushed_;
  while (left > 0 && ok() && target.ok()) {
    errno = 0;
    const size_t got = std::fread(chunk.data(), 1, static_cast<size_t>(std::min<uint64_t>(left, chunk.size())), file_);
    if (got == 0) {
      Fail();
      return;
    }
    target.Write(std::string_view(chunk.data(), got));
    left -= got;
  }
}

bool ScratchFile::Close() {
  Flush();
  if (file_) {
    errno = 0;
    if (std::fclose(file_) != 0) Fail();
    file_ = nullptr;
  }
  return ok();
}

}  // namespace zarn

#include "services/workstation.h"

#include <arpa/inet.h>
#include <elf.h>
#include <glob.h>
#include <netdb.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <vector>

namespace zarn {
namespace {

const char kUnknown[] = "(Unknown)";

// The version resource of our programs: an ELF section holding a magic word
// and the two 32-bit halves of the fixed file version, most significant
// first, each half holding two 16-bit numbers (high word first).
struct FileVersionResource {
  char magic[4];
  uint32_t version_ms;
  uint32_t version_ls;
};

constexpr char kVersionSection[] = ".zarn_version";

[[gnu::used, gnu::section(".zarn_version")]] const FileVersionResource kOwnVersion = {
    {'Z', 'V', 'E', 'R'},
    (static_cast<uint32_t>(ZARN_VERSION_MAJOR) << 16) | ZARN_VERSION_MINOR,
    (static_cast<uint32_t>(ZARN_VERSION_PATCH) << 16) | ZARN_VERSION_TWEAK};

std::string Trim(const std::string& s) {
  const size_t b = s.find_first_not_of(' ');
  if (b == std::string::npos) return "";
  return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

std::string FormatVersion(const FileVersionResource& r) {
  char text[64];
  std::snprintf(text, sizeof text, "%d.%d.%d.%d", static_cast<int>(r.version_ms >> 16),
                static_cast<int>(r.version_ms & 0xFFFF), static_cast<int>(r.version_ls >> 16),
                static_cast<int>(r.version_ls & 0xFFFF));
  return text;
}

bool ReadAt(std::ifstream& in, uint64_t offset, void* out, size_t size) {
  in.seekg(static_cast<std::streamoff>(offset));
  return static_cast<bool>(in.read(static_cast<char*>(out), static_cast<std::streamsize>(size)));
}

// Finds the version section of a 64-bit little-endian ELF file. Returns false
// for any other file or a file without the section.
bool ReadVersionResource(const std::string& path, FileVersionResource* out) {
  std::ifstream in(path, std::ios::binary);
  Elf64_Ehdr eh;
  if (!in || !ReadAt(in, 0, &eh, sizeof eh)) return false;
  if (std::memcmp(eh.e_ident, ELFMAG, SELFMAG) != 0 || eh.e_ident[EI_CLASS] != ELFCLASS64 ||
      eh.e_ident[EI_DATA] != ELFDATA2LSB || eh.e_shentsize != sizeof(Elf64_Shdr) || eh.e_shstrndx >= eh.e_shnum)
    return false;
  std::vector<Elf64_Shdr> sections(eh.e_shnum);
  if (!ReadAt(in, eh.e_shoff, sections.data(), sections.size() * sizeof(Elf64_Shdr))) return false;
  const Elf64_Shdr& names = sections[eh.e_shstrndx];
  if (names.sh_size > (1u << 20)) return false;
  std::vector<char> strtab(names.sh_size + 1, '\0');
  if (!ReadAt(in, names.sh_offset, strtab.data(), names.sh_size)) return false;
  for (const Elf64_Shdr& s : sections) {
    if (s.sh_name >= names.sh_size || std::strcmp(&strtab[s.sh_name], kVersionSection) != 0) continue;
    if (s.sh_size < sizeof(FileVersionResource) || !ReadAt(in, s.sh_offset, out, sizeof *out)) return false;
    return std::memcmp(out->magic, "ZVER", 4) == 0;
  }
  return false;
}

std::string HostName() {
  char name[256] = {0};
  if (gethostname(name, 255) != 0) return "";
  return name;
}

}  // namespace

std::string LokalniIP() {
  const std::string host = HostName();
  addrinfo hints{};
  hints.ai_family = AF_INET;
  addrinfo* result = nullptr;
  if (host.empty() || getaddrinfo(host.c_str(), nullptr, &hints, &result) != 0 || result == nullptr)
    return "255.255.255.255";
  char text[INET_ADDRSTRLEN] = {0};
  const auto* address = reinterpret_cast<const sockaddr_in*>(result->ai_addr);
  const bool ok = inet_ntop(AF_INET, &address->sin_addr, text, sizeof text) != nullptr;
  freeaddrinfo(result);
  return ok ? text : "255.255.255.255";
}

std::string JmenoUzivatele() {
  char buffer[1024];
  passwd pw{};
  passwd* found = nullptr;
  if (getpwuid_r(geteuid(), &pw, buffer, sizeof buffer, &found) != 0 || found == nullptr) return kUnknown;
  const std::string name = found->pw_name;
  return name.empty() || name.size() > 62 ? kUnknown : name;
}

std::string JmenoPocitace() {
  const std::string name = HostName();
  return name.empty() || name.size() > 15 ? kUnknown : name;
}

TDateTime DatumSouboru(const std::string& path) {
  glob_t found{};
  if (glob(path.c_str(), GLOB_NOSORT | GLOB_NOESCAPE, nullptr, &found) != 0 || found.gl_pathc == 0) {
    globfree(&found);
    return 0;
  }
  struct stat st{};
  const bool ok = stat(found.gl_pathv[0], &st) == 0;
  globfree(&found);
  if (!ok) return 0;
  std::tm local{};
  localtime_r(&st.st_mtime, &local);
  return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
         EncodeTime(local.tm_hour, local.tm_min, local.tm_sec, static_cast<int>(st.st_mtim.tv_nsec / 1000000));
}

std::string VerzeSouboru(const std::string& path) {
  std::string file = Trim(path);
  if (file.empty()) file = RunningProgramPath();
  FileVersionResource resource{};
  return ReadVersionResource(file, &resource) ? FormatVersion(resource) : "-1.0.0.0";
}

std::string RunningProgramPath() {
  char buffer[4096];
  const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  return n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string();
}

}  // namespace zarn

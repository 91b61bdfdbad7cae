#include "dbf/dbf_table/table_path.h"

#include <algorithm>

namespace zarn {
namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsDriveLetter(std::string_view name) {
  return name.size() == 1 && ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z'));
}

std::string FolderPart(std::string_view database_name) {
  if (database_name.empty()) return {};
  if (IsDriveLetter(database_name)) return std::string(database_name) + ":" + kSeparator;
  std::string folder(database_name);
  std::replace_if(folder.begin(), folder.end(), IsSeparator, kSeparator);
  if (folder.back() != kSeparator) folder += kSeparator;
  return folder;
}

std::string WithDbfExtension(std::string_view table_name) {
  const size_t name_start = table_name.find_last_of("\\/") == std::string_view::npos
                                ? 0
                                : table_name.find_last_of("\\/") + 1;
  const size_t dot = table_name.rfind('.');
  const std::string_view stem =
      dot != std::string_view::npos && dot >= name_start ? table_name.substr(0, dot) : table_name;
  return std::string(stem) + ".dbf";
}

}  // namespace

std::string TablePath(std::string_view database_name, std::string_view table_name) {
  return FolderPart(database_name) + WithDbfExtension(table_name);
}

}  // namespace zarn

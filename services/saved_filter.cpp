#include "services/saved_filter.h"

#include <filesystem>
#include <vector>

#include "platform/ini_file.h"

namespace zarn {
namespace {

// "Žádný filtr" in Windows-1250.
const char kNoFilter[] = "\x8E\xE1" "dn\xFD filtr";

std::string ConditionFile(const std::string& name) { return name + ".Fi_"; }
std::string DescriptionFile(const std::string& name) { return name + ".Te_"; }

void AppendLine(const std::string& path, const std::string& line) {
  std::vector<std::string> lines;
  ReadTextLines(path, &lines);
  lines.push_back(line);
  WriteTextLines(path, lines);
}

std::string LastLine(const std::string& path) {
  std::vector<std::string> lines;
  return ReadTextLines(path, &lines) && !lines.empty() ? lines.back() : std::string();
}

// Removes the last line of an existing file; returns the new last line when
// one remains. A missing file stays missing.
std::string DropLastLine(const std::string& path, const std::string& none) {
  std::vector<std::string> lines;
  if (!std::filesystem::exists(path) || !ReadTextLines(path, &lines)) return none;
  if (lines.size() < 2) {
    WriteTextLines(path, {});
    return none;
  }
  lines.pop_back();
  WriteTextLines(path, lines);
  return lines.back();
}

}  // namespace

void PridejFiltr(const std::string& name, const std::string& condition, const std::string& description) {
  AppendLine(ConditionFile(name), condition);
  AppendLine(DescriptionFile(name), description);
}

SavedFilter AktualniFiltr(const std::string& name) {
  return {LastLine(ConditionFile(name)), LastLine(DescriptionFile(name))};
}

SavedFilter ZrusFiltr(const std::string& name) {
  WriteTextLines(ConditionFile(name), {});
  WriteTextLines(DescriptionFile(name), {});
  return {"", kNoFilter};
}

SavedFilter ZrusPosledniFiltr(const std::string& name) {
  return {DropLastLine(ConditionFile(name), ""), DropLastLine(DescriptionFile(name), kNoFilter)};
}

}  // namespace zarn

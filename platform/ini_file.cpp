#include "platform/ini_file.h"

#include <cctype>
#include <charconv>
#include <fstream>
#include <optional>
#include <sstream>

namespace zarn {
namespace {

std::string Trim(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
  return s.substr(b, e - b);
}

bool SameNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

// The section name of a "[name]" line, or nullopt for any other line.
std::optional<std::string> SectionOf(const std::string& line) {
  const std::string t = Trim(line);
  if (t.size() < 2 || t.front() != '[') return std::nullopt;
  const size_t close = t.find(']');
  if (close == std::string::npos) return std::nullopt;
  return Trim(t.substr(1, close - 1));
}

// The key of a "key=value" line, or nullopt for a comment or a line without '='.
std::optional<std::string> KeyOf(const std::string& line) {
  const std::string t = Trim(line);
  if (t.empty() || t[0] == ';') return std::nullopt;
  const size_t eq = t.find('=');
  if (eq == std::string::npos) return std::nullopt;
  return Trim(t.substr(0, eq));
}

std::string ValueOf(const std::string& line) {
  std::string v = Trim(line.substr(line.find('=') + 1));
  // A value enclosed in matching quotes is read without them.
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) v = v.substr(1, v.size() - 2);
  return v;
}

// Where a section lies in the lines: [begin, end) holds its body, header is
// the index of its "[name]" line. header is npos when the section is absent.
struct SectionSpan {
  size_t header = std::string::npos, begin = 0, end = 0;
};

SectionSpan FindSection(const std::vector<std::string>& lines, const std::string& section) {
  SectionSpan span;
  for (size_t i = 0; i < lines.size(); ++i) {
    auto name = SectionOf(lines[i]);
    if (!name) continue;
    if (span.header != std::string::npos) {
      span.end = i;
      return span;
    }
    if (SameNoCase(*name, section)) span = {i, i + 1, lines.size()};
  }
  return span;
}

size_t FindKey(const std::vector<std::string>& lines, const SectionSpan& span, const std::string& key) {
  if (span.header == std::string::npos) return std::string::npos;
  for (size_t i = span.begin; i < span.end; ++i) {
    auto k = KeyOf(lines[i]);
    if (k && SameNoCase(*k, key)) return i;
  }
  return std::string::npos;
}

std::optional<long long> ParseInteger(const std::string& text) {
  std::string t = Trim(text);
  int base = 10;
  bool negative = false;
  if (!t.empty() && (t[0] == '-' || t[0] == '+')) negative = t[0] == '-', t.erase(0, 1);
  if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) base = 16, t.erase(0, 2);
  else if (!t.empty() && t[0] == '$') base = 16, t.erase(0, 1);
  long long v = 0;
  auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), v, base);
  if (t.empty() || ec != std::errc() || ptr != t.data() + t.size()) return std::nullopt;
  return negative ? -v : v;
}

}  // namespace

bool ReadTextLines(const std::string& path, std::vector<std::string>* lines) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::stringstream buffer;
  buffer << in.rdbuf();
  const std::string text = buffer.str();
  lines->clear();
  size_t start = 0;
  while (start < text.size()) {
    size_t nl = text.find('\n', start);
    if (nl == std::string::npos) nl = text.size();
    size_t end = nl;
    if (end > start && text[end - 1] == '\r') --end;
    lines->push_back(text.substr(start, end - start));
    start = nl + 1;
  }
  return true;
}

bool WriteTextLines(const std::string& path, const std::vector<std::string>& lines) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  for (const auto& line : lines) out << line << "\r\n";
  out.flush();
  return static_cast<bool>(out);
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key, const std::string& def) const {
  std::vector<std::string> lines;
  if (!ReadTextLines(path_, &lines)) return def;
  const size_t at = FindKey(lines, FindSection(lines, section), key);
  return at == std::string::npos ? def : ValueOf(lines[at]);
}

int TIniFile::ReadInteger(const std::string& section, const std::string& key, int def) const {
  auto v = ParseInteger(ReadString(section, key, ""));
  return v ? static_cast<int>(*v) : def;
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

bool TIniFile::SectionExists(const std::string& section) const {
  std::vector<std::string> lines;
  return ReadTextLines(path_, &lines) && FindSection(lines, section).header != std::string::npos;
}

bool TIniFile::ValueExists(const std::string& section, const std::string& key) const {
  std::vector<std::string> lines;
  return ReadTextLines(path_, &lines) && FindKey(lines, FindSection(lines, section), key) != std::string::npos;
}

std::vector<std::string> TIniFile::ReadSection(const std::string& section) const {
  std::vector<std::string> keys, lines;
  if (!ReadTextLines(path_, &lines)) return keys;
  const SectionSpan span = FindSection(lines, section);
  if (span.header == std::string::npos) return keys;
  for (size_t i = span.begin; i < span.end; ++i)
    if (auto k = KeyOf(lines[i])) keys.push_back(*k);
  return keys;
}

bool TIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
  std::vector<std::string> lines;
  ReadTextLines(path_, &lines);
  const std::string line = key + "=" + value;
  SectionSpan span = FindSection(lines, section);
  if (span.header == std::string::npos) {
    if (!lines.empty() && !Trim(lines.back()).empty()) lines.emplace_back();
    lines.push_back("[" + section + "]");
    lines.push_back(line);
    return WriteTextLines(path_, lines);
  }
  const size_t at = FindKey(lines, span, key);
  if (at != std::string::npos) {
    lines[at] = line;
  } else {
    // A new key goes after the last non-blank line of its section.
    size_t insert = span.end;
    while (insert > span.begin && Trim(lines[insert - 1]).empty()) --insert;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insert), line);
  }
  return WriteTextLines(path_, lines);
}

bool TIniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
  return WriteString(section, key, std::to_string(value));
}

bool TIniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
  return WriteString(section, key, value ? "1" : "0");
}

bool TIniFile::DeleteKey(const std::string& section, const std::string& key) {
  std::vector<std::string> lines;
  if (!ReadTextLines(path_, &lines)) return true;
  const size_t at = FindKey(lines, FindSection(lines, section), key);
  if (at == std::string::npos) return true;
  lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(at));
  return WriteTextLines(path_, lines);
}

bool TIniFile::EraseSection(const std::string& section) {
  std::vector<std::string> lines;
  if (!ReadTextLines(path_, &lines)) return true;
  const SectionSpan span = FindSection(lines, section);
  if (span.header == std::string::npos) return true;
  lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(span.header), lines.begin() + static_cast<std::ptrdiff_t>(span.end));
  return WriteTextLines(path_, lines);
}

}  // namespace zarn

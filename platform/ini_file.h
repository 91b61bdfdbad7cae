// TIniFile: a Windows profile file (".ini") as the programs use it. Sections
// and keys compare without regard to case; a missing file, section or key
// reads as the caller's default; writing a key rewrites only that key's line
// (or adds it), keeps every other line, and creates the file when missing.
// The file is Windows-1250 with CR LF line ends, like every text file of the
// programs. Each call reads the file afresh, so two objects over one file (or
// another program writing it) always see the same text.
#pragma once

#include <string>
#include <vector>

namespace zarn {

class TIniFile {
 public:
  explicit TIniFile(std::string path) : path_(std::move(path)) {}

  const std::string& FileName() const { return path_; }

  std::string ReadString(const std::string& section, const std::string& key, const std::string& def) const;
  // A value that is not a whole decimal (or 0x hexadecimal) number gives def.
  int ReadInteger(const std::string& section, const std::string& key, int def) const;
  // "0" is false, any other number true; a missing or non-numeric value gives def.
  bool ReadBool(const std::string& section, const std::string& key, bool def) const;
  bool SectionExists(const std::string& section) const;
  bool ValueExists(const std::string& section, const std::string& key) const;
  // Key names of a section, in file order.
  std::vector<std::string> ReadSection(const std::string& section) const;

  // Returns false when the file cannot be written.
  bool WriteString(const std::string& section, const std::string& key, const std::string& value);
  bool WriteInteger(const std::string& section, const std::string& key, int value);
  bool WriteBool(const std::string& section, const std::string& key, bool value);
  bool DeleteKey(const std::string& section, const std::string& key);
  bool EraseSection(const std::string& section);

 private:
  std::string path_;
};

// Reads a text file as lines (CR LF or LF ends, the last line without an end
// is kept). Returns false when the file cannot be opened.
bool ReadTextLines(const std::string& path, std::vector<std::string>* lines);
// Writes lines, each ended by CR LF. Returns false when the file cannot be written.
bool WriteTextLines(const std::string& path, const std::vector<std::string>& lines);

}  // namespace zarn

// Saved list filters: for a list name, "<name>.Fi_" holds the SQL condition
// and "<name>.Te_" the readable description of each filter step, one step a
// line, the last line being the current filter. Each line is the whole filter
// of its step. Files are Windows-1250 with CR LF line ends in the working folder.
#pragma once

#include <string>

namespace zarn {

struct SavedFilter {
  std::string condition;
  std::string description;
};

// Appends a step to both files, creating a missing one.
void PridejFiltr(const std::string& name, const std::string& condition, const std::string& description);

// The last line of each file; empty for a missing or empty file.
SavedFilter AktualniFiltr(const std::string& name);

// Empties both files (creating missing ones). Gives an empty condition and
// the description "Žádný filtr".
SavedFilter ZrusFiltr(const std::string& name);

// Drops the last step of each existing file: a file of fewer than 2 lines is
// emptied, otherwise its new last line is the result for that file. A part
// with no result is an empty condition or the description "Žádný filtr".
SavedFilter ZrusPosledniFiltr(const std::string& name);

}  // namespace zarn

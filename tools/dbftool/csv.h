// CSV as dbftool reads and writes it: comma-separated, fields quoted with
// double quotes when they hold a comma, a quote or a line break, quotes
// doubled inside quoted fields, rows ended by LF (CR LF is accepted).
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace zarn::dbftool {

void WriteCsvRow(std::ostream& out, const std::vector<std::string>& cells);

// Reads the next row into *cells; false at the end of the input. An
// unterminated quoted field runs to the end of the input.
bool ReadCsvRow(std::istream& in, std::vector<std::string>* cells);

}  // namespace zarn::dbftool

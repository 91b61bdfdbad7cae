#include "tools/dbftool/csv.h"

namespace zarn::dbftool {

void WriteCsvRow(std::ostream& out, const std::vector<std::string>& cells) {
  for (size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) out << ',';
    const std::string& cell = cells[i];
    if (cell.find_first_of(",\"\r\n") == std::string::npos) {
      out << cell;
      continue;
    }
    out << '"';
    for (char c : cell) {
      if (c == '"') out << '"';
      out << c;
    }
    out << '"';
  }
  out << '\n';
}

bool ReadCsvRow(std::istream& in, std::vector<std::string>* cells) {
  cells->clear();
  if (in.peek() == std::char_traits<char>::eof()) return false;
  std::string cell;
  bool quoted = false;
  int c;
  while ((c = in.get()) != std::char_traits<char>::eof()) {
    if (quoted) {
      if (c == '"') {
        if (in.peek() == '"') {
          cell += static_cast<char>(in.get());
        } else {
          quoted = false;
        }
      } else {
        cell += static_cast<char>(c);
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      cells->push_back(std::move(cell));
      cell.clear();
    } else if (c == '\n') {
      break;
    } else if (c != '\r' || in.peek() != '\n') {
      cell += static_cast<char>(c);
    }
  }
  cells->push_back(std::move(cell));
  return true;
}

}  // namespace zarn::dbftool

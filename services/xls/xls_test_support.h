// Helpers of the workbook writer's tests: a row source over rows kept in the
// test, and the workbook as the independent reader xlrd sees it.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <variant>
#include <vector>

#include "services/xls/xls_row_source.h"

namespace zarn {

// A cell of a test row: null, a number or date, or Windows-1250 text.
using TestCell = std::variant<std::monostate, double, std::string>;

class TestRowSource : public XlsRowSource {
 public:
  TestRowSource(std::vector<XlsColumn> columns, std::vector<std::vector<TestCell>> rows)
      : columns_(std::move(columns)), rows_(std::move(rows)) {}

  std::vector<XlsColumn> Columns() override { return columns_; }

  bool NextRow(std::span<XlsValue> values) override {
    if (next_ == rows_.size()) return false;
    const std::vector<TestCell>& row = rows_[next_++];
    for (size_t c = 0; c < values.size(); ++c) {
      const TestCell& cell = row[c];
      values[c] = XlsValue{};
      if (const auto* number = std::get_if<double>(&cell)) values[c] = {false, *number, {}};
      if (const auto* text = std::get_if<std::string>(&cell)) values[c] = {false, 0, *text};
    }
    return true;
  }

 private:
  std::vector<XlsColumn> columns_;
  std::vector<std::vector<TestCell>> rows_;
  size_t next_ = 0;
};

// What testdata/dump_xls.py prints for `path` in `mode` (UTF-8), or the
// reader's complaint when it cannot read the file.
inline std::string DumpWithXlrd(const std::filesystem::path& path, const std::string& mode) {
  const std::string command = "/usr/bin/python3 " ZARN_SOURCE_DIR "/services/xls/testdata/dump_xls.py '" +
                              path.string() + "' " + mode + " 2>&1";
  std::FILE* pipe = ::popen(command.c_str(), "r");
  std::string out;
  char chunk[65536];
  for (size_t got; (got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;) out.append(chunk, got);
  ::pclose(pipe);
  return out;
}

}  // namespace zarn

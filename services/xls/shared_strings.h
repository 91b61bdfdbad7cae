// The shared string table (SST) of a workbook: every distinct cell text once,
// referenced from the cells by index. Only the distinct texts are kept in
// memory, never the rows, so the table grows with the variety of the list and
// not with its length.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zarn {

class SharedStringTable {
 public:
  // Returns the index of `win1250` in the table, adding it when it is new, and
  // counts one more cell that refers to it. The text must be at most
  // kMaxBiffCellChars characters.
  uint32_t Add(std::string_view win1250);

  uint32_t UniqueCount() const { return static_cast<uint32_t>(order_.size()); }

  // Appends the SST record (with CONTINUE records where the strings exceed one
  // record) and its EXTSST index to `stream`. `stream` must hold the workbook
  // stream from its first byte, because EXTSST stores absolute positions.
  void AppendRecords(std::string& stream) const;

 private:
  struct TextHash {
    using is_transparent = void;
    size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
  };
  std::unordered_map<std::string, uint32_t, TextHash, std::equal_to<>> index_;
  std::vector<const std::string*> order_;  // keys of index_ by index; map nodes do not move
  uint32_t references_ = 0;
};

}  // namespace zarn

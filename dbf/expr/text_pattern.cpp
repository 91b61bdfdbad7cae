#include "dbf/expr/text_pattern.h"

#include "dbf/expr/locale_text.h"

namespace zarn {
namespace {

class PatternMatcher {
 public:
  explicit PatternMatcher(bool case_insensitive) : upper_(case_insensitive ? &UpperCaseTable() : nullptr) {}

  // True when `segment` (holding no '*') matches `text` at its start; `text`
  // must be at least as long as `segment`.
  bool SegmentMatchesAt(std::string_view segment, std::string_view text) const {
    for (std::size_t i = 0; i < segment.size(); ++i) {
      if (segment[i] != '?' && !SameChar(segment[i], text[i])) return false;
    }
    return true;
  }

 private:
  bool SameChar(char a, char b) const {
    if (upper_ == nullptr) return a == b;
    return (*upper_)[static_cast<unsigned char>(a)] == (*upper_)[static_cast<unsigned char>(b)];
  }

  const std::array<unsigned char, 256>* upper_;
};

}  // namespace

bool MatchesTextPattern(std::string_view text, std::string_view pattern, bool case_insensitive) {
  const PatternMatcher matcher(case_insensitive);
  std::size_t star = pattern.find('*');
  if (star == std::string_view::npos) {
    return !text.empty() && text.size() == pattern.size() && matcher.SegmentMatchesAt(pattern, text);
  }
  const std::string_view head = pattern.substr(0, star);
  if (text.size() < head.size() || !matcher.SegmentMatchesAt(head, text)) return false;
  std::size_t text_pos = head.size();
  std::size_t pattern_pos = star;
  while (true) {
    while (pattern_pos < pattern.size() && pattern[pattern_pos] == '*') ++pattern_pos;
    star = pattern.find('*', pattern_pos);
    if (star == std::string_view::npos) break;
    const std::string_view segment = pattern.substr(pattern_pos, star - pattern_pos);
    bool found = false;
    for (std::size_t start = text_pos; start + segment.size() <= text.size(); ++start) {
      if (matcher.SegmentMatchesAt(segment, text.substr(start))) {
        text_pos = start + segment.size();
        found = true;
        break;
      }
    }
    if (!found) return false;
    pattern_pos = star;
  }
  const std::string_view tail = pattern.substr(pattern_pos);
  if (text.size() - text_pos < tail.size()) return false;
  return matcher.SegmentMatchesAt(tail, text.substr(text.size() - tail.size()));
}

}  // namespace zarn

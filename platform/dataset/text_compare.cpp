#include "platform/dataset/text_compare.h"

#include <QCollator>
#include <cctype>

#include "platform/win1250.h"

namespace zarn {

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

int CompareCollated(std::string_view a, std::string_view b, bool case_insensitive) {
  // One collator per mode, made once: building one reads the locale.
  static QCollator* const kCollators[2] = {new QCollator(), new QCollator()};
  static const bool kConfigured = [] {
    kCollators[0]->setCaseSensitivity(Qt::CaseSensitive);
    kCollators[1]->setCaseSensitivity(Qt::CaseInsensitive);
    return true;
  }();
  (void)kConfigured;
  return kCollators[case_insensitive ? 1 : 0]->compare(FromWin1250(a), FromWin1250(b));
}

}  // namespace zarn

#include "services/xls/sheet_name.h"

namespace zarn {

std::string XlsSheetName(std::string_view base, int number) {
  std::string suffix;
  if (number > 1) suffix.append(" ").append(std::to_string(number));
  std::string name(base.empty() ? std::string_view("List") : base);
  for (char& c : name) {
    if (std::string_view(":\\/?*[]").find(c) != std::string_view::npos) c = '_';
  }
  if (name.size() + suffix.size() > kMaxSheetNameChars) name.resize(kMaxSheetNameChars - suffix.size());
  return name + suffix;
}

}  // namespace zarn

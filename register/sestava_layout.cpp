#include "register/sestava_layout.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/dataset/dataset.h"
#include "platform/dataset/number_text.h"
#include "platform/ini_file.h"
#include "platform/win1250.h"

namespace zarn {
namespace {

// Millimetres a grid character takes on paper, and the width limits of a
// column taken over from the grid.
constexpr double kMmPerCharacter = 1.8;
constexpr double kMinColumnMm = 10;
constexpr double kMaxColumnMm = 60;

// A layout is a few dozen lines; anything far larger is some other file, and
// the INI reader would read it once per key.
constexpr std::uintmax_t kMaxLayoutBytes = 256 * 1024;

std::vector<std::string> Split(const std::string& text) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t semicolon; (semicolon = text.find(';', start)) != std::string::npos; start = semicolon + 1)
    parts.push_back(text.substr(start, semicolon - start));
  parts.push_back(text.substr(start));
  return parts;
}

std::string BadLine(const std::string& section, const std::string& key, const std::string& value) {
  return Utf8ToWin1250("Chybný řádek sestavy ") + kSestavaFile + " [" + section + "]: " + key + "=" + value;
}

// Widths are written with a decimal point whatever the workstation uses.
std::optional<double> ReadWidth(const std::string& text) {
  TFormatSettings point;
  point.DecimalSeparator = '.';
  return TryStrToFloat(text, point);
}

bool ReadAlignment(const std::string& text, TZarovnani* zarovnani) {
  if (text == "vlevo") *zarovnani = TZarovnani::Vlevo;
  else if (text == "vpravo") *zarovnani = TZarovnani::Vpravo;
  else if (text == "nastred") *zarovnani = TZarovnani::NaStred;
  else return false;
  return true;
}

// Whether the file at `path` can be a layout at all: a regular text file of
// sensible size. Control bytes other than TAB, CR and LF mean a binary file.
bool IsLayoutText(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return false;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size > kMaxLayoutBytes) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  return std::none_of(bytes.begin(), bytes.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 && byte != '\t' && byte != '\r' && byte != '\n';
  });
}

bool HasColumnOfList(const TSestava& sestava, const TDataSet& list) {
  return std::any_of(sestava.sloupce.begin(), sestava.sloupce.end(),
                     [&](const TSloupecSestavy& sloupec) { return list.FindField(sloupec.pole) != nullptr; });
}

}  // namespace

const char* const kSestavaFile = "zarn1.pts";

bool NactiSestavu(const std::string& path, TSestava* sestava, std::vector<std::string>* chyby) {
  if (!std::filesystem::is_regular_file(path)) return false;
  const TIniFile ini(path);
  *sestava = TSestava{};
  sestava->nadpis = ini.ReadString("Sestava", "Nadpis", "");
  sestava->na_sirku = ini.ReadString("Sestava", "Orientace", "nasirku") != "navysku";
  sestava->pismo = std::clamp(ini.ReadInteger("Sestava", "Pismo", 8), 4, 36);
  for (const std::string& key : ini.ReadSection("Sloupce")) {
    const std::string value = ini.ReadString("Sloupce", key, "");
    const std::vector<std::string> parts = Split(value);
    TSloupecSestavy sloupec{key, parts[0]};
    const auto width = parts.size() > 1 ? ReadWidth(parts[1]) : std::nullopt;
    if (parts.size() != 3 || !width || *width <= 0 || !ReadAlignment(parts[2], &sloupec.zarovnani)) {
      chyby->push_back(BadLine("Sloupce", key, value));
      continue;
    }
    sloupec.sirka_mm = *width;
    sestava->sloupce.push_back(sloupec);
  }
  for (const std::string& key : ini.ReadSection("Soucty")) {
    const std::string value = ini.ReadString("Soucty", key, "");
    const std::vector<std::string> parts = Split(value);
    const auto decimals = parts.size() > 1 ? TryStrToInt(parts[1]) : std::nullopt;
    if (parts.size() < 2 || parts.size() > 3 || parts[0].empty() || !decimals || *decimals < 0 || *decimals > 10) {
      chyby->push_back(BadLine("Soucty", key, value));
      continue;
    }
    sestava->soucty.push_back({key, parts[0], *decimals, parts.size() == 3 ? parts[2] : ""});
  }
  return true;
}

TSestava SestavaKTisku(const std::string& path, const std::vector<TExportColumn>& columns, const TDataSet& list,
                       std::vector<std::string>* chyby) {
  std::error_code error;
  if (!std::filesystem::exists(path, error)) return SestavaZMrizky(columns, list);
  TSestava sestava;
  std::vector<std::string> bad_lines;  // of no interest when the file is not used
  if (!IsLayoutText(path)) {
    chyby->push_back(Utf8ToWin1250("Soubor ") + path + Utf8ToWin1250(" není čitelný textový soubor sestavy."));
  } else if (NactiSestavu(path, &sestava, &bad_lines) && HasColumnOfList(sestava, list)) {
    chyby->insert(chyby->end(), bad_lines.begin(), bad_lines.end());
    return sestava;
  } else {
    chyby->push_back(Utf8ToWin1250("Sestava ") + path + Utf8ToWin1250(" nemá žádný použitelný sloupec seznamu."));
  }
  chyby->push_back(Utf8ToWin1250("Tiskne se podle viditelných sloupců seznamu."));
  return SestavaZMrizky(columns, list);
}

TSestava SestavaZMrizky(const std::vector<TExportColumn>& columns, const TDataSet& list) {
  TSestava sestava;
  sestava.nadpis = Utf8ToWin1250("Evidence licenčních poplatků");
  for (const TExportColumn& column : columns) {
    const double width = std::clamp(column.field->DisplayWidth() * kMmPerCharacter, kMinColumnMm, kMaxColumnMm);
    sestava.sloupce.push_back({column.field->FieldName(), column.title, width,
                               column.field->IsNumeric() ? TZarovnani::Vpravo : TZarovnani::Vlevo});
  }
  const TSoucetSestavy totals[] = {{Utf8ToWin1250("Množství"), "mnozstvi", 4, ""},
                                   {"Poplatky", "suma", 2, ""},
                                   {"Zaplaceno", "suma", 2, "zaplacena"}};
  for (const TSoucetSestavy& total : totals)
    if (list.FindField(total.pole) && (total.pole_uhrady.empty() || list.FindField(total.pole_uhrady)))
      sestava.soucty.push_back(total);
  return sestava;
}

}  // namespace zarn

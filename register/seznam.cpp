#include "register/seznam.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>

#include "platform/dataset/dataset.h"
#include "platform/dataset/field.h"
#include "platform/dataset/number_text.h"
#include "platform/datetime.h"
#include "platform/win1250.h"
#include "services/routines.h"
#include "services/sql_quote.h"
#include "register/zaznam_datumy.h"

namespace zarn {
namespace {

bool JeCelociselny(const TField& field) {
  switch (field.DataType()) {
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftLargeint:
    case ftAutoInc:
      return true;
    default:
      return false;
  }
}

bool JeDatum(const TField& field) { return field.DataType() == ftDate || field.DataType() == ftDateTime; }

bool JeDesetinny(const TField& field) {
  switch (field.DataType()) {
    case ftFloat:
    case ftCurrency:
    case ftBCD:
    case ftFMTBcd:
      return true;
    default:
      return false;
  }
}

// The server reads a number only up to the first character that is not part
// of one, so the Czech "2,5" would compare as 2. The statement gets the value
// itself with "." and no grouping, in the shortest digits that still read
// back as the stored double.
std::string CisloProSql(const TField& column) {
  char text[32];
  const double value = column.IsNull() ? 0 : column.AsFloat();
  const auto end = std::to_chars(text, text + sizeof text, value).ptr;
  return std::string(text, end);
}

// The value text of a filter step without quotes: what the statement compares
// the column with.
std::string HodnotaKroku(const TField& column) {
  if (JeCelociselny(column)) return std::to_string(column.IsNull() ? 0 : column.AsLargeInt());
  if (JeDatum(column)) return DatumSQL(column.IsNull() ? 0 : column.AsDateTime());
  if (JeDesetinny(column)) return CisloProSql(column);
  return column.DisplayText();
}

double Cislo(TDataSet& list, int row, const TField* field) {
  if (field == nullptr) return 0;
  const Variant value = list.RowValue(row, *field);
  return value.IsClear() ? 0 : value.ToDouble();
}

// Rounds to `digits` significant digits, as the classic number formatting
// does before it writes the decimals.
double NaPlatneCislice(double value, int digits) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*g", digits, value);
  return std::strtod(text, nullptr);
}

}  // namespace

std::vector<std::string> PrikazSeznamu(const std::string& filtr_sql, const std::string& trideni) {
  return {"select * from zarnzada", filtr_sql, trideni};
}

std::string TrideniPodle(const std::string& column_name) { return "order by " + column_name; }

TSouctySeznamu SpoctiSoucty(TDataSet& list) {
  TSouctySeznamu soucty;
  const TField* mnozstvi = list.FindField("mnozstvi");
  const TField* suma = list.FindField("suma");
  const TField* zaplacena = list.FindField("zaplacena");
  const int rows = list.RowCount();
  for (int row = 0; row < rows; ++row) {
    soucty.mnozstvi += Cislo(list, row, mnozstvi);
    const double poplatek = Cislo(list, row, suma);
    soucty.poplatky += poplatek;
    if (zaplacena != nullptr) {
      const Variant datum = list.RowValue(row, *zaplacena);
      if (!datum.IsClear() && JeZaplaceno(datum.ToDateTime())) soucty.zaplaceno += poplatek;
    }
  }
  if (list.Active()) list.First();
  return soucty;
}

std::string TextMnozstvi(double value) { return FormatFloat("#,##0.0000", NaPlatneCislice(value, 10)); }

std::string TextPoplatku(double value) { return FormatFloat("#,##0.00", NaPlatneCislice(value, 12)); }

std::string TitulekSeznamu(const TFiltrSeznamu& filtr) {
  std::string caption = Utf8ToWin1250("Seznam - Žadatelé");
  if (!filtr.sql.empty()) caption += " - filtr: " + filtr.popis;
  return caption;
}

TFiltrSeznamu PridejKrokFiltru(const TFiltrSeznamu& filtr, const std::string& comparison, const TField& column,
                               const std::string& title) {
  const std::string hodnota = HodnotaKroku(column);
  const std::string v_sql = JeCelociselny(column) ? hodnota : QuoteSql(hodnota);
  const std::string podminka = column.FieldName() + comparison + v_sql;
  if (filtr.sql.empty()) return {"where " + podminka, title + comparison + column.DisplayText()};
  return {filtr.sql + " AND " + podminka, filtr.popis + ", " + title + comparison + hodnota};
}

}  // namespace zarn

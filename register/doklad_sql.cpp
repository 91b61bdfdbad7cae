#include "register/doklad_sql.h"

#include <algorithm>

#include "platform/dataset/dataset.h"
#include "services/routines.h"
#include "services/sql_quote.h"

namespace zarn {

std::string TextSQL(const TField& field) { return QuoteSql(field.AsString()); }

std::string DatumSQLPole(const TField& field) { return "'" + DatumSQL(field.AsDateTime()) + "'"; }

std::string CisloSQL(const TField& field) {
  std::string text = "0" + field.AsString();
  std::replace(text.begin(), text.end(), ',', '.');
  return text;
}

std::string Identifikator(const std::string& cislo_pc, TDateTime moment) {
  return cislo_pc + cislo_pc + FormatDateTime("yymmddhhnnss", moment);
}

namespace {

// How one column's value is written into the insert.
enum class TTvar { Text, Datum, Cislo };

struct TSloupec {
  const char* name;
  TTvar tvar;
};

// The columns of the insert before `identifik`, in the order of its column list.
constexpr TSloupec kSloupce[] = {
    {"zadatel", TTvar::Text},    {"ico", TTvar::Text},        {"nazevpodni", TTvar::Text},
    {"kodpar", TTvar::Text},     {"rok", TTvar::Text},        {"obdobi", TTvar::Text},
    {"porizeno", TTvar::Datum},  {"partie", TTvar::Text},     {"nomenkla", TTvar::Text},
    {"nazevosiva", TTvar::Text}, {"druh", TTvar::Text},       {"odruda", TTvar::Text},
    {"stupen", TTvar::Text},     {"naz_dru", TTvar::Text},    {"naz_odru", TTvar::Text},
    {"mnozstvi", TTvar::Cislo},  {"poplatek", TTvar::Cislo},  {"suma", TTvar::Cislo},
    {"poznamka", TTvar::Text},   {"faktura", TTvar::Text},    {"zaplacena", TTvar::Datum},
    {"smlouva", TTvar::Text},
};

std::string Hodnota(const TField& field, TTvar tvar) {
  switch (tvar) {
    case TTvar::Text: return TextSQL(field);
    case TTvar::Datum: return DatumSQLPole(field);
    case TTvar::Cislo: return CisloSQL(field);
  }
  return {};
}

}  // namespace

void PridejZapisZarnZada(const TDataSet& buffer, const std::string& identifik, std::vector<std::string>& lines) {
  lines.push_back("insert into zarnzada ");
  lines.push_back("(zadatel,ico,nazevpodni,kodpar,rok,obdobi,porizeno,");
  lines.push_back("partie,nomenkla,nazevosiva,druh,odruda,stupen,naz_dru,naz_odru,");
  lines.push_back("mnozstvi,poplatek,suma,poznamka,faktura,zaplacena,smlouva,identifik,mj)");
  lines.push_back(" values(");
  for (const TSloupec& sloupec : kSloupce) {
    lines.push_back(Hodnota(buffer.FieldByName(sloupec.name), sloupec.tvar) + ",");
  }
  lines.push_back(QuoteSql(identifik) + ",");
  lines.push_back(TextSQL(buffer.FieldByName("mj")) + ")");
  lines.push_back(";");
  lines.push_back("COMMIT;");
}

void PridejSmazani(const std::string& id, std::vector<std::string>& lines) {
  lines.push_back("BEGIN;");
  lines.push_back("delete from zarnzada where id = " + id);
  lines.push_back(";");
}

}  // namespace zarn

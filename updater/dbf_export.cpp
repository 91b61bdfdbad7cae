#include "updater/dbf_export.h"

#include <filesystem>
#include <initializer_list>
#include <vector>

#include "dbf/dbf_table/dbf_table.h"
#include "dbf/dbf_table/dbf_table_errors.h"
#include "dbf/dbf_table/ds_database.h"
#include "dbf/dbf_table/table_path.h"
#include "dbf/errors.h"
#include "dbf/memtable/mem_table.h"
#include "dbf/shared_file.h"
#include "dbf/table_api.h"
#include "services/kopiruj_zaznam.h"
#include "services/routines.h"

namespace zarn {

namespace fs = std::filesystem;

namespace {

// The new file's name while it is written: the table's own with a leading
// "~", in the same folder so that the final rename stays on one disk.
std::string NazevRozpracovane(const std::string& tabulka) { return "~" + tabulka; }

const char* const kPriponyMemo[] = {".dbt", ".fpt"};

fs::path SMemoPriponou(fs::path dbf, const char* pripona) { return dbf.replace_extension(pripona); }

void SmazRozpracovanou(const fs::path& dbf) {
  std::error_code ignored;
  fs::remove(dbf, ignored);
  for (const char* pripona : kPriponyMemo) fs::remove(SMemoPriponou(dbf, pripona), ignored);
}

// Moves the finished file (and its memo) over the old one. An old memo that
// the new table has no use for goes with the old file.
void NahradSoubor(const fs::path& nova, const fs::path& stara) {
  for (const char* pripona : kPriponyMemo) {
    const fs::path nove_memo = SMemoPriponou(nova, pripona);
    const fs::path stare_memo = SMemoPriponou(stara, pripona);
    if (fs::exists(nove_memo)) {
      fs::rename(nove_memo, stare_memo);
    } else {
      fs::remove(stare_memo);
    }
  }
  fs::rename(nova, stara);
}

// Memo fields of the DBF dataset do not store what is written to them, so
// their texts go in through the table handle once the rows are there: row i
// of `zdroj` is record i + 1 of the new file.
void ZapisMemo(TDsDbfTable& dbf, TDataSet& zdroj, const std::vector<int>& memo_pole) {
  TDbfHandle* handle = dbf.Handle();
  std::vector<char> obraz(handle->GetRecordSize());
  int32_t zaznam = 0;
  for (zdroj.First(); !zdroj.Eof(); zdroj.Next()) {
    ++zaznam;
    CheckDbfCode(SetPosition(handle, zaznam));
    CheckDbfCode(ReadCurrent(handle, obraz.data(), nullptr));
    for (int index : memo_pole) {
      const std::string text = zdroj.Fields()[index].AsString();
      if (text.empty()) continue;
      CheckDbfCode(WriteBlob(handle, obraz.data(), index + 1, 0, text.data(), static_cast<uint32_t>(text.size())));
    }
    CheckDbfCode(UpdateRecord(handle, obraz.data()));
  }
}

// The indices of the fields of `tabulka` whose type is one of `typy`.
std::vector<int> PoleTypu(const TDataSet& tabulka, std::initializer_list<TFieldType> typy) {
  std::vector<int> pole;
  for (int i = 0; i < tabulka.FieldCount(); ++i) {
    for (TFieldType typ : typy) {
      if (tabulka.Fields()[i].DataType() == typ) pole.push_back(i);
    }
  }
  return pole;
}

}  // namespace

void DefiniceNoveDbf(const TFieldDefs& pametova, TFieldDefs& dbf) {
  dbf.Assign(pametova);
  for (int i = 0; i < dbf.Count(); ++i) {
    TFieldDef& definice = dbf[i];
    if (definice.DataType() == ftString && definice.Size() > kNejdelsiZnakovePole) {
      definice.SetDataType(ftMemo);
      definice.SetSize(0);
    }
  }
}

void KopirujDoNoveDbf(TDataSet& dotaz, TDsDatabase& slozka, const std::string& tabulka,
                      const TPrubehKopie& prubeh) {
  VytvorSlozku(slozka.DatabaseName());
  TDsMemTable pametova;
  pametova.CopyFromDataSet(dotaz, 0, cmReplace);
  if (!pametova.Active()) pametova.Open();

  const fs::path cil = TablePath(slozka.DatabaseName(), tabulka);
  // Held for the whole copy: another program that has the table open makes
  // this fail before anything is written, and cannot open it until we end.
  SharedFile stara;
  if (fs::exists(cil) && !stara.Open(cil.string(), FileAccess::kRead, FileShare::kExclusive)) {
    CheckDbfCode(kDbfCannotOpen);
  }

  TDsDbfTable dbf;
  dbf.SetDatabase(&slozka);
  dbf.SetTableName(NazevRozpracovane(tabulka));
  dbf.SetCodePage(ascii_ANSI);
  dbf.SetExclusive(true);
  const fs::path rozpracovana = dbf.TablePathName();
  try {
    DefiniceNoveDbf(pametova.FieldDefs(), dbf.FieldDefs());
    dbf.CreateTable();
    dbf.Open();
    const int celkem = pametova.RecordCount();
    int hotovo = 0;
    for (pametova.First(); !pametova.Eof(); pametova.Next()) {
      dbf.Append();
      KopirujZaznam(pametova, dbf, /*by_name=*/false);
      dbf.Post();
      if (prubeh) prubeh(++hotovo, celkem);
    }
    const std::vector<int> memo_pole = PoleTypu(dbf, {ftMemo, ftBlob});
    if (!memo_pole.empty()) ZapisMemo(dbf, pametova, memo_pole);
    dbf.Close();
    NahradSoubor(rozpracovana, cil);
  } catch (...) {
    dbf.Close();
    SmazRozpracovanou(rozpracovana);
    throw;
  }
}

}  // namespace zarn

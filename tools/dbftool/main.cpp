// dbftool: inspects, prints, filters, creates and fills DBF tables through
// the engine, for people who look after the data files.
//
//   dbftool info FILE
//   dbftool cat FILE [--filter EXPR] [--case-insensitive] [--no-partial-compare]
//                    [--deleted] [--codepage NAME] [--sort FIELDS [--desc]]
//   dbftool eval FILE EXPR [--case-insensitive] [--no-partial-compare]
//   dbftool create FILE [--level 3|4|5|7] [--codepage NAME] NAME:TYPE[:SIZE[:PRECISION]] ...
//   dbftool append FILE [--codepage NAME] < CSV
//   dbftool copy SOURCE DESTINATION [--codepage NAME]
//
// cat --sort and copy go the way the programs go: through the DBF dataset
// and a memory table, so they show what the register and the updater see.
//
// Exit codes: 0 success, 1 engine error (its message on stderr), 2 usage.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "dbf/dbf_table/dbf_table.h"
#include "dbf/dbf_table/ds_database.h"
#include "dbf/errors.h"
#include "dbf/expr/db_parser.h"
#include "dbf/memtable/mem_table.h"
#include "dbf/table_api.h"
#include "platform/win1250.h"
#include "tools/dbftool/csv.h"
#include "tools/dbftool/value_text.h"

namespace zarn::dbftool {
namespace {

constexpr int kExitOk = 0;
constexpr int kExitEngine = 1;
constexpr int kExitUsage = 2;

constexpr const char* kUsage =
    "použití:\n"
    "  dbftool info SOUBOR\n"
    "  dbftool cat SOUBOR [--filter VÝRAZ] [--case-insensitive] [--no-partial-compare] [--deleted]"
    " [--codepage JMÉNO]\n"
    "              [--sort POLE;POLE... [--desc]]\n"
    "  dbftool eval SOUBOR VÝRAZ [--case-insensitive] [--no-partial-compare]\n"
    "  dbftool create SOUBOR [--level 3|4|5|7] [--codepage JMÉNO] JMÉNO:TYP[:DÉLKA[:PŘESNOST]] ...\n"
    "  dbftool append SOUBOR [--codepage JMÉNO] < CSV\n"
    "  dbftool copy ZDROJ CÍL [--codepage JMÉNO]\n";

struct UsageError {
  std::string message;
};

// Command-line words after the command: positional words and options.
struct Arguments {
  std::vector<std::string> words;
  std::map<std::string, std::string> options;  // option -> value ("" for flags)

  bool Has(const std::string& option) const { return options.count(option) != 0; }
  uint8_t FilterBits() const {
    return static_cast<uint8_t>((Has("--case-insensitive") ? 1 : 0) | (Has("--no-partial-compare") ? 2 : 0));
  }
};

Arguments ParseArguments(int argc, char** argv, int first, const std::vector<std::string>& flags,
                         const std::vector<std::string>& valued) {
  Arguments args;
  for (int i = first; i < argc; ++i) {
    std::string word = argv[i];
    auto is = [&](const std::vector<std::string>& list) {
      for (const std::string& o : list)
        if (o == word) return true;
      return false;
    };
    if (is(flags)) {
      args.options[word] = "";
    } else if (is(valued)) {
      if (i + 1 >= argc) throw UsageError{"chybí hodnota volby " + word};
      args.options[word] = argv[++i];
    } else if (word.size() > 2 && word.compare(0, 2, "--") == 0) {
      throw UsageError{"neznámá volba " + word};
    } else {
      args.words.push_back(word);
    }
  }
  return args;
}

TDbfOpenOptions OpenOptions(const Arguments& args) {
  TDbfOpenOptions options;
  if (args.Has("--codepage")) {
    std::optional<CP_TYPE> cp = CodePageFromName(args.options.at("--codepage"));
    if (!cp) throw UsageError{"neznámá kódová stránka " + args.options.at("--codepage")};
    options.code_page = *cp;
  }
  return options;
}

// Binds table to the file at path: the file's folder becomes the data folder
// and its name the table name. The dataset layer always adds ".dbf", so any
// other extension would silently name a different file.
void BindTable(const std::string& path, const Arguments& args, TDsDatabase* folder, TDsDbfTable* table) {
  const std::filesystem::path file(path);
  if (file.extension() != ".dbf") throw UsageError{"soubor " + path + " nemá příponu .dbf"};
  folder->SetDatabaseName(file.has_parent_path() ? file.parent_path().string() : ".");
  table->SetDatabase(folder);
  table->SetTableName(file.filename().string());
  table->SetCodePage(OpenOptions(args).code_page);
}

int EngineError(int code) {
  std::cerr << DbfErrorMessage(code) << '\n';
  return kExitEngine;
}

int Info(const Arguments& args) {
  if (args.words.size() != 1) throw UsageError{"info potřebuje právě jeden soubor"};
  TDbfHandlePtr h;
  int code = OpenTable(args.words[0], true, false, nullptr, &h);
  if (code != kDbfOk) return EngineError(code);
  TDbfHeader* header = h->Header();
  char version[8], driver[8];
  std::snprintf(version, sizeof version, "0x%02X", header->Version());
  std::snprintf(driver, sizeof driver, "0x%02X", header->LanguageDriver());
  std::cout << "format\t" << header->Format() << "\nversion\t" << version << "\nlanguage_driver\t" << driver
            << "\ncodepage\t" << CodePageName(h->CodePage()) << "\nrecords\t" << header->GetRecordCount()
            << "\nheader_length\t" << header->GetHeaderLength() << "\nrecord_length\t" << header->GetRecordLength()
            << '\n';
  for (const auto& field : header->Fields())
    std::cout << "field\t" << Win1250ToUtf8(field->GetName()) << '\t' << field->GetTypeLetter() << '\t'
              << field->GetLength() << '\t' << field->GetDecimals() << '\n';
  return kExitOk;
}

// cat --sort: the rows the dataset shows, copied into a memory table and
// sorted there. --case-insensitive applies to the sort as well as the filter.
int SortedCat(const Arguments& args) {
  TDsDatabase folder;
  TDsDbfTable table;
  BindTable(args.words[0], args, &folder, &table);
  table.SetReadOnly(true);
  table.SetShowDeleted(args.Has("--deleted"));
  if (args.Has("--filter")) {
    table.SetFilterText(Utf8ToWin1250(args.options.at("--filter")));
    table.SetFilterOptions(TFilterOptions::FromBits(args.FilterBits()));
    table.SetFiltered(true);
  }
  TDsMemTable rows;
  rows.CopyFromDataSet(table, 0, cmReplace);
  if (!rows.Active()) rows.Open();
  rows.SortByFields(Utf8ToWin1250(args.options.at("--sort")), args.Has("--case-insensitive"), args.Has("--desc"));

  std::vector<std::string> cells;
  for (const auto& field : rows.Fields()) cells.push_back(Win1250ToUtf8(field->FieldName()));
  WriteCsvRow(std::cout, cells);
  for (rows.First(); !rows.Eof(); rows.Next()) {
    cells.clear();
    for (const auto& field : rows.Fields()) cells.push_back(DatasetFieldText(*field));
    WriteCsvRow(std::cout, cells);
  }
  return kExitOk;
}

int Cat(const Arguments& args) {
  if (args.words.size() != 1) throw UsageError{"cat potřebuje právě jeden soubor"};
  if (args.Has("--sort")) return SortedCat(args);
  if (args.Has("--desc")) throw UsageError{"--desc patří k --sort"};
  TDbfOpenOptions options = OpenOptions(args);
  options.show_deleted = args.Has("--deleted");
  TDbfHandlePtr h;
  int code = OpenTable(args.words[0], true, false, &options, &h);
  if (code != kDbfOk) return EngineError(code);
  if (args.Has("--filter")) {
    code = SetFilter(h.get(), Utf8ToWin1250(args.options.at("--filter")), args.FilterBits());
    if (code == kDbfInvalidExpression) {
      std::cerr << "Invalid filter expression.\n";
      return kExitEngine;
    }
  }
  std::vector<std::string> cells;
  for (const auto& field : h->Header()->Fields()) cells.push_back(Win1250ToUtf8(field->GetName()));
  WriteCsvRow(std::cout, cells);
  MoveFirst(h.get());
  while ((code = ReadNext(h.get(), nullptr, nullptr)) == kDbfOk) {
    cells.clear();
    for (const auto& field : h->Header()->Fields()) {
      cells.emplace_back();
      int field_code = FieldText(h.get(), *field, &cells.back());
      if (field_code != kDbfOk) return EngineError(field_code);
    }
    WriteCsvRow(std::cout, cells);
  }
  return code == kDbfEndOfFile ? kExitOk : EngineError(code);
}

int Eval(const Arguments& args) {
  if (args.words.size() != 2) throw UsageError{"eval potřebuje soubor a výraz"};
  TDbfHandlePtr h;
  int code = OpenTable(args.words[0], true, false, nullptr, &h);
  if (code != kDbfOk) return EngineError(code);
  TDsDbParser parser(h.get());
  parser.SetExpression(Utf8ToWin1250(args.words[1]));
  parser.SetOptions(TFilterOptions::FromBits(args.FilterBits()));
  MoveFirst(h.get());
  while ((code = ReadNext(h.get(), nullptr, nullptr)) == kDbfOk) {
    try {
      std::cout << ExprValueLine(parser.Evaluate()) << '\n';
    } catch (const std::exception& e) {
      std::cout << "error\t" << e.what() << '\n';
    }
  }
  return code == kDbfEndOfFile ? kExitOk : EngineError(code);
}

// Dataset types a new table may hold, as the DBF dataset accepts them.
bool IsCreatableType(TFieldType type) {
  return (type >= ftString && type <= ftDateTime) || (type >= ftAutoInc && type <= ftFmtMemo) ||
         type == ftDBaseOle || type == ftTypedBinary || type == ftWideString;
}

int Create(const Arguments& args) {
  if (args.words.size() < 2) throw UsageError{"create potřebuje soubor a aspoň jedno pole"};
  TDbfOpenOptions options = OpenOptions(args);
  options.create = true;
  if (args.Has("--level")) {
    const std::string& level = args.options.at("--level");
    if (level != "3" && level != "4" && level != "5" && level != "7") throw UsageError{"úroveň musí být 3, 4, 5 nebo 7"};
    options.table_level = static_cast<int16_t>(std::stoi(level));
  }
  struct Definition {
    std::string name;
    TFieldType type;
    int size = 0, precision = 0;
  };
  std::vector<Definition> definitions;
  for (size_t i = 1; i < args.words.size(); ++i) {
    std::vector<std::string> parts;
    size_t start = 0, colon;
    const std::string& word = args.words[i];
    while ((colon = word.find(':', start)) != std::string::npos) {
      parts.push_back(word.substr(start, colon - start));
      start = colon + 1;
    }
    parts.push_back(word.substr(start));
    if (parts.size() < 2 || parts.size() > 4 || parts[0].empty()) throw UsageError{"neplatná definice pole " + word};
    Definition d{Utf8ToWin1250(parts[0]), FieldTypeFromName(parts[1].c_str())};
    if (d.type == ftUnknown) throw UsageError{"neznámý typ pole " + parts[1]};
    try {
      if (parts.size() > 2) d.size = std::stoi(parts[2]);
      if (parts.size() > 3) d.precision = std::stoi(parts[3]);
    } catch (const std::exception&) {
      throw UsageError{"neplatná délka nebo přesnost v " + word};
    }
    if (!IsCreatableType(d.type)) return EngineError(kDbfInvalidFieldType);
    definitions.push_back(d);
  }
  TDbfHandle handle(args.words[0], false, true, &options);
  for (const Definition& d : definitions) handle.DefineField(d.name, d.type, d.size, d.precision, false);
  int code = handle.WriteNewTable();
  return code == kDbfOk ? kExitOk : EngineError(code);
}

int Append(const Arguments& args) {
  if (args.words.size() != 1) throw UsageError{"append potřebuje právě jeden soubor"};
  TDbfOpenOptions options = OpenOptions(args);
  TDbfHandlePtr h;
  int code = OpenTable(args.words[0], false, false, &options, &h);
  if (code != kDbfOk) return EngineError(code);
  std::vector<std::string> names;
  if (!ReadCsvRow(std::cin, &names)) return kExitOk;
  std::vector<const TDbfField*> columns;
  for (const std::string& name : names) {
    const TDbfField* field = h->Header()->FieldByName(Utf8ToWin1250(name));
    if (field == nullptr) {
      std::cerr << "Tabulka nemá pole " << name << '\n';
      return kExitEngine;
    }
    columns.push_back(field);
  }
  std::vector<char> record(static_cast<size_t>(h->GetRecordSize()));
  std::vector<std::string> cells;
  for (int row = 2; ReadCsvRow(std::cin, &cells); ++row) {
    if (cells.size() == 1 && cells[0].empty()) continue;  // blank line
    if (cells.size() != columns.size()) {
      std::cerr << "Řádek " << row << ": " << cells.size() << " hodnot místo " << columns.size() << '\n';
      return kExitEngine;
    }
    InitRecord(h.get(), record.data());
    for (size_t i = 0; i < cells.size(); ++i) {
      std::string error;
      if (!StoreFieldText(h.get(), *columns[i], cells[i], record.data(), &error)) {
        std::cerr << "Řádek " << row << ": " << error << '\n';
        return kExitEngine;
      }
    }
    code = AppendRecord(h.get(), record.data());
    if (code != kDbfOk) return EngineError(code);
  }
  code = CloseTable(&h);
  return code == kDbfOk ? kExitOk : EngineError(code);
}

// The updater's way of writing a table: the source rows into a memory table,
// a new table created from the memory table's field definitions, the rows
// copied out into it.
int Copy(const Arguments& args) {
  if (args.words.size() != 2) throw UsageError{"copy potřebuje zdrojový a cílový soubor"};
  TDsDatabase source_folder, destination_folder;
  TDsDbfTable source, destination;
  BindTable(args.words[0], args, &source_folder, &source);
  BindTable(args.words[1], args, &destination_folder, &destination);
  source.SetReadOnly(true);
  destination.SetExclusive(true);

  TDsMemTable rows;
  rows.CopyFromDataSet(source, 0, cmReplace);
  if (!rows.Active()) rows.Open();
  destination.FieldDefs().Assign(rows.FieldDefs());
  destination.CreateTable();
  rows.CopyToDataSet(destination, 0);
  destination.Close();
  return kExitOk;
}

int Run(int argc, char** argv) {
  if (argc < 2) throw UsageError{"chybí příkaz"};
  const std::string command = argv[1];
  const std::vector<std::string> filter_flags = {"--case-insensitive", "--no-partial-compare"};
  if (command == "info") return Info(ParseArguments(argc, argv, 2, {}, {}));
  if (command == "cat")
    return Cat(ParseArguments(argc, argv, 2, {"--case-insensitive", "--no-partial-compare", "--deleted", "--desc"},
                              {"--filter", "--codepage", "--sort"}));
  if (command == "eval") return Eval(ParseArguments(argc, argv, 2, filter_flags, {}));
  if (command == "create") return Create(ParseArguments(argc, argv, 2, {}, {"--level", "--codepage"}));
  if (command == "append") return Append(ParseArguments(argc, argv, 2, {}, {"--codepage"}));
  if (command == "copy") return Copy(ParseArguments(argc, argv, 2, {}, {"--codepage"}));
  throw UsageError{"neznámý příkaz " + command};
}

}  // namespace
}  // namespace zarn::dbftool

int main(int argc, char** argv) {
  try {
    return zarn::dbftool::Run(argc, argv);
  } catch (const zarn::dbftool::UsageError& e) {
    std::cerr << "dbftool: " << e.message << '\n' << zarn::dbftool::kUsage;
    return zarn::dbftool::kExitUsage;
  } catch (const std::exception& e) {
    // The dataset layer raises the engine's messages (Windows-1250 text).
    std::cerr << zarn::Win1250ToUtf8(e.what()) << '\n';
    return zarn::dbftool::kExitEngine;
  }
}

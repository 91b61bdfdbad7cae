// The copy of a server result into a new local DBF file: the rows go through
// a memory table, the file's fields follow the result's columns, and the new
// file takes the place of the old one only once it is complete.
#pragma once

#include <functional>
#include <string>

namespace zarn {

class TDataSet;
class TDsDatabase;
class TFieldDefs;

// Called after each row written: rows written so far, rows in all.
using TPrubehKopie = std::function<void(int hotovo, int celkem)>;

// The longest text a DBF character field holds.
inline constexpr int kNejdelsiZnakovePole = 254;

// The definitions of the new file from those of the memory table: the same
// fields in the same order, except that a text longer than a character field
// can hold becomes a memo, so that no text is cut.
void DefiniceNoveDbf(const TFieldDefs& pametova, TFieldDefs& dbf);

// Loads every row of the open `dotaz` into a memory table (its structure
// included) and writes them into a new "<tabulka>.dbf" of `slozka`
// (code page ascii_ANSI, so the Windows-1250 bytes are stored as they come).
// The rows go by position, so a column whose name the file cuts to
// 10 characters keeps its values.
//
// The file is written under a scratch name beside the old one and replaces
// it only when complete, while the old file is held exclusively; so a file
// that another program holds, or a copy that fails part-way, raises the
// error and leaves the old file (and its memo) as it was.
void KopirujDoNoveDbf(TDataSet& dotaz, TDsDatabase& slozka, const std::string& tabulka,
                      const TPrubehKopie& prubeh);

}  // namespace zarn

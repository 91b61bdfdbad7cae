// The statements that save and delete one licence-fee record. A save is one
// insert of the whole record (an edit deletes the old row first, so the edited
// record comes back under a new id); the lines are handed to the script runner,
// which sends them statement by statement.
#pragma once

#include <string>
#include <vector>

#include "platform/datetime.h"

namespace zarn {

class TDataSet;
class TField;

// The field's text in single quotes, made safe by QuoteSql.
std::string TextSQL(const TField& field);
// The field's date as DatumSQL writes it, in single quotes; an empty date
// gives '1899-12-30'.
std::string DatumSQLPole(const TField& field);
// "0" followed by the field's text with every ',' made '.': 12,5 gives 012.5,
// an empty value 0, and -3,5 gives 0-3.5, which the server reads as -3.5.
// The leading zero keeps an empty field a valid number.
std::string CisloSQL(const TField& field);

// The identifier written with every save: the workstation number twice, then
// the moment as "yymmddhhnnss" (16 characters for a two-character number).
std::string Identifikator(const std::string& cislo_pc, TDateTime moment);

// Appends to `lines` the insert of the record in `buffer` with `identifik`,
// and "COMMIT;".
void PridejZapisZarnZada(const TDataSet& buffer, const std::string& identifik, std::vector<std::string>& lines);
// Appends "BEGIN;" and the delete of the row whose id is `id` (the buffer's
// id as text).
void PridejSmazani(const std::string& id, std::vector<std::string>& lines);

}  // namespace zarn

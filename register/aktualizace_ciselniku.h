// The code-list refresh behind "aktualizovat": the updater zembu rewrites the
// local code lists, then the server sums the crop-field applications of
// `epri` per year, applicant and nomenclature, in a temporary table of the
// session, into the three PRIH_ columns of every matching licence-fee record.
#pragma once

#include <string>
#include <vector>

namespace zarn {

class TServerQuery;

// The updater's command line: the program beside the register, no arguments
// ("zembu.exe" on Windows, "zembu" elsewhere).
std::string PrikazAktualizace();

// The four statements of the aggregation, in their order.
const std::vector<std::string>& PrikazyPrihlasek();

// Starts the updater and waits for it to end (when it cannot be started the
// refresh goes on at once), then runs the four statements through the work
// query, each as: set the text, execute, close, clear. A refused statement
// raises the server's error and the statements after it are not run.
void AktualizujCiselniky(TServerQuery& work);

// Only the four statements, as above.
void PrepocitejPrihlasky(TServerQuery& work);

}  // namespace zarn

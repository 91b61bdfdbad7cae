// The hand-over to the seed-trading program tarvol: its own DBF files are
// refilled in its code page (Kamenický) and keep the structure that tarvol
// gave them; at the end of a hand-over run tarvol rebuilds its indexes.
#pragma once

#include <string>

namespace zarn {

struct TAktualizace;

// Refills "<tabulka>.dbf" of the DBF folder from the server table: every
// column but id (for adresar also without lic_vnitro), text fields converted
// by DoKamenickeho, the file emptied and the rows appended with their fields
// matched by name; columns the file lacks are dropped, fields the server
// lacks stay empty. Nothing is caught: a server error, a missing or locked
// file reaches the caller. Shows ZpravaDokonceno in interactive runs.
void DoTarvol(TAktualizace& a, const std::string& tabulka);

// The seed-trading program's name in its folder.
#ifdef _WIN32
inline constexpr char kProgramTarvol[] = "tarvol.exe";
#else
inline constexpr char kProgramTarvol[] = "tarvol";
#endif

// Starts the seed-trading program with the argument "index" in the folder
// `slozka` (made the working folder meanwhile) and waits until it ends; the
// working folder is the same afterwards. A folder that cannot be entered or a
// program that does not start is not reported: the hand-over itself is done.
void SpustTarvol(const std::string& slozka);

}  // namespace zarn

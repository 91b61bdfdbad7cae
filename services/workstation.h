// Facts about the workstation and the running program build, read from the
// operating system. Each returns the fixed fallback text or value when the
// system cannot tell; none of them raises.
#pragma once

#include <string>

#include "platform/datetime.h"

namespace zarn {

// IPv4 address of this computer's host name, dotted decimal without leading
// zeros; "255.255.255.255" when the name does not resolve to an IPv4 address.
std::string LokalniIP();

// Logon name of the current user, at most 62 characters; "(Unknown)" when it
// cannot be read or is longer.
std::string JmenoUzivatele();

// Computer name, at most 15 characters; "(Unknown)" when it cannot be read or
// is longer.
std::string JmenoPocitace();

// Last-write time (local time) of the first entry that a directory search for
// path finds (path may hold the wildcards * and ?); 0 when none is found.
TDateTime DatumSouboru(const std::string& path);

// The fixed file version stamped into a program of this project at build
// time, as "a.b.c.d"; "-1.0.0.0" for a file without one. Blanks around path
// are trimmed; an empty path means the running program.
std::string VerzeSouboru(const std::string& path);

// Full path of the running program's file.
std::string RunningProgramPath();

}  // namespace zarn

// The messages that the data folder and the DBF table raise themselves, and
// the one place where an engine code becomes an exception.
#pragma once

namespace zarn {

inline constexpr char kSMissingDatabase[] = "Missing Database property";
inline constexpr char kSMissingTableName[] = "Missing TableName property";
inline constexpr char kSDatabaseNameMissing[] = "Database name missing";
inline constexpr char kSNoCursorHandle[] = "Error creating cursor handle";

// Raises EDatabaseError with the engine's message of code; does nothing for
// code 0.
void CheckDbfCode(int code);

}  // namespace zarn

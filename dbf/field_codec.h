// The stored forms of the DBF type letters: how the bytes of one field in a
// record image become a value for the dataset and back. The functions work on
// a field's bytes alone; the descriptor (letter, length, decimals) and the
// code page tables are resolved once per table by the caller.
#pragma once

#include <cstdint>
#include <string>

#include "platform/datetime.h"
#include "platform/field_type.h"

namespace zarn {

// Value kinds handed to and taken from the dataset, by letter:
//   C          zero-terminated text, at most field length characters
//   N F O      double
//   D          int32 day number, 1 meaning 1 January of year 1
//   L          int16, -1 true and 0 false
//   M B P      int32 memo block number
//   I +        int32
//   @          double TDateTime
//   others     the field's bytes unchanged
enum class FieldRule : uint8_t { kText, kNumber, kDouble, kDate, kLogical, kBlock, kInteger, kDateTime, kRaw };

FieldRule RuleOfLetter(char letter);
// The dataset field type of a type letter (ftUnknown for letters the engine
// does not know).
TFieldType DataTypeOfLetter(char letter);

// Day number of 30 December 1899, day 0 of TDateTime.
constexpr int32_t kDayNumberOfDateZero = 693594;

inline TDateTime DayNumberToDateTime(int32_t day_number) {
  return static_cast<TDateTime>(day_number - kDayNumberOfDateZero);
}
inline int32_t DateTimeToDayNumber(TDateTime value) {
  return static_cast<int32_t>(value) + kDayNumberOfDateZero;
}

// Bytes of one stored field.
struct FieldBytes {
  const char* data;
  int length;
};

// True when every byte of the field is a space: the general null rule.
bool AllSpaces(FieldBytes field);

// Decodes a field into *value (nothing is written when value is null) by the
// rule of its letter. read_table translates text bytes (null: identity).
// Returns false when the field is null. A value buffer must hold the kind's
// size, and length + 1 bytes for text and length bytes for raw fields.
bool DecodeField(FieldRule rule, FieldBytes field, const uint8_t* read_table, void* value);

// The decoder DecodeField uses for a rule, for callers that decode the same
// field in every record and look it up once.
using FieldDecoder = bool (*)(FieldBytes field, const uint8_t* read_table, void* value);
FieldDecoder DecoderOfRule(FieldRule rule);

// Encodes *value into the field (fills it first with spaces); a null value
// stores the null form of the letter. write_table translates text bytes
// (null: identity). Text longer than the field is cut to the field length.
void EncodeField(FieldRule rule, char* field, int length, int decimals, const uint8_t* write_table,
                 const void* value);

// Number text of N and F fields: leading spaces, an optional "-", digits with
// "." as the decimal point, an optional exponent. Trailing spaces are allowed.
// Returns false (and 0) when the text does not parse completely.
bool ParseNumberText(FieldBytes text, double* value);

// Writes value right-aligned in width characters with exactly decimals digits
// after the point, rounded half away from zero. A number that does not fit
// gives up decimals first; when even the integer part does not fit the field
// is filled with "*", as dBASE does, rather than storing a cut number that
// would read back as a different value.
void FormatNumberText(double value, int width, int decimals, char* out);

}  // namespace zarn

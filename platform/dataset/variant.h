// Variant: the generic value that passes between fields and datasets (copying
// records by name, Locate keys, the grid's row values). It is empty
// (unassigned), null, a boolean, a 32- or 64-bit integer, a double, a date-time,
// a Windows-1250 text, raw bytes, or an array of variants. Conversions follow
// the classic platform: true is -1 as a number, doubles round half to even
// into integers, texts are read in the workstation's format, null converts
// only to text (as "").
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "platform/datetime.h"

namespace zarn {

enum class VarType { Empty, Null, Boolean, Integer, Int64, Double, Date, String, Bytes, Array };

class Variant {
 public:
  Variant() = default;  // empty
  Variant(bool value) : value_(value) {}
  Variant(int32_t value) : value_(value) {}
  Variant(int64_t value) : value_(value) {}
  Variant(double value) : value_(value) {}
  Variant(std::string text) : value_(std::move(text)) {}
  Variant(const char* text) : value_(std::string(text)) {}

  static Variant Null();
  static Variant FromDate(TDateTime value);
  static Variant FromBytes(std::string bytes);
  static Variant Array(std::vector<Variant> elements);

  VarType Type() const { return static_cast<VarType>(value_.index()); }
  bool IsEmpty() const { return Type() == VarType::Empty; }
  bool IsNull() const { return Type() == VarType::Null; }
  // Null or empty: no value at all.
  bool IsClear() const { return IsEmpty() || IsNull(); }
  bool IsArray() const { return Type() == VarType::Array; }
  bool IsNumeric() const;  // boolean, integers, double, date

  // Each conversion raises EVariantError when the value has no such reading.
  bool ToBool() const;
  int32_t ToInt() const;
  int64_t ToInt64() const;
  double ToDouble() const;
  TDateTime ToDateTime() const;
  // Null and empty give ""; doubles by FloatToStr, dates by DateTimeToStr,
  // booleans "True"/"False".
  std::string ToString() const;

  // The elements of an array (empty for any other value).
  const std::vector<Variant>& Elements() const;

  // Equality as the classic variants compare: null equals null, numbers by
  // value across integer, double and date, a text against a number by its
  // numeric reading, texts byte by byte.
  friend bool operator==(const Variant& a, const Variant& b);

  // Name of the type as conversion errors show it ("String", "Integer" …).
  static const char* TypeName(VarType type);

 private:
  struct NullTag {
    bool operator==(const NullTag&) const = default;
  };
  struct DateValue {
    TDateTime value;
  };
  struct BytesValue {
    std::string bytes;
  };
  struct ArrayValue {
    std::vector<Variant> elements;
  };

  [[noreturn]] void CastError(VarType target) const;

  std::variant<std::monostate, NullTag, bool, int32_t, int64_t, double, DateValue, std::string, BytesValue,
               ArrayValue>
      value_;
};

}  // namespace zarn

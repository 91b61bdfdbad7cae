#include "platform/dataset/variant.h"

#include <cctype>
#include <cmath>
#include <string_view>
#include <limits>

#include "platform/dataset/db_consts.h"
#include "platform/dataset/errors.h"
#include "platform/dataset/number_text.h"

namespace zarn {
namespace {

// Classic rounding of a double into an integer: half to even.
double RoundHalfEven(double value) { return std::nearbyint(value); }

bool IEquals(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

}  // namespace

Variant Variant::Null() {
  Variant v;
  v.value_ = NullTag{};
  return v;
}

Variant Variant::FromDate(TDateTime value) {
  Variant v;
  v.value_ = DateValue{value};
  return v;
}

Variant Variant::FromBytes(std::string bytes) {
  Variant v;
  v.value_ = BytesValue{std::move(bytes)};
  return v;
}

Variant Variant::Array(std::vector<Variant> elements) {
  Variant v;
  v.value_ = ArrayValue{std::move(elements)};
  return v;
}

const char* Variant::TypeName(VarType type) {
  static const char* const kNames[] = {"Empty", "Null",   "Boolean", "Integer", "Int64",
                                       "Double", "Date", "String",  "Bytes",   "Array"};
  return kNames[static_cast<int>(type)];
}

void Variant::CastError(VarType target) const {
  throw EVariantError(FormatMessage(kSVarTypeCast, {TypeName(Type()), TypeName(target)}));
}

bool Variant::IsNumeric() const {
  switch (Type()) {
    case VarType::Boolean: case VarType::Integer: case VarType::Int64: case VarType::Double: case VarType::Date:
      return true;
    default:
      return false;
  }
}

double Variant::ToDouble() const {
  switch (Type()) {
    case VarType::Empty: return 0;
    case VarType::Boolean: return std::get<bool>(value_) ? -1 : 0;
    case VarType::Integer: return std::get<int32_t>(value_);
    case VarType::Int64: return static_cast<double>(std::get<int64_t>(value_));
    case VarType::Double: return std::get<double>(value_);
    case VarType::Date: return std::get<DateValue>(value_).value;
    case VarType::String:
      if (auto number = TryStrToFloat(std::get<std::string>(value_))) return *number;
      break;
    default: break;
  }
  CastError(VarType::Double);
}

int64_t Variant::ToInt64() const {
  switch (Type()) {
    case VarType::Integer: return std::get<int32_t>(value_);
    case VarType::Int64: return std::get<int64_t>(value_);
    case VarType::String:
      if (auto number = TryStrToInt64(std::get<std::string>(value_))) return *number;
      break;
    default: break;
  }
  const double rounded = RoundHalfEven(ToDouble());
  if (!(rounded >= -9.2233720368547758e18 && rounded < 9.2233720368547758e18)) throw EVariantError(kSVarOverflow);
  return static_cast<int64_t>(rounded);
}

int32_t Variant::ToInt() const {
  const int64_t value = ToInt64();
  if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
    throw EVariantError(kSVarOverflow);
  return static_cast<int32_t>(value);
}

TDateTime Variant::ToDateTime() const {
  if (Type() == VarType::String) {
    if (auto date = TryStrToDateTime(std::get<std::string>(value_))) return *date;
    if (auto time = TryStrToTime(std::get<std::string>(value_))) return *time;
    CastError(VarType::Date);
  }
  return ToDouble();
}

bool Variant::ToBool() const {
  if (Type() == VarType::Boolean) return std::get<bool>(value_);
  if (Type() == VarType::String) {
    const std::string& text = std::get<std::string>(value_);
    if (IEquals(text, "True")) return true;
    if (IEquals(text, "False")) return false;
  }
  return ToDouble() != 0;
}

namespace {

// A date-time as text the way variants convert it: a value with no date
// part is a time of day and reads as the time alone, not as a time on
// 30.12.1899.
std::string DateText(TDateTime value) {
  if (std::trunc(value) == 0 && value != 0) return TimeToStr(value);
  return DateTimeToStr(value);
}

}  // namespace

std::string Variant::ToString() const {
  switch (Type()) {
    case VarType::Empty: case VarType::Null: return "";
    case VarType::Boolean: return std::get<bool>(value_) ? "True" : "False";
    case VarType::Integer: return std::to_string(std::get<int32_t>(value_));
    case VarType::Int64: return std::to_string(std::get<int64_t>(value_));
    case VarType::Double: return FloatToStr(std::get<double>(value_));
    case VarType::Date: return DateText(std::get<DateValue>(value_).value);
    case VarType::String: return std::get<std::string>(value_);
    case VarType::Bytes: return std::get<BytesValue>(value_).bytes;
    case VarType::Array: break;
  }
  CastError(VarType::String);
}

const std::vector<Variant>& Variant::Elements() const {
  static const std::vector<Variant> kNone;
  return IsArray() ? std::get<ArrayValue>(value_).elements : kNone;
}

bool operator==(const Variant& a, const Variant& b) {
  const VarType ta = a.Type(), tb = b.Type();
  if (ta == VarType::Null || tb == VarType::Null) return ta == tb;
  if (ta == VarType::Empty || tb == VarType::Empty) return ta == tb;
  if (ta == VarType::Array || tb == VarType::Array) return ta == tb && a.Elements() == b.Elements();
  if (ta == VarType::String && tb == VarType::String) return a.ToString() == b.ToString();
  if (ta == VarType::Bytes || tb == VarType::Bytes) return ta == tb && a.ToString() == b.ToString();
  if ((ta == VarType::Integer || ta == VarType::Int64) && (tb == VarType::Integer || tb == VarType::Int64))
    return a.ToInt64() == b.ToInt64();
  try {
    if (ta == VarType::Boolean || tb == VarType::Boolean) return a.ToBool() == b.ToBool();
    return a.ToDouble() == b.ToDouble();
  } catch (const EVariantError&) {
    return false;  // a text that is not a number equals no number
  }
}

}  // namespace zarn

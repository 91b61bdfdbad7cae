#include "dbf/expr/db_parser.h"

#include <cstdint>
#include <cstring>

#include "dbf/field.h"
#include "dbf/handle.h"
#include "dbf/header.h"

namespace zarn {
namespace {

// Decodes a text field of the current record straight into the value's
// text, reusing its storage. Returns false when the field is null.
bool ReadText(const TDbfField& field, std::string* text) {
  text->resize(static_cast<std::size_t>(field.GetLength()) + 1);
  const bool has_value = field.GetData(nullptr, text->data());
  text->resize(has_value ? std::strlen(text->c_str()) : 0);
  return has_value;
}

// Decodes a field of a fixed-size value kind (number, day number, flag,
// integer, date-time) of the current record into *value. Returns false when
// the field is null; a field that is not null but holds no valid value
// (a date such as "2024x315") reads as the kind's zero.
bool ReadScalar(const TDbfField& field, TExprValue* value) {
  union {
    double number;
    std::int32_t integer;
    std::int16_t flag;
    unsigned char bytes[8];
  } decoded{};
  if (field.Rule() == FieldRule::kRaw) {
    // Currency and time fields keep their bytes; only the currency has a
    // defined number, which GetAsFloat reads.
    if (field.IsNull(nullptr)) return false;
    if (field.GetTypeLetter() == 'Y') {
      decoded.number = field.GetAsFloat(nullptr);
    } else if (field.GetLength() == static_cast<int>(sizeof decoded.number)) {
      field.GetData(nullptr, decoded.bytes);
    }
  } else if (!field.GetData(nullptr, &decoded)) {
    return false;
  }
  switch (field.Rule()) {
    case FieldRule::kDate:
      value->number = decoded.integer == 0 ? 0 : DayNumberToDateTime(decoded.integer);
      break;
    case FieldRule::kLogical: value->boolean = decoded.flag != 0; break;
    case FieldRule::kInteger:
    case FieldRule::kBlock: value->integer = decoded.integer; break;
    default: value->number = decoded.number; break;
  }
  return true;
}

void SetEmptyValue(TExprValue* value) {
  value->text.clear();
  value->integer = 0;
  value->number = 0;
  value->boolean = false;
}

}  // namespace

TDsDbParser::TDsDbParser(TDbfHandle* handle) : TDsExprParser(static_cast<TExprFieldSource&>(*this)), handle_(handle) {}

std::optional<TExprFieldRef> TDsDbParser::FindField(std::string_view name) const {
  const TDbfHeader* header = handle_->Header();
  const TDbfField* field = header != nullptr ? header->FieldByName(name) : nullptr;
  if (field == nullptr) return std::nullopt;
  return TExprFieldRef{field, field->FieldNo(), field->GetDataType()};
}

void TDsDbParser::ReadField(const TExprFieldRef& ref, bool null_test, TExprValue* value) {
  const TDbfField& field = *static_cast<const TDbfField*>(ref.field);
  const bool has_value = value->kind == ekText ? ReadText(field, &value->text) : ReadScalar(field, value);
  if (has_value) return;
  if (null_test) {
    value->kind = ekNull;
  } else {
    SetEmptyValue(value);
  }
}

}  // namespace zarn

#include "dbf/dbf_table/record_value.h"

#include <cstring>
#include <vector>

#include "dbf/errors.h"
#include "dbf/field_codec.h"
#include "dbf/table_api.h"

namespace zarn {
namespace {

// Room for any value kind but text and raw bytes, which need the field length.
union NumericValue {
  double number;
  int32_t integer;
  int16_t logical;
};

}  // namespace

bool ReadRecordValue(TDbfHandle* handle, int field_no, const char* image, Variant* value) {
  const TDbfField* field = handle->Header()->FieldByNumber(field_no);
  if (field == nullptr) return false;
  bool is_null = true;
  switch (field->Rule()) {
    case FieldRule::kText:
    case FieldRule::kRaw: {
      std::string bytes(static_cast<size_t>(field->GetDataSize()) + 1, '\0');
      GetFieldValue(handle, field_no, image, bytes.data(), &is_null);
      if (is_null) return false;
      if (field->Rule() == FieldRule::kText) {
        bytes.resize(std::strlen(bytes.c_str()));
        *value = Variant(std::move(bytes));
      } else {
        bytes.resize(static_cast<size_t>(field->GetDataSize()));
        *value = Variant::FromBytes(std::move(bytes));
      }
      return true;
    }
    case FieldRule::kBlock:
      return false;
    default:
      break;
  }
  NumericValue decoded{};
  GetFieldValue(handle, field_no, image, &decoded, &is_null);
  if (is_null) return false;
  switch (field->Rule()) {
    case FieldRule::kNumber: case FieldRule::kDouble: *value = Variant(decoded.number); break;
    case FieldRule::kDate: *value = Variant::FromDate(DayNumberToDateTime(decoded.integer)); break;
    case FieldRule::kDateTime: *value = Variant::FromDate(decoded.number); break;
    case FieldRule::kLogical: *value = Variant(decoded.logical != 0); break;
    default: *value = Variant(decoded.integer); break;
  }
  return true;
}

void WriteRecordValue(TDbfHandle* handle, int field_no, char* image, const Variant& value) {
  const TDbfField* field = handle->Header()->FieldByNumber(field_no);
  if (field == nullptr || field->Rule() == FieldRule::kBlock) return;
  if (value.IsClear()) {
    SetFieldValue(handle, field_no, image, nullptr);
    return;
  }
  NumericValue encoded{};
  switch (field->Rule()) {
    case FieldRule::kText: {
      const std::string text = value.ToString();
      SetFieldValue(handle, field_no, image, text.c_str());
      return;
    }
    case FieldRule::kRaw: {
      std::string bytes = value.ToString();
      bytes.resize(static_cast<size_t>(field->GetDataSize()), '\0');
      SetFieldValue(handle, field_no, image, bytes.data());
      return;
    }
    case FieldRule::kNumber: case FieldRule::kDouble: encoded.number = value.ToDouble(); break;
    case FieldRule::kDate: encoded.integer = DateTimeToDayNumber(value.ToDateTime()); break;
    case FieldRule::kDateTime: encoded.number = value.ToDateTime(); break;
    case FieldRule::kLogical: encoded.logical = value.ToBool() ? -1 : 0; break;
    default: encoded.integer = value.ToInt(); break;
  }
  SetFieldValue(handle, field_no, image, &encoded);
}

int ReadMemoText(TDbfHandle* handle, int field_no, const char* image, std::string* text) {
  uint32_t size = 0;
  int code = GetBlobSize(handle, image, field_no, &size);
  if (code != kDbfOk) return code;
  text->assign(size, '\0');
  uint32_t read = 0;
  code = size == 0 ? kDbfOk : ReadBlob(handle, image, field_no, 0, text->data(), size, &read);
  text->resize(read);
  return code == kDbfEndOfBlob ? kDbfOk : code;
}

}  // namespace zarn

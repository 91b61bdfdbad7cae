#include "platform/dataset/field.h"

#include <cmath>
#include <limits>

#include "platform/dataset/dataset.h"
#include "platform/dataset/db_consts.h"
#include "platform/dataset/errors.h"
#include "platform/dataset/number_text.h"

namespace zarn {

TFieldFamily FamilyOf(TFieldType type) {
  switch (type) {
    case ftString: case ftFixedChar: case ftWideString: case ftGuid: return TFieldFamily::Text;
    case ftSmallint: case ftInteger: case ftWord: case ftAutoInc: case ftLargeint: return TFieldFamily::Integer;
    case ftFloat: case ftCurrency: case ftBCD: case ftFMTBcd: return TFieldFamily::Float;
    case ftDate: return TFieldFamily::Date;
    case ftTime: return TFieldFamily::Time;
    case ftDateTime: case ftTimeStamp: return TFieldFamily::DateTime;
    case ftBoolean: return TFieldFamily::Boolean;
    case ftBytes: case ftVarBytes: return TFieldFamily::Bytes;
    default: return IsBlobType(type) ? TFieldFamily::Blob : TFieldFamily::Other;
  }
}

bool IsBlobType(TFieldType type) {
  return (type >= ftBlob && type <= ftTypedBinary) || type == ftOraBlob || type == ftOraClob;
}

TField::TField(TDataSet& dataset, std::string field_name, TFieldType type, int size, TFieldKind kind)
    : dataset_(dataset), field_name_(std::move(field_name)), data_type_(type), size_(size), kind_(kind) {}

int TField::Index() const { return dataset_.Fields().IndexOf(this); }

void TField::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  dataset_.DataEvent(deLayoutChange);
}

int TField::DisplayWidth() const {
  if (display_width_ > 0) return display_width_;
  return FamilyOf(data_type_) == TFieldFamily::Text && size_ > 0 ? size_ : 10;
}

bool TField::IsNumeric() const {
  const TFieldFamily family = FamilyOf(data_type_);
  return family == TFieldFamily::Integer || family == TFieldFamily::Float;
}

void TField::AccessError(const char* type_name) const {
  DatabaseErrorFmt(kSFieldAccessError, {DisplayName(), type_name});
}

void TField::CheckRange(double value, double min, double max) const {
  if (value < min || value > max)
    DatabaseErrorFmt(kSFieldRangeError, {FloatToStr(value), DisplayName(), FloatToStr(min), FloatToStr(max)});
}

// --- reading ---

std::string TField::BlobText() const {
  std::unique_ptr<TStream> stream = dataset_.CreateBlobStream(const_cast<TField&>(*this), bmRead);
  return stream ? stream->ReadRest() : std::string();
}

bool TField::IsNull() const {
  if (FamilyOf(data_type_) == TFieldFamily::Blob) return BlobText().empty();
  Variant value;
  return !dataset_.GetFieldData(*this, value);
}

Variant TField::AsVariant() const {
  if (FamilyOf(data_type_) == TFieldFamily::Blob) {
    std::string text = BlobText();
    if (text.empty()) return Variant::Null();
    return data_type_ == ftMemo || data_type_ == ftFmtMemo || data_type_ == ftOraClob ? Variant(std::move(text))
                                                                                     : Variant::FromBytes(std::move(text));
  }
  Variant value;
  return dataset_.GetFieldData(*this, value) ? value : Variant::Null();
}

std::string TField::AsString() const {
  if (FamilyOf(data_type_) == TFieldFamily::Blob) return BlobText();
  return TextOf(AsVariant(), false);
}

int64_t TField::AsLargeInt() const {
  const Variant value = AsVariant();
  if (value.IsClear()) return 0;
  switch (FamilyOf(data_type_)) {
    case TFieldFamily::Integer: case TFieldFamily::Float: return value.ToInt64();
    case TFieldFamily::Text:
      if (auto number = TryStrToInt64(value.ToString())) return *number;
      throw EConvertError(FormatMessage(kSInvalidInteger, {value.ToString()}));
    default: AccessError("Integer");
  }
}

int32_t TField::AsInteger() const {
  const int64_t value = AsLargeInt();
  if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
    throw EConvertError(FormatMessage(kSInvalidInteger, {std::to_string(value)}));
  return static_cast<int32_t>(value);
}

double TField::AsFloat() const {
  const Variant value = AsVariant();
  if (value.IsClear()) return 0;
  switch (FamilyOf(data_type_)) {
    case TFieldFamily::Integer: case TFieldFamily::Float: case TFieldFamily::Date: case TFieldFamily::Time:
    case TFieldFamily::DateTime:
      return value.ToDouble();
    case TFieldFamily::Text:
      if (auto number = TryStrToFloat(value.ToString())) return *number;
      throw EConvertError(FormatMessage(kSInvalidFloat, {value.ToString()}));
    default: AccessError("Float");
  }
}

TDateTime TField::AsDateTime() const {
  const Variant value = AsVariant();
  if (value.IsClear()) return 0;
  switch (FamilyOf(data_type_)) {
    case TFieldFamily::Date: case TFieldFamily::Time: case TFieldFamily::DateTime: return value.ToDouble();
    case TFieldFamily::Text: {
      const std::string text = value.ToString();
      if (auto date = TryStrToDateTime(text)) return *date;
      if (auto time = TryStrToTime(text)) return *time;
      throw EConvertError(FormatMessage(kSInvalidDateTime, {text}));
    }
    default: AccessError("DateTime");
  }
}

bool TField::AsBoolean() const {
  const Variant value = AsVariant();
  if (value.IsClear()) return false;
  switch (FamilyOf(data_type_)) {
    case TFieldFamily::Boolean: return value.ToBool();
    case TFieldFamily::Text: {
      const std::string text = value.ToString();
      return !text.empty() && std::string_view("TtYy").find(text.front()) != std::string_view::npos;
    }
    default: AccessError("Boolean");
  }
}

std::string TField::TextOf(const Variant& value, bool display) const {
  const TFieldFamily family = FamilyOf(data_type_);
  if (family == TFieldFamily::Blob && display) {
    const char* const kind = data_type_ == ftMemo || data_type_ == ftFmtMemo || data_type_ == ftOraClob ? "MEMO"
                             : data_type_ == ftGraphic ? "GRAPHIC" : "BLOB";
    std::string text = std::string("(") + kind + ")";
    if (value.IsClear() || value.ToString().empty())
      for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
  }
  if (value.IsClear()) return "";
  const bool formatted = display && !display_format_.empty();
  switch (family) {
    case TFieldFamily::Integer:
      return formatted ? FormatFloat(display_format_, value.ToDouble()) : std::to_string(value.ToInt64());
    case TFieldFamily::Float:
      return formatted ? FormatFloat(display_format_, value.ToDouble()) : FloatToStrPrecision(value.ToDouble(), precision_);
    case TFieldFamily::Date:
      return FormatDateTime(formatted ? display_format_ : FormatSettings().ShortDateFormat, value.ToDateTime());
    case TFieldFamily::Time:
      return FormatDateTime(formatted ? display_format_ : FormatSettings().LongTimeFormat, value.ToDateTime());
    case TFieldFamily::DateTime:
      return formatted ? FormatDateTime(display_format_, value.ToDateTime()) : DateTimeToStr(value.ToDateTime());
    case TFieldFamily::Boolean: return value.ToBool() ? "True" : "False";
    default: return value.ToString();
  }
}

// --- writing ---

Variant TField::ToFieldValue(const Variant& value) const {
  if (value.IsClear()) return Variant::Null();
  const bool is_text = value.Type() == VarType::String;
  switch (FamilyOf(data_type_)) {
    case TFieldFamily::Text: {
      std::string text = value.ToString();
      if ((data_type_ == ftString || data_type_ == ftFixedChar) && size_ > 0 && text.size() > static_cast<size_t>(size_))
        text.resize(size_);
      return text;
    }
    case TFieldFamily::Integer: {
      int64_t number;
      if (is_text) {
        auto parsed = TryStrToInt64(value.ToString());
        if (!parsed) throw EConvertError(FormatMessage(kSInvalidInteger, {value.ToString()}));
        number = *parsed;
      } else {
        number = value.ToInt64();
      }
      switch (data_type_) {
        case ftSmallint: CheckRange(static_cast<double>(number), -32768, 32767); break;
        case ftWord: CheckRange(static_cast<double>(number), 0, 65535); break;
        case ftInteger: case ftAutoInc: CheckRange(static_cast<double>(number), -2147483648.0, 2147483647.0); break;
        default: return number;
      }
      return static_cast<int32_t>(number);
    }
    case TFieldFamily::Float: {
      if (!is_text) return value.ToDouble();
      if (auto number = TryStrToFloat(value.ToString())) return *number;
      throw EConvertError(FormatMessage(kSInvalidFloat, {value.ToString()}));
    }
    case TFieldFamily::Date: case TFieldFamily::Time: case TFieldFamily::DateTime: {
      TDateTime date = 0;
      if (is_text) {
        const std::string text = value.ToString();
        const TFieldFamily family = FamilyOf(data_type_);
        auto parsed = family == TFieldFamily::Date   ? TryStrToDate(text)
                      : family == TFieldFamily::Time ? TryStrToTime(text)
                                                     : TryStrToDateTime(text);
        if (!parsed)
          throw EConvertError(FormatMessage(family == TFieldFamily::Date   ? kSInvalidDate
                                            : family == TFieldFamily::Time ? kSInvalidTime
                                                                           : kSInvalidDateTime,
                                            {text}));
        date = *parsed;
      } else {
        date = value.ToDateTime();
      }
      if (data_type_ == ftDate) date = std::trunc(date);
      if (data_type_ == ftTime) date = std::fabs(date - std::trunc(date));
      return Variant::FromDate(date);
    }
    case TFieldFamily::Boolean: {
      if (!is_text) return value.ToBool();
      const std::string text = value.ToString();
      if (!text.empty() && std::string_view("TtYy").find(text.front()) != std::string_view::npos) return true;
      if (!text.empty() && std::string_view("FfNn").find(text.front()) != std::string_view::npos) return false;
      throw EConvertError(FormatMessage(kSInvalidBoolean, {text}));
    }
    case TFieldFamily::Bytes: return Variant::FromBytes(value.ToString());
    case TFieldFamily::Blob: return data_type_ == ftMemo ? Variant(value.ToString()) : Variant::FromBytes(value.ToString());
    case TFieldFamily::Other: break;
  }
  return value;
}

void TField::Validate(const Variant& value) {
  if (OnValidate) OnValidate(*this, value);
}

void TField::WriteBlobText(const std::string& text) {
  std::unique_ptr<TStream> stream = dataset_.CreateBlobStream(*this, bmWrite);
  stream->WriteText(text);
}

void TField::SetAsVariant(const Variant& value) {
  if (FamilyOf(data_type_) == TFieldFamily::Blob) {
    WriteBlobText(value.ToString());
    return;
  }
  dataset_.SetFieldData(*this, ToFieldValue(value));
}

void TField::SetAsString(const std::string& text) {
  const TFieldFamily family = FamilyOf(data_type_);
  if (text.empty() && family != TFieldFamily::Text && family != TFieldFamily::Blob) Clear();
  else SetAsVariant(Variant(text));
}

void TField::SetAsLargeInt(int64_t value) {
  switch (FamilyOf(data_type_)) {
    case TFieldFamily::Text: case TFieldFamily::Integer: case TFieldFamily::Float: SetAsVariant(value); break;
    default: AccessError("Integer");
  }
}

void TField::SetAsInteger(int32_t value) { SetAsLargeInt(value); }

void TField::SetAsFloat(double value) {
  switch (FamilyOf(data_type_)) {
    case TFieldFamily::Text: case TFieldFamily::Integer: case TFieldFamily::Float: case TFieldFamily::Date:
    case TFieldFamily::Time: case TFieldFamily::DateTime:
      SetAsVariant(value);
      break;
    default: AccessError("Float");
  }
}

void TField::SetAsDateTime(TDateTime value) {
  switch (FamilyOf(data_type_)) {
    case TFieldFamily::Text: case TFieldFamily::Date: case TFieldFamily::Time: case TFieldFamily::DateTime:
      SetAsVariant(Variant::FromDate(value));
      break;
    default: AccessError("DateTime");
  }
}

void TField::SetAsBoolean(bool value) {
  switch (FamilyOf(data_type_)) {
    case TFieldFamily::Text: SetAsVariant(value ? "T" : "F"); break;
    case TFieldFamily::Boolean: SetAsVariant(value); break;
    default: AccessError("Boolean");
  }
}

void TField::Clear() {
  if (FamilyOf(data_type_) == TFieldFamily::Blob) WriteBlobText("");
  else dataset_.SetFieldData(*this, Variant::Null());
}

}  // namespace zarn

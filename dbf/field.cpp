#include "dbf/field.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

#include "dbf/handle.h"
#include "dbf/header.h"

namespace zarn {

namespace {

// FoxPro currency: a little-endian 64-bit integer of ten-thousandths.
double CurrencyValue(const char* bytes, int length) {
  if (length < 8) return 0;
  int64_t units;
  std::memcpy(&units, bytes, sizeof units);
  return static_cast<double>(units) / 10000.0;
}

std::string ShortestText(double value) {
  char text[32];
  auto [end, ec] = std::to_chars(text, text + sizeof text, value);
  return ec == std::errc() ? std::string(text, end) : std::string();
}

int32_t TruncateToInt32(double value) {
  if (!(value > -2147483649.0 && value < 2147483648.0)) return 0;
  return static_cast<int32_t>(value);
}

}  // namespace

TDbfField::TDbfField(const TDbfHeader* header, int field_no, const uint8_t* descriptor)
    : header_(header), field_no_(field_no) {
  if (descriptor != nullptr) {
    std::memcpy(descriptor_, descriptor, static_cast<size_t>(header->GetDescriptorSize()));
    LoadCachedProperties();
  }
}

bool TDbfField::IsLongDescriptor() const { return header_->Format() == kFormatDBase7; }

void TDbfField::LoadCachedProperties() {
  letter_ = static_cast<char>(descriptor_[LetterOffset()]);
  length_ = descriptor_[LengthOffset()];
  decimals_ = descriptor_[DecimalsOffset()];
  rule_ = RuleOfLetter(letter_);
  decoder_ = DecoderOfRule(rule_);
}

std::string TDbfField::GetName() const {
  const char* name = reinterpret_cast<const char*>(descriptor_);
  size_t n = strnlen(name, static_cast<size_t>(NameSize()));
  while (n > 0 && static_cast<unsigned char>(name[n - 1]) <= ' ') --n;
  return std::string(name, n);
}

int TDbfField::GetDataSize() const {
  switch (rule_) {
    case FieldRule::kText: return length_ + 1;
    case FieldRule::kNumber: case FieldRule::kDouble: case FieldRule::kDate: case FieldRule::kDateTime: return 8;
    case FieldRule::kLogical: return 2;
    case FieldRule::kBlock: case FieldRule::kInteger: return 4;
    case FieldRule::kRaw: return length_;
  }
  return length_;
}

void TDbfField::SetName(std::string_view name) {
  int size = NameSize();
  std::memset(descriptor_, 0, static_cast<size_t>(size));
  std::memcpy(descriptor_, name.data(), std::min(name.size(), static_cast<size_t>(size)));
}

void TDbfField::SetTypeLetter(char letter) {
  descriptor_[LetterOffset()] = static_cast<uint8_t>(letter);
  LoadCachedProperties();
}

void TDbfField::SetLength(int length) {
  descriptor_[LengthOffset()] = static_cast<uint8_t>(length);
  LoadCachedProperties();
}

void TDbfField::SetDecimals(int decimals) {
  descriptor_[DecimalsOffset()] = static_cast<uint8_t>(decimals);
  LoadCachedProperties();
}

void TDbfField::SetDataType(TFieldType type) {
  switch (type) {
    case ftSmallint: case ftInteger: case ftWord: SetTypeLetter('I'); break;
    case ftBoolean: SetTypeLetter('L'); break;
    case ftFloat: SetTypeLetter('N'); break;
    case ftCurrency: SetTypeLetter('Y'); break;
    case ftDate: SetTypeLetter('D'); break;
    case ftTime: SetTypeLetter('T'); break;
    case ftDateTime: SetTypeLetter('@'); break;
    case ftBytes: SetTypeLetter('B'); break;
    case ftMemo: SetTypeLetter('M'); break;
    case ftGraphic: SetTypeLetter('P'); break;
    case ftDBaseOle: SetTypeLetter('G'); break;
    default: SetTypeLetter('C'); break;
  }
}

void TDbfField::Define(std::string_view name, TFieldType type, int size, int precision, bool /*required*/) {
  const DbfFormat format = header_->Format();
  const bool dbase7 = format == kFormatDBase7;
  char letter = 'C';
  int length = 10, decimals = 0;
  switch (type) {
    case ftString: case ftWideString: length = size; break;
    case ftSmallint: case ftWord: letter = 'N'; length = 6; break;
    case ftInteger:
      if (dbase7) letter = 'I', length = 4;
      else letter = 'N', length = 11;
      break;
    case ftAutoInc:
      if (dbase7) letter = '+', length = 4;
      else letter = 'N', length = 11;
      break;
    case ftBoolean: letter = 'L'; length = 1; break;
    case ftFloat: case ftCurrency:
      if (dbase7) letter = 'O', length = 8;
      else letter = 'N', length = format == kFormatDBase3 ? 19 : 20, decimals = 4;
      break;
    case ftBCD: case ftFMTBcd: {
      bool accepted = (precision - size >= 2 && precision <= 20 && size <= 18) || (precision == 1 && size == 0);
      letter = 'N';
      length = accepted ? precision : 20;
      decimals = accepted ? size : 4;
      break;
    }
    case ftDate: letter = 'D'; length = 8; break;
    case ftTime: length = 11; break;
    case ftDateTime:
      if (dbase7) letter = '@', length = 8;
      else length = 30;
      break;
    case ftBlob: case ftMemo: case ftFmtMemo: letter = 'M'; break;
    case ftGraphic: case ftTypedBinary:
      letter = (format == kFormatDBase3 || format == kFormatDBase4) ? 'M' : 'B';
      break;
    case ftDBaseOle:
      if (dbase7) letter = 'G';
      else letter = (format == kFormatDBase3 || format == kFormatDBase4) ? 'M' : 'B';
      break;
    default: break;
  }
  SetName(name.substr(0, kMaxNewFieldName));
  descriptor_[LetterOffset()] = static_cast<uint8_t>(letter);
  descriptor_[LengthOffset()] = static_cast<uint8_t>(std::clamp(length, 0, 255));
  descriptor_[DecimalsOffset()] = static_cast<uint8_t>(decimals);
  LoadCachedProperties();
}

const char* TDbfField::RecordOrCurrent(const char* record) const {
  return record != nullptr ? record : header_->Handle()->CurrentRecord();
}

bool TDbfField::GetData(const char* record, void* value) const {
  const char* image = RecordOrCurrent(record);
  if (image == nullptr) return false;
  return decoder_(Bytes(image), header_->Handle()->ReadTable(), value);
}

void TDbfField::SetData(char* record, const void* value) const {
  char* image = record != nullptr ? record : header_->Handle()->MutableCurrentRecord();
  if (image == nullptr) return;
  EncodeField(rule_, image + offset_, length_, decimals_, header_->Handle()->WriteTable(), value);
}

bool TDbfField::GetAsBoolean(const char* record) const {
  if (rule_ != FieldRule::kLogical) return GetAsInteger(record) != 0;
  int16_t flag = 0;
  return GetData(record, &flag) && flag != 0;
}

double TDbfField::GetAsFloat(const char* record) const {
  const char* image = RecordOrCurrent(record);
  if (image == nullptr || IsNull(image)) return 0;
  switch (rule_) {
    case FieldRule::kNumber: case FieldRule::kDouble: case FieldRule::kDateTime: {
      double v = 0;
      GetData(image, &v);
      return v;
    }
    case FieldRule::kInteger: case FieldRule::kBlock: {
      int32_t v = 0;
      GetData(image, &v);
      return v;
    }
    case FieldRule::kLogical: {
      int16_t v = 0;
      GetData(image, &v);
      return v;
    }
    case FieldRule::kDate: {
      int32_t v = 0;
      GetData(image, &v);
      return v == 0 ? 0 : DayNumberToDateTime(v);
    }
    case FieldRule::kRaw:
      return letter_ == 'Y' ? CurrencyValue(image + offset_, length_) : 0;
    case FieldRule::kText: return 0;
  }
  return 0;
}

int32_t TDbfField::GetAsInteger(const char* record) const {
  return TruncateToInt32(GetAsFloat(record));
}

std::string TDbfField::GetAsString(const char* record) const {
  const char* image = RecordOrCurrent(record);
  if (image == nullptr || IsNull(image)) return {};
  switch (GetDataType()) {
    case ftString: {
      std::string text(static_cast<size_t>(length_) + 1, '\0');
      GetData(image, text.data());
      text.resize(std::strlen(text.c_str()));
      return text;
    }
    case ftInteger: case ftAutoInc: case ftSmallint: case ftWord: return std::to_string(GetAsInteger(image));
    case ftBoolean: return GetAsBoolean(image) ? "True" : "False";
    case ftFloat: return ShortestText(GetAsFloat(image));
    case ftCurrency: return ShortestText(std::round(GetAsFloat(image) * 10000.0) / 10000.0);
    default: return {};
  }
}

TDateTime TDbfField::GetAsDateTime(const char* record) const {
  const char* image = RecordOrCurrent(record);
  if (image == nullptr || IsNull(image)) return 0;
  if (rule_ == FieldRule::kDate) {
    int32_t day_number = 0;
    GetData(image, &day_number);
    return day_number == 0 ? 0 : DayNumberToDateTime(day_number);
  }
  if (rule_ == FieldRule::kDateTime) {
    double v = 0;
    GetData(image, &v);
    return v;
  }
  return 0;
}

}  // namespace zarn

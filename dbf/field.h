// TDbfField is one field of a DBF table (the DBF implementation of
// TDsCustomField): its descriptor image as the file
// holds it, its number and its offset in the record image, and the operations
// that decode and encode its value in a record image.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "dbf/custom_field.h"
#include "dbf/field_codec.h"
#include "platform/datetime.h"
#include "platform/field_type.h"

namespace zarn {

class TDbfHeader;

// Room for the long descriptor of dBASE 7; the short one uses 32 bytes.
constexpr int kMaxDescriptorSize = 48;

class TDbfField final : public TDsCustomField {
 public:
  // A field of header with a zeroed descriptor, or with the descriptor image
  // read from the file (descriptor_size bytes).
  TDbfField(const TDbfHeader* header, int field_no, const uint8_t* descriptor = nullptr);

  int FieldNo() const { return field_no_; }
  // Offset of the field in the record image; the deletion flag is byte 0.
  int Offset() const { return offset_; }
  void SetOffset(int offset) { offset_ = offset; }
  const uint8_t* Descriptor() const { return descriptor_; }

  // DBF descriptors have no flags, reserved or extra value: these read 0
  // and the setters keep nothing.
  int GetFlags() const override { return 0; }
  int GetReserved() const override { return 0; }
  int GetExtra() const override { return 0; }
  void SetFlags(int) override {}
  void SetReserved(int) override {}
  std::string GetName() const override;
  char GetTypeLetter() const override { return letter_; }
  int GetLength() const override { return length_; }
  int GetDecimals() const override { return decimals_; }
  TFieldType GetDataType() const override { return DataTypeOfLetter(letter_); }
  FieldRule Rule() const { return rule_; }
  // Bytes a value buffer for GetData must hold.
  int GetDataSize() const override;

  void SetName(std::string_view name) override;
  void SetTypeLetter(char letter) override;
  void SetLength(int length) override;
  void SetDecimals(int decimals) override;
  // Stores the letter for a dataset type.
  void SetDataType(TFieldType type) override;
  // Sets up a new field from a dataset field definition, by the rules of the
  // table's current format. The required flag is not kept.
  void Define(std::string_view name, TFieldType type, int size, int precision, bool required) override;

  // Decodes the field of record (the handle's current record when null) into
  // value (only the null flag when value is null). Returns true when the
  // field is not null.
  bool GetData(const char* record, void* value) const override;
  // Encodes value (null for a null value) into record (the handle's current
  // record when null).
  void SetData(char* record, const void* value) const override;
  bool IsNull(const char* record) const override { return !GetData(record, nullptr); }

  // Conversions of the decoded value; null gives 0, false or empty text.
  bool GetAsBoolean(const char* record) const override;
  double GetAsFloat(const char* record) const override;
  int32_t GetAsInteger(const char* record) const override;
  std::string GetAsString(const char* record) const override;
  TDateTime GetAsDateTime(const char* record) const override;

 private:
  bool IsLongDescriptor() const;
  int NameSize() const { return IsLongDescriptor() ? 32 : 11; }
  int LetterOffset() const { return IsLongDescriptor() ? 32 : 11; }
  int LengthOffset() const { return IsLongDescriptor() ? 33 : 16; }
  int DecimalsOffset() const { return IsLongDescriptor() ? 34 : 17; }
  void LoadCachedProperties();
  FieldBytes Bytes(const char* record) const { return {record + offset_, length_}; }
  const char* RecordOrCurrent(const char* record) const;

  const TDbfHeader* header_;
  int field_no_;
  int offset_ = 0;
  uint8_t descriptor_[kMaxDescriptorSize] = {};
  // Decoded once from the descriptor and kept in step by the setters, so that
  // reading a value does no descriptor work.
  char letter_ = 0;
  int length_ = 0;
  int decimals_ = 0;
  FieldRule rule_ = FieldRule::kRaw;
  FieldDecoder decoder_ = DecoderOfRule(FieldRule::kRaw);
};

}  // namespace zarn

// TField: one field object of a dataset. It reads and writes the value of its
// field in the dataset's current record (through the dataset's GetFieldData
// and SetFieldData) and converts it to and from text, numbers, dates and
// booleans by the rules of its data type. Display properties (title,
// visibility, formats) belong to the field, so every grid and form shows the
// same thing.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/dataset/variant.h"
#include "platform/field_type.h"

namespace zarn {

class TDataSet;

enum TFieldKind { fkData, fkCalculated, fkLookup, fkInternalCalc, fkAggregate };

// The families of types that share conversion rules.
enum class TFieldFamily { Text, Integer, Float, Date, Time, DateTime, Boolean, Blob, Bytes, Other };
TFieldFamily FamilyOf(TFieldType type);
bool IsBlobType(TFieldType type);

class TField {
 public:
  using TFieldNotifyEvent = std::function<void(TField&)>;
  // Called with the value about to be stored; may throw to refuse it.
  using TFieldValidateEvent = std::function<void(TField&, const Variant& value)>;

  TField(TDataSet& dataset, std::string field_name, TFieldType type, int size = 0, TFieldKind kind = fkData);
  TField(const TField&) = delete;
  TField& operator=(const TField&) = delete;
  virtual ~TField() = default;

  TDataSet& DataSet() const { return dataset_; }
  const std::string& FieldName() const { return field_name_; }
  // "Parent.Child" for a field of a child definition, else the field name.
  const std::string& FullName() const { return full_name_.empty() ? field_name_ : full_name_; }
  void SetFullName(std::string full_name) { full_name_ = std::move(full_name); }
  TFieldType DataType() const { return data_type_; }
  TFieldKind FieldKind() const { return kind_; }
  bool IsCalculated() const { return kind_ != fkData; }
  int Size() const { return size_; }
  // The number of the field's definition (from 1) while bound; -1 for
  // calculated and lookup fields, 0 while unbound.
  int FieldNo() const { return field_no_; }
  void SetFieldNo(int field_no) { field_no_ = field_no; }
  // Position in the dataset's field list.
  int Index() const;

  // The title: DisplayLabel when set, else the field name.
  std::string DisplayLabel() const { return display_label_.empty() ? field_name_ : display_label_; }
  void SetDisplayLabel(std::string label) { display_label_ = std::move(label); }
  std::string DisplayName() const { return DisplayLabel(); }
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool read_only) { read_only_ = read_only; }
  bool Required() const { return required_; }
  void SetRequired(bool required) { required_ = required; }
  int DisplayWidth() const;
  void SetDisplayWidth(int width) { display_width_ = width; }
  // Picture for DisplayText: FormatFloat pictures for numbers, FormatDateTime
  // formats for dates and times. Empty means the workstation's defaults.
  const std::string& DisplayFormat() const { return display_format_; }
  void SetDisplayFormat(std::string format) { display_format_ = std::move(format); }
  // Significant digits of float texts (15 by default).
  int Precision() const { return precision_; }
  void SetPrecision(int precision) { precision_ = precision; }
  bool IsNumeric() const;
  // A blob field written through a stream since the record was read.
  bool Modified() const { return modified_; }
  void SetModified(bool modified) { modified_ = modified; }
  // True for key fields of a sorted dataset; set by the dataset.
  bool IsIndexField() const { return is_index_field_; }
  void SetIndexField(bool value) { is_index_field_ = value; }

  // Where the field's presence byte and value sit in the calculated-field
  // area of a record buffer (calculated and lookup fields only).
  int CalcOffset() const { return calc_offset_; }
  void SetCalcOffset(int offset) { calc_offset_ = offset; }

  // Lookup fields: the value is LookupDataSet.Lookup(LookupKeyFields,
  // the values of KeyFields of this dataset, LookupResultField).
  TDataSet* LookupDataSet = nullptr;
  std::string KeyFields, LookupKeyFields, LookupResultField;

  TFieldNotifyEvent OnChange;
  TFieldValidateEvent OnValidate;

  // --- values of the current record ---
  bool IsNull() const;
  // Null when there is no value; otherwise the value in the type's own kind
  // (text, integer, double, date-time, boolean, bytes).
  Variant AsVariant() const;
  std::string AsString() const;
  int32_t AsInteger() const;
  int64_t AsLargeInt() const;
  double AsFloat() const;
  TDateTime AsDateTime() const;
  bool AsBoolean() const;

  // Writing converts to the field's type first; null or empty clears.
  void SetAsVariant(const Variant& value);
  void SetAsString(const std::string& text);
  void SetAsInteger(int32_t value);
  void SetAsLargeInt(int64_t value);
  void SetAsFloat(double value);
  void SetAsDateTime(TDateTime value);
  void SetAsBoolean(bool value);
  void Clear();

  // The text a grid shows: DisplayFormat or the workstation's format.
  std::string DisplayText() const { return TextOf(AsVariant(), true); }
  // The text an edit control shows and parses back with SetText.
  std::string Text() const { return TextOf(AsVariant(), false); }
  void SetText(const std::string& text) { SetAsString(text); }
  // The display or edit text of a value of this field that is not
  // necessarily the current one (the grid's rows).
  std::string TextOf(const Variant& value, bool display) const;

  // Converts a value to the field's own kind as writing would store it;
  // raises EConvertError or EDatabaseError when it does not fit.
  Variant ToFieldValue(const Variant& value) const;
  // Runs OnValidate; the dataset calls it before it stores a value.
  void Validate(const Variant& value);

 private:
  friend class TDataSet;

  [[noreturn]] void AccessError(const char* type_name) const;
  void CheckRange(double value, double min, double max) const;
  Variant TextToFieldValue(const std::string& text) const;
  std::string BlobText() const;
  void WriteBlobText(const std::string& text);

  TDataSet& dataset_;
  std::string field_name_, full_name_;
  TFieldType data_type_;
  int size_;
  TFieldKind kind_;
  int field_no_ = 0;
  std::string display_label_;
  bool visible_ = true;
  bool read_only_ = false;
  bool required_ = false;
  int display_width_ = 0;
  std::string display_format_;
  int precision_ = 15;
  bool modified_ = false;
  bool is_index_field_ = false;
  int calc_offset_ = 0;
};

}  // namespace zarn

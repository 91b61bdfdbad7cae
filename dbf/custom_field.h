// TDsCustomField is the abstract table API's view of one field: the
// descriptor properties and the decoding and encoding of its value in a
// record image. The operations are declared in the order of the API's table
// slots, so that a second table format implements them in the same order.
// TDbfField (dbf/field.h) is the implementation for DBF files.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/datetime.h"
#include "platform/field_type.h"

namespace zarn {

class TDsCustomField {
 public:
  virtual ~TDsCustomField() = default;

  virtual int GetFlags() const = 0;
  virtual int GetDecimals() const = 0;
  virtual std::string GetName() const = 0;
  virtual char GetTypeLetter() const = 0;
  virtual int GetReserved() const = 0;
  virtual int GetLength() const = 0;
  virtual TFieldType GetDataType() const = 0;
  virtual void SetFlags(int flags) = 0;
  virtual void SetDecimals(int decimals) = 0;
  virtual void SetName(std::string_view name) = 0;
  virtual void SetTypeLetter(char letter) = 0;
  virtual void SetReserved(int reserved) = 0;
  virtual void SetLength(int length) = 0;
  virtual void SetDataType(TFieldType type) = 0;
  // Decodes the field of record (the current record when null) into value
  // (only the null flag when value is null); true when it is not null.
  virtual bool GetData(const char* record, void* value) const = 0;
  // Encodes value (null for a null value) into record (the current record
  // when null).
  virtual void SetData(char* record, const void* value) const = 0;
  virtual int GetDataSize() const = 0;
  virtual bool GetAsBoolean(const char* record) const = 0;
  virtual double GetAsFloat(const char* record) const = 0;
  virtual int32_t GetAsInteger(const char* record) const = 0;
  virtual std::string GetAsString(const char* record) const = 0;
  virtual TDateTime GetAsDateTime(const char* record) const = 0;
  virtual int GetExtra() const = 0;
  virtual bool IsNull(const char* record) const = 0;
  virtual void Define(std::string_view name, TFieldType type, int size, int precision, bool required) = 0;

 protected:
  TDsCustomField() = default;
  TDsCustomField(const TDsCustomField&) = default;
  TDsCustomField& operator=(const TDsCustomField&) = default;
};

}  // namespace zarn

// Reading a value out of a memory-table row or record buffer by its place:
// the one rule behind the dataset's field reads, the grids' row values and
// the sort's presence test.
#pragma once

#include <string>

#include "dbf/memtable/row_layout.h"
#include "platform/dataset/variant.h"

namespace zarn {

// True when the place holds a value: the presence byte is set and, for the
// text types (ftString, ftFixedChar, ftWideString, ftGuid), the text is not
// empty (an empty text reads as null). Blob places hold a value when their
// text is not empty.
bool PlaceHasValue(const TMemFieldPlace& place, const char* data, const std::string* blobs,
                   const Variant* variants);

// Reads the value at the place into *value and returns true, or returns
// false for null (and for a type without storage).
bool ReadPlace(const TMemFieldPlace& place, const char* data, const std::string* blobs, const Variant* variants,
               Variant* value);

// Stores `value` (already converted to the field's type; clear for null).
void WritePlace(const TMemFieldPlace& place, const Variant& value, char* data, Variant* variants);

}  // namespace zarn

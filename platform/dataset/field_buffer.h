// The fixed-width binary form of a field value inside a record buffer: the
// memory table's row slots and the calculated-field area of every dataset.
// Widths by type: text Size + 1 (zero-terminated), wide text 2 × Size + 2,
// 16-bit types and booleans 2, 32-bit integers, dates (days) and times
// (milliseconds) 4, floats, date-times and 64-bit integers 8, BCD 34 (a
// double in front), bytes Size, var-bytes Size + 2 (length first), GUID 39.
#pragma once

#include "platform/dataset/variant.h"
#include "platform/field_type.h"

namespace zarn {

// Bytes of the value (without a presence byte); 0 for types that have no
// fixed form (blobs, variants, structured types).
int FieldDataSize(TFieldType type, int size);

// Writes the value (converted to the type) into dest, FieldDataSize bytes;
// a clear value writes zeros.
void EncodeFieldValue(TFieldType type, int size, const Variant& value, char* dest);

// Reads a value written by EncodeFieldValue.
Variant DecodeFieldValue(TFieldType type, int size, const char* src);

}  // namespace zarn

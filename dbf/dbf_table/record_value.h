// One field of a DBF record image as a dataset value: the bridge between the
// engine's value kinds (dbf/field_codec.h) and the framework's Variant. The
// DBF table's field access and its grid rows both read through here.
#pragma once

#include <string>

#include "dbf/handle.h"
#include "platform/dataset/variant.h"

namespace zarn {

// Decodes field field_no (from 1) of image into *value in the field type's
// own kind (text, Integer, Double, Date, Boolean, Bytes). Returns false for a
// null value and for memo fields, whose data is not in the image.
bool ReadRecordValue(TDbfHandle* handle, int field_no, const char* image, Variant* value);

// Encodes value (already converted to the field's kind; null clears) into
// field field_no of image. Memo fields are left alone.
void WriteRecordValue(TDbfHandle* handle, int field_no, char* image, const Variant& value);

// The whole memo of field field_no of image. On failure returns the engine
// code and leaves *text with what was read.
int ReadMemoText(TDbfHandle* handle, int field_no, const char* image, std::string* text);

}  // namespace zarn

#include "dbf/memtable/slot_value.h"

#include "platform/dataset/field.h"
#include "platform/dataset/field_buffer.h"

namespace zarn {

bool PlaceHasValue(const TMemFieldPlace& place, const char* data, const std::string* blobs,
                   const Variant* variants) {
  if (place.blob >= 0) return !blobs[place.blob].empty();
  if (place.offset < 0) return false;
  const char* slot = data + place.offset;
  if (slot[0] == 0) return false;
  switch (place.type) {
    case ftString: case ftFixedChar: case ftGuid: return slot[1] != 0;
    case ftWideString: return slot[1] != 0 || slot[2] != 0;
    case ftVariant: return !variants[place.variant].IsClear();
    default: return true;
  }
}

bool ReadPlace(const TMemFieldPlace& place, const char* data, const std::string* blobs, const Variant* variants,
               Variant* value) {
  if (!PlaceHasValue(place, data, blobs, variants)) return false;
  if (place.blob >= 0) {
    const std::string& text = blobs[place.blob];
    *value = place.type == ftMemo || place.type == ftFmtMemo || place.type == ftOraClob ? Variant(text)
                                                                                         : Variant::FromBytes(text);
  } else if (place.type == ftVariant) {
    *value = variants[place.variant];
  } else if (place.type == ftADT) {
    return false;  // a structured field's slot is its presence byte; its children hold the values
  } else {
    *value = DecodeFieldValue(place.type, place.size, data + place.offset + 1);
  }
  return true;
}

void WritePlace(const TMemFieldPlace& place, const Variant& value, char* data, Variant* variants) {
  char* slot = data + place.offset;
  slot[0] = value.IsClear() ? 0 : 1;
  if (place.type == ftVariant) variants[place.variant] = value.IsClear() ? Variant() : value;
  else EncodeFieldValue(place.type, place.size, value, slot + 1);
}

}  // namespace zarn

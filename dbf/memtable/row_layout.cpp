#include "dbf/memtable/row_layout.h"

#include "platform/dataset/field.h"
#include "platform/dataset/field_buffer.h"

namespace zarn {

bool IsSupportedMemType(TFieldType type) {
  switch (type) {
    case ftUnknown: case ftCursor: case ftArray: case ftReference: case ftDataSet: case ftInterface:
    case ftIDispatch: case ftTimeStamp: case ftFMTBcd:
      return false;
    default:
      return type >= ftString && type <= ftFMTBcd;
  }
}

bool HasMemSlot(TFieldType type) { return IsSupportedMemType(type) && !IsBlobType(type); }

void TMemRowLayout::Build(const std::vector<const TFieldDef*>& defs) {
  Clear();
  places_.reserve(defs.size());
  for (const TFieldDef* def : defs) {
    TMemFieldPlace place;
    place.type = def->DataType();
    place.size = def->Size();
    if (IsBlobType(place.type)) {
      place.blob = shape_.blob_count++;
    } else if (HasMemSlot(place.type)) {
      place.offset = shape_.data_size;
      // A variant's value lives beside the data block; its slot is the
      // presence byte. A structured field's slot is the presence byte too.
      if (place.type == ftVariant) place.variant = shape_.variant_count++;
      shape_.data_size += 1 + FieldDataSize(place.type, place.size);
    }
    places_.push_back(place);
  }
}

}  // namespace zarn

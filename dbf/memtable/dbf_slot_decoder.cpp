#include "dbf/memtable/dbf_slot_decoder.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "dbf/field_codec.h"

namespace zarn {

bool TDbfSlotDecoder::Fits(const TDbfField& field, const TMemFieldPlace& place) {
  if (place.offset < 0) return false;
  switch (field.Rule()) {
    case FieldRule::kText: return place.type == ftString || place.type == ftFixedChar;
    case FieldRule::kNumber: case FieldRule::kDouble: return place.type == ftFloat || place.type == ftCurrency;
    case FieldRule::kDate: return place.type == ftDate;
    default: return false;
  }
}

void TDbfSlotDecoder::Decode(const char* image, char* data, std::vector<char>& scratch) const {
  char* slot = data + place_->offset;
  switch (field_->Rule()) {
    case FieldRule::kText: {
      scratch.resize(static_cast<size_t>(field_->GetDataSize()) + 1);
      if (!field_->GetData(image, scratch.data())) return;
      const size_t length = strnlen(scratch.data(), static_cast<size_t>(place_->size));
      std::memcpy(slot + 1, scratch.data(), length);
      slot[1 + length] = '\0';
      break;
    }
    case FieldRule::kNumber: case FieldRule::kDouble: {
      double number = 0;
      if (!field_->GetData(image, &number)) return;
      std::memcpy(slot + 1, &number, sizeof number);
      break;
    }
    default: {
      int32_t day_number = 0;
      if (!field_->GetData(image, &day_number)) return;
      const auto day = static_cast<int32_t>(std::trunc(DayNumberToDateTime(day_number)));
      std::memcpy(slot + 1, &day, sizeof day);
      break;
    }
  }
  slot[0] = 1;
}

}  // namespace zarn

// Decoding fields of a DBF record image straight into the slots of a memory
// table row, for the copy of a DBF table into a memory table. A field read
// and write would pass each value through a Variant (and a text through two
// string copies); for the pairs below the decoded value is already what the
// slot stores, so the bytes come out the same without them:
//
//   C      into a text slot (ftString, ftFixedChar): the text, cut to the slot
//   N, F, O into a float slot (ftFloat, ftCurrency): the double
//   D      into a date slot (ftDate): the day of the date
//
// Every other pair goes through the fields.
#pragma once

#include <vector>

#include "dbf/field.h"
#include "dbf/memtable/row_layout.h"

namespace zarn {

class TDbfSlotDecoder {
 public:
  // The decoder of DBF field `field` into `place`, or none when the pair is
  // not one of the above.
  static bool Fits(const TDbfField& field, const TMemFieldPlace& place);
  TDbfSlotDecoder(const TDbfField& field, const TMemFieldPlace& place) : field_(&field), place_(&place) {}

  // Decodes the field of `image` into the slot of the row data block `data`
  // (zeroed by the row's creation): presence byte set and value written
  // unless the field is null. `scratch` holds a text of the field's length.
  void Decode(const char* image, char* data, std::vector<char>& scratch) const;

 private:
  const TDbfField* field_;
  const TMemFieldPlace* place_;
};

}  // namespace zarn

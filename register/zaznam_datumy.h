// The date rules of a licence-fee record. 11 November 1999 is the boundary
// the register has always used: a payment dated on or before it means "not
// paid" (the totals, the print), and a date before it entered in the record
// form stands for no date and becomes 1 January 1900.
#pragma once

#include "platform/datetime.h"

namespace zarn {

// 11 November 1999.
inline TDateTime HraniceDatumu() { return EncodeDate(1999, 11, 11); }

// 1 January 1900, the date that stands for no date.
inline TDateTime ZadneDatum() { return EncodeDate(1900, 1, 1); }

// True when a payment date counts as paid.
inline bool JeZaplaceno(TDateTime zaplacena) { return zaplacena > HraniceDatumu(); }

}  // namespace zarn

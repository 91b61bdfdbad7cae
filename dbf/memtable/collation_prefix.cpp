#include "dbf/memtable/collation_prefix.h"

#include <unicode/ucol.h>
#include <unicode/uiter.h>

#include <QLocale>

namespace zarn {

TCollationPrefix::TCollationPrefix(bool case_insensitive) {
  const QLocale locale;
  if (locale.language() == QLocale::C) return;
  UErrorCode status = U_ZERO_ERROR;
  collator_ = ucol_open(locale.bcp47Name().replace(u'-', u'_').toLatin1().constData(), &status);
  ucol_setAttribute(collator_, UCOL_NORMALIZATION_MODE, UCOL_ON, &status);
  ucol_setAttribute(collator_, UCOL_STRENGTH, case_insensitive ? UCOL_SECONDARY : UCOL_DEFAULT_STRENGTH, &status);
  ucol_setAttribute(collator_, UCOL_NUMERIC_COLLATION, UCOL_OFF, &status);
  ucol_setAttribute(collator_, UCOL_ALTERNATE_HANDLING, UCOL_NON_IGNORABLE, &status);
  if (U_FAILURE(status)) {
    ucol_close(collator_);
    collator_ = nullptr;
  }
}

TCollationPrefix::~TCollationPrefix() {
  if (collator_) ucol_close(collator_);
}

uint64_t TCollationPrefix::Of(const QString& text) const {
  if (!collator_) return 0;
  UCharIterator iterator;
  uiter_setString(&iterator, reinterpret_cast<const UChar*>(text.utf16()), static_cast<int32_t>(text.size()));
  uint32_t state[2] = {0, 0};
  uint8_t bytes[8] = {};
  UErrorCode status = U_ZERO_ERROR;
  ucol_nextSortKeyPart(collator_, &iterator, state, bytes, sizeof bytes, &status);
  if (U_FAILURE(status)) return 0;
  uint64_t prefix = 0;
  for (uint8_t byte : bytes) prefix = prefix << 8 | byte;
  return prefix;
}

}  // namespace zarn

// TCollationPrefix: the first 8 bytes of a text's collation sort key as one
// number, for sorting many texts: two texts whose prefixes differ are in the
// order of their prefixes, so only texts with equal prefixes need their full
// keys compared.
//
// The prefixes come from ICU, the collation library behind QCollator, set up
// as QCollator sets up its collator for the default locale (strength
// tertiary, secondary when case-insensitive; normalisation on; numbers and
// punctuation not treated specially). The sort keys QCollator makes are
// ICU's, so a prefix is the beginning of the QCollatorSortKey of the same
// text and the full keys decide the ties. The C locale, where QCollator
// compares without ICU, has no prefixes.
#pragma once

#include <QString>
#include <cstdint>

struct UCollator;

namespace zarn {

class TCollationPrefix {
 public:
  explicit TCollationPrefix(bool case_insensitive);
  ~TCollationPrefix();
  TCollationPrefix(const TCollationPrefix&) = delete;
  TCollationPrefix& operator=(const TCollationPrefix&) = delete;

  // False when there are no prefixes (C locale, or ICU refused the locale):
  // Of then gives 0 for every text.
  bool Available() const { return collator_ != nullptr; }

  // The first 8 bytes of the sort key of `text`, the first byte highest,
  // zero-filled after a shorter key. A non-empty text has a non-zero prefix.
  uint64_t Of(const QString& text) const;

 private:
  UCollator* collator_ = nullptr;
};

}  // namespace zarn

// TDsDbFilter: the filter evaluator of a memory table. Field names are looked
// up among the table's field objects, and values are read through them, so a
// record test sees whatever record the table lets its fields show (the row
// being tested, copied into the table's filter buffer). The table owns one
// for its filter.

#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/dataset/filter_options.h"

namespace zarn {

class TFields;

class TDsDbFilter {
 public:
  // `fields` must outlive the filter; it is read at every tokenizing.
  explicit TDsDbFilter(const TFields& fields);
  ~TDsDbFilter();
  TDsDbFilter(const TDsDbFilter&) = delete;
  TDsDbFilter& operator=(const TDsDbFilter&) = delete;

  // The apply step. With a non-empty text and `on`, the evaluator takes the
  // text and options and evaluates once against the record the fields show
  // now: an error value raises "Invalid filter expression." and leaves the
  // previous text and options in force (as does a floating-point error,
  // which passes through). Otherwise the text and options become empty.
  void ApplyFilter(std::string_view text, TFilterOptions options, bool on);

  // The field objects were made again (the table opened): names of the
  // current text are resolved anew before the next evaluation.
  void FieldsChanged();

  // True when the text is empty or the expression gives the boolean true for
  // the record the fields show. An expression error is a false; a
  // floating-point error or an unreadable field raises.
  bool Passes();

  const std::string& Expression() const;
  TFilterOptions Options() const;

 private:
  class Binding;
  std::unique_ptr<Binding> binding_;
};

}  // namespace zarn

// TExprFieldSource: where an expression evaluator finds its fields. The DBF
// table handle's binding looks names up in the table header and reads the
// handle's current record; the memory table's binding looks them up among
// its field objects and reads the record being tested. The evaluator, its
// tokens and its functions are the same for both.
#pragma once

#include <optional>
#include <string_view>

#include "dbf/expr/expr_value.h"
#include "dbf/expr/field_ref.h"

namespace zarn {

// The value kind that a field of `type` gives in an expression: ekText for
// ftString and ftWideString; ekInteger for ftSmallint, ftInteger, ftWord and
// ftAutoInc; ekBoolean for ftBoolean; ekFloat for ftFloat, ftCurrency and
// ftBCD; ekDate, ekTime and ekDateTime for ftDate, ftTime and ftDateTime.
// Every other type gives ekError: such a field cannot be used in an expression.
TExprKind ExprKindOfFieldType(TFieldType type);

class TExprFieldSource {
 public:
  virtual ~TExprFieldSource() = default;

  // Looks a field up by name, comparing case-insensitively (SameTextByLocale).
  // Returns nullopt when the source has no field of that name. Called when an
  // expression is tokenized and by the FIELD function, never per operator.
  virtual std::optional<TExprFieldRef> FindField(std::string_view name) const = 0;

  // Reads `field` of the current record into *value, which the caller has
  // prepared with kind ExprKindOfFieldType(field.type) (never ekError). The
  // source sets the payload of that kind: text (any length; the evaluator cuts
  // it), integer, boolean, or number (floats as they are, dates, times and
  // date-times as TDateTime). A null field is reported by setting the kind to
  // ekNull when `null_test` is true; without it, the source delivers the
  // field's empty value instead (empty text, 0, false, the zero date).
  // A field that cannot be read raises the source's own error.
  virtual void ReadField(const TExprFieldRef& field, bool null_test, TExprValue* value) = 0;
};

// Reads `field` of the current record of `source` into *value: ekError for a
// type without a value kind, otherwise what ReadField gives, texts cut to
// kMaxExprText bytes. With `null_test`, a null field gives ekNull.
void ReadExprField(TExprFieldSource& source, const TExprFieldRef& field, bool null_test, TExprValue* value);

}  // namespace zarn

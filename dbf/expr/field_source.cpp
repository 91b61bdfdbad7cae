#include "dbf/expr/field_source.h"

namespace zarn {

TExprKind ExprKindOfFieldType(TFieldType type) {
  switch (type) {
    case ftString:
    case ftWideString:
      return ekText;
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc:
      return ekInteger;
    case ftBoolean:
      return ekBoolean;
    case ftFloat:
    case ftCurrency:
    case ftBCD:
      return ekFloat;
    case ftDate:
      return ekDate;
    case ftTime:
      return ekTime;
    case ftDateTime:
      return ekDateTime;
    default:
      return ekError;
  }
}

void ReadExprField(TExprFieldSource& source, const TExprFieldRef& field, bool null_test, TExprValue* value) {
  value->kind = ExprKindOfFieldType(field.type);
  if (value->kind == ekError) return;
  source.ReadField(field, null_test, value);
  if (value->kind == ekText && value->text.size() > kMaxExprText) value->text.resize(kMaxExprText);
}

}  // namespace zarn

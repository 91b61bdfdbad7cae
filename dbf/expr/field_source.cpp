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

}  // namespace zarn

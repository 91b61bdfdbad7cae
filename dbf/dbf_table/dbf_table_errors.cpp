#include "dbf/dbf_table/dbf_table_errors.h"

#include "dbf/errors.h"
#include "platform/dataset/errors.h"

namespace zarn {

void CheckDbfCode(int code) {
  if (code != kDbfOk) DatabaseError(DbfErrorMessage(code));
}

}  // namespace zarn

// TExprFieldRef: an evaluator's reference to a field of its field source,
// found once by name and then read for every record. The source decides what
// `field` and `index` mean; the evaluator only keeps them and reads `type`.
#pragma once

#include "platform/field_type.h"

namespace zarn {

struct TExprFieldRef {
  const void* field = nullptr;  // the source's field object, if it has one
  int index = -1;               // the source's field number or position
  TFieldType type = ftUnknown;  // the dataset type that decides the value kind
};

}  // namespace zarn

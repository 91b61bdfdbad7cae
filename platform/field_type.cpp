#include "platform/field_type.h"

#include <cstring>
#include <iterator>

namespace zarn {
namespace {

const char* const kNames[] = {
    "ftUnknown", "ftString", "ftSmallint", "ftInteger", "ftWord", "ftBoolean", "ftFloat", "ftCurrency", "ftBCD",
    "ftDate", "ftTime", "ftDateTime", "ftBytes", "ftVarBytes", "ftAutoInc", "ftBlob", "ftMemo", "ftGraphic",
    "ftFmtMemo", "ftParadoxOle", "ftDBaseOle", "ftTypedBinary", "ftCursor", "ftFixedChar", "ftWideString",
    "ftLargeint", "ftADT", "ftArray", "ftReference", "ftDataSet", "ftOraBlob", "ftOraClob", "ftVariant",
    "ftInterface", "ftIDispatch", "ftGuid", "ftTimeStamp", "ftFMTBcd"};
static_assert(std::size(kNames) == ftFMTBcd + 1);

}  // namespace

const char* FieldTypeName(TFieldType type) {
  return type >= ftUnknown && type <= ftFMTBcd ? kNames[type] : nullptr;
}

TFieldType FieldTypeFromName(const char* name) {
  for (int i = 0; i <= ftFMTBcd; ++i)
    if (std::strcmp(kNames[i], name) == 0) return static_cast<TFieldType>(i);
  return ftUnknown;
}

}  // namespace zarn

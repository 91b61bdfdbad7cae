// Field definitions and DBF fields: reading the definitions of an open file
// and defining the fields of a new one.
#pragma once

#include "dbf/handle.h"
#include "platform/dataset/field_defs.h"

namespace zarn {

// Replaces defs with one definition per field of the open table, in
// descriptor order. A name met before gets "_1", "_2" … until it is free.
void LoadFieldDefs(const TDbfHeader& header, TFieldDefs& defs);

// True for the dataset types a new DBF table can hold.
bool IsCreatableType(TFieldType type);

// Raises "Invalid field type" when a definition that would be written has
// a type a new table cannot hold. Run before the file is touched.
void CheckCreatableDefs(const TFieldDefs& defs);

// Defines one DBF field of the handle (opened for creation) per definition
// that is not hidden; engine errors are raised.
void DefineDbfFields(TDbfHandle* handle, const TFieldDefs& defs);

}  // namespace zarn

// The table function layer: free functions over a table handle that the DBF
// dataset calls. Each returns an engine code (dbf/errors.h) and turns a
// missing handle into 42 ("Invalid handle"); none throws.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "dbf/handle.h"

namespace zarn {

using TDbfHandlePtr = std::unique_ptr<TDbfHandle>;

// Opens file_name into *handle. 42 when *handle already holds a handle (and
// nothing is opened); on failure *handle stays empty and the code is
// returned. options may be null for the defaults.
int OpenTable(const std::string& file_name, bool read_only, bool exclusive, const TDbfOpenOptions* options,
              TDbfHandlePtr* handle);
// Writes out what is held back and destroys the handle; *handle becomes empty.
int CloseTable(TDbfHandlePtr* handle);

int MoveFirst(TDbfHandle* handle);
int MoveLast(TDbfHandle* handle);
int GetPosition(TDbfHandle* handle, int32_t* record_no);
int SetPosition(TDbfHandle* handle, int32_t record_no);

// Compiles expression with the filter option bits (1 case-insensitive,
// 2 no partial compare) and tries it on the current record. An expression
// without a valid result gives 58 and keeps the filter in force before the
// call; the dataset reports that as "Invalid filter expression.".
int SetFilter(TDbfHandle* handle, std::string_view expression, uint8_t options);
int ClearFilter(TDbfHandle* handle);

int ReadCurrent(TDbfHandle* handle, char* buffer, TDbfRecordInfo* info);
int ReadNext(TDbfHandle* handle, char* buffer, TDbfRecordInfo* info);
int ReadPrior(TDbfHandle* handle, char* buffer, TDbfRecordInfo* info);

int InitRecord(TDbfHandle* handle, char* buffer);
// Appends image as the last record and writes the record count and the end
// marker at once. There is no insertion at a position: InsertRecord appends.
int AppendRecord(TDbfHandle* handle, const char* image);
int InsertRecord(TDbfHandle* handle, const char* image);
int UpdateRecord(TDbfHandle* handle, const char* image);
int DeleteRecord(TDbfHandle* handle);
int RecallRecord(TDbfHandle* handle);
int EmptyTable(TDbfHandle* handle);
// Records in the file, deleted ones included.
int GetRecordCount(TDbfHandle* handle, uint32_t* count);
int LocateRecord(TDbfHandle* handle, std::string_view key_fields, const TLocateKeys& keys, int options);

// Decodes field field_no (from 1) of record (the current record when null)
// into value; *is_null gets the null flag.
int GetFieldValue(TDbfHandle* handle, int field_no, const char* record, void* value, bool* is_null);
// Encodes value (null for a null value) into record (the current record when
// null).
int SetFieldValue(TDbfHandle* handle, int field_no, char* record, const void* value);

// Creating a table: a handle opened with options.create, DefineField for
// each field, WriteNewTable, CloseTable.
int DefineField(TDbfHandle* handle, std::string_view name, TFieldType type, int size, int precision,
                bool required);
int WriteNewTable(TDbfHandle* handle);

// Memo fields (dbf/memo.h).
int OpenBlob(TDbfHandle* handle, const char* record, int field_no);
int GetBlobSize(TDbfHandle* handle, const char* record, int field_no, uint32_t* size);
int ReadBlob(TDbfHandle* handle, const char* record, int field_no, uint32_t offset, char* dest, uint32_t count,
             uint32_t* read);
int WriteBlob(TDbfHandle* handle, char* record, int field_no, uint32_t offset, const char* data, uint32_t count);
int TruncateBlob(TDbfHandle* handle, char* record, int field_no, uint32_t size);
int FreeBlob(TDbfHandle* handle, const char* record, int field_no);

}  // namespace zarn

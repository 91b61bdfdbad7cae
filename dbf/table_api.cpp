#include "dbf/table_api.h"

#include "dbf/errors.h"

namespace zarn {

int OpenTable(const std::string& file_name, bool read_only, bool exclusive, const TDbfOpenOptions* options,
              TDbfHandlePtr* handle) {
  if (*handle != nullptr) return kDbfInvalidHandle;
  auto opened = std::make_unique<TDbfHandle>(file_name, read_only, exclusive, options);
  int status = opened->Status();
  if (status == kDbfOk) *handle = std::move(opened);
  return status;
}

int CloseTable(TDbfHandlePtr* handle) {
  if (*handle == nullptr) return kDbfInvalidHandle;
  int code = (*handle)->Flush();
  handle->reset();
  return code;
}

int MoveFirst(TDbfHandle* handle) {
  if (handle == nullptr) return kDbfInvalidHandle;
  handle->MoveFirst();
  return kDbfOk;
}

int MoveLast(TDbfHandle* handle) {
  if (handle == nullptr) return kDbfInvalidHandle;
  handle->MoveLast();
  return kDbfOk;
}

int GetPosition(TDbfHandle* handle, int32_t* record_no) {
  if (handle == nullptr) return kDbfInvalidHandle;
  *record_no = handle->GetPosition();
  return kDbfOk;
}

int SetPosition(TDbfHandle* handle, int32_t record_no) {
  if (handle == nullptr) return kDbfInvalidHandle;
  handle->SetPosition(record_no);
  return kDbfOk;
}

int SetFilter(TDbfHandle* handle, std::string_view expression, uint8_t options) {
  return handle == nullptr ? kDbfInvalidHandle : handle->SetFilter(expression, options);
}

int ClearFilter(TDbfHandle* handle) {
  if (handle == nullptr) return kDbfInvalidHandle;
  handle->ClearFilter();
  return kDbfOk;
}

int ReadCurrent(TDbfHandle* handle, char* buffer, TDbfRecordInfo* info) {
  return handle == nullptr ? kDbfInvalidHandle : handle->ReadCurrent(buffer, info);
}

int ReadNext(TDbfHandle* handle, char* buffer, TDbfRecordInfo* info) {
  return handle == nullptr ? kDbfInvalidHandle : handle->ReadNext(buffer, info);
}

int ReadPrior(TDbfHandle* handle, char* buffer, TDbfRecordInfo* info) {
  return handle == nullptr ? kDbfInvalidHandle : handle->ReadPrior(buffer, info);
}

int InitRecord(TDbfHandle* handle, char* buffer) {
  if (handle == nullptr) return kDbfInvalidHandle;
  handle->InitRecord(buffer);
  return kDbfOk;
}

int AppendRecord(TDbfHandle* handle, const char* image) {
  if (handle == nullptr) return kDbfInvalidHandle;
  int code = handle->AppendRecord(image, false);
  return code == kDbfOk ? handle->Flush() : code;
}

int InsertRecord(TDbfHandle* handle, const char* image) { return AppendRecord(handle, image); }

int UpdateRecord(TDbfHandle* handle, const char* image) {
  return handle == nullptr ? kDbfInvalidHandle : handle->UpdateRecord(image);
}

int DeleteRecord(TDbfHandle* handle) {
  return handle == nullptr ? kDbfInvalidHandle : handle->DeleteRecord(true);
}

int RecallRecord(TDbfHandle* handle) {
  return handle == nullptr ? kDbfInvalidHandle : handle->RecallRecord(true);
}

int EmptyTable(TDbfHandle* handle) {
  return handle == nullptr ? kDbfInvalidHandle : handle->EmptyTable();
}

int GetRecordCount(TDbfHandle* handle, uint32_t* count) {
  if (handle == nullptr) return kDbfInvalidHandle;
  *count = handle->GetRecordCount() - static_cast<uint32_t>(handle->GetDeletedCount());
  return kDbfOk;
}

int LocateRecord(TDbfHandle* handle, std::string_view key_fields, const TLocateKeys& keys, int options) {
  return handle == nullptr ? kDbfInvalidHandle : handle->LocateRecord(key_fields, keys, options);
}

int GetFieldValue(TDbfHandle* handle, int field_no, const char* record, void* value, bool* is_null) {
  if (handle == nullptr) return kDbfInvalidHandle;
  TDbfField* field = handle->Header()->FieldByNumber(field_no);
  if (field == nullptr) return kDbfInvalidParameter;
  *is_null = !field->GetData(record, value);
  return kDbfOk;
}

int SetFieldValue(TDbfHandle* handle, int field_no, char* record, const void* value) {
  if (handle == nullptr) return kDbfInvalidHandle;
  TDbfField* field = handle->Header()->FieldByNumber(field_no);
  if (field == nullptr) return kDbfInvalidParameter;
  field->SetData(record, value);
  return kDbfOk;
}

int DefineField(TDbfHandle* handle, std::string_view name, TFieldType type, int size, int precision,
                bool required) {
  return handle == nullptr ? kDbfInvalidHandle : handle->DefineField(name, type, size, precision, required);
}

int WriteNewTable(TDbfHandle* handle) {
  return handle == nullptr ? kDbfInvalidHandle : handle->WriteNewTable();
}

int OpenBlob(TDbfHandle* handle, const char* record, int field_no) {
  return handle == nullptr ? kDbfInvalidHandle : handle->Blob()->OpenBlob(record, field_no);
}

int GetBlobSize(TDbfHandle* handle, const char* record, int field_no, uint32_t* size) {
  return handle == nullptr ? kDbfInvalidHandle : handle->Blob()->GetBlobSize(record, field_no, size);
}

int ReadBlob(TDbfHandle* handle, const char* record, int field_no, uint32_t offset, char* dest, uint32_t count,
             uint32_t* read) {
  return handle == nullptr ? kDbfInvalidHandle
                           : handle->Blob()->ReadBlob(record, field_no, offset, dest, count, read);
}

int WriteBlob(TDbfHandle* handle, char* record, int field_no, uint32_t offset, const char* data, uint32_t count) {
  return handle == nullptr ? kDbfInvalidHandle : handle->Blob()->WriteBlob(record, field_no, offset, data, count);
}

int TruncateBlob(TDbfHandle* handle, char* record, int field_no, uint32_t size) {
  return handle == nullptr ? kDbfInvalidHandle : handle->Blob()->TruncateBlob(record, field_no, size);
}

int FreeBlob(TDbfHandle* handle, const char* record, int field_no) {
  return handle == nullptr ? kDbfInvalidHandle : handle->Blob()->FreeBlob(record, field_no);
}

}  // namespace zarn

#include "dbf/handle.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "dbf/errors.h"
#include "dbf/expr/db_parser.h"

namespace zarn {

namespace {

// Appended records held back by AppendRecord without a header write are
// written in pieces of about this size.
constexpr size_t kPendingLimit = 64 * 1024;

std::string ShortestNumber(double value) {
  char text[32];
  auto [end, ec] = std::to_chars(text, text + sizeof text, value);
  return ec == std::errc() ? std::string(text, end) : std::string("0");
}

std::string LocateValueText(const TLocateValue& value) {
  switch (value.kind) {
    case TLocateValue::kText: return value.text;
    case TLocateValue::kInteger: return std::to_string(static_cast<int64_t>(value.number));
    case TLocateValue::kFloat: case TLocateValue::kDate: return ShortestNumber(value.number);
    case TLocateValue::kBoolean: return value.boolean ? "True" : "False";
    case TLocateValue::kNull: return {};
  }
  return {};
}

bool LocateValueFlag(const TLocateValue& value) {
  switch (value.kind) {
    case TLocateValue::kBoolean: return value.boolean;
    case TLocateValue::kText: return value.text == "True" || value.text == "T" || value.text == "1";
    case TLocateValue::kNull: return false;
    default: return value.number != 0;
  }
}

TDateTime LocateValueDate(const TLocateValue& value) {
  if (value.kind == TLocateValue::kText) return TryStrToDateTime(value.text).value_or(0);
  return value.number;
}

// The expression text of one key value, by the field's dataset type.
std::string KeyValueText(TFieldType type, const TLocateValue& value) {
  switch (type) {
    case ftString: case ftWideString: return "'" + LocateValueText(value) + "'";
    case ftSmallint: case ftInteger: case ftWord: case ftAutoInc: case ftFloat: case ftCurrency: case ftBCD:
      return LocateValueText(value);
    case ftBoolean: return LocateValueFlag(value) ? "True" : "False";
    case ftDate: case ftTime: case ftDateTime:
      return "'" + FormatDateTime("dd.mm.yyyy", LocateValueDate(value)) + "'";
    default: return "'";
  }
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
  return text;
}

}  // namespace

TDbfHandle::TDbfHandle(std::string file_name, bool read_only, bool exclusive, const TDbfOpenOptions* options)
    : file_name_(std::move(file_name)), read_only_(read_only), exclusive_(exclusive) {
  const TDbfOpenOptions defaults;
  const TDbfOpenOptions& o = options != nullptr ? *options : defaults;
  SetCodePage(ascii_ANSI);
  filter_ = std::make_unique<TDsDbParser>(this);
  status_ = OpenFile(o.create);
  header_ = std::make_unique<TDbfHeader>(this, &file_);
  blob_ = std::make_unique<TDbfBlobHandle>(this);
  if (o.create) {
    table_level_ = o.table_level != 0 ? o.table_level : 4;
    SetCodePage(o.code_page);
    cache_.Reset(o.cache_capacity, 0);
    header_->InitNew(table_level_, CodePageOf(code_page_).language_driver, CodePageOf(code_page_).driver_name);
    return;
  }
  if (status_ == kDbfOk) status_ = header_->Open();
  if (status_ != kDbfOk) return;
  cache_.Reset(o.cache_capacity, header_->GetRecordLength());
  show_deleted_ = o.show_deleted;
  SetCodePage(o.code_page);
  blob_->Open(read_only_ ? FileAccess::kRead : FileAccess::kReadWrite,
              exclusive_ ? FileShare::kExclusive : FileShare::kDenyNone);
}

TDbfHandle::~TDbfHandle() { Flush(); }

int TDbfHandle::OpenFile(bool create) {
  bool ok = create ? file_.Create(file_name_)
                   : file_.Open(file_name_, read_only_ ? FileAccess::kRead : FileAccess::kReadWrite,
                                exclusive_ ? FileShare::kExclusive : FileShare::kDenyNone);
  return ok ? kDbfOk : kDbfCannotOpen;
}

void TDbfHandle::SetCodePage(CP_TYPE code_page) {
  code_page_ = code_page;
  const CodePageInfo& info = CodePageOf(code_page);
  const bool identity = IsIdentityCodePage(code_page);
  read_table_ = identity ? nullptr : info.read_table;
  write_table_ = identity ? nullptr : info.write_table;
}

uint64_t TDbfHandle::GetRecordOffset(int64_t record_no) const {
  return static_cast<uint64_t>(header_->GetHeaderLength()) +
         static_cast<uint64_t>(record_no - 1) * static_cast<uint64_t>(header_->GetRecordLength());
}

int TDbfHandle::FetchRecord(int64_t record_no, int64_t start_record, char* buffer, TDbfRecordInfo* info,
                            int no_record_code) {
  if (!cache_.Contains(record_no)) {
    int code = FlushPendingAppends();
    if (code != kDbfOk) return code;
    if (!file_.IsOpen()) return kDbfCannotSeek;
    // Never read ahead past the last counted record: what follows it is the
    // end marker or foreign bytes, not records.
    const int64_t available = static_cast<int64_t>(GetRecordCount()) - start_record + 1;
    const int64_t wanted = std::min<int64_t>(cache_.Capacity(), available);
    const size_t record_length = static_cast<size_t>(header_->GetRecordLength());
    int64_t bytes = wanted > 0 ? file_.ReadAt(GetRecordOffset(start_record), cache_.Data(),
                                              static_cast<size_t>(wanted) * record_length)
                               : 0;
    if (bytes < 0) return kDbfCannotRead;
    const int records = static_cast<int>(static_cast<size_t>(bytes) / record_length);
    cache_.SetWindow(start_record, records);
    if (!cache_.Contains(record_no)) return no_record_code;
  }
  current_ = cache_.Slot(record_no);
  if (buffer != nullptr) std::memcpy(buffer, current_, static_cast<size_t>(header_->GetRecordLength()));
  if (info != nullptr) {
    info->record_no = static_cast<int32_t>(record_no);
    info->status = static_cast<uint8_t>(GetRecordStatus(current_));
    info->deleted = info->status == kRecordStatusDeleted ? 1 : 0;
  }
  return kDbfOk;
}

int TDbfHandle::ReadCurrent(char* buffer, TDbfRecordInfo* info) {
  if (position_ > static_cast<int64_t>(GetRecordCount())) return kDbfEndOfFile;
  if (position_ < 1) return kDbfBeginOfFile;
  int code = FetchRecord(position_, position_, buffer, info, kDbfEndOfFile);
  if (code != kDbfOk) return code;
  code = IsVisible(current_) ? kDbfOk : kDbfRecordDeleted;
  if (!AcceptRecord()) code = kDbfEndOfFile;
  return code;
}

int TDbfHandle::ReadStep(int step, char* buffer, TDbfRecordInfo* info) {
  const int64_t count = static_cast<int64_t>(GetRecordCount());
  const int end_code = step > 0 ? kDbfEndOfFile : kDbfBeginOfFile;
  for (;;) {
    if (step > 0) {
      if (position_ <= count) ++position_;
      if (position_ > count) return end_code;
    } else {
      if (position_ > 0) --position_;
      if (position_ <= 0) return end_code;
    }
    // Reading backwards fills the cache with the records before this one.
    const int64_t start = step > 0 ? position_ : std::max<int64_t>(1, position_ - cache_.Capacity() + 1);
    int code = FetchRecord(position_, start, nullptr, info, end_code);
    if (code != kDbfOk) return code;
    if (IsVisible(current_) && AcceptRecord()) {
      if (buffer != nullptr) std::memcpy(buffer, current_, static_cast<size_t>(header_->GetRecordLength()));
      return kDbfOk;
    }
  }
}

int TDbfHandle::ReadNext(char* buffer, TDbfRecordInfo* info) { return ReadStep(+1, buffer, info); }
int TDbfHandle::ReadPrior(char* buffer, TDbfRecordInfo* info) { return ReadStep(-1, buffer, info); }

void TDbfHandle::InitRecord(char* buffer) const {
  std::memset(buffer, ' ', static_cast<size_t>(header_->GetRecordLength()));
  SetRecordStatus(buffer, kRecordStatusLive);
  // Autoincrement fields get the number the record will have when appended:
  // unique, because records stay counted until the table is emptied.
  const int32_t next = static_cast<int32_t>(GetRecordCount() + 1);
  for (const auto& field : header_->Fields())
    if (field->GetTypeLetter() == '+') field->SetData(buffer, &next);
}

int TDbfHandle::AppendRecord(const char* image, bool write_header) {
  if (read_only_) return kDbfReadOnly;
  if (!file_.IsOpen()) return kDbfCannotSeek;
  const size_t record_length = static_cast<size_t>(header_->GetRecordLength());
  const int64_t record_no = static_cast<int64_t>(GetRecordCount()) + 1;
  if (pending_.empty()) pending_first_ = record_no;
  pending_.append(image, record_length);
  header_->SetRecordCount(static_cast<uint32_t>(record_no));
  header_dirty_ = true;
  position_ = record_no;
  current_ = cache_.AddRecord(record_no);
  std::memcpy(current_, image, record_length);
  if (write_header) return Flush();
  return pending_.size() >= kPendingLimit ? FlushPendingAppends() : kDbfOk;
}

int TDbfHandle::FlushPendingAppends() {
  if (pending_.empty()) return kDbfOk;
  pending_.push_back(kEndOfFileMarker);
  const bool ok = file_.WriteAt(GetRecordOffset(pending_first_), pending_.data(), pending_.size());
  pending_.clear();
  return ok ? kDbfOk : kDbfCannotWrite;
}

int TDbfHandle::WriteHeaderAndEndMarker() {
  int code = header_->WritePrefix();
  if (code == kDbfOk) code = header_->WriteEndMarker();
  if (code == kDbfOk) header_dirty_ = false;
  return code;
}

int TDbfHandle::Flush() {
  if (header_ == nullptr || status_ != kDbfOk) return kDbfOk;
  int code = FlushPendingAppends();
  if (code == kDbfOk && header_dirty_) code = WriteHeaderAndEndMarker();
  return code;
}

int TDbfHandle::UpdateRecord(const char* image) {
  if (read_only_) return kDbfReadOnly;
  if (position_ < 1) return kDbfBeginOfFile;
  if (position_ > static_cast<int64_t>(GetRecordCount())) return kDbfEndOfFile;
  int code = FlushPendingAppends();
  if (code != kDbfOk) return code;
  if (!file_.IsOpen()) return kDbfCannotSeek;
  const size_t record_length = static_cast<size_t>(header_->GetRecordLength());
  if (!file_.WriteAt(GetRecordOffset(position_), image, record_length)) return kDbfCannotWrite;
  if (cache_.Contains(position_)) std::memcpy(cache_.Slot(position_), image, record_length);
  return kDbfOk;
}

int TDbfHandle::WriteRecordStatus(int status, bool write_header) {
  if (read_only_) return kDbfReadOnly;
  if (position_ < 1) return kDbfBeginOfFile;
  if (position_ > static_cast<int64_t>(GetRecordCount())) return kDbfEndOfFile;
  int code = FlushPendingAppends();
  if (code != kDbfOk) return code;
  if (!file_.IsOpen()) return kDbfCannotSeek;
  const char flag = status == kRecordStatusDeleted ? kDeletedFlag : kLiveFlag;
  if (!file_.WriteAt(GetRecordOffset(position_), &flag, 1)) return kDbfCannotWrite;
  if (cache_.Contains(position_)) SetRecordStatus(cache_.Slot(position_), status);
  return write_header ? header_->WritePrefix() : kDbfOk;
}

int TDbfHandle::DeleteRecord(bool write_header) { return WriteRecordStatus(kRecordStatusDeleted, write_header); }
int TDbfHandle::RecallRecord(bool write_header) { return WriteRecordStatus(kRecordStatusLive, write_header); }

int TDbfHandle::EmptyTable() {
  if (!exclusive_) return kDbfTableBusy;
  if (read_only_) return kDbfReadOnly;
  pending_.clear();
  if (!file_.Truncate(static_cast<uint64_t>(header_->GetHeaderLength()))) return kDbfCannotWrite;
  header_->SetRecordCount(0);
  header_dirty_ = false;
  cache_.Clear();
  current_ = nullptr;
  MoveFirst();
  return header_->WritePrefix();
}

bool TDbfHandle::AcceptRecord() {
  if (!has_filter_) return true;
  return EvaluatesTrue(filter_.get());
}

// A record for which the evaluator raises (a division by zero, say) does not
// pass: the handle reports codes and never lets an exception out.
bool TDbfHandle::EvaluatesTrue(TDsDbParser* parser) {
  try {
    return parser->Evaluate().IsTrue();
  } catch (...) {
    return false;
  }
}

int TDbfHandle::SetFilter(std::string_view expression, uint8_t options) {
  const bool previous_active = has_filter_;
  // Before the first read there is no current record; the trial evaluation
  // then sees a zero-filled record, whose fields are present but empty, so
  // that a sound expression is not refused for want of data.
  std::vector<char> scratch;
  const bool use_scratch = current_ == nullptr;
  if (use_scratch) {
    scratch.assign(static_cast<size_t>(std::max(header_->GetRecordLength(), 1)), '\0');
    current_ = scratch.data();
  }
  bool valid;
  try {
    valid = filter_->TrySetFilter(expression, TFilterOptions::FromBits(options));
  } catch (...) {
    valid = false;  // the evaluator restored the previous filter before raising
  }
  if (use_scratch) current_ = nullptr;
  if (!valid) {
    has_filter_ = previous_active;
    return kDbfInvalidExpression;
  }
  has_filter_ = !expression.empty();
  return kDbfOk;
}

void TDbfHandle::ClearFilter() {
  has_filter_ = false;
  filter_->SetExpression("");
}

// Builds "(FIELD('A')=x)AND(FIELD('B')=y)" for the key fields that the table
// has; *code becomes 45 when the values do not fit the fields.
std::string TDbfHandle::LocateExpression(std::string_view key_fields, const TLocateKeys& keys, int* code) const {
  std::string expression;
  size_t found = 0;
  *code = kDbfOk;
  while (true) {
    size_t semicolon = key_fields.find(';');
    std::string_view name = TrimBlanks(key_fields.substr(0, semicolon));
    TDbfField* field = name.empty() ? nullptr : header_->FieldByName(name);
    if (field != nullptr) {
      const TLocateValue* value = nullptr;
      if (keys.is_array) {
        if (found < keys.values.size()) value = &keys.values[found];
      } else if (found == 0 && !keys.values.empty()) {
        value = &keys.values[0];
      }
      if (value == nullptr) {
        *code = kDbfInvalidParameter;
        return {};
      }
      expression += found == 0 ? "(FIELD('" : "AND(FIELD('";
      expression += field->GetName() + "')=" + KeyValueText(field->GetDataType(), *value) + ")";
      ++found;
    }
    if (semicolon == std::string_view::npos) break;
    key_fields.remove_prefix(semicolon + 1);
  }
  return expression;
}

int TDbfHandle::LocateRecord(std::string_view key_fields, const TLocateKeys& keys, int options) {
  const int64_t saved_position = position_;
  int result = kDbfRecordNotFound;
  TDsDbParser locate(this);
  TFilterOptions filter_options;
  if (options & kLocateCaseInsensitive) filter_options.Include(foCaseInsensitive);
  if (!(options & kLocatePartialKey)) filter_options.Include(foNoPartialCompare);
  locate.SetOptions(filter_options);
  int code;
  std::string expression = LocateExpression(key_fields, keys, &code);
  if (code != kDbfOk) {
    result = code;
  } else {
    locate.SetExpression(expression);
    MoveFirst();
    while (ReadNext(nullptr, nullptr) == kDbfOk) {
      if (EvaluatesTrue(&locate)) {
        result = kDbfOk;
        break;
      }
    }
  }
  if (result != kDbfOk) position_ = saved_position;
  return result;
}

int TDbfHandle::DefineField(std::string_view name, TFieldType type, int size, int precision, bool required) {
  header_->AddField()->Define(name, type, size, precision, required);
  return kDbfOk;
}

int TDbfHandle::WriteNewTable() {
  header_->UpdateOffsets();
  const CodePageInfo& info = CodePageOf(code_page_);
  header_->InitNew(table_level_, info.language_driver, info.driver_name);
  int code = header_->WriteAll();
  if (code != kDbfOk) return code;
  cache_.Reset(cache_.Capacity(), header_->GetRecordLength());
  if (header_->HasMemoFields()) code = blob_->Create();
  return code;
}

}  // namespace zarn

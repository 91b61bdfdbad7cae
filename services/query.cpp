#include "services/query.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "platform/dataset/db_consts.h"

namespace zarn {
namespace {

// Reads the bytes of one memo or blob value that the query holds.
class HeldBlobStream : public TStream {
 public:
  explicit HeldBlobStream(std::string_view bytes) : bytes_(bytes) {}

  int64_t Read(char* buffer, int64_t count) override {
    const int64_t n = std::clamp<int64_t>(static_cast<int64_t>(bytes_.size()) - position_, 0, count);
    if (n > 0) std::memcpy(buffer, bytes_.data() + position_, static_cast<size_t>(n));
    position_ += n;
    return n;
  }
  int64_t Write(const char*, int64_t) override { DatabaseError(kSDataSetReadOnly); }
  int64_t Seek(int64_t offset, TSeekOrigin origin) override {
    const int64_t base = origin == soBeginning ? 0 : origin == soCurrent ? position_ : static_cast<int64_t>(bytes_.size());
    position_ = std::max<int64_t>(0, base + offset);
    return position_;
  }

 private:
  std::string_view bytes_;
  int64_t position_ = 0;
};

}  // namespace

TServerQuery::~TServerQuery() { Close(); }

std::string TServerQuery::Text() const {
  std::string text;
  for (const std::string& line : sql_) {
    if (!text.empty()) text += '\n';
    text += line;
  }
  return text;
}

void TServerQuery::SetText(std::string text) {
  sql_.clear();
  sql_.push_back(std::move(text));
}

uint64_t TServerQuery::ExecSQL() {
  CheckInactive();
  return connection_.Execute(Text());
}

unsigned long TServerQuery::LongestValue(const TField& field) const {
  CheckActive();
  return result_.Column(field.FieldNo() - 1).longest;
}

// --- structure ---

// A result may name two columns alike (a join of two tables with `id`); the
// later one gets "_1", "_2" … so that every field has its own name.
void TServerQuery::DefineFields(const QueryResult& result) {
  FieldDefs().Clear();
  for (size_t i = 0; i < result.ColumnCount(); ++i) {
    const QueryColumn& column = result.Column(i);
    std::string name = column.name;
    for (int n = 1; FieldDefs().IndexOf(name) >= 0; ++n) name = column.name + "_" + std::to_string(n);
    const auto size = static_cast<int>(std::min<unsigned long>(column.field.size, INT_MAX));
    FieldDefs().Add(std::move(name), column.field.type, size);
  }
  FieldDefs().SetUpdated(true);
}

void TServerQuery::InternalInitFieldDefs() {
  if (open_) {
    DefineFields(result_);
  } else {
    DefineFields(connection_.Query(Text()));
  }
}

void TServerQuery::InternalOpen() {
  result_ = connection_.Query(Text());
  open_ = true;
  cursor_ = -1;
  DefineFields(result_);
  if (DefaultFields()) CreateFields();
  BindFields(true);
  SetBookmarkSize(sizeof(int));
}

void TServerQuery::InternalClose() {
  BindFields(false);
  if (DefaultFields()) DestroyFields();
  result_ = QueryResult();
  open_ = false;
  cursor_ = -1;
}

// --- records ---

TRecordBuffer TServerQuery::AllocRecordBuffer() {
  const size_t size = sizeof(RecordHeader) + static_cast<size_t>(CalcFieldsSize());
  TRecordBuffer buffer = new char[size]();
  Header(buffer) = {-1, bfCurrent};
  return buffer;
}

void TServerQuery::FreeRecordBuffer(TRecordBuffer& buffer) {
  delete[] buffer;
  buffer = nullptr;
}

TGetResult TServerQuery::GetRecord(TRecordBuffer buffer, TGetMode mode, bool) {
  const int rows = RowCount();
  switch (mode) {
    case gmNext:
      if (cursor_ >= rows - 1) {
        cursor_ = rows;
        return grEOF;
      }
      ++cursor_;
      break;
    case gmPrior:
      if (cursor_ <= 0) {
        cursor_ = -1;
        return grBOF;
      }
      --cursor_;
      break;
    case gmCurrent:
      if (cursor_ < 0) return grBOF;
      if (cursor_ >= rows) return grEOF;
      break;
  }
  Header(buffer) = {cursor_, bfCurrent};
  GetCalcFields(buffer);
  return grOK;
}

void TServerQuery::ClearCalcFields(TRecordBuffer buffer) {
  std::memset(CalcArea(buffer), 0, static_cast<size_t>(CalcFieldsSize()));
}

bool TServerQuery::GetFieldData(const TField& field, Variant& value) {
  TRecordBuffer buffer = StateBuffer();
  if (buffer == nullptr) return false;
  if (field.FieldNo() < 0) return ReadCalcField(CalcArea(buffer), field, value);
  const size_t row = static_cast<size_t>(Header(buffer).row);
  const size_t column = static_cast<size_t>(field.FieldNo() - 1);
  if (result_.IsNull(row, column)) return false;
  value = result_.Value(row, column);
  return true;
}

void TServerQuery::SetFieldData(TField& field, const Variant& value) {
  if (field.FieldNo() >= 0) DatabaseError(kSDataSetReadOnly);
  CheckFieldWrite(field, value);
  WriteCalcField(CalcArea(StateBuffer()), field, value);
  FieldChanged(field);
}

std::unique_ptr<TStream> TServerQuery::CreateBlobStream(TField& field, TBlobStreamMode mode) {
  if (mode != bmRead) DatabaseError(kSDataSetReadOnly);
  TRecordBuffer buffer = StateBuffer();
  if (buffer == nullptr || field.FieldNo() <= 0) return std::make_unique<HeldBlobStream>("");
  return std::make_unique<HeldBlobStream>(
      result_.Text(static_cast<size_t>(Header(buffer).row), static_cast<size_t>(field.FieldNo() - 1)));
}

// The framework refuses to edit a dataset that cannot be modified, so these
// are reached only by a caller that bypasses it.
void TServerQuery::InternalPost() { DatabaseError(kSDataSetReadOnly); }
void TServerQuery::InternalDelete() { DatabaseError(kSDataSetReadOnly); }
void TServerQuery::InternalAddRecord(TRecordBuffer, bool) { DatabaseError(kSDataSetReadOnly); }
void TServerQuery::InternalInitRecord(TRecordBuffer buffer) { Header(buffer) = {-1, bfInserted}; }

// --- bookmarks and rows ---

void TServerQuery::InternalGotoBookmark(const char* bookmark) { std::memcpy(&cursor_, bookmark, sizeof(int)); }
void TServerQuery::InternalSetToRecord(TRecordBuffer buffer) { cursor_ = Header(buffer).row; }
void TServerQuery::GetBookmarkData(TRecordBuffer buffer, char* data) {
  std::memcpy(data, &Header(buffer).row, sizeof(int));
}
void TServerQuery::SetBookmarkData(TRecordBuffer buffer, const char* data) {
  std::memcpy(&Header(buffer).row, data, sizeof(int));
}
TBookmarkFlag TServerQuery::GetBookmarkFlag(TRecordBuffer buffer) { return Header(buffer).flag; }
void TServerQuery::SetBookmarkFlag(TRecordBuffer buffer, TBookmarkFlag flag) { Header(buffer).flag = flag; }

int TServerQuery::GetRecNo() {
  const int row = CurrentRow();
  return row < 0 ? -1 : row + 1;
}

int TServerQuery::CurrentRow() {
  if (!Active() || IsEmpty()) return -1;
  return Header(ActiveBuffer()).row;
}

void TServerQuery::GotoRow(int row) {
  CheckActive();
  if (row < 0 || row >= RowCount()) DatabaseError(kSRecordNotFound);
  TBookmark bookmark(sizeof(int));
  std::memcpy(bookmark.data(), &row, sizeof(int));
  GotoBookmark(bookmark);
}

Variant TServerQuery::RowValue(int row, const TField& field) {
  if (!open_ || field.FieldNo() <= 0 || row < 0 || row >= RowCount()) return Variant::Null();
  return result_.Value(static_cast<size_t>(row), static_cast<size_t>(field.FieldNo() - 1));
}

}  // namespace zarn

#include "dbf/dbf_table/row_cache.h"

#include <algorithm>
#include <stdexcept>

#include "dbf/dbf_table/dbf_table_errors.h"
#include "dbf/errors.h"
#include "dbf/table_api.h"

namespace zarn {
namespace {

// Puts the handle back where it stood when the guard was made.
class PositionGuard {
 public:
  explicit PositionGuard(TDbfHandle* handle) : handle_(handle), position_(handle->GetPosition()) {}
  ~PositionGuard() { handle_->SetPosition(position_); }

 private:
  TDbfHandle* handle_;
  int32_t position_;
};

}  // namespace

void TDbfRowCache::Invalidate() {
  built_ = false;
  record_nos_.clear();
  pages_.clear();
}

void TDbfRowCache::RecordAppended(int32_t record_no) {
  if (built_) record_nos_.push_back(record_no);
}

void TDbfRowCache::RecordHidden(int32_t record_no) {
  pages_.clear();
  if (!built_) return;
  const auto found = std::lower_bound(record_nos_.begin(), record_nos_.end(), record_no);
  if (found != record_nos_.end() && *found == record_no) record_nos_.erase(found);
}

void TDbfRowCache::Build(TDbfHandle* handle) {
  Invalidate();
  int code = kDbfOk;
  {
    PositionGuard guard(handle);
    MoveFirst(handle);
    TDbfRecordInfo info;
    while ((code = ReadNext(handle, nullptr, &info)) == kDbfOk) record_nos_.push_back(info.record_no);
  }
  if (code != kDbfEndOfFile) {
    record_nos_.clear();
    CheckDbfCode(code);
  }
  built_ = true;
}

int TDbfRowCache::Count(TDbfHandle* handle) {
  if (!built_) Build(handle);
  return static_cast<int>(record_nos_.size());
}

int32_t TDbfRowCache::RecordNoOf(TDbfHandle* handle, int row) {
  if (!built_) Build(handle);
  return record_nos_.at(static_cast<size_t>(row));
}

int TDbfRowCache::RowOf(TDbfHandle* handle, int32_t record_no) {
  if (!built_) Build(handle);
  const auto found = std::lower_bound(record_nos_.begin(), record_nos_.end(), record_no);
  return found != record_nos_.end() && *found == record_no ? static_cast<int>(found - record_nos_.begin()) : -1;
}

const TDbfRowCache::Page& TDbfRowCache::LoadPage(TDbfHandle* handle, int first_row) {
  const auto cached =
      std::find_if(pages_.begin(), pages_.end(), [&](const Page& page) { return page.first_row == first_row; });
  if (cached != pages_.end()) {
    std::rotate(pages_.begin(), cached, cached + 1);
    return pages_.front();
  }
  const int rows = std::min(kPageRows, static_cast<int>(record_nos_.size()) - first_row);
  const size_t record_size = static_cast<size_t>(handle->GetRecordSize());
  Page page;
  page.first_row = first_row;
  page.images.resize(record_size * static_cast<size_t>(rows));
  int code = kDbfOk;
  {
    // The rows of a page are consecutive visible records, so reading on
    // from the record before the first one delivers exactly them.
    PositionGuard guard(handle);
    SetPosition(handle, record_nos_[static_cast<size_t>(first_row)] - 1);
    for (int i = 0; i < rows && code == kDbfOk; ++i)
      code = ReadNext(handle, page.images.data() + record_size * static_cast<size_t>(i), nullptr);
  }
  CheckDbfCode(code);
  if (pages_.size() >= kMaxPages) pages_.pop_back();
  pages_.insert(pages_.begin(), std::move(page));
  return pages_.front();
}

const char* TDbfRowCache::Image(TDbfHandle* handle, int row) {
  if (!built_) Build(handle);
  if (row < 0 || row >= static_cast<int>(record_nos_.size())) throw std::out_of_range("row");
  const int first_row = row - row % kPageRows;
  const Page& page = LoadPage(handle, first_row);
  return page.images.data() + static_cast<size_t>(handle->GetRecordSize()) * static_cast<size_t>(row - first_row);
}

}  // namespace zarn

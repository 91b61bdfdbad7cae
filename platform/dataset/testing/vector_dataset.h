// VectorDataSet: a small dataset over an in-memory vector of rows, for the
// framework's own tests. Each record buffer holds a copy of one row's values,
// its calculated-field area, the row id and the bookmark flag; bookmarks are
// the row id (4 bytes). A memo field keeps its text among the values.
#pragma once

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/dataset/dataset.h"

namespace zarn::testing {

class VectorDataSet : public TDataSet {
 public:
  struct Row {
    int32_t id;
    std::vector<Variant> values;
  };

  ~VectorDataSet() override { Close(); }

  // Appends a row directly (the dataset may be open or closed).
  void AddRow(std::vector<Variant> values) { rows_.push_back({next_id_++, std::move(values)}); }
  const std::vector<Row>& Rows() const { return rows_; }
  int Position() const { return position_; }

  bool GetFieldData(const TField& field, Variant& value) override {
    const Buffer* buffer = AsBuffer(StateBuffer());
    if (!buffer) return false;
    if (field.IsCalculated()) return ReadCalcField(buffer->calc.data(), field, value);
    const Variant& stored = buffer->values.at(field.FieldNo() - 1);
    if (stored.IsClear()) return false;
    value = stored;
    return true;
  }

  void SetFieldData(TField& field, const Variant& value) override {
    CheckFieldWrite(field, value);
    Buffer* buffer = AsBuffer(StateBuffer());
    if (field.IsCalculated()) WriteCalcField(buffer->calc.data(), field, value);
    else buffer->values.at(field.FieldNo() - 1) = value;
    FieldChanged(field);
  }

  std::unique_ptr<TStream> CreateBlobStream(TField& field, TBlobStreamMode mode) override {
    if (mode != bmRead) CheckEditOrInsert();
    Buffer* buffer = AsBuffer(StateBuffer());
    return std::make_unique<MemoStream>(*this, field, buffer ? &buffer->values.at(field.FieldNo() - 1) : nullptr,
                                        mode);
  }

  // --- row interface ---
  int RowCount() override { return static_cast<int>(rows_.size()); }
  Variant RowValue(int row, const TField& field) override {
    const Variant& value = rows_.at(row).values.at(field.FieldNo() - 1);
    return value.IsClear() ? Variant::Null() : value;
  }
  int CurrentRow() override { return IsEmpty() ? -1 : IndexOfId(AsBuffer(ActiveBuffer())->id); }
  void GotoRow(int row) override {
    CheckBrowseMode();
    DoBeforeScroll();
    position_ = row;
    Resync(true);
    DoAfterScroll();
  }
  void SortRows(TField& field, bool descending) override {
    CheckBrowseMode();
    const int index = field.FieldNo() - 1;
    std::stable_sort(rows_.begin(), rows_.end(), [&](const Row& a, const Row& b) {
      const double x = a.values[index].IsClear() ? -1e300 : a.values[index].ToDouble();
      const double y = b.values[index].IsClear() ? -1e300 : b.values[index].ToDouble();
      return descending ? x > y : x < y;
    });
    CursorPosChanged();
    UpdateCursorPos();
    Resync(false);
  }

  bool BookmarkValid(const TBookmark& bookmark) override {
    return bookmark.size() == 4 && IndexOfId(IdOf(bookmark.data())) >= 0;
  }
  int CompareBookmarks(const TBookmark& a, const TBookmark& b) override {
    if (a.empty() || b.empty()) return TDataSet::CompareBookmarks(a, b);
    const int32_t x = IdOf(a.data()), y = IdOf(b.data());
    return x < y ? -1 : x > y ? 1 : 0;
  }

  // Counts reads of the storage, so tests can see that grids do not fetch.
  int fetches = 0;

 protected:
  struct Buffer {
    std::vector<Variant> values;
    std::vector<char> calc;
    int32_t id = 0;
    TBookmarkFlag flag = bfCurrent;
  };
  static Buffer* AsBuffer(TRecordBuffer buffer) { return reinterpret_cast<Buffer*>(buffer); }
  static int32_t IdOf(const char* data) {
    int32_t id;
    std::memcpy(&id, data, 4);
    return id;
  }
  int IndexOfId(int32_t id) const {
    for (size_t i = 0; i < rows_.size(); ++i)
      if (rows_[i].id == id) return static_cast<int>(i);
    return -1;
  }

  TRecordBuffer AllocRecordBuffer() override {
    auto* buffer = new Buffer;
    buffer->values.resize(FieldDefs().Count());
    buffer->calc.resize(CalcFieldsSize());
    return reinterpret_cast<TRecordBuffer>(buffer);
  }
  void FreeRecordBuffer(TRecordBuffer& buffer) override {
    delete AsBuffer(buffer);
    buffer = nullptr;
  }
  TGetResult GetRecord(TRecordBuffer buffer, TGetMode mode, bool check) override {
    const int count = static_cast<int>(rows_.size());
    if (mode == gmNext) {
      if (position_ >= count - 1) {
        position_ = count;
        return grEOF;
      }
      ++position_;
    } else if (mode == gmPrior) {
      if (position_ <= 0) {
        position_ = -1;
        return grBOF;
      }
      --position_;
    } else if (position_ < 0 || position_ >= count) {
      if (check) DatabaseError("No data found");
      return grError;
    }
    ++fetches;
    Buffer* target = AsBuffer(buffer);
    target->values = rows_[position_].values;
    target->id = rows_[position_].id;
    target->flag = bfCurrent;
    GetCalcFields(buffer);
    return grOK;
  }
  void InternalInitFieldDefs() override {}
  void InternalOpen() override {
    if (DefaultFields()) CreateFields();
    BindFields(true);
    SetBookmarkSize(4);
    position_ = -1;
    open_ = true;
  }
  void InternalClose() override {
    BindFields(false);
    if (DefaultFields()) DestroyFields();
    open_ = false;
  }
  void InternalFirst() override { position_ = -1; }
  void InternalLast() override { position_ = static_cast<int>(rows_.size()); }
  void InternalPost() override {
    Buffer* buffer = AsBuffer(ActiveBuffer());
    if (State() == dsEdit) {
      rows_.at(position_).values = buffer->values;
      return;
    }
    const Row row{next_id_++, buffer->values};
    if (position_ >= static_cast<int>(rows_.size())) {
      rows_.push_back(row);
      position_ = static_cast<int>(rows_.size()) - 1;
    } else {
      position_ = std::max(position_, 0);
      rows_.insert(rows_.begin() + position_, row);
    }
  }
  void InternalDelete() override {
    rows_.erase(rows_.begin() + position_);
    if (position_ >= static_cast<int>(rows_.size())) --position_;
  }
  void InternalAddRecord(TRecordBuffer buffer, bool append) override {
    (void)append;
    rows_.push_back({next_id_++, AsBuffer(buffer)->values});
    position_ = static_cast<int>(rows_.size()) - 1;
  }
  void InternalInitRecord(TRecordBuffer buffer) override {
    Buffer* target = AsBuffer(buffer);
    std::fill(target->values.begin(), target->values.end(), Variant::Null());
    target->id = 0;
  }
  void ClearCalcFields(TRecordBuffer buffer) override {
    std::fill(AsBuffer(buffer)->calc.begin(), AsBuffer(buffer)->calc.end(), 0);
  }
  void InternalGotoBookmark(const char* bookmark) override {
    const int index = IndexOfId(IdOf(bookmark));
    if (index >= 0) position_ = index;
  }
  void InternalSetToRecord(TRecordBuffer buffer) override {
    const int32_t id = AsBuffer(buffer)->id;
    InternalGotoBookmark(reinterpret_cast<const char*>(&id));
  }
  void GetBookmarkData(TRecordBuffer buffer, char* data) override { std::memcpy(data, &AsBuffer(buffer)->id, 4); }
  void SetBookmarkData(TRecordBuffer buffer, const char* data) override { AsBuffer(buffer)->id = IdOf(data); }
  TBookmarkFlag GetBookmarkFlag(TRecordBuffer buffer) override { return AsBuffer(buffer)->flag; }
  void SetBookmarkFlag(TRecordBuffer buffer, TBookmarkFlag flag) override { AsBuffer(buffer)->flag = flag; }
  bool IsCursorOpen() const override { return open_; }
  int GetRecNo() override { return IsEmpty() ? -1 : IndexOfId(AsBuffer(ActiveBuffer())->id) + 1; }
  int GetRecordCount() override { return static_cast<int>(rows_.size()); }

 private:
  // A stream over the memo text held in a record buffer.
  class MemoStream : public TStream {
   public:
    MemoStream(VectorDataSet& dataset, TField& field, Variant* slot, TBlobStreamMode mode)
        : dataset_(dataset), field_(field), slot_(slot) {
      if (slot_ && !slot_->IsClear()) text_ = slot_->ToString();
      if (mode == bmWrite) text_.clear(), modified_ = true;
    }
    ~MemoStream() override {
      if (!modified_ || !slot_) return;
      *slot_ = text_.empty() ? Variant::Null() : Variant(text_);
      field_.SetModified(true);
      dataset_.FieldChanged(field_);
    }
    int64_t Read(char* buffer, int64_t count) override {
      const int64_t n = std::max<int64_t>(0, std::min<int64_t>(count, static_cast<int64_t>(text_.size()) - position_));
      std::memcpy(buffer, text_.data() + position_, n);
      position_ += n;
      return n;
    }
    int64_t Write(const char* buffer, int64_t count) override {
      if (text_.size() < static_cast<size_t>(position_ + count)) text_.resize(position_ + count);
      std::memcpy(text_.data() + position_, buffer, count);
      position_ += count;
      modified_ = true;
      return count;
    }
    int64_t Seek(int64_t offset, TSeekOrigin origin) override {
      position_ = origin == soBeginning ? offset : origin == soCurrent ? position_ + offset
                                                                       : static_cast<int64_t>(text_.size()) + offset;
      return position_;
    }

   private:
    VectorDataSet& dataset_;
    TField& field_;
    Variant* slot_;
    std::string text_;
    int64_t position_ = 0;
    bool modified_ = false;
  };

  std::vector<Row> rows_;
  int32_t next_id_ = 1;
  int position_ = -1;
  bool open_ = false;
};

}  // namespace zarn::testing

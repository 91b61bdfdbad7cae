#include "services/xls/shared_strings.h"

#include <algorithm>
#include <cassert>

#include "services/xls/biff_record.h"
#include "services/xls/biff_string.h"
#include "services/xls/little_endian.h"

namespace zarn {
namespace {

// EXTSST lists the position of every dsst-th string; Excel expects at most
// 128 such buckets and at least 8 strings per bucket.
constexpr uint32_t kMaxExtSstBuckets = 128;
constexpr uint32_t kMinStringsPerBucket = 8;

// Position of one string that EXTSST points at: its absolute offset in the
// stream and its offset from the header of the record that holds it.
struct StringPosition {
  uint32_t stream_offset;
  uint16_t record_offset;
};

// Writes SST data into records of at most kMaxBiffRecordData bytes, opening a
// CONTINUE record whenever the current one is full.
class SstRecordWriter {
 public:
  explicit SstRecordWriter(std::string& out) : out_(out), header_pos_(BeginBiffRecord(out, kBiffSst)) {}
  ~SstRecordWriter() { EndBiffRecord(out_, header_pos_); }

  size_t Room() const { return kMaxBiffRecordData - BiffRecordDataSize(out_, header_pos_); }
  void StartContinue() {
    EndBiffRecord(out_, header_pos_);
    header_pos_ = BeginBiffRecord(out_, kBiffContinue);
  }
  StringPosition Here() const {
    return {static_cast<uint32_t>(out_.size()), static_cast<uint16_t>(out_.size() - header_pos_)};
  }

  // Appends one string stored as `compressed` says. Its count and flags are never split from its first
  // character; when its characters reach past the record, the rest goes into
  // CONTINUE records that each start again with the flags byte.
  void AppendString(std::string_view text, bool compressed) {
    const size_t char_size = compressed ? 1 : 2;
    const uint8_t flags = compressed ? kBiffCompressed : kBiffUtf16;
    PutU16(out_, static_cast<uint16_t>(text.size()));
    PutU8(out_, flags);
    size_t done = 0;
    while (true) {
      const size_t count = std::min(text.size() - done, Room() / char_size);
      AppendBiffCharacters(out_, text, done, count, compressed);
      done += count;
      if (done == text.size()) break;
      StartContinue();
      PutU8(out_, flags);
    }
  }

 private:
  std::string& out_;
  size_t header_pos_;
};

}  // namespace

uint32_t SharedStringTable::Add(std::string_view win1250) {
  assert(win1250.size() <= kMaxBiffCellChars);
  ++references_;
  if (const auto found = index_.find(win1250); found != index_.end()) return found->second;
  const uint32_t index = UniqueCount();
  const auto inserted = index_.emplace(std::string(win1250), index).first;
  order_.push_back(&inserted->first);
  return index;
}

void SharedStringTable::AppendRecords(std::string& stream) const {
  const uint32_t per_bucket =
      std::max(kMinStringsPerBucket, (UniqueCount() + kMaxExtSstBuckets - 1) / kMaxExtSstBuckets);
  std::vector<StringPosition> buckets;
  {
    SstRecordWriter sst(stream);
    PutU32(stream, references_);
    PutU32(stream, UniqueCount());
    for (uint32_t i = 0; i < UniqueCount(); ++i) {
      const std::string& text = *order_[i];
      const bool compressed = FitsBiffCompressed(text);
      if (sst.Room() < 3 + (compressed ? 1 : 2)) sst.StartContinue();
      if (i % per_bucket == 0) buckets.push_back(sst.Here());
      sst.AppendString(text, compressed);
    }
  }
  const size_t header_pos = BeginBiffRecord(stream, kBiffExtSst);
  PutU16(stream, static_cast<uint16_t>(per_bucket));
  for (const StringPosition& bucket : buckets) {
    PutU32(stream, bucket.stream_offset);
    PutU16(stream, bucket.record_offset);
    PutU16(stream, 0);
  }
  EndBiffRecord(stream, header_pos);
}

}  // namespace zarn

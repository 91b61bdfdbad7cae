// Wide reads of short fields for the field codec. Reading a table decodes
// every field of every record, and a byte loop over a field costs a branch
// per byte whose way out depends on the stored text, so the processor
// mispredicts it on almost every field. These functions take the common
// shapes of text, number and date fields in a fixed number of 4-, 8- and
// 16-byte loads, with branches that depend on the field's length alone (the
// same for every record of a column). Each one declines the shapes it does
// not take (a zero byte in a text, a number with trailing spaces or an
// exponent, a field too long for the lanes), and the codec then reads the
// field byte by byte; both ways give the same value.
//
// Loads stay inside the field: a field shorter than a lane is read as two
// overlapping narrower loads. The 16-byte lanes need SSE2 on x86-64 (every
// such processor has it); elsewhere the text and number readers decline
// every field and the byte loops do all the work.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__) && defined(__x86_64__)
#define ZARN_FIELD_LANES 1
#include <emmintrin.h>
#endif

namespace zarn::field_lanes {

constexpr uint64_t kEightSpaces = 0x2020202020202020ull;
constexpr uint64_t kEightZeroDigits = 0x3030303030303030ull;

inline uint64_t Load64(const char* p) {
  uint64_t v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

inline uint32_t Load32(const char* p) {
  uint32_t v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

// True when all eight bytes of a word are the digits 0 to 9: the high
// nibble is 3 and adding 6 to the low nibble does not carry into it.
inline bool AllDigits(uint64_t word) {
  return (word & 0xF0F0F0F0F0F0F0F0ull) == kEightZeroDigits &&
         ((word + 0x0606060606060606ull) & 0xF0F0F0F0F0F0F0F0ull) == kEightZeroDigits;
}

// "yyyymmdd" of eight digits as year, month and day: after pairing, bytes
// 0, 2, 4 and 6 hold the two halves of the year, the month and the day.
struct DateDigits {
  int year, month, day;
};
inline DateDigits DateOfDigitWord(uint64_t word) {
  uint64_t pairs = word - kEightZeroDigits;
  pairs = pairs * 10 + (pairs >> 8);
  return {static_cast<int>(pairs & 0xFF) * 100 + static_cast<int>((pairs >> 16) & 0xFF),
          static_cast<int>((pairs >> 32) & 0xFF), static_cast<int>((pairs >> 48) & 0xFF)};
}

// A plain decimal read from a right-aligned field: its digits as one
// number, the count of digits after the point and the sign.
struct LaneDecimal {
  uint64_t mantissa;
  int scale;
  bool negative;
};

// What ReadDecimal made of a field.
enum class LaneVerdict : uint8_t { kDecimal, kBlank, kDeclined };

// Bytes of a field's end that ReadDecimal reads.
constexpr int kDecimalLane = 16;

#if defined(ZARN_FIELD_LANES)

// Longest text field copied through the lanes; the bit masks below have one
// bit per byte of the field.
constexpr int kMaxLaneText = 64;

// Bit i set where byte i of the 16-byte lane equals c.
inline uint32_t EqualMask(__m128i lane, char c) {
  return static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(lane, _mm_set1_epi8(c))));
}

// Copies the text field p[0, n), 1 <= n <= 64, into out[0, n) and returns
// its length without trailing spaces, or -1 when it holds a zero byte.
inline int CopyText(const char* p, int n, char* out) {
  // Bit i of non_space for byte i of the field; the unsigned minimum of all
  // bytes read tells at the end whether any was zero.
  uint64_t non_space = 0;
  __m128i least = _mm_set1_epi8(-1);
  auto scan = [&](__m128i lane, int offset) {
    non_space |= static_cast<uint64_t>(~EqualMask(lane, ' ') & 0xFFFF) << offset;
    least = _mm_min_epu8(least, lane);
  };
  if (n >= 16) {
    for (int i = 0; i + 16 <= n; i += 16) {
      const __m128i lane = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), lane);
      scan(lane, i);
    }
    if (n % 16 != 0) {
      const __m128i lane = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + n - 16));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(out + n - 16), lane);
      scan(lane, n - 16);
    }
  } else if (n >= 4) {
    // Two overlapping loads from either end, of 8 bytes (4 when the field
    // is shorter), side by side in one lane: the first one's bits are bytes
    // 0 on, the second one's end at byte n - 1.
    const int width = n >= 8 ? 8 : 4;
    __m128i lane;
    if (width == 8) {
      const uint64_t head = Load64(p), tail = Load64(p + n - 8);
      std::memcpy(out, &head, 8);
      std::memcpy(out + n - 8, &tail, 8);
      lane = _mm_set_epi64x(static_cast<int64_t>(tail), static_cast<int64_t>(head));
    } else {
      const uint32_t head = Load32(p), tail = Load32(p + n - 4);
      std::memcpy(out, &head, 4);
      std::memcpy(out + n - 4, &tail, 4);
      const uint64_t both = head | static_cast<uint64_t>(tail) << 32;
      lane = _mm_set_epi64x(static_cast<int64_t>(both), static_cast<int64_t>(both));
    }
    const uint32_t bits = ~EqualMask(lane, ' ');
    const uint32_t low = (1u << width) - 1;
    non_space = (bits & low) | static_cast<uint64_t>((bits >> width) & low) << (n - width);
    least = lane;
  } else {
    for (int i = 0; i < n; ++i) {
      out[i] = p[i];
      non_space |= static_cast<uint64_t>(p[i] != ' ') << i;
      if (p[i] == '\0') return -1;
    }
  }
  if (EqualMask(least, '\0') != 0) return -1;
  return non_space == 0 ? 0 : 64 - std::countl_zero(non_space);
}

// The last 16 bytes of a field of n >= 1 bytes, with spaces in front when
// the field is shorter.
inline __m128i RightAlignedLane(const char* p, int n) {
  if (n >= 16) return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + n - 16));
  uint64_t low = kEightSpaces, high;
  if (n >= 8) {
    high = Load64(p + n - 8);
    if (n > 8) low = (Load64(p) << (8 * (16 - n))) | (kEightSpaces >> (8 * (n - 8)));
  } else if (n >= 4) {
    const uint64_t head = (static_cast<uint64_t>(Load32(p)) << (8 * (8 - n))) | (kEightSpaces >> (8 * n));
    high = (static_cast<uint64_t>(Load32(p + n - 4)) << 32) | (head & 0xFFFFFFFFull);
  } else {
    char bytes[8];
    std::memset(bytes, ' ', sizeof bytes);
    std::memcpy(bytes + 8 - n, p, static_cast<size_t>(n));
    high = Load64(bytes);
  }
  return _mm_set_epi64x(static_cast<int64_t>(high), static_cast<int64_t>(low));
}

// 0, 1, ... 15 in the bytes of a lane.
inline __m128i ByteIndexes() { return _mm_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15); }

// Sixteen digit values (0 to 9, one per byte, byte 0 the most significant)
// as one number: neighbouring digits, then pairs, then groups of four
// combine by multiply-adds of 16-bit lanes.
inline uint64_t SixteenDigitsValue(__m128i values) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i ten_one = _mm_set1_epi32(0x0001000A);
  const __m128i pairs = _mm_packs_epi32(_mm_madd_epi16(_mm_unpacklo_epi8(values, zero), ten_one),
                                        _mm_madd_epi16(_mm_unpackhi_epi8(values, zero), ten_one));
  const __m128i fours = _mm_madd_epi16(pairs, _mm_set1_epi32(0x00010064));
  const __m128i eights = _mm_madd_epi16(_mm_packs_epi32(fours, fours), _mm_set1_epi32(0x00012710));
  const uint64_t first = static_cast<uint32_t>(_mm_cvtsi128_si32(eights));
  const uint64_t second = static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_shuffle_epi32(eights, 1)));
  return first * 100000000u + second;
}

// A right-aligned decimal in a 16-byte lane: spaces, an optional "-", then
// digits with at most one "." and a digit last.
inline LaneVerdict ReadDecimalLane(__m128i lane, LaneDecimal* out) {
  const __m128i offsets = _mm_sub_epi8(lane, _mm_set1_epi8('0'));
  const __m128i is_digit = _mm_cmpeq_epi8(_mm_subs_epu8(offsets, _mm_set1_epi8(9)), _mm_setzero_si128());
  const uint32_t digits = static_cast<uint32_t>(_mm_movemask_epi8(is_digit));
  const uint32_t spaces = EqualMask(lane, ' ');
  const uint32_t points = EqualMask(lane, '.');
  const uint32_t minus = EqualMask(lane, '-');
  if (spaces == 0xFFFF) return LaneVerdict::kBlank;
  // The spaces and the sign make a run from byte 0 with the sign last; the
  // other bytes are digits and at most one point, and the last is a digit.
  // Tested with & rather than && so that the shape costs one branch.
  const uint32_t head = spaces | minus;
  const bool plain = ((head & (head + 1)) == 0) & ((head | digits | points) == 0xFFFF) &
                     ((minus == 0) | (minus == (head + 1) >> 1)) & ((points & (points - 1)) == 0) &
                     ((digits >> 15) != 0);
  if (!plain) return LaneVerdict::kDeclined;
  // Digit values, 0 in the other bytes (the point's byte too); with a point
  // the digits before it move up by one byte onto it, closing the gap.
  __m128i values = _mm_and_si128(offsets, is_digit);
  if (points != 0) {
    const char point = static_cast<char>(std::countr_zero(points));
    const __m128i before_point = _mm_cmplt_epi8(ByteIndexes(), _mm_set1_epi8(point));
    values = _mm_or_si128(_mm_andnot_si128(before_point, values), _mm_slli_si128(_mm_and_si128(values, before_point), 1));
  }
  out->negative = minus != 0;
  out->scale = points != 0 ? 15 - std::countr_zero(points) : 0;
  out->mantissa = SixteenDigitsValue(values);
  return LaneVerdict::kDecimal;
}

// The last 16 bytes of a number field p[0, n), n >= 1, as a decimal; the
// caller sees to it that any bytes before them are padding.
inline LaneVerdict ReadDecimal(const char* p, int n, LaneDecimal* out) {
  return ReadDecimalLane(RightAlignedLane(p, n), out);
}

#else

constexpr int kMaxLaneText = 0;
inline int CopyText(const char*, int, char*) { return -1; }
inline LaneVerdict ReadDecimal(const char*, int, LaneDecimal*) { return LaneVerdict::kDeclined; }

#endif  // ZARN_FIELD_LANES

}  // namespace zarn::field_lanes

#include "dbf/field_codec.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "dbf/field_lanes.h"

namespace zarn {

namespace {

// Powers of ten that are exact doubles; dividing an exact mantissa by one of
// them gives the correctly rounded value of the decimal text.
constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
// A mantissa up to 2^53 converts to a double exactly; 19 decimal digits
// always fit in 64 bits, so a mantissa of at most that many digits is whole.
constexpr uint64_t kMaxExactMantissa = uint64_t{1} << 53;
constexpr int kMaxUnwrappedDigits = 19;
static_assert(kMaxUnwrappedDigits < static_cast<int>(sizeof kExactPowersOfTen / sizeof kExactPowersOfTen[0]));

// Bias of the I and + letters: the stored image is value + 2^31, big-endian,
// so that the bytes sort in the order of the signed values.
constexpr uint32_t kIntegerBias = 0x80000000u;

uint32_t LoadBigEndian32(const char* p) {
  const auto* u = reinterpret_cast<const unsigned char*>(p);
  return (uint32_t{u[0]} << 24) | (uint32_t{u[1]} << 16) | (uint32_t{u[2]} << 8) | u[3];
}

void StoreBigEndian32(uint32_t v, char* p) {
  p[0] = static_cast<char>(v >> 24);
  p[1] = static_cast<char>(v >> 16);
  p[2] = static_cast<char>(v >> 8);
  p[3] = static_cast<char>(v);
}

bool AllZero(FieldBytes field) {
  for (int i = 0; i < field.length; ++i)
    if (field.data[i] != 0) return false;
  return true;
}

// The field's text up to its first zero byte.
FieldBytes UpToZero(FieldBytes field) {
  const void* zero = std::memchr(field.data, 0, static_cast<size_t>(field.length));
  if (zero != nullptr) field.length = static_cast<int>(static_cast<const char*>(zero) - field.data);
  return field;
}

// Eight spaces as one word: padding is skipped a word at a time, since text
// fields are mostly padding on the right and numbers on the left. The first
// word that is not all spaces tells by its bit count where the padding ends,
// so no byte loop follows it.
using field_lanes::kEightSpaces;
constexpr bool kLittleEndian = std::endian::native == std::endian::little;

// Count of whole bytes before the first (in memory order) nonzero byte of a
// nonzero word, and the count after the last.
int BytesBeforeFirstNonzero(uint64_t word) {
  return (kLittleEndian ? std::countr_zero(word) : std::countl_zero(word)) / 8;
}
int BytesAfterLastNonzero(uint64_t word) {
  return (kLittleEndian ? std::countl_zero(word) : std::countr_zero(word)) / 8;
}

int LeadingSpaces(const char* p, int n) {
  int i = 0;
  for (uint64_t word; i + 8 <= n; i += 8) {
    std::memcpy(&word, p + i, 8);
    if (word != kEightSpaces) return i + BytesBeforeFirstNonzero(word ^ kEightSpaces);
  }
  while (i < n && p[i] == ' ') ++i;
  return i;
}

// Length of the field without its trailing spaces; 0 for a null field.
int LengthWithoutTrailingSpaces(FieldBytes field) {
  int n = field.length;
  for (uint64_t word; n >= 8; n -= 8) {
    std::memcpy(&word, field.data + n - 8, 8);
    if (word != kEightSpaces) return n - BytesAfterLastNonzero(word ^ kEightSpaces);
  }
  while (n > 0 && field.data[n - 1] == ' ') --n;
  return n;
}

FieldBytes TrimSpaces(FieldBytes text) {
  const int leading = LeadingSpaces(text.data, text.length);
  text.data += leading;
  text.length -= leading;
  text.length = LengthWithoutTrailingSpaces(text);
  return text;
}

// What one pass over a number field found.
enum class PlainNumber : uint8_t {
  kBlank,  // nothing but spaces: the field is null
  kExact,  // a plain decimal, converted exactly
  kOther,  // anything else: left to the general parser
};

// Reads a field holding padding, an optional "-", decimal digits with an
// optional ".", and padding again, in a single pass with no separate trim.
// The digits gather into an integer mantissa; when it is at most 2^53 it is
// an exact double, and so is the power of ten of the scale, so the one
// division rounds correctly and gives what the general parser gives. Up to 19
// digits cannot wrap the mantissa; leading zeros count as digits here but
// add nothing to it, so "007.50" stays on this path.
[[gnu::noinline]] PlainNumber ParsePlainDecimal(FieldBytes field, double* value) {
  const char* p = field.data;
  const char* const end = p + field.length;
  p += LeadingSpaces(p, field.length);
  if (p == end) return PlainNumber::kBlank;
  const bool negative = *p == '-';
  if (negative) ++p;
  const char* const integer_start = p;
  uint64_t mantissa = 0;
  unsigned d;
  while (p < end && (d = static_cast<unsigned char>(*p) - '0') < 10) mantissa = mantissa * 10 + d, ++p;
  int digits = static_cast<int>(p - integer_start);
  int scale = 0;
  if (p < end && *p == '.') {
    const char* const fraction_start = ++p;
    while (p < end && (d = static_cast<unsigned char>(*p) - '0') < 10) mantissa = mantissa * 10 + d, ++p;
    scale = static_cast<int>(p - fraction_start);
    digits += scale;
  }
  while (p < end && *p == ' ') ++p;
  if (p != end || digits == 0 || digits > kMaxUnwrappedDigits || mantissa > kMaxExactMantissa)
    return PlainNumber::kOther;
  const double v = static_cast<double>(mantissa) / kExactPowersOfTen[scale];
  *value = negative ? -v : v;
  return PlainNumber::kExact;
}

// The common shape of a number field through the lanes: kOther when the
// lanes decline it, so that the byte pass reads it.
[[gnu::always_inline]] inline PlainNumber ReadDecimalByLanes(FieldBytes field, double* value) {
  if (field.length < 1) return PlainNumber::kOther;
  // The lanes hold the field's last 16 bytes; anything before them must be
  // padding.
  const int before_lane = field.length - field_lanes::kDecimalLane;
  if (before_lane > 0 && LeadingSpaces(field.data, before_lane) != before_lane) return PlainNumber::kOther;
  field_lanes::LaneDecimal decimal;
  switch (field_lanes::ReadDecimal(field.data, field.length, &decimal)) {
    case field_lanes::LaneVerdict::kBlank: return PlainNumber::kBlank;
    case field_lanes::LaneVerdict::kDeclined: return PlainNumber::kOther;
    case field_lanes::LaneVerdict::kDecimal: break;
  }
  if (decimal.mantissa > kMaxExactMantissa) return PlainNumber::kOther;
  const double v = static_cast<double>(decimal.mantissa) / kExactPowersOfTen[decimal.scale];
  *value = decimal.negative ? -v : v;
  return PlainNumber::kExact;
}

// A number field by the lanes when they take it, else by the byte pass.
PlainNumber ReadPlainNumber(FieldBytes field, double* value) {
  const PlainNumber kind = ReadDecimalByLanes(field, value);
  return kind != PlainNumber::kOther ? kind : ParsePlainDecimal(field, value);
}

// Any other number text: up to the first zero byte, trimmed, through the
// standard parser (exponents and long digit strings).
[[gnu::noinline]] bool ParseGeneralNumber(FieldBytes field, double* value) {
  const FieldBytes t = TrimSpaces(UpToZero(field));
  auto [stop, ec] = std::from_chars(t.data, t.data + t.length, *value, std::chars_format::general);
  if (ec == std::errc() && stop == t.data + t.length && t.length > 0) return true;
  *value = 0;
  return false;
}

// Translates text through a code page table in place.
void Translate(char* text, int n, const uint8_t* read_table) {
  for (int i = 0; i < n; ++i) text[i] = static_cast<char>(read_table[static_cast<unsigned char>(text[i])]);
}

// A text field the lanes decline (a zero byte, or longer than the lanes):
// up to the first zero byte, trailing spaces cut, translated. A zero byte
// ends the text but not the field: text after it still makes the field not
// null.
[[gnu::noinline]] bool DecodeTextByBytes(FieldBytes field, const uint8_t* read_table, char* out) {
  const int n = LengthWithoutTrailingSpaces(UpToZero(field));
  std::memcpy(out, field.data, static_cast<size_t>(n));
  if (read_table != nullptr) Translate(out, n, read_table);
  out[n] = '\0';
  return n != 0 || LengthWithoutTrailingSpaces(field) != 0;
}

// Days before the first of each month and the month lengths, in common
// and leap years. Dates are checked and counted by these tables rather than
// through the platform's date encoding, which costs a conversion to and from
// a floating date for every date field read.
constexpr int16_t kDaysBeforeMonth[2][13] = {
    {0, 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334},
    {0, 0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335}};
constexpr int8_t kDaysInMonth[2][13] = {{0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                                        {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};

// The day number (1 = 1 January of year 1, proleptic Gregorian) of a date
// of the years 1 to 9999, or 0 when there is no such date. Unsigned
// arithmetic and one division by 100 per year keep it short, and the leap
// rule is computed without short-circuit: which years are leap is up to the
// data, and a branch on it is mispredicted a quarter of the time.
constexpr int32_t DayNumberOfDate(int year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return 0;
  const unsigned y = static_cast<unsigned>(year);
  const unsigned centuries = y / 100;
  const int leap = ((y % 4 == 0) & ((y != centuries * 100) | (centuries % 4 == 0))) ? 1 : 0;
  if (day > kDaysInMonth[leap][month]) return 0;
  const unsigned before = y - 1;
  const unsigned centuries_before = before / 100;
  return static_cast<int32_t>(365 * before + before / 4 - centuries_before + centuries_before / 4 +
                              static_cast<unsigned>(kDaysBeforeMonth[leap][month]) + static_cast<unsigned>(day));
}
static_assert(DayNumberOfDate(1899, 12, 30) == kDayNumberOfDateZero);

// Digits "yyyymmdd" to a day number. Eight digits, the stored form of every
// date, are taken a word at a time; anything else goes through the engine's
// 16-bit arithmetic on the digit values. An impossible date gives 0.
int32_t DecodeDateDigits(const char* p) {
  const uint64_t word = field_lanes::Load64(p);
  if (field_lanes::AllDigits(word)) {
    const field_lanes::DateDigits date = field_lanes::DateOfDigitWord(word);
    return DayNumberOfDate(date.year, date.month, date.day);
  }
  auto digit = [p](int k) { return static_cast<int>(p[k]) - '0'; };
  int16_t year = static_cast<int16_t>(1000 * digit(0) + 100 * digit(1) + 10 * digit(2) + digit(3));
  int16_t month = static_cast<int16_t>(10 * digit(4) + digit(5));
  int16_t day = static_cast<int16_t>(10 * digit(6) + digit(7));
  return DayNumberOfDate(year, month, day);
}

void EncodeDateDigits(int32_t day_number, char* field, int length) {
  DateParts parts = DecodeDate(DayNumberToDateTime(day_number));
  if (length < 8 || parts.year < 0 || parts.year > 9999) return;
  const int values[3] = {parts.year, parts.month, parts.day};
  const int widths[3] = {4, 2, 2};
  char* out = field + 8;
  for (int k = 2; k >= 0; --k) {
    int v = values[k];
    for (int i = 0; i < widths[k]; ++i, v /= 10) *--out = static_cast<char>('0' + v % 10);
  }
}

bool ParseBlockNumber(FieldBytes field, int32_t* block) {
  FieldBytes text = TrimSpaces(UpToZero(field));
  int32_t v = 0;
  auto [end, ec] = std::from_chars(text.data, text.data + text.length, v);
  bool ok = ec == std::errc() && end == text.data + text.length && text.length > 0;
  *block = ok ? v : 0;
  return ok;
}

void EncodeBlockNumber(int32_t block, char* field, int length) {
  char text[16];
  int n = std::snprintf(text, sizeof text, "%*d", length < 15 ? length : 15, block);
  std::memcpy(field, text + (n > length ? n - length : 0), static_cast<size_t>(std::min(n, length)));
}

void ReverseCopy8(const void* from, void* to) {
  const auto* in = static_cast<const unsigned char*>(from);
  auto* out = static_cast<unsigned char*>(to);
  for (int i = 0; i < 8; ++i) out[i] = in[7 - i];
}

// One decoder per rule (FieldDecoder). Each is a small function of its own
// that needs no stack frame for the paths of the other rules, which matters
// when every field of every record passes through one.

// Copies the text into *value zero-terminated: up to the first zero byte,
// trailing spaces cut, translated.
bool DecodeTextField(FieldBytes field, const uint8_t* read_table, void* value) {
  if (value == nullptr) return LengthWithoutTrailingSpaces(field) != 0;
  char* out = static_cast<char*>(value);
  const int n = field.length <= field_lanes::kMaxLaneText ? field_lanes::CopyText(field.data, field.length, out) : -1;
  if (n < 0) return DecodeTextByBytes(field, read_table, out);
  if (read_table != nullptr) Translate(out, n, read_table);
  out[n] = '\0';
  return n != 0;
}

// A number field the lanes decline. The plain-decimal pass also answers the
// null test, so most numbers are read once; only other texts go on to the
// general parser, and only when the value is wanted.
[[gnu::noinline]] bool DecodeNumberByBytes(FieldBytes field, void* value) {
  double number = 0;
  const PlainNumber kind = ParsePlainDecimal(field, &number);
  if (value != nullptr) {
    if (kind == PlainNumber::kOther) ParseGeneralNumber(field, &number);
    *static_cast<double*>(value) = number;
  }
  return kind != PlainNumber::kBlank;
}

// Numbers of the common shape are read by the lanes without a call or a
// stack frame; the rest go to the byte pass.
bool DecodeNumberField(FieldBytes field, const uint8_t* /*read_table*/, void* value) {
  double number = 0;
  const PlainNumber kind = ReadDecimalByLanes(field, &number);
  if (kind == PlainNumber::kOther) return DecodeNumberByBytes(field, value);
  if (value != nullptr) *static_cast<double*>(value) = number;
  return kind == PlainNumber::kExact;
}

bool DecodeDateField(FieldBytes field, const uint8_t* /*read_table*/, void* value) {
  if (field.length < 8 || LengthWithoutTrailingSpaces(field) == 0) return false;
  if (value != nullptr) *static_cast<int32_t*>(value) = DecodeDateDigits(field.data);
  return true;
}

bool DecodeLogicalField(FieldBytes field, const uint8_t* /*read_table*/, void* value) {
  if (field.length < 1 || field.data[0] == ' ') return false;
  const char c = field.data[0];
  if (value != nullptr) *static_cast<int16_t*>(value) = (c == 'T' || c == 'Y') ? -1 : 0;
  return true;
}

bool DecodeBlockField(FieldBytes field, const uint8_t* /*read_table*/, void* value) {
  int32_t block;
  ParseBlockNumber(field, &block);
  if (value != nullptr) *static_cast<int32_t*>(value) = block;
  return !AllSpaces(field);
}

bool DecodeIntegerField(FieldBytes field, const uint8_t* /*read_table*/, void* value) {
  if (field.length < 4 || AllZero(field) || AllSpaces(field)) return false;
  if (value != nullptr) *static_cast<int32_t*>(value) = static_cast<int32_t>(LoadBigEndian32(field.data) - kIntegerBias);
  return true;
}

bool DecodeDateTimeField(FieldBytes field, const uint8_t* /*read_table*/, void* value) {
  if (field.length < 8 || AllZero(field) || AllSpaces(field)) return false;
  if (value != nullptr) ReverseCopy8(field.data, value);
  return true;
}

// The value kind is one double, whatever length the descriptor claims.
bool DecodeDoubleField(FieldBytes field, const uint8_t* /*read_table*/, void* value) {
  if (value != nullptr) {
    double number = 0;
    std::memcpy(&number, field.data, std::min<size_t>(sizeof number, static_cast<size_t>(field.length)));
    *static_cast<double*>(value) = number;
  }
  return !AllSpaces(field);
}

bool DecodeRawField(FieldBytes field, const uint8_t* /*read_table*/, void* value) {
  if (value != nullptr) std::memcpy(value, field.data, static_cast<size_t>(field.length));
  return !AllSpaces(field);
}

}  // namespace

FieldRule RuleOfLetter(char letter) {
  switch (letter) {
    case 'C': return FieldRule::kText;
    case 'N': case 'F': return FieldRule::kNumber;
    case 'O': return FieldRule::kDouble;
    case 'D': return FieldRule::kDate;
    case 'L': return FieldRule::kLogical;
    case 'M': case 'B': case 'P': return FieldRule::kBlock;
    case 'I': case '+': return FieldRule::kInteger;
    case '@': return FieldRule::kDateTime;
    default: return FieldRule::kRaw;
  }
}

TFieldType DataTypeOfLetter(char letter) {
  switch (letter) {
    case 'C': return ftString;
    case 'N': case 'F': case 'O': return ftFloat;
    case 'D': return ftDate;
    case 'L': return ftBoolean;
    case 'M': return ftMemo;
    case 'B': return ftTypedBinary;
    case 'P': return ftGraphic;
    case 'G': return ftDBaseOle;
    case 'I': return ftInteger;
    case '+': return ftAutoInc;
    case '@': return ftDateTime;
    case 'T': return ftTime;
    case 'Y': return ftCurrency;
    default: return ftUnknown;
  }
}

bool AllSpaces(FieldBytes field) {
  // From the end: numbers are right-aligned, so a stored one stops the scan
  // at its first step.
  return LengthWithoutTrailingSpaces(field) == 0;
}

bool ParseNumberText(FieldBytes text, double* value) {
  switch (ReadPlainNumber(text, value)) {
    case PlainNumber::kExact: return true;
    case PlainNumber::kBlank: *value = 0; return false;
    case PlainNumber::kOther: break;
  }
  return ParseGeneralNumber(text, value);
}

void FormatNumberText(double value, int width, int decimals, char* out) {
  char text[64];
  for (int d = decimals < 0 ? 0 : decimals; d >= 0; --d) {
    int n;
    double scaled = std::fabs(value) * kExactPowersOfTen[d > 22 ? 22 : d];
    if (d <= 22 && scaled < 9007199254740992.0) {
      // Fast path: round the scaled value half away from zero and write its digits.
      uint64_t units = static_cast<uint64_t>(scaled + 0.5);
      char digits[24];
      int nd = 0;
      do {
        digits[nd++] = static_cast<char>('0' + units % 10);
        units /= 10;
      } while (units != 0);
      while (nd <= d) digits[nd++] = '0';
      n = 0;
      bool is_zero = true;
      for (int i = 0; i < nd; ++i) is_zero = is_zero && digits[i] == '0';
      if (value < 0 && !is_zero) text[n++] = '-';
      for (int i = nd - 1; i >= 0; --i) {
        text[n++] = digits[i];
        if (i == d && d > 0) text[n++] = '.';
      }
    } else {
      n = std::snprintf(text, sizeof text, "%.*f", d, value);
      if (n < 0 || n >= static_cast<int>(sizeof text)) continue;
    }
    if (n <= width) {
      std::memset(out, ' ', static_cast<size_t>(width - n));
      std::memcpy(out + width - n, text, static_cast<size_t>(n));
      return;
    }
  }
  std::memset(out, '*', static_cast<size_t>(width));
}

FieldDecoder DecoderOfRule(FieldRule rule) {
  switch (rule) {
    case FieldRule::kText: return DecodeTextField;
    case FieldRule::kNumber: return DecodeNumberField;
    case FieldRule::kDate: return DecodeDateField;
    case FieldRule::kLogical: return DecodeLogicalField;
    case FieldRule::kBlock: return DecodeBlockField;
    case FieldRule::kInteger: return DecodeIntegerField;
    case FieldRule::kDateTime: return DecodeDateTimeField;
    case FieldRule::kDouble: return DecodeDoubleField;
    case FieldRule::kRaw: return DecodeRawField;
  }
  return DecodeRawField;
}

bool DecodeField(FieldRule rule, FieldBytes field, const uint8_t* read_table, void* value) {
  return DecoderOfRule(rule)(field, read_table, value);
}

void EncodeField(FieldRule rule, char* field, int length, int decimals, const uint8_t* write_table,
                 const void* value) {
  std::memset(field, ' ', static_cast<size_t>(length));
  if (value == nullptr) {
    if (rule == FieldRule::kInteger || rule == FieldRule::kDateTime) std::memset(field, 0, static_cast<size_t>(length));
    return;
  }
  switch (rule) {
    case FieldRule::kText: {
      const char* text = static_cast<const char*>(value);
      size_t n = strnlen(text, static_cast<size_t>(length));
      if (write_table == nullptr) {
        std::memcpy(field, text, n);
      } else {
        for (size_t i = 0; i < n; ++i) field[i] = static_cast<char>(write_table[static_cast<unsigned char>(text[i])]);
      }
      return;
    }
    case FieldRule::kNumber:
      FormatNumberText(*static_cast<const double*>(value), length, decimals, field);
      return;
    case FieldRule::kDate:
      EncodeDateDigits(*static_cast<const int32_t*>(value), field, length);
      return;
    case FieldRule::kLogical:
      field[0] = *static_cast<const int16_t*>(value) != 0 ? 'T' : 'F';
      return;
    case FieldRule::kBlock: {
      int32_t block = *static_cast<const int32_t*>(value);
      if (block > 0) EncodeBlockNumber(block, field, length);
      return;
    }
    case FieldRule::kInteger:
      if (length >= 4)
        StoreBigEndian32(static_cast<uint32_t>(*static_cast<const int32_t*>(value)) + kIntegerBias, field);
      return;
    case FieldRule::kDateTime:
      if (length >= 8) ReverseCopy8(value, field);
      return;
    case FieldRule::kDouble:
      std::memcpy(field, value, std::min<size_t>(sizeof(double), static_cast<size_t>(length)));
      return;
    case FieldRule::kRaw:
      std::memcpy(field, value, static_cast<size_t>(length));
      return;
  }
}

}  // namespace zarn

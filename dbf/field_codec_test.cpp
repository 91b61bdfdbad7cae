#include "dbf/field_codec.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

namespace zarn {
namespace {

// A field in a heap block of exactly its size, so that a sanitizer build
// reports any read past its end; it converts to the codec's FieldBytes.
class Bytes {
 public:
  explicit Bytes(const std::string& s) : data_(new char[s.size()]), size_(static_cast<int>(s.size())) {
    std::memcpy(data_.get(), s.data(), s.size());
  }
  operator FieldBytes() const { return {data_.get(), size_}; }

 private:
  std::unique_ptr<char[]> data_;
  int size_;
};

TEST(NumberText, ParsesRightAlignedDecimalsAndRejectsGarbage) {
  struct Case {
    std::string text;
    bool ok;
    double value;
  } cases[] = {
      {"             3.1416", true, 3.1416},
      {"  -12.50", true, -12.5},
      {"42", true, 42},
      {"12   ", true, 12},  // left-aligned numbers of other writers
      {" 1.5E3", true, 1500},
      {"abc", false, 0},
      {"1.2.3", false, 0},
      {"", false, 0},
      {"12345678901234567890", true, 12345678901234567890.0},  // beyond the exact fast path
      {"0.1", true, 0.1},
      {"  0", true, 0},
      {"-0.050", true, -0.05},
      {".", false, 0},
      {"-", false, 0},
      {"1.", true, 1},
  };
  for (const Case& c : cases) {
    double v = -1;
    EXPECT_EQ(ParseNumberText(Bytes(c.text), &v), c.ok) << c.text;
    EXPECT_DOUBLE_EQ(v, c.value) << c.text;
  }
}

TEST(NumberText, FormatsFixedRightAlignedAndNeverStoresACutNumber) {
  struct Case {
    double value;
    int width, decimals;
    std::string text;
  } cases[] = {
      {3.14159, 19, 4, "             3.1416"},
      {-2.5, 8, 2, "   -2.50"},
      {7, 6, 0, "     7"},
      {0.125, 5, 2, " 0.13"},        // half away from zero
      {-0.00001, 7, 2, "   0.00"},   // no negative zero
      {123456.789, 8, 2, "123456.8"},  // gives up decimals to fit
      {1234567, 5, 0, "*****"},      // does not fit at all
      {1e20, 25, 2, "100000000000000000000.00"},
  };
  for (const Case& c : cases) {
    std::string out(static_cast<size_t>(c.width), '?');
    FormatNumberText(c.value, c.width, c.decimals, out.data());
    EXPECT_EQ(out, std::string(static_cast<size_t>(c.width) - c.text.size(), ' ') + c.text) << c.value;
  }
}

// Decoding by letter: value and null flag for stored bytes.
TEST(FieldCodec, DecodesEachLetterWithItsNullRule) {
  double d = -1;
  EXPECT_FALSE(DecodeField(FieldRule::kNumber, Bytes("     "), nullptr, &d));
  EXPECT_TRUE(DecodeField(FieldRule::kNumber, Bytes("  abc"), nullptr, &d));
  EXPECT_EQ(d, 0);

  int16_t flag = 5;
  EXPECT_TRUE(DecodeField(FieldRule::kLogical, Bytes("T"), nullptr, &flag));
  EXPECT_EQ(flag, -1);
  EXPECT_TRUE(DecodeField(FieldRule::kLogical, Bytes("N"), nullptr, &flag));
  EXPECT_EQ(flag, 0);
  EXPECT_TRUE(DecodeField(FieldRule::kLogical, Bytes("t"), nullptr, nullptr));  // no value, not null
  EXPECT_TRUE(DecodeField(FieldRule::kLogical, Bytes("?"), nullptr, nullptr));
  EXPECT_FALSE(DecodeField(FieldRule::kLogical, Bytes(" "), nullptr, nullptr));

  int32_t i = 0;
  EXPECT_TRUE(DecodeField(FieldRule::kInteger, Bytes(std::string("\x80\x00\x00\x01", 4)), nullptr, &i));
  EXPECT_EQ(i, 1);
  EXPECT_TRUE(DecodeField(FieldRule::kInteger, Bytes(std::string("\x7F\xFF\xFF\xFF", 4)), nullptr, &i));
  EXPECT_EQ(i, -1);
  EXPECT_FALSE(DecodeField(FieldRule::kInteger, Bytes(std::string(4, '\0')), nullptr, &i));

  int32_t day = 0;
  EXPECT_TRUE(DecodeField(FieldRule::kDate, Bytes("20240229"), nullptr, &day));
  EXPECT_EQ(DayNumberToDateTime(day), EncodeDate(2024, 2, 29));
  EXPECT_TRUE(DecodeField(FieldRule::kDate, Bytes("20230229"), nullptr, &day));  // invalid: not null
  EXPECT_EQ(day, 0);
  EXPECT_FALSE(DecodeField(FieldRule::kDate, Bytes("        "), nullptr, &day));

  char text[11];
  EXPECT_TRUE(DecodeField(FieldRule::kText, Bytes("Brno\xE8  \0xx"), nullptr, text));
  EXPECT_STREQ(text, "Brno\xE8");
  EXPECT_FALSE(DecodeField(FieldRule::kText, Bytes("      "), nullptr, text));
  EXPECT_STREQ(text, "");

  int32_t block = -1;
  EXPECT_TRUE(DecodeField(FieldRule::kBlock, Bytes("        12"), nullptr, &block));
  EXPECT_EQ(block, 12);
  EXPECT_FALSE(DecodeField(FieldRule::kBlock, Bytes("          "), nullptr, &block));
  EXPECT_EQ(block, 0);
}

// Date fields are counted by the engine's own tables; every date of the
// years 1 to 9999 must give the day of the platform's calendar, and texts
// that are no date must give 0 without being null.
TEST(FieldCodec, DateDigitsGiveThePlatformCalendarsDay) {
  char digits[9];
  for (int year = 1; year <= 9999; ++year) {
    for (int month = 1; month <= 12; ++month) {
      for (int day = 1; day <= 31; ++day) {
        std::snprintf(digits, sizeof digits, "%04d%02d%02d", year, month, day);
        const std::optional<TDateTime> expected = TryEncodeDate(year, month, day);
        int32_t got = -1;
        ASSERT_TRUE(DecodeField(FieldRule::kDate, Bytes(digits), nullptr, &got)) << digits;
        ASSERT_EQ(got, expected ? DateTimeToDayNumber(*expected) : 0) << digits;
      }
    }
  }
  for (const char* text : {"00000101", "20241301", "20240100", "19000229", "2024 229", "2024-2-9", "abcdefgh"}) {
    int32_t got = -1;
    EXPECT_TRUE(DecodeField(FieldRule::kDate, Bytes(text), nullptr, &got)) << text;
    EXPECT_EQ(got, 0) << text;
  }
}

// Stored numbers read exactly as the general decimal parser reads their
// text, whatever the padding, sign, digits and decimals.
TEST(FieldCodec, NumbersReadAsTheGeneralParserReadsThem) {
  const std::string texts[] = {"0", "-0", "7", "-7", "123.45", "-123.45", "0.001", "-.5", "5.", "007.50",
                               "999999999999999", "99999999999999.9", "0.000000000000001", "123456789.123456",
                               "1.5E3", "-2e-2", "1234567890123456789"};
  for (const std::string& text : texts) {
    for (const char* padding : {"", " ", "        ", "             "}) {
      for (bool left : {false, true}) {
        const std::string field = left ? text + padding : padding + text;
        double expected = 0;
        std::from_chars(text.data(), text.data() + text.size(), expected);
        double got = -1;
        EXPECT_TRUE(DecodeField(FieldRule::kNumber, Bytes(field), nullptr, &got)) << '"' << field << '"';
        EXPECT_EQ(got, expected) << '"' << field << '"';
      }
    }
  }
}

// The bits of a parsed value, so that -0 and 0 differ.
uint64_t Bits(double v) { return std::bit_cast<uint64_t>(v); }

// What the general parser makes of a number text without its padding:
// nullopt when it does not take the whole text.
std::optional<double> Reference(const std::string& text) {
  double v = 0;
  auto [stop, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || stop != text.data() + text.size() || text.empty()) return std::nullopt;
  return v;
}

// Checks one number text in a field, padded on either side, through both
// ParseNumberText and DecodeField.
void ExpectReadsAsReference(const std::string& text) {
  const std::optional<double> expected = Reference(text);
  for (const std::string& field : {text, "   " + text, "          " + text, text + "  ", " " + text + " "}) {
    double parsed = -1;
    EXPECT_EQ(ParseNumberText(Bytes(field), &parsed), expected.has_value()) << '"' << field << '"';
    EXPECT_EQ(Bits(parsed), Bits(expected.value_or(0))) << '"' << field << '"';
    double decoded = -1;
    EXPECT_TRUE(DecodeField(FieldRule::kNumber, Bytes(field), nullptr, &decoded)) << '"' << field << '"';
    EXPECT_EQ(Bits(decoded), Bits(expected.value_or(0))) << '"' << field << '"';
  }
}

TEST(NumberText, TableOfTextsReadsAsTheGeneralParser) {
  const std::string texts[] = {
      // signs, points and zeros
      "0", "-0", "-0.0", "0.", "-.5", ".5", "5.", "007.50", "-000", "00000000000000000000001.25",
      // refused forms
      ".", "-", "-.", "+1", "--1", "1-", "1.2.3", "1 2", "1,5", "0x10", "1e", "abc",
      // 15 to 17 significant digits
      "123456789012345", "12345678901234.5", "0.123456789012345", "-999999999999999",
      "1234567890123456", "0.1234567890123456", "12345678901234567", "1.2345678901234567",
      "0.30000000000000004", "9.999999999999999", "99999999999999.99",
      // around the largest exact mantissa
      "9007199254740991", "9007199254740992", "9007199254740993", "900719925474099.3", "-9007199254740993",
      // up to and beyond the digits that fit 64 bits
      "1234567890123456789", "9999999999999999999", "18446744073709551615", "18446744073709551617",
      "0.0000000000000000001", "0.00000000000000000001", "12345678901234567890123456789012345678901234567890",
      "0.12345678901234567890123456789", "-98765432109876543210.0123456789",
      // exponents and values the general parser cannot hold
      "1.5E3", "-2e-2", "1e308", "1e400", "1e-400", "inf", "nan",
  };
  for (const std::string& text : texts) ExpectReadsAsReference(text);
}

// Plain decimals of 1 to 20 digits with the point anywhere, from a fixed
// sequence: every conversion must round as the general parser rounds.
TEST(NumberText, GeneratedDecimalsReadAsTheGeneralParser) {
  uint64_t state = 0x9E3779B97F4A7C15ull;
  auto next = [&state] {
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    return state >> 33;
  };
  for (int i = 0; i < 20000; ++i) {
    const int digits = 1 + static_cast<int>(next() % 20);
    std::string text = next() % 2 ? "-" : "";
    const int point = static_cast<int>(next() % static_cast<uint64_t>(digits + 1));
    for (int k = 0; k < digits; ++k) {
      if (k == point) text += '.';
      text += static_cast<char>('0' + next() % 10);
    }
    ExpectReadsAsReference(text);
  }
}

// What a text field reads as: up to its first zero byte, trailing spaces
// cut; null when it holds spaces alone.
std::string TextOfField(const std::string& field) {
  std::string text = field.substr(0, field.find('\0'));
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

// Fields are read in lanes of 4, 8 and 16 bytes and in overlapping loads
// at their ends; every split of a field of 1 to 70 bytes into text and
// spaces, on either side, and a zero byte at every place, must read as the
// byte rule says. The value buffers are exactly length + 1 bytes.
TEST(FieldCodec, PaddingOfEveryLengthIsCutExactly) {
  for (int length = 1; length <= 70; ++length) {
    const auto out = std::make_unique<char[]>(static_cast<size_t>(length) + 1);
    auto expect_text = [&](const std::string& field) {
      const bool not_null = field.find_first_not_of(' ') != std::string::npos;
      EXPECT_EQ(DecodeField(FieldRule::kText, Bytes(field), nullptr, out.get()), not_null) << '"' << field << '"';
      EXPECT_EQ(std::string(out.get()), TextOfField(field)) << '"' << field << '"';
    };
    for (int used = 0; used <= length; ++used) {
      std::string text;
      for (int i = 0; i < used; ++i) text += i % 5 == 3 ? ' ' : static_cast<char>('a' + i % 26);
      const std::string padding(static_cast<size_t>(length - used), ' ');
      expect_text(text + padding);
      expect_text(padding + text);
      const std::string digits(static_cast<size_t>(used), '7');
      double number = -1;
      EXPECT_EQ(DecodeField(FieldRule::kNumber, Bytes(padding + digits), nullptr, &number), used > 0);
      EXPECT_EQ(number, used > 0 ? *Reference(digits) : 0) << length << ' ' << used;
    }
    for (int zero_at = 0; zero_at < length; ++zero_at) {
      std::string field = std::string(static_cast<size_t>(length / 2), 'x') + std::string(static_cast<size_t>(length - length / 2), ' ');
      field[static_cast<size_t>(zero_at)] = '\0';
      expect_text(field);
    }
  }
}

TEST(FieldCodec, EncodesAndDecodesBackForEveryRule) {
  char field[16];
  double pi = 3.14159;
  EncodeField(FieldRule::kNumber, field, 19 - 3, 4, nullptr, &pi);  // 16 wide
  EXPECT_EQ(std::string(field, 16), "          3.1416");

  int32_t minus_two = -2;
  EncodeField(FieldRule::kInteger, field, 4, 0, nullptr, &minus_two);
  EXPECT_EQ(std::string(field, 4), std::string("\x7F\xFF\xFF\xFE", 4));
  EncodeField(FieldRule::kInteger, field, 4, 0, nullptr, nullptr);
  EXPECT_EQ(std::string(field, 4), std::string(4, '\0'));

  double moment = 45000.5;
  EncodeField(FieldRule::kDateTime, field, 8, 0, nullptr, &moment);
  double back = 0;
  EXPECT_TRUE(DecodeField(FieldRule::kDateTime, {field, 8}, nullptr, &back));
  EXPECT_EQ(back, moment);
  EXPECT_EQ(static_cast<unsigned char>(field[7]), reinterpret_cast<unsigned char*>(&moment)[0]);

  int32_t day = DateTimeToDayNumber(EncodeDate(1999, 11, 11));
  EncodeField(FieldRule::kDate, field, 8, 0, nullptr, &day);
  EXPECT_EQ(std::string(field, 8), "19991111");

  int16_t yes = -1;
  EncodeField(FieldRule::kLogical, field, 1, 0, nullptr, &yes);
  EXPECT_EQ(field[0], 'T');

  EncodeField(FieldRule::kText, field, 6, 0, nullptr, "abcdefghij");  // cut to the field
  EXPECT_EQ(std::string(field, 6), "abcdef");
  EncodeField(FieldRule::kText, field, 6, 0, nullptr, nullptr);
  EXPECT_EQ(std::string(field, 6), "      ");

  int32_t block = 7;
  EncodeField(FieldRule::kBlock, field, 10, 0, nullptr, &block);
  EXPECT_EQ(std::string(field, 10), "         7");
}

// A damaged O descriptor may claim any length; the value stays one double.
TEST(FieldCodec, DoubleFieldsOfOtherLengthsFillExactlyOneDouble) {
  double stored = 12.75;
  std::string field(reinterpret_cast<const char*>(&stored), 8);
  struct {
    double value;
    double guard;
  } out{0, 42};
  EXPECT_TRUE(DecodeField(FieldRule::kDouble, Bytes(field + "xyzw"), nullptr, &out.value));
  EXPECT_EQ(out.value, 12.75);
  EXPECT_EQ(out.guard, 42);
  char short_field[4];
  EncodeField(FieldRule::kDouble, short_field, 4, 0, nullptr, &stored);
  EXPECT_EQ(std::string(short_field, 4), field.substr(0, 4));
}

TEST(FieldCodec, TranslatesTextThroughTheTables) {
  uint8_t upper[256];
  for (int i = 0; i < 256; ++i) upper[i] = static_cast<uint8_t>(i >= 'a' && i <= 'z' ? i - 32 : i);
  char field[5];
  EncodeField(FieldRule::kText, field, 5, 0, upper, "abc");
  EXPECT_EQ(std::string(field, 5), "ABC  ");
  char text[6];
  DecodeField(FieldRule::kText, {"xy   ", 5}, upper, text);
  EXPECT_STREQ(text, "XY");
}

}  // namespace
}  // namespace zarn

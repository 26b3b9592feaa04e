#include "framework/Text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace fw {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr Integer kMax = std::numeric_limits<Integer>::max();
constexpr Integer kMin = std::numeric_limits<Integer>::min();
const std::string kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// Bytes with NULs in them, which a string literal would cut.
std::string Bytes(std::initializer_list<unsigned char> bytes) {
  return std::string(bytes.begin(), bytes.end());
}

TEST(TextNumbers, StrOfIntegerIsPlainDecimal) {
  struct Case {
    Integer value;
    const char* text;
  };
  const Case cases[] = {{0, "0"},
                        {55, "55"},
                        {-42, "-42"},
                        {kMax, "9223372036854775807"},
                        {kMin, "-9223372036854775808"}};
  for (const Case& c : cases) {
    EXPECT_EQ(Str(c.value), c.text);
    EXPECT_EQ(Int64ToString(c.value), c.text);
  }
  // Plain int and the standard 64-bit type pick the integer form, not the Double one.
  EXPECT_EQ(Str(5), "5");
  EXPECT_EQ(Str(std::int64_t{1} << 62), "4611686018427387904");
  EXPECT_EQ(Hex(255), "FF");
}

TEST(TextNumbers, StrOfDoubleIsShortestFixedText) {
  struct Case {
    double value;
    std::string text;
  };
  const std::vector<Case> cases = {
      {9.0, "9"},
      {255.0, "255"},
      {3.5, "3.5"},
      {0.1, "0.1"},
      {-2.5, "-2.5"},
      {0.1 + 0.2, "0.30000000000000004"},
      {2.0 / 3.0, "0.6666666666666666"},
      {1e-7, "0.0000001"},
      {1.5e20, "150000000000000000000"},
      // Shortest digits, not the exact binary value 99999999999999991611392.
      {1e23, "100000000000000000000000"},
      {std::numeric_limits<double>::max(), "17976931348623157" + std::string(292, '0')},
      {-0.0, "0"},
      {kInf, "INF"},
      {-kInf, "-INF"},
      {kNaN, "NaN"},
      {-kNaN, "NaN"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Str(c.value), c.text) << c.value;
    EXPECT_EQ(DoubleToString(c.value), c.text) << c.value;
  }
  // A format is not supported and is treated like the empty one.
  EXPECT_EQ(Str(3.5, "#.00"), "3.5");
}

TEST(TextNumbers, StrOfDoubleReadsBackAndNeverUsesAnExponent) {
  const double values[] = {std::numeric_limits<double>::denorm_min(),
                           std::numeric_limits<double>::min(),
                           std::numeric_limits<double>::max(),
                           -std::numeric_limits<double>::max(),
                           1.0 / 3.0,
                           123456789012345678.0,
                           -1e-300,
                           0x1p64,
                           5e-324 * 3};
  for (double value : values) {
    const std::string text = Str(value);
    EXPECT_EQ(text.find_first_of("eE"), std::string::npos) << text;
    EXPECT_EQ(Val(text), value) << text;
  }
}

// The calculator cuts its display after the first digit behind the point, so a value rounded
// to one decimal must show that digit right after the point and no further digits.
TEST(TextNumbers, StrOfOneDecimalValueHasOneDigitAfterThePoint) {
  for (int tenths = -100000; tenths <= 100000; tenths += 7) {
    const double value = Round(tenths / 10.0 * 10.0) / 10.0;
    const std::string text = Str(value);
    const std::size_t point = text.find('.');
    if (point != std::string::npos) {
      EXPECT_EQ(text.size(), point + 2) << text;
    }
  }
  EXPECT_EQ(Str(Round(0.125 * 10.0) / 10.0), "0.1");
  EXPECT_EQ(Str(Round(3.5 * 10.0) / 10.0), "3.5");
}

TEST(TextNumbers, ValReadsTheLeadingNumber) {
  struct Case {
    std::string text;
    double value;
  };
  const std::vector<Case> cases = {
      {"", 0},
      {"   ", 0},
      {"42", 42},
      {" \t 42", 42},
      {"\n42", 0},  // only spaces and tabs are skipped
      {"-7", -7},
      {"+7", 7},
      {"5.", 5},
      {".5", 0.5},
      {"-.5", -0.5},
      {"3.14", 3.14},
      {"1.5e3", 1500},
      {"1E-2", 0.01},
      {"1e", 1},
      {"1e+", 1},
      {"2.5.3", 2.5},
      {"12abc", 12},
      {"1 2", 1},
      {"1,5", 1},
      {"0x1A", 0},
      {"abc", 0},
      {".", 0},
      {"-", 0},
      {"--5", 0},
      {"+-5", 0},
      {"- 5", 0},
      {"inf", 0},
      {"-nan", 0},
      {"infinity", 0},
      {"\xD9\xA1", 0},  // ARABIC-INDIC DIGIT ONE is not a decimal digit here
      {"1e400", kInf},
      {"-1e400", -kInf},
      {"1" + std::string(400, '0'), kInf},
      {"1e99999999999999999999999999", kInf},
      {"1e-400", 0},
      {"0." + std::string(400, '0') + "1", 0},
      {"0e999999", 0},
      {"&hff", 255},
      {"&HFF", 255},
      {"&hFf", 255},
      {"  &h10", 16},
      {"&h1g", 1},
      {"&h", 0},
      {"&hg", 0},
      {"&h ff", 0},
      {"-&hff", 0},
      {"&hFFFFFFFFFFFFF800", 18446744073709549568.0},
      {"&hFFFFFFFFFFFFFFFF", 0x1p64},  // rounded to the nearest Double
      {"&h" + std::string(1000, '0') + "1", 1},
      {"&h" + std::string(300, 'f'), kInf},
      {"&o17", 15},
      {"&O777", 511},
      {"&o8", 0},
      {"&o1" + std::string(30, '0'), 0x1p90},
      {"&b101", 5},
      {"&B11111111", 255},
      {"&b2", 0},
      {"&b1" + std::string(64, '0'), 0x1p64},
      {"&b" + std::string(2000, '1'), kInf},
      {"&x12", 0},
      {"&", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(Val(c.text), c.value) << '"' << c.text << '"';
  EXPECT_TRUE(std::signbit(Val("-1e-400")));
  // A view into a longer buffer is read only up to its end.
  const std::string buffer = "12345";
  EXPECT_EQ(Val(std::string_view(buffer).substr(0, 2)), 12);
  EXPECT_EQ(Val(std::string_view(buffer).substr(0, 0)), 0);
}

TEST(TextNumbers, ConverterExamplesRoundTrip) {
  EXPECT_EQ(Hex(Val("255")), "FF");
  EXPECT_EQ(Str(Val("&hff")), "255");
  EXPECT_EQ(Str(Val("&hFF")), "255");
  EXPECT_EQ(Str(Val("&h")), "0");
  EXPECT_EQ(Hex(Val("")), "0");
  EXPECT_EQ(Hex(Val("&hFFFFFFFFFFFFF800")), "FFFFFFFFFFFFF800");
  EXPECT_EQ(Hex(Val(Str(Val("&hFFFFFFFFFFFFFFFF")))), "FFFFFFFFFFFFFFFF");
}

TEST(TextNumbers, RoundGoesHalfAwayFromZero) {
  struct Case {
    double value;
    double rounded;
  };
  const Case cases[] = {
      {2.5, 3},
      {-2.5, -3},
      {0.5, 1},
      {-0.5, -1},
      {1.25 * 10.0, 13},
      {1.4, 1},
      {-1.6, -2},
      // floor(x + 0.5) gets these two wrong.
      {0.49999999999999994, 0},
      {4503599627370497.0, 4503599627370497.0},
      {kInf, kInf},
      {-kInf, -kInf},
  };
  for (const Case& c : cases) EXPECT_EQ(Round(c.value), c.rounded) << c.value;
  EXPECT_TRUE(std::isnan(Round(kNaN)));
}

TEST(TextNumbers, HexOfInteger) {
  struct Case {
    Integer value;
    const char* text;
  };
  const Case cases[] = {{0, "0"},
                        {55, "37"},
                        {3, "3"},
                        {13, "D"},
                        {28, "1C"},
                        {32, "20"},
                        {97, "61"},
                        {255, "FF"},
                        {63289, "F739"},
                        {-1, "FFFFFFFFFFFFFFFF"},
                        {kMax, "7FFFFFFFFFFFFFFF"},
                        {kMin, "8000000000000000"}};
  for (const Case& c : cases) EXPECT_EQ(Hex(c.value), c.text) << c.value;
}

TEST(TextNumbers, HexOfDoubleTakesTheWholePartAndSaturates) {
  struct Case {
    double value;
    const char* text;
  };
  const Case cases[] = {
      {255.0, "FF"},
      {255.9, "FF"},
      {0.5, "0"},
      {-0.5, "0"},
      {-1.5, "FFFFFFFFFFFFFFFF"},
      {0x1p63, "8000000000000000"},
      {18446744073709549568.0, "FFFFFFFFFFFFF800"},
      {0x1p64, "FFFFFFFFFFFFFFFF"},
      {1e30, "FFFFFFFFFFFFFFFF"},
      {kInf, "FFFFFFFFFFFFFFFF"},
      {-0x1p63, "8000000000000000"},
      {-1e30, "8000000000000000"},
      {-kInf, "8000000000000000"},
      {kNaN, "0"},
  };
  for (const Case& c : cases) EXPECT_EQ(Hex(c.value), c.text) << c.value;
}

TEST(TextBytes, EncodeHexWritesEachByte) {
  struct Case {
    std::string text;
    bool withSpaces;
    const char* hex;
  };
  const std::vector<Case> cases = {
      {"愛", false, "E6849B"},
      {"愛", true, "E6 84 9B"},
      {"A", false, "41"},
      {"A", true, "41"},
      {"a b", false, "612062"},
      {"", false, ""},
      {"", true, ""},
      {Bytes({0x00, 0xFF}), false, "00FF"},  // the bytes as they are, valid or not
  };
  for (const Case& c : cases) EXPECT_EQ(EncodeHex(c.text, c.withSpaces), c.hex) << c.text;
}

TEST(TextBytes, DecodeHexGivesValidText) {
  const std::string r = kReplacement;
  struct Case {
    std::string hex;
    std::string text;
  };
  const std::vector<Case> cases = {
      {"E6849B", "愛"},
      {"e6849b", "愛"},
      {"E6 84 9B", "愛"},
      {"41", "A"},
      {"", ""},
      {"4", ""},      // a last lone digit is left out
      {"414", "A"},
      {"4G1", "A"},   // what is not a hex digit is skipped
      {"zz", ""},
      {"00", Bytes({0x00})},
      {"EFBBBF", "\xEF\xBB\xBF"},  // a byte order mark is kept
      {"F09F9880", "😀"},
      // Bytes that are not UTF-8 become U+FFFD, one each.
      {"E6", r},
      {"E684", r + r},
      {"E68441", r + r + "A"},
      {"FF", r},
      {"C0AF", r + r},          // overlong
      {"EDA080", r + r + r},    // a surrogate
      {"F4908080", r + r + r + r},  // above U+10FFFF
  };
  for (const Case& c : cases) EXPECT_EQ(DecodeHex(c.hex), c.text) << c.hex;
}

TEST(TextBytes, DecodeHexUndoesEncodeHex) {
  const std::string texts[] = {"", "A", "愛", "a愛😀\t", Bytes({'x', 0x00, 'y'}), "\uF739"};
  for (const std::string& text : texts) {
    EXPECT_EQ(DecodeHex(EncodeHex(text, false)), text);
    EXPECT_EQ(DecodeHex(EncodeHex(text, true)), text);
  }
}

TEST(TextChars, AscGivesTheFirstCodePoint) {
  struct Case {
    std::string text;
    Integer code;
  };
  const std::vector<Case> cases = {
      {"", 0},
      {"a", 97},
      {"ab", 97},
      {"7", 55},
      {"\x03", 3},
      {"\r", 13},
      {"\b", 8},
      {"愛", 0x611B},
      {"\uF739", 63289},
      {"😀x", 0x1F600},
      {Bytes({0x00, 'a'}), 0},
      {"\xFF", 0xFFFD},
      {"\xE6\x84", 0xFFFD},
      {"\xE6\x84" "a", 0xFFFD},
  };
  for (const Case& c : cases) EXPECT_EQ(Asc(c.text), c.code) << c.text;
}

TEST(TextChars, ChrGivesTheCharacter) {
  struct Case {
    Integer code;
    std::string text;
  };
  const std::vector<Case> cases = {
      {97, "a"},
      {0x611B, "愛"},
      {0xF739, "\uF739"},
      {0x1F600, "😀"},
      {0x10FFFF, "\xF4\x8F\xBF\xBF"},
      {0xFEFF, "\xEF\xBB\xBF"},
      {0, Bytes({0x00})},
      {-1, kReplacement},
      {0xD800, kReplacement},
      {0xDFFF, kReplacement},
      {0x110000, kReplacement},
      {kMax, kReplacement},
      {kMin, kReplacement},
  };
  for (const Case& c : cases) EXPECT_EQ(Chr(c.code), c.text) << c.code;
  for (Integer code : {1, 127, 128, 0x7FF, 0x800, 0xFFFF, 0x10000, 0x10FFFF})
    EXPECT_EQ(Asc(Chr(code)), code);
}

TEST(TextChars, LenCountsCharacters) {
  struct Case {
    std::string text;
    Integer length;
  };
  const std::vector<Case> cases = {
      {"", 0},
      {"abc", 3},
      {"愛", 1},
      {"a愛😀", 3},
      {Bytes({'a', 0x00, 'b'}), 3},
      {"\xEF\xBB\xBF", 1},
      {"\xFF", 1},
      {"\xE6\x84", 2},
  };
  for (const Case& c : cases) EXPECT_EQ(Len(c.text), c.length) << c.text;
}

TEST(TextChars, LeftAndRightClampTheirCounts) {
  const std::string r = kReplacement;
  struct Case {
    std::string text;
    Integer count;
    std::string left;
    std::string right;
  };
  const std::vector<Case> cases = {
      {"abc", 2, "ab", "bc"},
      {"abc", 0, "", ""},
      {"abc", -5, "", ""},
      {"abc", 99, "abc", "abc"},
      {"abc", kMax, "abc", "abc"},
      {"abc", kMin, "", ""},
      {"", 3, "", ""},
      {"a愛😀", 2, "a愛", "愛😀"},
      {"a愛😀", 1, "a", "😀"},
      {"005", 2, "00", "05"},  // the colour text's two digits
      {"00FF", 2, "00", "FF"},
      {"\xFFxy\xFE", 1, r, r},  // invalid bytes come out as U+FFFD
      {"\uFEFFab\uFEFF", 1, "\uFEFF", "\uFEFF"},  // a byte order mark is a character too
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Left(c.text, c.count), c.left) << c.text << ' ' << c.count;
    EXPECT_EQ(Right(c.text, c.count), c.right) << c.text << ' ' << c.count;
  }
  // The calculator's backspace.
  EXPECT_EQ(Left("3.", Len("3.") - 1), "3");
  EXPECT_EQ(Left("12", Len("12") - 1), "1");
}

TEST(TextChars, InStrAndIndexOfCountCharacters) {
  struct Case {
    std::string haystack;
    std::string needle;
    Integer index;  // 0-based; InStr is one more
  };
  const std::vector<Case> cases = {
      {"3.14", ".", 1},
      {"314", ".", -1},
      {"", ".", -1},
      {"abc", "", 0},
      {"", "", 0},
      {"a愛b", "b", 2},  // 4 in bytes
      {"😀😀x", "x", 2},
      {"0123456789", "7", 7},
      {"0123456789", "70", -1},
      {"abc", "abcd", -1},
      {"aXbXc", "Xc", 3},
      {"0123456789abcdefABCDEF", "e", 14},
      {"0123456789abcdefABCDEF", "g", -1},
      {"0123456789abcdefABCDEF", "\b", -1},
      {"\xFF" "a", "a", 1},
      {"\xFF\xFE", "\xFE", 0},  // both read as U+FFFD
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IndexOf(c.haystack, c.needle), c.index) << c.haystack << " / " << c.needle;
    EXPECT_EQ(InStr(c.haystack, c.needle), c.index + 1) << c.haystack << " / " << c.needle;
  }
}

TEST(TextChars, CompareTextOrdersByCodePoints) {
  struct Case {
    std::string a;
    std::string b;
    int sign;
  };
  const std::vector<Case> cases = {
      {"a", "b", -1},
      {"a", "a", 0},
      {"", "", 0},
      {"", "a", -1},
      {"ab", "a", 1},
      {"10", "9", -1},
      {"a", "A", 1},          // case matters
      {"é", "z", 1},          // no locale collation
      {"😀", "\uFFFF", 1},    // code points, not UTF-16 units
      {"\uF739", "9", 1},
      {"\xFF", "\uFFFD", 0},  // an invalid byte reads as U+FFFD
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CompareText(c.a, c.b), c.sign) << c.a << " / " << c.b;
    EXPECT_EQ(CompareText(c.b, c.a), -c.sign) << c.b << " / " << c.a;
  }
}

// The calculator's digit class: a key that compares neither below "0" nor above "9".
TEST(TextChars, DigitClassByComparison) {
  auto isDigitKey = [](std::string_view key) {
    return CompareText(key, "0") >= 0 && CompareText(key, "9") <= 0;
  };
  for (const char* key : {"0", "5", "9"}) EXPECT_TRUE(isDigitKey(key)) << key;
  for (const char* key : {"", ".", "/", ":", "a", "\r", "\uF739", "٥"})
    EXPECT_FALSE(isDigitKey(key)) << key;
}

}  // namespace
}  // namespace fw

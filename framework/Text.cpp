#include "framework/Text.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QChar>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringDecoder>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>

namespace fw {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Every invalid byte becomes one U+FFFD. Stateless, so a sequence cut at the end is decoded
// now rather than held back; a leading byte order mark is a character like any other.
QString DecodeUtf8(std::string_view text) {
  QStringDecoder decoder(QStringDecoder::Utf8,
                         QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
  return decoder(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
}

std::string ToStd(const QByteArray& bytes) {
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

std::u32string CodePoints(std::string_view text) {
  const QList<uint> ucs4 = DecodeUtf8(text).toUcs4();
  return std::u32string(ucs4.begin(), ucs4.end());
}

// Built a character at a time: QString::fromUcs4 would drop a leading U+FEFF as a byte order
// mark. The code points are all valid here.
std::string FromCodePoints(std::u32string_view codePoints) {
  QString text;
  text.reserve(static_cast<qsizetype>(codePoints.size()));
  for (const char32_t c : codePoints) {
    if (QChar::requiresSurrogates(c)) {
      text += QChar(QChar::highSurrogate(c));
      text += QChar(QChar::lowSurrogate(c));
    } else {
      text += QChar(static_cast<char16_t>(c));
    }
  }
  return ToStd(text.toUtf8());
}

std::string UpperHex(std::uint64_t value) {
  char buffer[16];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, 16);
  std::string text(buffer, result.ptr);
  std::transform(text.begin(), text.end(), text.begin(),
                 [](char c) { return c >= 'a' && c <= 'f' ? static_cast<char>(c - 'a' + 'A') : c; });
  return text;
}

// The decimal exponent of the leading non-zero digit of a decimal number that from_chars found
// out of range: positive means too large, negative too small. The exponent saturates, so a
// number with any count of exponent digits is judged right.
long long MagnitudeOf(const char* first, const char* last) {
  const char* mantissaEnd = std::find_if(first, last, [](char c) { return c == 'e' || c == 'E'; });
  const char* point = std::find(first, mantissaEnd, '.');
  const char* lead = std::find_if(first, mantissaEnd, [](char c) { return c >= '1' && c <= '9'; });
  if (lead == mantissaEnd) return 0;
  long long magnitude = lead < point ? (point - lead) - 1 : -(lead - point);
  if (mantissaEnd == last) return magnitude;
  const char* p = mantissaEnd + 1;
  bool negative = false;
  if (p != last && (*p == '+' || *p == '-')) negative = *p++ == '-';
  constexpr long long kCap = 1'000'000'000'000'000LL;
  long long exponent = 0;
  for (; p != last && IsDigit(*p); ++p) exponent = std::min(kCap, exponent * 10 + (*p - '0'));
  return magnitude + (negative ? -exponent : exponent);
}

double ReadDecimal(const char* p, const char* end) {
  bool negative = false;
  if (p != end && (*p == '+' || *p == '-')) negative = *p++ == '-';
  // The number must follow at once: this keeps out a second sign and "inf" or "nan", which
  // from_chars would read.
  const bool startsWell = (p != end && IsDigit(*p)) || (end - p >= 2 && *p == '.' && IsDigit(p[1]));
  if (!startsWell) return 0.0;
  double value = 0.0;
  const auto result = std::from_chars(p, end, value, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    value = MagnitudeOf(p, result.ptr) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  } else if (result.ec != std::errc{}) {
    value = 0.0;
  }
  return negative ? -value : value;
}

// Hex digits as an unsigned whole number, correctly rounded.
double ReadHexDigits(std::string_view digits) {
  if (digits.empty()) return 0.0;
  double value = 0.0;
  const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                      std::chars_format::hex);
  if (result.ec == std::errc::result_out_of_range) return std::numeric_limits<double>::infinity();
  return result.ec == std::errc{} ? value : 0.0;
}

// Octal or binary digits regrouped as hex digits, so that one correctly rounding conversion
// reads all three bases.
std::string RegroupAsHex(std::string_view digits, int bitsPerDigit) {
  std::string hex;
  hex.reserve(digits.size() * bitsPerDigit / 4 + 1);
  const std::size_t bits = digits.size() * static_cast<std::size_t>(bitsPerDigit);
  int filled = static_cast<int>((4 - bits % 4) % 4);  // leading zero bits of the first nibble
  unsigned nibble = 0;
  for (char c : digits) {
    const unsigned digit = static_cast<unsigned>(c - '0');
    for (int bit = bitsPerDigit - 1; bit >= 0; --bit) {
      nibble = (nibble << 1) | ((digit >> bit) & 1u);
      if (++filled == 4) {
        hex += "0123456789abcdef"[nibble];
        nibble = 0;
        filled = 0;
      }
    }
  }
  return hex;
}

std::string_view LeadingRun(std::string_view text, int radix) {
  std::size_t n = 0;
  while (n < text.size()) {
    const int digit = HexDigitValue(text[n]);
    if (digit < 0 || digit >= radix) break;
    ++n;
  }
  return text.substr(0, n);
}

}  // namespace

std::string Str(Integer value) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string Str(double value, std::string_view /*format*/) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  // Qt's shortest round-trip digits, laid out in fixed notation with zeros as needed; it is
  // locale-independent and writes negative zero as "0".
  return QString::number(value, 'f', QLocale::FloatingPointShortest).toStdString();
}

std::string Int64ToString(Integer value) { return Str(value); }

std::string DoubleToString(double value) { return Str(value); }

std::string Hex(Integer value) { return UpperHex(static_cast<std::uint64_t>(value)); }

std::string Hex(double value) {
  if (std::isnan(value)) return "0";
  const double whole = std::trunc(value);
  if (whole < -0x1p63) return "8000000000000000";
  if (whole >= 0x1p64) return "FFFFFFFFFFFFFFFF";
  if (whole >= 0x1p63) return UpperHex(static_cast<std::uint64_t>(whole));
  return Hex(static_cast<Integer>(whole));
}

double Val(std::string_view text) {
  const std::size_t start = text.find_first_not_of(" \t");
  if (start == std::string_view::npos) return 0.0;
  text.remove_prefix(start);
  if (text.size() >= 2 && text[0] == '&') {
    const std::string_view rest = text.substr(2);
    switch (text[1]) {
      case 'h':
      case 'H':
        return ReadHexDigits(LeadingRun(rest, 16));
      case 'o':
      case 'O':
        return ReadHexDigits(RegroupAsHex(LeadingRun(rest, 8), 3));
      case 'b':
      case 'B':
        return ReadHexDigits(RegroupAsHex(LeadingRun(rest, 2), 1));
      default:
        return 0.0;
    }
  }
  return ReadDecimal(text.data(), text.data() + text.size());
}

double Round(double value) { return std::round(value); }

std::string EncodeHex(std::string_view text, bool withSpaces) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string hex;
  hex.reserve(text.size() * 3);
  for (unsigned char byte : text) {
    if (withSpaces && !hex.empty()) hex += ' ';
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 0x0F];
  }
  return hex;
}

std::string DecodeHex(std::string_view hex) {
  std::string bytes;
  bytes.reserve(hex.size() / 2);
  int high = -1;
  for (char c : hex) {
    const int digit = HexDigitValue(c);
    if (digit < 0) continue;
    if (high < 0) {
      high = digit;
    } else {
      bytes += static_cast<char>((high << 4) | digit);
      high = -1;
    }
  }
  return ToStd(DecodeUtf8(bytes).toUtf8());
}

Integer Asc(std::string_view text) {
  // A UTF-8 character is at most 4 bytes long.
  const std::u32string first = CodePoints(text.substr(0, 4));
  return first.empty() ? 0 : static_cast<Integer>(first.front());
}

std::string Chr(Integer codePoint) {
  const bool valid = codePoint >= 0 && codePoint <= 0x10FFFF &&
                     !(codePoint >= 0xD800 && codePoint <= 0xDFFF);
  const char32_t c = valid ? static_cast<char32_t>(codePoint) : U'\uFFFD';
  return FromCodePoints(std::u32string_view(&c, 1));
}

Integer Len(std::string_view text) { return static_cast<Integer>(CodePoints(text).size()); }

std::string Left(std::string_view text, Integer count) {
  if (count <= 0) return {};
  const std::u32string chars = CodePoints(text);
  const auto n = std::min<std::size_t>(chars.size(), static_cast<std::size_t>(count));
  return FromCodePoints(std::u32string_view(chars).substr(0, n));
}

std::string Right(std::string_view text, Integer count) {
  if (count <= 0) return {};
  const std::u32string chars = CodePoints(text);
  const auto n = std::min<std::size_t>(chars.size(), static_cast<std::size_t>(count));
  return FromCodePoints(std::u32string_view(chars).substr(chars.size() - n));
}

Integer IndexOf(std::string_view haystack, std::string_view needle) {
  const std::size_t at = CodePoints(haystack).find(CodePoints(needle));
  return at == std::u32string::npos ? -1 : static_cast<Integer>(at);
}

Integer InStr(std::string_view haystack, std::string_view needle) {
  return IndexOf(haystack, needle) + 1;
}

int CompareText(std::string_view a, std::string_view b) {
  const int order = CodePoints(a).compare(CodePoints(b));
  return (order > 0) - (order < 0);
}

}  // namespace fw

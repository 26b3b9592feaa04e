// Fuzz target for the text functions: any bytes through Val, DecodeHex and the character
// functions must neither crash nor trip a sanitizer, and the results must keep their rules.
#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

#include <cmath>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "framework/Text.h"

namespace {

// Names the failed rule's line, then aborts so that libFuzzer keeps the input.
#define Check(ok) CheckAt((ok), __LINE__)
void CheckAt(bool ok, int line) {
  if (ok) return;
  std::fprintf(stderr, "text_fuzz: the check on line %d failed\n", line);
  std::abort();
}

bool IsValidUtf8(std::string_view text) {
  QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  // The decoder works only when its result becomes a QString.
  const QString decoded = decoder(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
  return !decoder.hasError();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace fw;
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  // Numbers: Val never gives NaN, and Str of what it gives reads back to the same value.
  const double value = Val(text);
  Check(!std::isnan(value));
  const std::string shown = Str(value);
  Check(shown.find_first_of("eE") == std::string::npos);
  if (std::isfinite(value)) Check(Val(shown) == value);
  (void)Hex(value);
  (void)Round(value);

  // Any 8 bytes as a Double, NaN and infinities included, and as an Integer.
  if (size >= 8) {
    double bits;
    std::memcpy(&bits, data, sizeof bits);
    if (std::isfinite(bits)) Check(Val(Str(bits)) == bits);
    (void)Hex(bits);
    Integer whole;
    std::memcpy(&whole, data, sizeof whole);
    Check(Val(Str(whole)) == static_cast<double>(whole));
    Check(IsValidUtf8(Chr(whole)));
    (void)Hex(whole);
  }

  // Bytes: DecodeHex gives valid UTF-8, and undoes EncodeHex for valid text.
  Check(IsValidUtf8(DecodeHex(text)));
  if (IsValidUtf8(text)) {
    Check(DecodeHex(EncodeHex(text, false)) == std::string(text));
    Check(DecodeHex(EncodeHex(text, true)) == std::string(text));
  }

  // Characters: counts are clamped, positions agree, results are valid UTF-8.
  const Integer length = Len(text);
  const Integer count = size > 0 ? static_cast<std::int8_t>(data[0]) : 0;
  const std::string left = Left(text, count);
  const std::string right = Right(text, length - count);
  Check(IsValidUtf8(left) && IsValidUtf8(right));
  const Integer expected = count < 0 ? 0 : (count > length ? length : count);
  Check(Len(left) == expected);
  Check(left + Right(text, length - expected) == Left(text, length));
  const Integer code = Asc(text);
  Check(length == 0 ? code == 0 : Asc(Chr(code)) == code);

  const std::string_view haystack = text.substr(0, size / 2);
  const std::string_view needle = text.substr(size / 2);
  const Integer at = IndexOf(haystack, needle);
  Check(InStr(haystack, needle) == at + 1);
  Check(at >= -1 && at <= Len(haystack));
  if (at >= 0) {
    const std::string found = Left(Right(haystack, Len(haystack) - at), Len(needle));
    Check(CompareText(found, needle) == 0);
  }
  const int order = CompareText(haystack, needle);
  Check(order == -CompareText(needle, haystack));
  Check(CompareText(haystack, haystack) == 0);
  return 0;
}

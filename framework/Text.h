#pragma once
// Text and number functions on UTF-8 text. Positions and lengths count characters (code points),
// not bytes. Bytes that are not valid UTF-8 are read as one U+FFFD each, so every text these
// functions return is valid UTF-8. None of them throws or fails on any input.
#include <concepts>
#include <string>
#include <string_view>

#include "framework/Object.h"

namespace fw {

// Numbers to text.

// Plain decimal: "-42".
std::string Str(Integer value);
// The shortest digits that read back to the same value, in fixed notation, never an exponent:
// "9", "3.5", "0.1", "150000000000000000000"; negative zero gives "0"; "INF", "-INF", "NaN".
// Only the empty format is supported: any other format is treated like the empty one.
std::string Str(double value, std::string_view format = {});
// Any other integer type (int, long, ...) goes through Integer, so Str(5) is not ambiguous.
template <std::integral T>
  requires(!std::same_as<T, bool>)
std::string Str(T value) {
  return Str(static_cast<Integer>(value));
}

// Same as Str(value).
std::string Int64ToString(Integer value);
// Same as Str(value).
std::string DoubleToString(double value);

// Hexadecimal digits in capitals, no prefix, no leading zeros ("0" for 0); a negative value
// as its 64-bit two's complement: Hex(-1) is "FFFFFFFFFFFFFFFF".
std::string Hex(Integer value);
// The whole part (toward zero) of value. Whole parts from -2^63 up to 2^63 - 1 are written as
// Hex(Integer); those from 2^63 up to 2^64 - 1 as their unsigned 64-bit form, so every
// 16-digit hexadecimal text read by Val comes back. Beyond that the result saturates: below
// -2^63 (and -INF) gives "8000000000000000", 2^64 and above (and INF) "FFFFFFFFFFFFFFFF";
// NaN gives "0".
std::string Hex(double value);
template <std::integral T>
  requires(!std::same_as<T, bool>)
std::string Hex(T value) {
  return Hex(static_cast<Integer>(value));
}

// Text to numbers.

// The number at the start of text, after any spaces and tabs:
// - "&h"/"&H" then hexadecimal digits, "&o"/"&O" octal, "&b"/"&B" binary: the digits as an
//   unsigned whole number, correctly rounded to a Double (INF when too large);
// - otherwise the longest decimal number: an optional sign, digits with at most one point
//   ("5." is 5, ".5" is 0.5), an optional exponent ("1e3"; "1e" reads as 1). Too large gives
//   INF or -INF, too small 0.
// Anything else, "&h" with no digits included, gives 0. Never NaN.
double Val(std::string_view text);

// Halfway values round away from zero: Round(2.5) is 3, Round(-2.5) is -3.
double Round(double value);

// Bytes and hex.

// Two capital hex digits for each byte of text ("E6849B" for "愛"); withSpaces puts one space
// between the pairs ("E6 84 9B").
std::string EncodeHex(std::string_view text, bool withSpaces);
// Pairs of hex digits (either case) to bytes; characters that are not hex digits are skipped,
// so the spaced form of EncodeHex reads back too, and a last lone digit is left out. Bytes that
// do not form valid UTF-8 become U+FFFD each.
std::string DecodeHex(std::string_view hex);

// Characters.

// The code point of the first character; 0 for the empty text.
Integer Asc(std::string_view text);
// The character with this code point; a negative value, a surrogate or a value above
// U+10FFFF gives U+FFFD.
std::string Chr(Integer codePoint);
// The number of characters.
Integer Len(std::string_view text);
// The first count characters; a count below 0 gives "", one beyond the length the whole text.
std::string Left(std::string_view text, Integer count);
// The last count characters, clamped like Left.
std::string Right(std::string_view text, Integer count);
// The 1-based character position of the first occurrence of needle, 0 when absent; the empty
// needle is found at 1.
Integer InStr(std::string_view haystack, std::string_view needle);
// The 0-based character position of the first occurrence of needle, -1 when absent; the empty
// needle is found at 0.
Integer IndexOf(std::string_view haystack, std::string_view needle);
// Below 0, 0 or above 0 as a comes before, equals or comes after b, by code points.
int CompareText(std::string_view a, std::string_view b);

}  // namespace fw

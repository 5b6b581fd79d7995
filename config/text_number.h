// Conversions between texts and numbers, and the text search, shared by every
// part of the program. Texts are GBK (code page 936) byte strings.
#pragma once

#include <cmath>
#include <concepts>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace lanzhi {

// True for a byte that starts a GBK double-byte character.
constexpr bool IsGbkLeadByte(unsigned char b) { return b >= 0x81 && b <= 0xFE; }

// Replaces the full-width forms that users type with a Chinese input method by
// their ASCII characters: row A3 (A3A1..A3FE), the ideographic space A1A1, the
// wave dash A1AB and the stars A1EE/A1EF. Other characters are kept as they are.
std::string FoldFullWidth(std::string_view text);

struct ParsedNumber {
  double value = 0.0;
  bool found = false;  // false when the text has no number at its start
};

// Reads a decimal number at the start of the text (after FoldFullWidth):
// white space, sign, digits, decimal point and digits, then an exponent
// introduced by e, E, d or D. Reading stops at the first byte that cannot
// continue the number.
ParsedNumber ParseNumber(std::string_view raw);

// ParseNumber's value; 0 for a text without a number.
double TextToNumber(std::string_view text);

// Every conversion of a clock or user value from floating point to an integer
// goes through here: a plain cast of a value outside the target's range (or of
// NaN) is undefined behaviour. Rounds toward zero, saturates at the ends of the
// range, and gives 0 for NaN.
template <std::integral Int>
Int SaturatingCast(double value) {
  if (std::isnan(value)) return 0;
  // The limits as doubles: min is exact, and max is exact or rounds up to the
  // next power of two, so ">=" and "<=" catch every value a cast cannot hold.
  constexpr auto kMax = static_cast<double>(std::numeric_limits<Int>::max());
  constexpr auto kMin = static_cast<double>(std::numeric_limits<Int>::min());
  if (value >= kMax) return std::numeric_limits<Int>::max();
  if (value <= kMin) return std::numeric_limits<Int>::min();
  return static_cast<Int>(std::trunc(value));
}

// A 32-bit screen coordinate from a number read from a text.
inline std::int32_t SaturateToInt32(double value) { return SaturatingCast<std::int32_t>(value); }

std::string NumberToText(std::int64_t value);
// At most 13 significant digits, no trailing zeros or point; exponent form only
// when the decimal exponent is below -4 or at least 13.
std::string NumberToText(double value);
std::string NumberToText(bool value);

// 1-based byte position of the first match of `needle` in `text` at or after
// `start`, or -1. Matches never begin on the trail byte of a GBK character.
// With `ignoreCase`, ASCII letters match regardless of case.
int TextSearch(std::string_view text, std::string_view needle, int start = 1,
               bool ignoreCase = false);

}  // namespace lanzhi

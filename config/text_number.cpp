#include "config/text_number.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace lanzhi {
namespace {

bool IsSpace(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

unsigned char FoldAscii(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

// Length in bytes of the character that starts at text[i].
std::size_t CharLength(std::string_view text, std::size_t i) {
  return (IsGbkLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ? 2 : 1;
}

}  // namespace

std::string FoldFullWidth(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t len = CharLength(text, i);
    if (len == 2) {
      const auto lead = static_cast<unsigned char>(text[i]);
      const auto trail = static_cast<unsigned char>(text[i + 1]);
      char folded = 0;
      if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
        folded = static_cast<char>(trail - 0x80);  // A3A1 -> '!', ..., A3FE -> '~'
      } else if (lead == 0xA1 && trail == 0xA1) {
        folded = ' ';
      } else if (lead == 0xA1 && trail == 0xAB) {
        folded = '~';
      } else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) {
        folded = '*';
      }
      if (folded != 0) {
        out.push_back(folded);
      } else {
        out.append(text.substr(i, 2));
      }
    } else {
      out.push_back(text[i]);
    }
    i += len;
  }
  return out;
}

ParsedNumber ParseNumber(std::string_view raw) {
  const std::string text = FoldFullWidth(raw);
  const auto at = [&](std::size_t i) -> unsigned char {
    return i < text.size() ? static_cast<unsigned char>(text[i]) : 0;
  };
  std::size_t i = 0;
  while (i < text.size() && IsSpace(at(i))) ++i;

  // The number is copied into a clean C-locale form for strtod: no 'd'
  // exponents, nothing after the number.
  std::string clean;
  if (at(i) == '+' || at(i) == '-') clean.push_back(static_cast<char>(at(i++)));
  std::size_t digits = 0;
  while (IsDigit(at(i))) { clean.push_back(static_cast<char>(at(i++))); ++digits; }
  if (at(i) == '.') {
    std::size_t j = i + 1;
    std::string fraction;
    while (IsDigit(at(j))) fraction.push_back(static_cast<char>(at(j++)));
    if (digits > 0 || !fraction.empty()) {
      clean += '.';
      clean += fraction;
      digits += fraction.size();
      i = j;
    }
  }
  if (digits == 0) return {};

  const unsigned char e = at(i);
  if (e == 'e' || e == 'E' || e == 'd' || e == 'D') {
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (at(j) == '+' || at(j) == '-') exponent.push_back(static_cast<char>(at(j++)));
    if (IsDigit(at(j))) {
      while (IsDigit(at(j))) exponent.push_back(static_cast<char>(at(j++)));
      clean += exponent;
    }
  }
  // strtod gives +-HUGE_VAL on overflow and 0 on underflow, as wanted.
  return {std::strtod(clean.c_str(), nullptr), true};
}

double TextToNumber(std::string_view text) { return ParseNumber(text).value; }

std::string NumberToText(std::int64_t value) { return std::to_string(value); }

std::string NumberToText(bool value) { return value ? "真" : "假"; }

std::string NumberToText(double value) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  if (value == 0) return "0";

  // 13 significant digits in scientific form give the digits and the exponent
  // after rounding; the layout is then chosen like printf's %g, independent of
  // the C runtime's own exponent style.
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.12e", value);
  const std::string sci(buf);
  const std::size_t ePos = sci.find('e');
  const int exponent = std::atoi(sci.c_str() + ePos + 1);
  std::string digits;
  for (std::size_t i = 0; i < ePos; ++i) {
    if (IsDigit(static_cast<unsigned char>(sci[i]))) digits.push_back(sci[i]);
  }
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string out = value < 0 ? "-" : "";
  if (exponent < -4 || exponent >= 13) {
    out += digits[0];
    if (digits.size() > 1) out.append(".").append(digits, 1);
    out += exponent < 0 ? "e-" : "e+";
    const int magnitude = exponent < 0 ? -exponent : exponent;
    if (magnitude < 10) out += '0';
    out += std::to_string(magnitude);
  } else if (exponent < 0) {
    out.append("0.").append(static_cast<std::size_t>(-exponent - 1), '0').append(digits);
  } else {
    const auto intLen = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= intLen) {
      out.append(digits).append(intLen - digits.size(), '0');
    } else {
      out.append(digits, 0, intLen).append(".").append(digits, intLen);
    }
  }
  return out;
}

int TextSearch(std::string_view text, std::string_view needle, int start, bool ignoreCase) {
  if (start < 1) start = 1;
  const auto from = static_cast<std::size_t>(start - 1);
  if (from >= text.size()) return -1;
  if (needle.empty()) return 1;

  const auto matchesAt = [&](std::size_t pos) {
    if (text.size() - pos < needle.size()) return false;
    for (std::size_t k = 0; k < needle.size();) {
      // A double-byte character compares exactly; only single-byte letters fold.
      const std::size_t len = CharLength(needle, k);
      if (len == 2) {
        if (text[pos + k] != needle[k] || text[pos + k + 1] != needle[k + 1]) return false;
      } else {
        auto a = static_cast<unsigned char>(text[pos + k]);
        auto b = static_cast<unsigned char>(needle[k]);
        if (ignoreCase) { a = FoldAscii(a); b = FoldAscii(b); }
        if (a != b) return false;
      }
      k += len;
    }
    return true;
  };

  // Walk character by character from the start of the text so that the
  // lead/trail pairing is known even when `start` points into a character.
  for (std::size_t i = 0; i < text.size(); i += CharLength(text, i)) {
    if (i >= from && matchesAt(i)) return static_cast<int>(i) + 1;
  }
  return -1;
}

}  // namespace lanzhi

// Text to number and the text search on arbitrary bytes: no crash, no read
// past the end (the sanitizers watch), results within their ranges.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "config/text_number.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // First byte: a start position and the ignore-case switch; the rest splits
  // into a text and a needle.
  const int start = static_cast<int>(data[0] % 16) - 3;
  const bool ignoreCase = (data[0] & 0x80) != 0;
  const std::string input(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::size_t cut = input.empty() ? 0 : static_cast<unsigned char>(input[0]) % (input.size() + 1);
  const std::string_view text(input.data(), cut);
  const std::string_view needle(input.data() + cut, input.size() - cut);

  const lanzhi::ParsedNumber parsed = lanzhi::ParseNumber(input);
  if (std::isnan(parsed.value)) std::abort();
  if (!parsed.found && parsed.value != 0) std::abort();
  const std::int32_t coordinate = lanzhi::SaturateToInt32(parsed.value);
  if (std::isfinite(parsed.value) && std::fabs(parsed.value) < 2e9 &&
      coordinate != static_cast<std::int32_t>(std::trunc(parsed.value))) {
    std::abort();
  }
  (void)lanzhi::NumberToText(parsed.value);

  const std::string folded = lanzhi::FoldFullWidth(input);
  if (folded.size() > input.size()) std::abort();

  const int at = lanzhi::TextSearch(text, needle, start, ignoreCase);
  if (at != -1) {
    if (at < 1 || static_cast<std::size_t>(at) > text.size()) std::abort();
    if (!needle.empty() && at < start) std::abort();  // an empty needle gives 1
    if (!needle.empty() && static_cast<std::size_t>(at) - 1 + needle.size() > text.size()) std::abort();
    if (!ignoreCase && !needle.empty() && text.substr(static_cast<std::size_t>(at) - 1, needle.size()) != needle) {
      std::abort();
    }
  }
  return 0;
}

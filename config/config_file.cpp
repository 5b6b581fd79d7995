#include "config/config_file.h"

namespace lanzhi {

std::wstring RunDirectoryOf(std::wstring_view modulePath) {
  const std::size_t cut = modulePath.rfind(L'\\');
  if (cut == std::wstring_view::npos) return {};
  return std::wstring(modulePath.substr(0, cut));
}

std::string_view StripLeadingControls(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && static_cast<unsigned char>(text[i]) >= 1 &&
         static_cast<unsigned char>(text[i]) <= 32) {
    ++i;
  }
  return text.substr(i);
}

}  // namespace lanzhi

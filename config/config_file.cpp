#include "config/config_file.h"

namespace lanzhi {

std::string RunDirectoryOf(std::string_view modulePath) {
  const std::size_t cut = modulePath.rfind('\\');
  if (cut == std::string_view::npos) return {};
  return std::string(modulePath.substr(0, cut));
}

std::string ConfigPathIn(std::string_view runDirectory) {
  std::string path(runDirectory);
  path += kConfigFileName;
  return path;
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

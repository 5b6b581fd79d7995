#include <windows.h>

#include <vector>

#include "config/config_file.h"

namespace lanzhi {

ConfigFile::ConfigFile(std::string runDirectory) : path_(ConfigPathIn(runDirectory)) {}

bool ConfigFile::Exists() const {
  WIN32_FIND_DATAA found;
  const HANDLE handle = FindFirstFileA(path_.c_str(), &found);
  if (handle == INVALID_HANDLE_VALUE) return false;
  FindClose(handle);
  return true;
}

std::string ConfigFile::Read(std::string_view key, std::string_view defaultValue) const {
  const std::string path(StripLeadingControls(path_));
  const std::string section(StripLeadingControls(kConfigSection));
  const std::string name(StripLeadingControls(key));
  if (path.empty() || section.empty() || name.empty()) return {};

  const std::string fallback(defaultValue);
  std::vector<char> buffer(kConfigReadBufferSize, '\0');
  GetPrivateProfileStringA(section.c_str(), name.c_str(),
                           fallback.empty() ? nullptr : fallback.c_str(), buffer.data(),
                           kConfigReadBufferSize, path.c_str());
  buffer.back() = '\0';
  return std::string(buffer.data());
}

bool ConfigFile::Write(std::string_view key, std::string_view value) const {
  const std::string section(kConfigSection);
  const std::string name(key);
  const std::string text(value);
  return WritePrivateProfileStringA(section.c_str(), name.c_str(),
                                    text.empty() ? nullptr : text.c_str(),
                                    path_.c_str()) != FALSE;
}

std::string CurrentRunDirectory() {
  // The path can be longer than MAX_PATH; grow the buffer until it fits so the
  // directory is never cut short (a cut directory would put the settings in
  // the wrong place).
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    const DWORD size = static_cast<DWORD>(buffer.size());
    const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), size);
    if (length == 0) return {};
    if (length < size) return RunDirectoryOf(std::string_view(buffer.data(), length));
    if (buffer.size() >= 65536) return {};
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace lanzhi

#include <windows.h>

#include <string>
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
  // The path can be longer than MAX_PATH, in characters or in GBK bytes. The
  // ANSI form cannot tell a path cut inside a double-byte character from a
  // whole one, so the path is taken in its wide form, grown until it fits,
  // and then converted: a cut directory would put the settings in the wrong place.
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const auto size = static_cast<DWORD>(path.size());
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), size);
    if (length == 0) return {};
    if (length < size) {
      path.resize(length);
      break;
    }
    if (path.size() >= 65536) return {};
    path.resize(path.size() * 2);
  }
  const int bytes = WideCharToMultiByte(CP_ACP, 0, path.data(), static_cast<int>(path.size()), nullptr, 0,
                                        nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_ACP, 0, path.data(), static_cast<int>(path.size()), narrow.data(), bytes, nullptr,
                      nullptr);
  return RunDirectoryOf(narrow);
}

}  // namespace lanzhi

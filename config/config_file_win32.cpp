#include <windows.h>

#include <string>
#include <vector>

#include "config/config_file.h"

namespace lanzhi {

std::wstring WidenAnsi(std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
  return wide;
}

std::string NarrowToAnsi(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int bytes = WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), size, narrow.data(), bytes, nullptr, nullptr);
  return narrow;
}

ConfigFile::ConfigFile(std::wstring runDirectory)
    : widePath_(std::move(runDirectory) + WidenAnsi(kConfigFileName)), path_(NarrowToAnsi(widePath_)) {}

bool ConfigFile::Exists() const {
  WIN32_FIND_DATAW found;
  const HANDLE handle = FindFirstFileW(widePath_.c_str(), &found);
  if (handle == INVALID_HANDLE_VALUE) return false;
  FindClose(handle);
  return true;
}

std::string ConfigFile::Read(std::string_view key, std::string_view defaultValue) const {
  const std::wstring section = WidenAnsi(StripLeadingControls(kConfigSection));
  const std::wstring name = WidenAnsi(StripLeadingControls(key));
  if (widePath_.empty() || section.empty() || name.empty()) return {};

  const std::wstring fallback = WidenAnsi(defaultValue);
  std::vector<wchar_t> buffer(kConfigReadBufferSize, L'\0');
  GetPrivateProfileStringW(section.c_str(), name.c_str(), fallback.empty() ? nullptr : fallback.c_str(),
                           buffer.data(), kConfigReadBufferSize, widePath_.c_str());
  buffer.back() = L'\0';
  std::string value = NarrowToAnsi(buffer.data());
  // The read rule counts bytes of the ANSI text: 10239 at the most.
  if (value.size() >= kConfigReadBufferSize) value.resize(kConfigReadBufferSize - 1);
  return value;
}

bool ConfigFile::Write(std::string_view key, std::string_view value) const {
  const std::wstring section = WidenAnsi(kConfigSection);
  const std::wstring name = WidenAnsi(key);
  const std::wstring text = WidenAnsi(value);
  return WritePrivateProfileStringW(section.c_str(), name.c_str(), text.empty() ? nullptr : text.c_str(),
                                    widePath_.c_str()) != FALSE;
}

std::wstring CurrentRunDirectory() {
  // The path can be longer than MAX_PATH and can hold characters outside the
  // ANSI code page, so it is taken in its wide form, grown until it fits, and
  // cut at its last backslash character there: a cut or lossy directory
  // would put the settings in the wrong place.
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
  return RunDirectoryOf(path);
}

}  // namespace lanzhi

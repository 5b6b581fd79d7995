// The INI file beside the executable that carries the usage-notice switch and
// the ten stored positions. The path rules are portable; the operations on the
// file are in config_file_win32.cpp.
#pragma once

#include <string>
#include <string_view>

namespace lanzhi {

inline constexpr std::string_view kConfigFileName = "\\岚指智能鼠标点击器.ini";
inline constexpr std::string_view kConfigSection = "岚指智能鼠标点击器配置设置";
inline constexpr std::string_view kUsageSwitchKey = "启动时弹出使用说明";
inline constexpr std::string_view kUsageSwitchOn = "是";
// Size of the buffer a read is made with: longer values come back cut to 10239 bytes.
inline constexpr unsigned kConfigReadBufferSize = 10240;

// The directory part of a module path: everything before the last backslash,
// without it ("C:\Tools\a.exe" -> "C:\Tools", "C:\a.exe" -> "C:"). A path
// without a backslash has no directory part and gives the empty text.
std::string RunDirectoryOf(std::string_view modulePath);

// The run directory joined directly with the file name constant.
std::string ConfigPathIn(std::string_view runDirectory);

// Drops bytes 1..32 (space and control characters) from the front.
std::string_view StripLeadingControls(std::string_view text);

#ifdef _WIN32
class ConfigFile {
 public:
  explicit ConfigFile(std::string runDirectory);

  const std::string& Path() const { return path_; }
  // True when the system finds any entry at the path, a directory included.
  bool Exists() const;
  // The key's value in the section, or `defaultValue` when the file, section or
  // key is missing. Empty when the path, section or key is blank.
  std::string Read(std::string_view key, std::string_view defaultValue = {}) const;
  // Stores the value; an empty value removes the key. True when the system
  // reports success.
  bool Write(std::string_view key, std::string_view value) const;

 private:
  std::string path_;
};

// The directory of the running executable, however long its path is.
std::string CurrentRunDirectory();
#endif

}  // namespace lanzhi

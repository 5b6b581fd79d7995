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

// The directory part of a module path: everything before the last
// backslash, without it ("C:\\Tools\\a.exe" -> "C:\\Tools", "C:\\a.exe" -> "C:").
// A path without a backslash gives the empty text. Wide, so that the cut is
// always between characters: in the GBK form a trail byte can be 0x5C (乗 is
// 0x81 0x5C) and a folder outside the code page has no exact form at all.
std::wstring RunDirectoryOf(std::wstring_view modulePath);

// Drops bytes 1..32 (space and control characters) from the front.
std::string_view StripLeadingControls(std::string_view text);

#ifdef _WIN32
// The file is found through its wide path, so that a folder of any name works
// (one outside the ANSI code page, say); keys and values are the program's
// ANSI (GBK) texts, converted as the ANSI functions would.
class ConfigFile {
 public:
  explicit ConfigFile(std::wstring runDirectory);

  // The path in the ANSI code page, for display (characters outside it show as '?').
  const std::string& Path() const { return path_; }
  const std::wstring& WidePath() const { return widePath_; }
  // True when the system finds any entry at the path, a directory included.
  bool Exists() const;
  // The key's value in the section, or `defaultValue` when the file, section or
  // key is missing. Empty when the path, section or key is blank.
  std::string Read(std::string_view key, std::string_view defaultValue = {}) const;
  // Stores the value; an empty value removes the key. True when the system
  // reports success.
  bool Write(std::string_view key, std::string_view value) const;

 private:
  std::wstring widePath_;
  std::string path_;
};

// The directory of the running executable, whatever its length or its name.
std::wstring CurrentRunDirectory();

// Between the program's ANSI (GBK) texts and wide text.
std::wstring WidenAnsi(std::string_view text);
std::string NarrowToAnsi(std::wstring_view text);
#endif

}  // namespace lanzhi

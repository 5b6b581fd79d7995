#include "config/messages_win32.h"

#include <shellapi.h>

#include <string>

#include "config/messages.h"
#include "config/text_number.h"

namespace lanzhi {

int ShowMessage(std::string_view text, unsigned flags, std::string_view title, HWND owner) {
  const std::string body(text);
  const std::string caption(title.empty() ? kDefaultTitle : title);
  return MessageResult(MessageBoxA(owner, body.c_str(), caption.c_str(), MessageBoxFlags(flags)));
}

int ShowMessage(const char* text, unsigned flags, std::string_view title, HWND owner) {
  return ShowMessage(std::string_view(text != nullptr ? text : ""), flags, title, owner);
}

int ShowMessage(double number, unsigned flags, std::string_view title, HWND owner) {
  return ShowMessage(std::string_view(NumberToText(number)), flags, title, owner);
}

int ShowMessage(std::int64_t number, unsigned flags, std::string_view title, HWND owner) {
  return ShowMessage(std::string_view(NumberToText(number)), flags, title, owner);
}

int ShowMessage(bool value, unsigned flags, std::string_view title, HWND owner) {
  return ShowMessage(std::string_view(NumberToText(value)), flags, title, owner);
}

void UsageNotice(const ConfigFile& config, HWND owner) {
  if (UsageRequested(config.Read(kUsageSwitchKey))) {
    ShowMessage(UsageText(), MB_OK | MB_ICONINFORMATION, kUsageTitle, owner);
  }
}

void OpenWebPage(std::string_view address) {
  const std::string browser(kBrowserWindowTitle);
  const std::string target(address);
  HWND owner = FindWindowExA(nullptr, nullptr, nullptr, browser.c_str());
  ShellExecuteA(owner, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace lanzhi

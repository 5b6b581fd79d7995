// Every text the program shows outside its window's controls, and the rules
// for showing it. The portable rules are here; the message box, the usage
// notice and the web page are in messages_win32.cpp.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lanzhi {

inline constexpr std::string_view kConfigInvalidMessage = "配置设置不正确，请重新设置！";
inline constexpr std::string_view kMultiNotConfiguredMessage = "配置后才能启用多处移动点击";
inline constexpr std::string_view kPositionIncompleteMessage = "XY轴设置不完整，不能移动点击";
inline constexpr std::string_view kTooFewPositionsMessage = "设置至少两个XY轴才能移动点击";
inline constexpr std::string_view kAskSpeedMessage = "请告诉岚指，你想要多快";
inline constexpr std::string_view kRestReminderMessage = "歇息片刻，效果更佳！";

inline constexpr std::string_view kUsageTitle = "使用说明：";
inline constexpr std::string_view kNoticeTitle = "岚指提示：";
inline constexpr std::string_view kDefaultTitle = "信息：";

inline constexpr std::string_view kProductTitle = "岚指智能鼠标点击器";
// The maker and its addresses (the product's own studio; example domain until
// the project has a public home).
inline constexpr std::string_view kMakerName = "岚指软件工作室";
inline constexpr std::string_view kCreditLine = "岚指软件工作室 倾情出品";
inline constexpr std::string_view kSupportContact = "lanzhi@example.com";
inline constexpr std::string_view kHomePageAddress = "https://example.com/lanzhi-clicker/";
inline constexpr std::string_view kBlogAddress = "https://example.com/lanzhi-clicker/blog/";
inline constexpr std::string_view kBrowserWindowTitle = "Microsoft Internet Explorer";

// The four lines of the usage notice, joined by CR LF.
std::string UsageText();

// Whether the value of the usage-notice switch asks for the notice: it does
// when "是" occurs in it.
bool UsageRequested(std::string_view switchValue);

inline constexpr unsigned kTaskModal = 0x2000;    // MB_TASKMODAL
inline constexpr unsigned kSystemModal = 0x1000;  // MB_SYSTEMMODAL

// The flags passed to the message box: task-modal unless system-modal.
unsigned MessageBoxFlags(unsigned callerFlags);

// The program's result code for a message-box result (IDOK -> 0 ... IDNO -> 6;
// anything else, failure included, 0).
int MessageResult(int boxResult);

}  // namespace lanzhi

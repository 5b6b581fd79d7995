// Bad configuration files, an unwritable configuration file and hotkeys held
// by another program: the program keeps working and never changes the file.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "app/controls.h"
#include "harness.h"
#include "clicker/targets.h"
#include "config/messages.h"

namespace {

using harness::App;
using harness::ClickTarget;
using harness::Press;

std::string Section() {
  std::string header = "[";
  header += "岚指智能鼠标点击器配置设置";
  return header + "]";
}

std::string Lines(std::initializer_list<std::string> lines, const char* end = "\r\n") {
  std::string text;
  for (const auto& line : lines) text += line + end;
  return text;
}

std::string Key(int n, char axis, const std::string& value) {
  return lanzhi::PositionKey(n, axis) + "=" + value;
}

// What a start in MultiPosition must lead to.
struct Expect {
  std::vector<std::string_view> messages;  // one of these boxes, and no click
  std::vector<POINT> points;               // or clicks at these points only
};

struct BadFile {
  const char* what;
  std::string bytes;
  Expect expect;
};

std::string RandomBytes(std::size_t n) {
  std::mt19937 random(20261211);
  std::string bytes(n, '\0');
  for (char& b : bytes) b = static_cast<char>(random() & 0xFF);
  return bytes;
}

std::vector<BadFile> BadFiles() {
  const auto tour = [](const std::string& x1, const std::string& y1) {
    return Section() + "\r\n" + Lines({Key(1, 'X', x1), Key(1, 'Y', y1), Key(2, 'X', "240"), Key(2, 'Y', "60")});
  };
  const std::vector<std::string_view> notConfigured{lanzhi::kMultiNotConfiguredMessage};
  const std::vector<std::string_view> invalid{lanzhi::kConfigInvalidMessage};
  const POINT second{240, 60};
  return {
      {"random bytes", RandomBytes(4096), {notConfigured, {}}},
      {"a 12000-byte value", tour("140" + std::string(11997, 'x'), "60"), {{}, {{140, 60}, second}}},
      {"a lone lead byte", tour("\x81", "60"), {invalid, {}}},
      {"a lead byte at the end", tour("140\x81", "60\xFE"), {{}, {{140, 60}, second}}},
      // 1e999 saturates to the largest coordinate: the system keeps the cursor
      // on the screen, so that click lands at its right edge, off the target.
      {"an overflowing coordinate", tour("1e999", "60"), {{}, {second}}},
      {"a very negative coordinate", tour("-99999999999", "60"), {{}, {{0, 60}, second}}},
      {"leading spaces", tour("  12", "60"), {{}, {{12, 60}, second}}},
      {"trailing letters", tour("12abc", "60"), {{}, {{12, 60}, second}}},
      {"no number", tour("abc", "60"), {invalid, {}}},
      {"zero", tour("0", "0"), {{}, {{0, 0}, second}}},
      {"duplicated keys",
       Section() + "\r\n" + Lines({Key(1, 'X', "140"), Key(1, 'X', "40"), Key(1, 'Y', "60"), Key(2, 'X', "240"),
                                   Key(2, 'Y', "60"), Key(2, 'Y', "90")}),
       {{}, {{140, 60}, {40, 60}, {240, 60}, {240, 90}}}},
      {"no section header", Lines({Key(1, 'X', "140"), Key(1, 'Y', "60"), Key(2, 'X', "240"), Key(2, 'Y', "60")}),
       {notConfigured, {}}},
      {"LF line ends",
       Section() + "\n" + Lines({Key(1, 'X', "140"), Key(1, 'Y', "60"), Key(2, 'X', "240"), Key(2, 'Y', "60")}, "\n"),
       {{}, {{140, 60}, second}}},
  };
}

std::string ToUtf8(const std::string& gbk) {
  const int n = MultiByteToWideChar(936, 0, gbk.data(), static_cast<int>(gbk.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(936, 0, gbk.data(), static_cast<int>(gbk.size()), wide.data(), n);
  const int m = WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(m), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, utf8.data(), m, nullptr, nullptr);
  return utf8;
}

bool Near(POINT a, POINT b) { return a.x == b.x && a.y == b.y; }

// Starts in MultiPosition and checks what follows against `expect`.
void StartAndCheck(const std::string& what, const std::string& bytes, const Expect& expect) {
  ClickTarget target;
  App app(bytes);
  ASSERT_TRUE(app.Start()) << what;
  for (const char* name : {"单选框1", "单选框2", "单选框3"}) {
    SendMessageA(app.Control(name), BM_SETCHECK, std::string(name) == "单选框3" ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  app.SetText("编辑框3", "150");
  SetForegroundWindow(target.Window());
  Press(VK_F6);
  HWND box = nullptr;
  ASSERT_TRUE(harness::WaitUntil([&] {
    box = harness::FindBox("岚指提示：");
    return box != nullptr || target.Downs().size() >= 4;
  })) << what;
  if (box != nullptr) {
    const std::string text = harness::BoxText(box);
    EXPECT_NE(std::find(expect.messages.begin(), expect.messages.end(), text), expect.messages.end())
        << what << ": " << text;
    harness::PressBoxButton(box, IDOK);
    ASSERT_TRUE(harness::WaitUntil([&] { return harness::FindBox("岚指提示：") == nullptr; })) << what;
    harness::ObserveFor(200);
    EXPECT_TRUE(target.Downs().empty()) << what;
  } else {
    EXPECT_FALSE(expect.points.empty()) << what << ": clicked where a message was expected";
    Press(VK_F7);
    harness::ObserveFor(200);
    for (const auto& down : target.Downs()) {
      const bool known = std::any_of(expect.points.begin(), expect.points.end(),
                                     [&](POINT p) { return Near(p, down.screen); });
      EXPECT_TRUE(known) << what << ": click at " << down.screen.x << "," << down.screen.y;
    }
  }
  EXPECT_TRUE(app.Running()) << what;
  EXPECT_EQ(app.Close(), 0u) << what;
  EXPECT_EQ(harness::ReadBytes(app.IniPath()), bytes) << what << ": the file was changed";
}

TEST(BadConfiguration, NeverCrashesRefusesOrClicksOnlyWhereTheFileSaysAndLeavesTheFile) {
  for (const BadFile& f : BadFiles()) StartAndCheck(f.what, f.bytes, f.expect);
}

TEST(BadConfiguration, AUtf8FileWithByteOrderMarkIsReadAsTextOrNotAtAll) {
  // Wine reads a file with a UTF-8 byte order mark as UTF-8 text; either way
  // the program must refuse with a rule message or click at the positions.
  const std::string text = Section() + "\r\n" +
                           Lines({Key(1, 'X', "140"), Key(1, 'Y', "60"), Key(2, 'X', "240"), Key(2, 'Y', "60")});
  StartAndCheck("UTF-8 with BOM", std::string("\xEF\xBB\xBF").append(ToUtf8(text)),
                {{lanzhi::kMultiNotConfiguredMessage}, {{140, 60}, {240, 60}}});
}

TEST(UnwritableConfiguration, StartsAndWorksWithoutClaimingToSave) {
  App app(std::nullopt);
  ASSERT_TRUE(CreateDirectoryW(app.IniPath().c_str(), nullptr));
  ASSERT_TRUE(app.Start());  // no notice: nothing could be read, nothing was written
  EXPECT_EQ(harness::FindBox("使用说明："), nullptr);
  for (const char* name : {"单选框2", "单选框3"}) {
    SendMessageA(app.Control(name), BM_SETCHECK, std::string(name) == "单选框3" ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  Press(VK_F6);
  HWND box = harness::WaitForBox("岚指提示：");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(harness::BoxText(box), lanzhi::kMultiNotConfiguredMessage);
  harness::PressBoxButton(box, IDOK);
  ASSERT_TRUE(harness::WaitUntil([&] { return harness::FindBox("岚指提示：") == nullptr; }));
  EXPECT_EQ(app.Close(), 0u);
  const DWORD attributes = GetFileAttributesW(app.IniPath().c_str());
  EXPECT_NE(attributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

TEST(HeldHotkeys, TheHiddenButtonsStillStartAndStop) {
  ClickTarget target;
  const WORD keys[] = {VK_F6, VK_F10, VK_F7, VK_F11};
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(RegisterHotKey(target.Window(), 100 + i, 0, keys[i]));
  App app;
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(harness::MoveCursorTo(100, 100));
  app.SetText("编辑框3", "100");
  SetForegroundWindow(target.Window());
  Press(VK_F6);
  harness::ObserveFor(400);
  EXPECT_TRUE(target.Downs().empty());
  const auto click = [&](const char* button) {
    SendMessageA(app.Window(), WM_COMMAND, MAKEWPARAM(lanzhi::ControlId(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(app.Control(button)));
  };
  click("按钮1");
  ASSERT_TRUE(target.WaitForDowns(3));
  click("按钮2");
  ASSERT_TRUE(harness::WaitUntil([&] { return app.Text("编辑框2") == "欢迎使用，岚指智能鼠标点击器"; }));
  const std::size_t count = target.Downs().size();
  harness::ObserveFor(400);
  EXPECT_EQ(target.Downs().size(), count);
  EXPECT_EQ(app.Close(), 0u);
  for (int i = 0; i < 4; ++i) UnregisterHotKey(target.Window(), 100 + i);
}

}  // namespace

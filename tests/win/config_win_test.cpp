// The configuration file on the system's real private-profile functions, the
// message box, and the run directory of a program in a very long path.
#include <gtest/gtest.h>

#include <thread>

#include "harness.h"
#include "config/config_file.h"
#include "config/messages.h"
#include "config/messages_win32.h"

namespace {

using harness::ReadBytes;

std::string Narrow(const std::wstring& wide) {
  const int n = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, out.data(), n, nullptr, nullptr);
  out.resize(static_cast<std::size_t>(n - 1));
  return out;
}

class ConfigFileTest : public ::testing::Test {
 protected:
  void SetUp() override { folder_ = harness::TempFolder(L"config"); }
  void TearDown() override { harness::RemoveFolder(folder_); }
  std::wstring IniPath() const { return folder_ + L"\\岚指智能鼠标点击器.ini"; }
  lanzhi::ConfigFile File() const { return lanzhi::ConfigFile(folder_); }
  std::wstring folder_;
};

TEST_F(ConfigFileTest, PathIsTheRunDirectoryJoinedWithTheFileName) {
  EXPECT_EQ(File().Path(), Narrow(folder_) + "\\岚指智能鼠标点击器.ini");
}

TEST_F(ConfigFileTest, ReadWithoutFileGivesTheDefaultAndCreatesNothing) {
  const auto file = File();
  EXPECT_FALSE(file.Exists());
  EXPECT_EQ(file.Read("第一处X轴所在位置"), "");
  EXPECT_EQ(file.Read("第一处X轴所在位置", "7"), "7");
  EXPECT_FALSE(file.Exists());
  EXPECT_FALSE(ReadBytes(IniPath()).has_value());
}

TEST_F(ConfigFileTest, BlankKeyGivesEmptyWithoutTheDefault) {
  const auto file = File();
  ASSERT_TRUE(file.Write("键", "值"));
  EXPECT_EQ(file.Read("", "默认"), "");
  EXPECT_EQ(file.Read(" \t", "默认"), "");
  EXPECT_EQ(file.Read("  键"), "值");  // bytes 1..32 are stripped from the front
}

TEST_F(ConfigFileTest, FirstWriteCreatesTheFileWithItsSection) {
  const auto file = File();
  ASSERT_TRUE(file.Write("启动时弹出使用说明", "是"));
  EXPECT_TRUE(file.Exists());
  const auto bytes = ReadBytes(IniPath());
  ASSERT_TRUE(bytes.has_value());
  EXPECT_EQ(*bytes, "[岚指智能鼠标点击器配置设置]\r\n启动时弹出使用说明=是\r\n");
  EXPECT_EQ(file.Read("启动时弹出使用说明"), "是");
}

TEST_F(ConfigFileTest, EmptyValueRemovesTheKey) {
  const auto file = File();
  ASSERT_TRUE(file.Write("第一处X轴所在位置", "100"));
  ASSERT_TRUE(file.Write("第一处Y轴所在位置", "200"));
  ASSERT_TRUE(file.Write("第一处X轴所在位置", ""));
  EXPECT_EQ(file.Read("第一处X轴所在位置", "无"), "无");
  EXPECT_EQ(file.Read("第一处Y轴所在位置"), "200");
  const auto bytes = ReadBytes(IniPath());
  ASSERT_TRUE(bytes.has_value());
  EXPECT_EQ(bytes->find("第一处X轴所在位置"), std::string::npos);
}

TEST_F(ConfigFileTest, ValuesUpToTheBufferComeBackWholeLongerOnesCut) {
  const auto file = File();
  const std::string exact(10239, '7');
  ASSERT_TRUE(file.Write("长", exact));
  EXPECT_EQ(file.Read("长"), exact);
  const std::string longer(12000, '8');
  ASSERT_TRUE(file.Write("长", longer));
  EXPECT_EQ(file.Read("长"), longer.substr(0, 10239));
}

TEST_F(ConfigFileTest, ExistsIsTrueForADirectoryAtThePath) {
  ASSERT_TRUE(CreateDirectoryW(IniPath().c_str(), nullptr));
  const auto file = File();
  EXPECT_TRUE(file.Exists());
  EXPECT_EQ(file.Read("启动时弹出使用说明", "默认"), "默认");
  EXPECT_FALSE(file.Write("启动时弹出使用说明", "是"));  // a refused write is reported as such
}

// Runs `body` while another thread answers the box titled `title` with `button`.
struct BoxAnswer {
  std::string text;
  bool found = false;
};
BoxAnswer AnswerBox(const std::string& title, int button) {
  BoxAnswer answer;
  HWND box = nullptr;
  const double end = harness::NowMs() + harness::kTimeoutMs;
  while ((box = harness::FindBox(title)) == nullptr && harness::NowMs() < end) Sleep(5);
  if (box == nullptr) return answer;
  answer.found = true;
  answer.text = harness::BoxText(box);
  harness::PressBoxButton(box, button);
  return answer;
}

TEST(ShowMessage, ShowsTheTextAndMapsTheButtonPressed) {
  struct Case {
    unsigned flags;
    int button;
    int result;
  };
  const Case cases[] = {{MB_OK, IDOK, 0}, {MB_OKCANCEL, IDCANCEL, 1}, {MB_YESNO, IDYES, 5},
                        {MB_YESNO, IDNO, 6}, {MB_RETRYCANCEL, IDRETRY, 3}};
  for (const Case& c : cases) {
    BoxAnswer answer;
    std::thread presser([&] { answer = AnswerBox("岚指提示：", c.button); });
    const int result = lanzhi::ShowMessage("请告诉岚指，你想要多快", c.flags, "岚指提示：");
    presser.join();
    EXPECT_TRUE(answer.found);
    EXPECT_EQ(answer.text, "请告诉岚指，你想要多快");
    EXPECT_EQ(result, c.result) << c.flags << " " << c.button;
  }
}

TEST(ShowMessage, UsesTheDefaultTitleAndWritesNumbersAndLogicalValues) {
  struct Case {
    std::function<int()> show;
    const char* text;
  };
  const Case cases[] = {{[] { return lanzhi::ShowMessage(0.5); }, "0.5"},
                        {[] { return lanzhi::ShowMessage(1.0 / 3.0); }, "0.3333333333333"},
                        {[] { return lanzhi::ShowMessage(std::int64_t{1000}); }, "1000"},
                        {[] { return lanzhi::ShowMessage(true); }, "真"},
                        {[] { return lanzhi::ShowMessage(std::string_view()); }, ""}};
  for (const Case& c : cases) {
    BoxAnswer answer;
    std::thread presser([&] { answer = AnswerBox("信息：", IDOK); });
    EXPECT_EQ(c.show(), 0);
    presser.join();
    EXPECT_TRUE(answer.found) << c.text;
    EXPECT_EQ(answer.text, c.text);
  }
}

// A folder whose path fits the system's limit in characters but takes more
// than MAX_PATH bytes in the ANSI code page, as Chinese folder names do.
std::wstring DeepChineseFolder(const std::wstring& base) {
  std::wstring dir = base;
  while (Narrow(dir).size() <= 300) {
    dir += L"\\岚指智能鼠标点击器测试目录";
    if (!CreateDirectoryW(dir.c_str(), nullptr)) return {};
  }
  return dir;
}

std::string RunAndCapture(const std::wstring& exe) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return {};
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;
  PROCESS_INFORMATION info{};
  std::wstring commandLine = L"\"" + exe + L"\"";
  const BOOL started = CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0,
                                      nullptr, nullptr, &startup, &info);
  CloseHandle(writeEnd);
  std::string output;
  if (started) {
    char buffer[1024];
    DWORD got = 0;
    while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) {
      for (DWORD i = 0; i < got; ++i) {
        if (buffer[i] != '\r') output.push_back(buffer[i]);  // text-mode line ends
      }
    }
    WaitForSingleObject(info.hProcess, harness::kTimeoutMs);
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
  }
  CloseHandle(readEnd);
  return output;
}

// A run directory longer than the 260-byte buffer the system's ANSI function
// is usually given is taken whole, so the settings are found beside the program.
TEST(RunDirectory, IsTakenWholeWhenLongerThanMaxPathBytes) {
  const std::wstring base = harness::TempFolder(L"long");
  // Folders of each parity, so that a 260-byte cut falls on a lead byte in one
  // and between characters in the other.
  std::wstring dir;
  for (const wchar_t* pad : {L"a", L"ab"}) {
    const std::wstring start = base + L"\\" + pad;
    ASSERT_TRUE(CreateDirectoryW(start.c_str(), nullptr));
    dir = DeepChineseFolder(start);
    ASSERT_FALSE(dir.empty());
    const std::string narrowDir = Narrow(dir);
    ASSERT_GT(narrowDir.size(), static_cast<std::size_t>(MAX_PATH));
    const std::wstring probe = dir + L"\\rundir_probe.exe";
    ASSERT_TRUE(CopyFileW((harness::OwnDirectory() + L"\\rundir_probe.exe").c_str(), probe.c_str(), FALSE));
    EXPECT_EQ(RunAndCapture(probe), narrowDir + "\n" + narrowDir + "\\岚指智能鼠标点击器.ini\n");
  }

  // The program itself: its first start leaves the file in that folder.
  {
    harness::App app(std::nullopt, dir);
    ASSERT_TRUE(app.Start(false));
    HWND box = harness::WaitForBox("使用说明：");
    ASSERT_NE(box, nullptr);
    const auto ini = harness::ReadBytes(dir + L"\\岚指智能鼠标点击器.ini");
    ASSERT_TRUE(ini.has_value());
    EXPECT_EQ(*ini, harness::IniText({{"启动时弹出使用说明", "是"}}));
    harness::PressBoxButton(box, IDOK);
    ASSERT_TRUE(app.WaitForWindow());
    EXPECT_EQ(app.Close(), 0u);
  }
  harness::RemoveFolder(base);
}

// A folder or a program name that the GBK form of a path cannot hold whole:
// 乗 ends in the byte 0x5C, a backslash in GBK; Turkish and Polish letters
// have no GBK form at all.
TEST(SettingsFolder, IsFoundWhateverTheFolderAndTheProgramAreCalled) {
  const struct {
    const wchar_t* folder;
    const wchar_t* program;
  } cases[] = {
      {L"tools", L"乗点击器.exe"},
      {L"Kullanıcı", L"岚指智能鼠标点击器.exe"},
      {L"Ångström łąka", L"乗点击器.exe"},
  };
  for (const auto& c : cases) {
    const std::string what = Narrow(std::wstring(c.folder) + L"\\" + c.program);
    const std::wstring base = harness::TempFolder(L"names");
    const std::wstring dir = base + L"\\" + c.folder;
    ASSERT_TRUE(CreateDirectoryW(dir.c_str(), nullptr)) << what;

    // A file that switches the notice off and stores two positions.
    {
      harness::ClickTarget target;
      harness::App app(harness::PositionsIni({{1, "60", "50"}, {2, "160", "50"}}), dir, c.program);
      ASSERT_TRUE(app.Start()) << what;
      EXPECT_EQ(harness::FindBox("使用说明："), nullptr) << what << ": the notice came although the file says 否";
      SendMessageA(app.Control("单选框2"), BM_SETCHECK, BST_UNCHECKED, 0);
      SendMessageA(app.Control("单选框3"), BM_SETCHECK, BST_CHECKED, 0);
      app.SetText("编辑框3", "300");
      ASSERT_TRUE(harness::MoveCursorTo(60, 50)) << what;
      harness::Press(VK_F6);
      ASSERT_TRUE(target.WaitForDowns(3)) << what << ": the stored positions were not read";
      harness::Press(VK_F7);
      EXPECT_EQ(harness::FindBox("岚指提示："), nullptr) << what;
      for (const auto& down : target.Downs()) {
        EXPECT_EQ(down.screen.y, 50) << what;
        EXPECT_TRUE(down.screen.x == 60 || down.screen.x == 160) << what << ": " << down.screen.x;
      }
      EXPECT_EQ(app.Close(), 0u) << what;
    }
    // A first start writes its switch into that folder.
    {
      DeleteFileW((dir + L"\\岚指智能鼠标点击器.ini").c_str());
      harness::App app(std::nullopt, dir, c.program);
      ASSERT_TRUE(app.Start(false)) << what;
      HWND box = harness::WaitForBox("使用说明：");
      ASSERT_NE(box, nullptr) << what;
      const auto ini = harness::ReadBytes(dir + L"\\岚指智能鼠标点击器.ini");
      ASSERT_TRUE(ini.has_value()) << what << ": no file in the program's folder";
      EXPECT_EQ(*ini, harness::IniText({{"启动时弹出使用说明", "是"}})) << what;
      harness::PressBoxButton(box, IDOK);
      ASSERT_TRUE(app.WaitForWindow()) << what;
      EXPECT_EQ(app.Close(), 0u) << what;
    }
    harness::RemoveFolder(base);
  }
}

}  // namespace

// The main window as a user meets it: place and frame, the controls, the
// usage notice, the keyboard conventions and the speed field.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <set>

#include "app/controls.h"
#include "app/controls_win32.h"
#include "app/main_window.h"
#include "harness.h"
#include "config/config_file.h"
#include "config/messages.h"

namespace {

using harness::App;
using harness::Press;

RECT ClientRectOf(const App& app, const char* name) {
  RECT r = harness::ScreenRect(app.Control(name));
  MapWindowPoints(nullptr, app.Window(), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::string ComboItem(HWND combo, int index) {
  // The wide form: the ANSI one is not carried across processes reliably.
  wchar_t wide[64] = {};
  SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(wide));
  char narrow[128] = {};
  WideCharToMultiByte(936, 0, wide, -1, narrow, sizeof narrow, nullptr, nullptr);
  return narrow;
}

bool FocusIs(const App& app, const char* name) {
  return harness::WaitUntil([&] { return app.Focused() == app.Control(name); }, 3000);
}

// Starts the program in front, with the focus where start-up puts it.
bool StartInFront(App& app) {
  return app.Start() && app.BringToFront() && FocusIs(app, "组合框1");
}

TEST(MainWindow, IsCentredWithAFixedFrame) {
  App app;
  ASSERT_TRUE(app.Start());
  const RECT r = harness::ScreenRect(app.Window());
  EXPECT_EQ(r.left, 377);
  EXPECT_EQ(r.top, 299);
  EXPECT_EQ(r.right, 646);
  EXPECT_EQ(r.bottom, 469);
  const auto style = static_cast<DWORD>(GetWindowLongA(app.Window(), GWL_STYLE));
  EXPECT_EQ(style & ~(WS_VISIBLE | WS_CLIPSIBLINGS), lanzhi::kMainStyle);
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0u);
  EXPECT_EQ(GetWindowLongA(app.Window(), GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE, 0);
  EXPECT_EQ(app.Close(), 0u);
}

// The executable carries its icon (one 32 x 32 image in 16 colours), its
// manifest and its version record.
TEST(Executable, CarriesIconManifestAndVersionRecord) {
  HMODULE module = LoadLibraryExW(harness::ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr);
#pragma pack(push, 2)
  struct GroupEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
  };
  struct Group {
    WORD reserved, type, count;
    GroupEntry entries[1];
  };
#pragma pack(pop)
  HRSRC groupInfo = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
  ASSERT_NE(groupInfo, nullptr);
  const auto* group = static_cast<const Group*>(LockResource(LoadResource(module, groupInfo)));
  ASSERT_EQ(group->count, 1);
  EXPECT_EQ(group->entries[0].width, 32);
  EXPECT_EQ(group->entries[0].height, 32);
  EXPECT_EQ(group->entries[0].colours, 16);
  EXPECT_EQ(group->entries[0].bitCount, 4);

  HRSRC manifestInfo = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
  ASSERT_NE(manifestInfo, nullptr);
  const std::string manifest(static_cast<const char*>(LockResource(LoadResource(module, manifestInfo))),
                             SizeofResource(module, manifestInfo));
  EXPECT_NE(manifest.find("level=\"requireAdministrator\" uiAccess=\"false\""), std::string::npos);
  EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
  EXPECT_NE(manifest.find("publicKeyToken=\"6595b64144ccf1df\""), std::string::npos);
  FreeLibrary(module);

  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(harness::ProgramPath().c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::vector<char> record(size);
  ASSERT_TRUE(GetFileVersionInfoW(harness::ProgramPath().c_str(), 0, size, record.data()));
  const auto value = [&](const wchar_t* name) {
    wchar_t* text = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\080404B0\\") + name;
    if (!VerQueryValueW(record.data(), path.c_str(), reinterpret_cast<void**>(&text), &length)) return std::wstring();
    return std::wstring(text);
  };
  EXPECT_EQ(value(L"FileDescription"), L"全智能的鼠标点击器");
  EXPECT_EQ(value(L"FileVersion"), L"1.0.0.3");
  EXPECT_EQ(value(L"ProductVersion"), L"1.0.0.3");
  EXPECT_EQ(value(L"ProductName").rfind(L"岚指智能鼠标点击器", 0), 0u);
  WORD* translation = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(record.data(), L"\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&translation), &length));
  EXPECT_EQ(translation[0], 0x0804);
  EXPECT_EQ(translation[1], 1200);
}

TEST(MainWindow, ShowsItsControlsWithTheirInitialContents) {
  App app;
  ASSERT_TRUE(app.Start());
  const struct {
    const char* name;
    RECT place;
  } places[] = {{"透明标签1", {37, 0, 85, 24}},   {"透明标签5", {153, 0, 201, 24}},
                {"编辑框3", {150, 24, 207, 49}},  {"编辑框2", {28, 56, 234, 80}},
                {"单选框1", {23, 88, 93, 112}},   {"单选框2", {97, 88, 167, 112}},
                {"单选框3", {171, 88, 241, 112}}, {"透明标签2", {33, 112, 227, 136}},
                {"按钮1", {32, 386, 105, 410}},   {"编辑框51", {144, 304, 176, 328}}};
  for (const auto& p : places) {
    const RECT r = ClientRectOf(app, p.name);
    EXPECT_EQ(r.left, p.place.left) << p.name;
    EXPECT_EQ(r.top, p.place.top) << p.name;
    EXPECT_EQ(r.right, p.place.right) << p.name;
    EXPECT_EQ(r.bottom, p.place.bottom) << p.name;
  }
  // The spin buttons stand against the speed field's right edge, as tall as it.
  HWND spin = GetDlgItem(app.Window(), lanzhi::kSpeedSpinId);
  RECT s = harness::ScreenRect(spin);
  MapWindowPoints(nullptr, app.Window(), reinterpret_cast<POINT*>(&s), 2);
  EXPECT_EQ(s.left, 207);
  EXPECT_EQ(s.top, 24);
  EXPECT_EQ(s.right - s.left, 18);
  EXPECT_EQ(s.bottom - s.top, 25);
  EXPECT_TRUE(IsWindowVisible(spin));

  std::set<std::string> visible;
  for (const auto& entry : lanzhi::ControlTable()) {
    HWND control = app.Control(entry.name.c_str());
    if (entry.kind == lanzhi::ControlKind::Timer) {
      EXPECT_EQ(control, nullptr) << entry.name;
      continue;
    }
    ASSERT_NE(control, nullptr) << entry.name;
    if (IsWindowVisible(control)) visible.insert(entry.name);
  }
  EXPECT_EQ(visible.size(), 9u);

  HWND combo = app.Control("组合框1");
  ASSERT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 4);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(ComboItem(combo, i), lanzhi::kClickModeItems[i]);
  EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(app.Text("编辑框3"), "1000");
  EXPECT_EQ(app.Text("编辑框2"), "欢迎使用，岚指智能鼠标点击器");
  EXPECT_FALSE(app.Checked("单选框1"));
  EXPECT_TRUE(app.Checked("单选框2"));
  EXPECT_FALSE(app.Checked("单选框3"));
  EXPECT_EQ(app.Text("透明标签2"), lanzhi::kCreditLine);
  EXPECT_EQ(app.Close(), 0u);
}

TEST(MainWindow, FirstStartShowsTheNoticeBeforeTheWindowAndLeavesTheSwitch) {
  App app(std::nullopt);
  ASSERT_TRUE(app.Start(false));
  HWND box = harness::WaitForBox("使用说明：");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(harness::BoxText(box), lanzhi::UsageText());
  HWND window = harness::FindProgramWindow(app.ProcessId());
  ASSERT_NE(window, nullptr);
  EXPECT_FALSE(IsWindowVisible(window));
  const auto ini = harness::ReadBytes(app.IniPath());
  ASSERT_TRUE(ini.has_value());
  EXPECT_EQ(*ini, harness::IniText({{"启动时弹出使用说明", "是"}}));
  harness::PressBoxButton(box, IDOK);
  ASSERT_TRUE(app.WaitForWindow());
  EXPECT_EQ(app.Close(), 0u);
}

TEST(MainWindow, SwitchValuesDecideTheNotice) {
  const struct {
    const char* value;
    bool notice;
  } cases[] = {{"是的", true}, {"否", false}, {"", false}};
  for (const auto& c : cases) {
    App app(harness::IniText({{"启动时弹出使用说明", c.value}}));
    ASSERT_TRUE(app.Start(false));
    if (c.notice) {
      HWND box = harness::WaitForBox("使用说明：");
      ASSERT_NE(box, nullptr) << c.value;
      harness::PressBoxButton(box, IDOK);
    }
    ASSERT_TRUE(app.WaitForWindow()) << c.value;
    EXPECT_EQ(harness::FindBox("使用说明："), nullptr);
    EXPECT_EQ(app.Close(), 0u);
  }
}

TEST(Keyboard, TabWalksTheSixVisibleTabStopsAndShiftTabGoesBack) {
  App app;
  ASSERT_TRUE(StartInFront(app));
  for (const char* next : {"编辑框2", "编辑框3", "单选框1", "单选框2", "单选框3", "组合框1"}) {
    Press(VK_TAB);
    EXPECT_TRUE(FocusIs(app, next)) << next;
  }
  Press(VK_TAB, {VK_SHIFT});
  EXPECT_TRUE(FocusIs(app, "单选框3"));
  Press(VK_TAB, {VK_SHIFT});
  EXPECT_TRUE(FocusIs(app, "单选框2"));
  // Enter neither moves the focus nor closes anything.
  Press(VK_RETURN);
  harness::ObserveFor(200);
  EXPECT_TRUE(FocusIs(app, "单选框2"));
  EXPECT_TRUE(app.Running());
  EXPECT_EQ(app.Close(), 0u);
}

TEST(Keyboard, ArrowsMoveFocusAndCheckAmongTheRadioBoxesWithWrap) {
  App app;
  ASSERT_TRUE(StartInFront(app));
  for (int i = 0; i < 3; ++i) Press(VK_TAB);
  ASSERT_TRUE(FocusIs(app, "单选框1"));
  const struct {
    WORD key;
    const char* target;
  } steps[] = {{VK_LEFT, "单选框3"}, {VK_DOWN, "单选框1"}, {VK_RIGHT, "单选框2"}, {VK_UP, "单选框1"}};
  for (const auto& s : steps) {
    Press(s.key);
    EXPECT_TRUE(FocusIs(app, s.target)) << s.target;
    for (const char* radio : {"单选框1", "单选框2", "单选框3"}) {
      EXPECT_EQ(app.Checked(radio), std::string(radio) == s.target) << s.target << " " << radio;
    }
  }
  EXPECT_EQ(app.Close(), 0u);
}

TEST(Keyboard, EscapeClosesFromAnyControlButShiftEscapeDoesNot) {
  struct Case {
    const char* what;
    std::function<bool(App&)> prepare;
  };
  const Case cases[] = {
      {"status line", [](App& app) { Press(VK_TAB); return FocusIs(app, "编辑框2"); }},
      {"speed field",
       [](App& app) {
         Press(VK_TAB);
         Press(VK_TAB);
         return FocusIs(app, "编辑框3");
       }},
      {"open combo list",
       [](App& app) {
         Press(VK_F4);
         return harness::WaitUntil(
             [&] { return SendMessageA(app.Control("组合框1"), CB_GETDROPPEDSTATE, 0, 0) != 0; });
       }},
  };
  for (const Case& c : cases) {
    App app;
    ASSERT_TRUE(StartInFront(app)) << c.what;
    ASSERT_TRUE(c.prepare(app)) << c.what;
    Press(VK_ESCAPE, {VK_SHIFT});
    harness::ObserveFor(300);
    EXPECT_TRUE(app.Running()) << c.what;
    Press(VK_ESCAPE);
    EXPECT_EQ(app.WaitForExit(), 0u) << c.what;
  }
}

TEST(Keyboard, FocusReturnsToTheControlThatHadIt) {
  App app;
  ASSERT_TRUE(StartInFront(app));
  Press(VK_TAB);
  Press(VK_TAB);
  ASSERT_TRUE(FocusIs(app, "编辑框3"));
  harness::ClickTarget other;
  SetForegroundWindow(other.Window());
  ASSERT_TRUE(harness::WaitUntil([&] { return GetForegroundWindow() == other.Window(); }));
  ASSERT_TRUE(app.BringToFront());
  EXPECT_TRUE(FocusIs(app, "编辑框3"));
  EXPECT_EQ(app.Close(), 0u);
}

// One case of the speed field: a start text, what the user does, and the
// text after the focus has left the field.
struct SpeedCase {
  const char* what;
  const char* start;
  std::function<void(App&)> act;
  const char* whileFocused;  // nullptr: not checked
  const char* afterLeaving;
  bool stepped = false;  // a spin step: the whole text is selected afterwards
};

void ClickSpin(App& app, bool up) {
  const RECT r = harness::ScreenRect(GetDlgItem(app.Window(), lanzhi::kSpeedSpinId));
  const int x = (r.left + r.right) / 2;
  const int y = up ? r.top + 5 : r.bottom - 5;
  // Inside a Wine virtual desktop a press right after a cursor move can land
  // where the pointer was: lost, or on the other arrow. Such a press is
  // undone and made again until the step is the one asked for.
  const std::string before = app.Text("编辑框3");
  const std::string stepped = lanzhi::SpinSpeedText(before, up);
  for (int attempt = 0; attempt < 5; ++attempt) {
    harness::LeftClickAt(x, y);
    if (harness::WaitUntil([&] { return app.Text("编辑框3") != before; }, 1000) &&
        app.Text("编辑框3") == stepped) {
      return;
    }
    app.SetText("编辑框3", before);
  }
}

void FocusSpeedField(App& app) {
  // Alternate the spot, so that two clicks in a row are no double-click
  // (which an edit box does not take the focus from).
  static int side = 1;
  const RECT r = harness::ScreenRect(app.Control("编辑框3"));
  for (int attempt = 0; attempt < 3; ++attempt) {
    side = -side;
    harness::LeftClickAt((r.left + r.right) / 2 + 12 * side, (r.top + r.bottom) / 2);
    if (FocusIs(app, "编辑框3")) return;
    std::printf("click %d at %ld,%ld did not focus the field (focus %d)\n", attempt,
                harness::CursorPos().x, harness::CursorPos().y, GetDlgCtrlID(app.Focused()));
  }
}

TEST(SpeedField, FiltersLimitsNormalisesAndSpins) {
  const auto type = [](const char* keys) {
    return [keys](App& app) {
      FocusSpeedField(app);
      harness::TypeText(keys);
    };
  };
  const auto paste = [](const char* text) {
    return [text](App& app) {
      FocusSpeedField(app);
      ASSERT_TRUE(harness::SetClipboardText(text));
      Press('V', {VK_CONTROL});
    };
  };
  const auto spin = [](bool up) { return [up](App& app) { ClickSpin(app, up); }; };
  const auto none = [](App& app) { FocusSpeedField(app); };
  const SpeedCase cases[] = {
      {"letters and full stop are dropped", "", type("1a.5"), "15", "15"},
      {"minus is accepted", "", type("-"), "-", ""},
      {"a sixth character cannot be typed", "", type("123456"), "12345", "12345"},
      {"pasted text is not filtered", "", paste("12ab"), "12ab", "12"},
      {"pasting is limited too", "", paste("1234567"), "12345", "12345"},
      {"leading zeros go", "", type("007"), "007", "7"},
      {"a minus inside ends the number", "", type("1-2"), "1-2", "1"},
      {"zero becomes empty", "", type("0"), "0", ""},
      {"minus zero becomes empty", "", type("-0"), "-0", ""},
      {"large written numbers clamp", "99999999999", none, nullptr, "2147483647"},
      {"small written numbers clamp", "-99999999999", none, nullptr, "-2147483648"},
      {"up on 10000 wraps to 0", "10000", spin(true), "0", "", true},
      {"down on 0 wraps to 10000", "0", spin(false), "10000", "10000", true},
      {"up on empty gives 1", "", spin(true), "1", "1", true},
      {"down on empty gives 10000", "", spin(false), "10000", "10000", true},
      {"up on -5 gives 0", "-5", spin(true), "0", "", true},
      {"down on 20000 gives 10000", "20000", spin(false), "10000", "10000", true},
      {"up on 999 gives 1000", "999", spin(true), "1000", "1000", true},
  };
  App app;
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.BringToFront());
  for (const SpeedCase& c : cases) {
    // Start from a known state with the focus elsewhere.
    Press(VK_TAB);
    app.SetText("编辑框3", c.start);
    c.act(app);
    ASSERT_TRUE(FocusIs(app, "编辑框3")) << c.what << " focus id " << GetDlgCtrlID(app.Focused()) << " fg " << (GetForegroundWindow() == app.Window());
    if (c.whileFocused != nullptr) {
      EXPECT_TRUE(harness::WaitUntil([&] { return app.Text("编辑框3") == c.whileFocused; }, 2000))
          << c.what << ": " << app.Text("编辑框3");
    }
    if (c.stepped) {
      // After a step the whole text is selected.
      const auto sel = static_cast<DWORD>(SendMessageA(app.Control("编辑框3"), EM_GETSEL, 0, 0));
      EXPECT_EQ(LOWORD(sel), 0) << c.what;
      EXPECT_EQ(HIWORD(sel), std::string(c.whileFocused).size()) << c.what;
    }
    Press(VK_TAB);
    ASSERT_TRUE(FocusIs(app, "单选框1")) << c.what;
    EXPECT_EQ(app.Text("编辑框3"), c.afterLeaving) << c.what;
  }
  EXPECT_EQ(app.Close(), 0u);
}

// In this process: Wine answers WM_GETFONT sent from another process with 0.
TEST(Controls, ThoseThatNameNoFontUseTheStockGuiFont) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  ASSERT_TRUE(lanzhi::RegisterControlClasses(instance));
  HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 269, 170, nullptr, nullptr, instance, nullptr);
  ASSERT_NE(parent, nullptr);
  const auto stock = reinterpret_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  int withoutFont = 0;
  int id = 5000;
  for (const lanzhi::ControlSpec& entry : lanzhi::ControlTable()) {
    if (entry.kind == lanzhi::ControlKind::Timer || entry.kind == lanzhi::ControlKind::TransparentLabel) continue;
    HFONT own = lanzhi::CreateControlFont(entry.font);
    HWND control = lanzhi::CreateControlWindow(parent, instance, entry, id++, own, nullptr, nullptr, nullptr);
    ASSERT_NE(control, nullptr) << entry.name;
    const auto font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    if (entry.font == lanzhi::FontKind::Default) {
      EXPECT_EQ(font, stock) << entry.name;
      ++withoutFont;
    } else {
      EXPECT_EQ(font, own) << entry.name;
    }
    DestroyWindow(control);
    if (own != nullptr) DeleteObject(own);
  }
  EXPECT_GE(withoutFont, 49);  // 编辑框1, 编辑框4 and 编辑框5 to 编辑框51 among them
  DestroyWindow(parent);
}

TEST(SpeedField, SpinButtonsFollowTheFieldShownOrHiddenEitherWay) {
  App app;
  ASSERT_TRUE(app.Start());
  HWND field = app.Control("编辑框3");
  HWND spin = GetDlgItem(app.Window(), lanzhi::kSpeedSpinId);
  ASSERT_TRUE(IsWindowVisible(spin));
  constexpr UINT kKeep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
  const struct {
    const char* how;
    std::function<void()> act;
    bool visible;
  } steps[] = {
      {"SetWindowPos hides", [&] { SetWindowPos(field, nullptr, 0, 0, 0, 0, kKeep | SWP_HIDEWINDOW); }, false},
      {"SetWindowPos shows", [&] { SetWindowPos(field, nullptr, 0, 0, 0, 0, kKeep | SWP_SHOWWINDOW); }, true},
      {"ShowWindow hides", [&] { ShowWindow(field, SW_HIDE); }, false},
      {"ShowWindow shows", [&] { ShowWindow(field, SW_SHOWNA); }, true},
  };
  for (const auto& step : steps) {
    step.act();
    EXPECT_TRUE(harness::WaitUntil([&] { return (IsWindowVisible(spin) != FALSE) == step.visible; }, 2000))
        << step.how;
  }
  EXPECT_EQ(app.Close(), 0u);
}

TEST(SpeedField, TakesFromAnInputMethodOnlyWhatItTakesFromTheKeyboard) {
  App app;
  ASSERT_TRUE(app.Start());
  HWND field = app.Control("编辑框3");
  const struct {
    const char* what;
    WPARAM character;  // a double-byte character has its lead byte in the high byte
    const char* after;
  } cases[] = {
      {"a digit", '5', "125"},
      {"a letter", 'a', "12"},
      {"the Chinese full stop", 0xA1A3, "12"},
      {"a full-width digit", 0xA3B1, "12"},
      {"a Chinese character", 0xC0B6, "12"},  // 岚
  };
  for (const auto& c : cases) {
    app.SetText("编辑框3", "12");
    SendMessageA(field, EM_SETSEL, 2, 2);
    SendMessageA(field, WM_IME_CHAR, c.character, 1);
    EXPECT_EQ(app.Text("编辑框3"), c.after) << c.what;
  }
  EXPECT_EQ(app.Close(), 0u);
}

TEST(ComboBox, SelectionWritesClampAboveAndClearBelow) {
  HWND combo = CreateWindowExA(0, "COMBOBOX", "", WS_POPUP | CBS_DROPDOWNLIST, 0, 0, 100, 160,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(combo, nullptr);
  for (std::string_view item : lanzhi::kClickModeItems) {
    const std::string text(item);
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  const int cases[][2] = {{7, 3}, {2, 2}, {0, 0}, {-5, -1}, {-1, -1}, {3, 3}};
  for (const auto& c : cases) {
    lanzhi::WriteComboSelection(combo, c[0]);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), c[1]) << c[0];
  }
  DestroyWindow(combo);
}

// Counts WM_TIMER messages for one window of the test's own.
struct TickCounter {
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) {
      ++*reinterpret_cast<int*>(GetWindowLongPtrA(window, GWLP_USERDATA));
      return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }
};

TEST(Timers, StartStopAndIgnoreANegativePeriod) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = TickCounter::Proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "TickCounter";
  RegisterClassA(&wc);
  HWND owner = CreateWindowExA(0, "TickCounter", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  int ticks = 0;
  SetWindowLongPtrA(owner, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&ticks));
  int period = 0;
  lanzhi::WriteTimerPeriod(owner, 7, period, 20);
  EXPECT_EQ(period, 20);
  EXPECT_TRUE(harness::WaitUntil([&] { return ticks >= 3; }));
  lanzhi::WriteTimerPeriod(owner, 7, period, 20);  // unchanged: keeps running
  const int before = ticks;
  EXPECT_TRUE(harness::WaitUntil([&] { return ticks > before; }));
  lanzhi::WriteTimerPeriod(owner, 7, period, -5);
  EXPECT_EQ(period, 0);
  harness::ObserveFor(30);  // a tick already queued may still arrive
  const int stopped = ticks;
  harness::ObserveFor(200);
  EXPECT_EQ(ticks, stopped);
  DestroyWindow(owner);
}

}  // namespace

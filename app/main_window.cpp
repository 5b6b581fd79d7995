#include "app/main_window.h"

#include <commctrl.h>

#include "clicker/mouse_win32.h"
#include "config/messages.h"
#include "config/messages_win32.h"

namespace lanzhi {
namespace {

constexpr int kIconResource = 1;

bool KeyDown(int virtualKey) { return GetKeyState(virtualKey) < 0; }

// The key state of a mouse event: 1 Ctrl, 2 Shift, 4 Alt.
int ModifierKeys() {
  return (KeyDown(VK_CONTROL) ? 1 : 0) + (KeyDown(VK_SHIFT) ? 2 : 0) + (KeyDown(VK_MENU) ? 4 : 0);
}

const ControlSpec& TableEntry(int index) { return ControlTable()[static_cast<std::size_t>(index)]; }

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, std::wstring runDirectory)
    : instance_(instance), config_(std::move(runDirectory)), loop_(*this) {
  QueryPerformanceFrequency(&clockFrequency_);
}

MainWindow::~MainWindow() {
  for (HFONT font : fonts_) {
    if (font != nullptr) DeleteObject(font);
  }
  for (HBRUSH brush : brushes_) {
    if (brush != nullptr) DeleteObject(brush);
  }
}

bool MainWindow::Create() {
  if (!RegisterControlClasses(instance_)) return false;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  wc.lpfnWndProc = &MainWindow::WindowProc;
  wc.hInstance = instance_;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = kMainWindowClass;
  if (RegisterClassExA(&wc) == 0) return false;

  const int left = CentredOrigin(GetSystemMetrics(SM_CXSCREEN), kMainWidth);
  const int top = CentredOrigin(GetSystemMetrics(SM_CYSCREEN), kMainHeight);
  const std::string title(kProductTitle);
  if (CreateWindowExA(0, kMainWindowClass, title.c_str(), kMainStyle, left, top, kMainWidth,
                      kMainHeight, nullptr, nullptr, instance_, this) == nullptr) {
    return false;
  }
  shownTitle_ = title;
  RECT r{};
  GetWindowRect(window_, &r);
  if (r.right - r.left != kMainWidth || r.bottom - r.top != kMainHeight) {
    MoveWindow(window_, left, top, kMainWidth, kMainHeight, FALSE);
  }
  HICON icon = LoadIconA(instance_, MAKEINTRESOURCEA(kIconResource));
  SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);

  CreateControls();
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i] != nullptr) ShowWindow(controls_[i], TableEntry(static_cast<int>(i)).visible ? SW_SHOWNA : SW_HIDE);
  }
  OnCreated();
  if (IsWindow(window_)) ShowWindow(window_, SW_SHOW);
  return true;
}

bool MainWindow::CreateControls() {
  const auto& table = ControlTable();
  controls_.assign(table.size(), nullptr);
  timerPeriods_.assign(table.size(), 0);
  brushes_.assign(table.size(), nullptr);
  bool all = true;
  for (std::size_t i = 0; i < table.size(); ++i) {
    const ControlSpec& entry = table[i];
    if (entry.kind == ControlKind::Timer) continue;
    HFONT font = CreateControlFont(entry.font);
    if (font != nullptr) fonts_.push_back(font);
    LabelLook* look = nullptr;
    if (entry.kind == ControlKind::TransparentLabel) {
      looks_.push_back(std::make_unique<LabelLook>());
      look = looks_.back().get();
    }
    controls_[i] = CreateControlWindow(window_, instance_, entry, ControlIdAt(static_cast<int>(i)),
                                       font, look, entry.speedField ? &speedField_ : nullptr, this);
    all = all && controls_[i] != nullptr;
    if (entry.background) {
      brushes_[i] = CreateSolidBrush(RGB(entry.background->r, entry.background->g, entry.background->b));
    }
  }
  // Stack in reverse: the last control on top, 组合框1 at the bottom.
  HWND above = nullptr;
  for (std::size_t i = table.size(); i-- > 0;) {
    if (controls_[i] == nullptr) continue;
    SetWindowPos(controls_[i], above != nullptr ? above : HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    above = controls_[i];
  }
  return all;
}

void MainWindow::OnCreated() {
  // Keys first: the notice below tells the user to press them.
  for (int i = 0; i < kHotkeyCount; ++i) {
    hotkeyIds_[i] = hotkeys_.Register(window_, Control("标签1"), 0, kHotkeyKeys[i].virtualKey);
  }
  // A first start leaves a file the user can edit to switch the notice off.
  if (!config_.Exists()) config_.Write(kUsageSwitchKey, kUsageSwitchOn);
  UsageNotice(config_);
  WriteTimerPeriod("时钟2", static_cast<int>(kCursorReadoutMs));
}

void MainWindow::OnAboutToBeDestroyed() {
  loop_.Halt();
  for (std::size_t i = 0; i < timerPeriods_.size(); ++i) {
    if (timerPeriods_[i] > 0) KillTimer(window_, static_cast<UINT_PTR>(ControlIdAt(static_cast<int>(i))));
    timerPeriods_[i] = 0;
  }
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  return self->HandleMessage(message, wParam, lParam);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      OnTimer(static_cast<int>(wParam) - kFirstControlId);
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lParam), lParam);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
      return OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), message);
    case WM_ERASEBKGND:
      OnEraseBackground(reinterpret_cast<HDC>(wParam));
      return 1;
    case WM_ACTIVATE:
      OnActivate(LOWORD(wParam) != WA_INACTIVE);
      return 0;
    case WM_SETFOCUS:
      RestoreFocus();
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_DESTROY:
      OnAboutToBeDestroyed();
      return 0;
    case WM_NCDESTROY: {
      const LRESULT result = DefWindowProcA(window_, message, wParam, lParam);
      SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
      window_ = nullptr;
      PostQuitMessage(0);
      return result;
    }
    default:
      return DefWindowProcA(window_, message, wParam, lParam);
  }
}

void MainWindow::OnTimer(int controlIndex) {
  static const int kClickTimer = ControlIndex("时钟1");
  static const int kReadoutTimer = ControlIndex("时钟2");
  if (controlIndex == kClickTimer) {
    loop_.Tick();
  } else if (controlIndex == kReadoutTimer) {
    ObserveHeldKeys();
    RefreshCursorReadout();
  }
}

void MainWindow::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return;
  if (id == ControlId("按钮1")) {
    StartClicking();
  } else if (id == ControlId("按钮2")) {
    StopClicking();
  }
}

LRESULT MainWindow::OnNotify(const NMHDR& header, LPARAM lParam) {
  if (header.idFrom != static_cast<UINT_PTR>(kSpeedSpinId) || header.code != UDN_DELTAPOS) return 0;
  HWND field = Control("编辑框3");
  if (!IsWindowEnabled(field) || !IsWindowVisible(field)) return 0;
  const auto* change = reinterpret_cast<const NMUPDOWN*>(lParam);
  if (change->iDelta == 0) return 0;
  WriteText("编辑框3", SpinSpeedText(ReadText("编辑框3"), change->iDelta > 0));
  SendMessageA(field, EM_SETSEL, 0, -1);
  SendMessageA(field, EM_SCROLLCARET, 0, 0);
  SetFocus(field);
  return 0;
}

LRESULT MainWindow::OnControlColour(HDC dc, HWND control, UINT message) {
  int index = IndexOf(control);
  if (index < 0 && message == WM_CTLCOLORLISTBOX) {
    // The dropped-down list of the click-mode box takes the box's colours.
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    HWND combo = Control("组合框1");
    if (GetComboBoxInfo(combo, &info) && info.hwndList == control) index = IndexOf(combo);
  }
  if (index < 0) return DefWindowProcA(window_, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
  const ControlSpec& entry = TableEntry(index);
  if (entry.textColour) SetTextColor(dc, RGB(entry.textColour->r, entry.textColour->g, entry.textColour->b));
  if (entry.faceBackground) {
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
  }
  if (entry.background) {
    SetBkColor(dc, RGB(entry.background->r, entry.background->g, entry.background->b));
    return reinterpret_cast<LRESULT>(brushes_[static_cast<std::size_t>(index)]);
  }
  return DefWindowProcA(window_, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
}

void MainWindow::OnEraseBackground(HDC dc) {
  RECT r{};
  GetClientRect(window_, &r);
  HBRUSH face = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
  FillRect(dc, &r, face);
  DeleteObject(face);
}

void MainWindow::OnActivate(bool active) {
  if (!active) {
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(window_, focus)) savedFocus_ = focus;
    return;
  }
  RestoreFocus();
}

void MainWindow::RestoreFocus() {
  if (savedFocus_ != nullptr && IsWindow(savedFocus_) && IsChild(window_, savedFocus_)) {
    SetFocus(savedFocus_);
    return;
  }
  WalkFocus(-1, true, false);
}

bool MainWindow::WalkFocus(int fromIndex, bool forward, bool radiosOnly) {
  std::vector<FocusState> states(controls_.size());
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i] == nullptr) continue;
    const ControlSpec& entry = TableEntry(static_cast<int>(i));
    states[i] = {entry.tabStop, IsWindowVisible(controls_[i]) != FALSE,
                 IsWindowEnabled(controls_[i]) != FALSE, entry.kind == ControlKind::Radio};
  }
  const int next = radiosOnly ? NextRadio(states, fromIndex, forward)
                              : NextTabStop(states, fromIndex, forward);
  if (next < 0) return false;
  HWND target = controls_[static_cast<std::size_t>(next)];
  if (radiosOnly) {
    for (std::size_t i = 0; i < controls_.size(); ++i) {
      if (states[i].radio) SendMessageA(controls_[i], BM_SETCHECK, BST_UNCHECKED, 0);
    }
    SendMessageA(target, BM_SETCHECK, BST_CHECKED, 0);
  }
  SetFocus(target);
  return true;
}

bool MainWindow::PreTranslate(const MSG& message) {
  if (window_ == nullptr) return false;
  HWND target = message.hwnd;
  if (target == nullptr || (target != window_ && !IsChild(window_, target))) return false;

  if (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) {
    if (!IsWindowEnabled(target)) return false;
    const bool ctrl = KeyDown(VK_CONTROL);
    const bool shift = KeyDown(VK_SHIFT);
    const bool alt = KeyDown(VK_MENU);
    const int focus = IndexOf(GetFocus());
    switch (message.wParam) {
      case VK_ESCAPE:
        if (ctrl || shift || alt) return false;
        SendMessageA(window_, WM_CLOSE, 0, 0);
        return true;
      case VK_TAB:
        if (ctrl || alt) return false;
        WalkFocus(focus, !shift, false);
        return true;
      case VK_RIGHT:
      case VK_DOWN:
      case VK_LEFT:
      case VK_UP:
        if (focus < 0 || TableEntry(focus).kind != ControlKind::Radio) return false;
        WalkFocus(focus, message.wParam == VK_RIGHT || message.wParam == VK_DOWN, true);
        return true;
      default:
        return false;
    }
  }

  if ((message.message == WM_LBUTTONDOWN || message.message == WM_LBUTTONDBLCLK) &&
      target == Control("透明标签2")) {
    const int x = LOWORD(message.lParam);
    const int y = HIWORD(message.lParam);
    return OnCreditPress(x, y, ModifierKeys(), message.message == WM_LBUTTONDBLCLK) == 0;
  }
  return false;
}

LRESULT MainWindow::OnCreditPress(int /*x*/, int /*y*/, int /*keys*/, bool doubleClick) {
  OpenWebPage(doubleClick ? kBlogAddress : kHomePageAddress);
  return 1;  // let the label see the message too
}

LRESULT MainWindow::OnLabelNotify(WPARAM wParam, LPARAM /*lParam*/) {
  const auto id = static_cast<long long>(wParam);
  switch (ActionForHotkey(id, hotkeyIds_)) {
    case HotkeyAction::Start:
      // Only the press itself: the repeats of a held key would restart clicking.
      if (heldKeys_.Press(HotkeyIndex(id, hotkeyIds_), static_cast<std::uint32_t>(GetMessageTime()))) {
        StartClicking();
      }
      break;
    case HotkeyAction::Stop:
      StopClicking();
      break;
    case HotkeyAction::None:
      break;
  }
  return 0;
}

void MainWindow::StartClicking() { loop_.Start(ReadLoopSettings()); }

void MainWindow::StopClicking() { loop_.Stop(); }

void MainWindow::ObserveHeldKeys() {
  if (!heldKeys_.AnyHeld()) return;
  const DWORD now = GetTickCount();  // the clock of the messages' times
  for (int i = 0; i < kHotkeyCount; ++i) {
    if (!heldKeys_.Held(i)) continue;
    heldKeys_.Observe(i, GetAsyncKeyState(static_cast<int>(kHotkeyKeys[i].virtualKey)) < 0, now);
  }
}

void MainWindow::RefreshCursorReadout() {
  POINT cursor{};
  GetCursorPos(&cursor);
  // The window under a resting cursor can change too (this window moved
  // under it, another one opened over it), so the lookup runs every time. The
  // title depends only on the top-level window there, which the smallest
  // window at the point shares with the window the system finds: one cheap
  // call instead of a walk over siblings, ten times a second.
  HWND under = WindowFromPoint(cursor);
  HWND top = under != nullptr ? GetAncestor(under, GA_ROOT) : nullptr;
  const std::string title =
      top == window_ ? std::string(kProductTitle) : CursorReadout(cursor.x, cursor.y);
  if (title != shownTitle_) {
    SetWindowTextA(window_, title.c_str());
    shownTitle_ = title;
  }
}

HWND MainWindow::Control(std::string_view name) const {
  const int index = ControlIndex(name);
  return index < 0 ? nullptr : controls_[static_cast<std::size_t>(index)];
}

int MainWindow::IndexOf(HWND control) const {
  if (control == nullptr) return -1;
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i] == control) return static_cast<int>(i);
  }
  return -1;
}

std::string MainWindow::ReadText(std::string_view name) const {
  HWND control = Control(name);
  const int length = GetWindowTextLengthA(control);
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(control, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

void MainWindow::WriteText(std::string_view name, std::string_view text) {
  const std::string value(text);
  SetWindowTextA(Control(name), value.c_str());
}

void MainWindow::WriteTimerPeriod(std::string_view name, int period) {
  const int index = ControlIndex(name);
  if (index < 0 || window_ == nullptr) return;
  lanzhi::WriteTimerPeriod(window_, static_cast<UINT_PTR>(ControlIdAt(index)),
                           timerPeriods_[static_cast<std::size_t>(index)], period);
}

LoopSettings MainWindow::ReadLoopSettings() const {
  LoopSettings settings;
  settings.mode = ClickModeFrom(SendMessageA(Control("组合框1"), CB_GETCURSEL, 0, 0));
  settings.paceText = ReadText("编辑框3");
  const std::pair<const char*, TargetMode> radios[] = {{"单选框1", TargetMode::FixedPosition},
                                                       {"单选框2", TargetMode::AnyPosition},
                                                       {"单选框3", TargetMode::MultiPosition}};
  for (const auto& [name, mode] : radios) {
    if (SendMessageA(Control(name), BM_GETCHECK, 0, 0) == BST_CHECKED) {
      settings.target = mode;
      break;
    }
  }
  return settings;
}

double MainWindow::Now() {
  LARGE_INTEGER counter{};
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(clockFrequency_.QuadPart);
}

ScreenPoint MainWindow::Cursor() {
  const long x = CursorX();
  const long y = CursorY();
  return {static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)};
}

void MainWindow::Click(ScreenPoint at, ClickMode mode) { ClickAt(at.x, at.y, mode); }

PositionTexts MainWindow::ReadPositions() {
  PositionTexts texts;
  for (int n = 1; n <= kPositionCount; ++n) {
    texts.x[static_cast<std::size_t>(n - 1)] = config_.Read(PositionKey(n, 'X'));
    texts.y[static_cast<std::size_t>(n - 1)] = config_.Read(PositionKey(n, 'Y'));
  }
  return texts;
}

void MainWindow::SetStatus(std::string_view text) { WriteText("编辑框2", text); }

void MainWindow::SetTimerPeriod(unsigned periodMs) {
  WriteTimerPeriod("时钟1", static_cast<int>(periodMs));
}

void MainWindow::ShowNotice(std::string_view text, NoticeKind kind) {
  const unsigned icon = kind == NoticeKind::Warning ? MB_ICONWARNING : MB_ICONINFORMATION;
  ShowMessage(text, MB_OK | icon, kNoticeTitle, window_);
}

}  // namespace lanzhi

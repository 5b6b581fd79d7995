#include "harness.h"

#include <algorithm>

#include "app/controls.h"
#include "app/main_window.h"
#include "clicker/targets.h"
#include "config/config_file.h"

namespace harness {

double NowMs() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f{};
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now{};
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

namespace {
void PumpOnce() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}
}  // namespace

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const double end = NowMs() + timeoutMs;
  for (;;) {
    PumpOnce();
    if (done()) return true;
    if (NowMs() >= end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_ALLINPUT);
  }
}

void ObserveFor(DWORD ms) {
  WaitUntil([] { return false; }, ms);
}

std::wstring OwnDirectory() {
  std::wstring path(32768, L'\0');
  const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  path.resize(n);
  return path.substr(0, path.rfind(L'\\'));
}

std::wstring ProgramPath() { return OwnDirectory() + L"\\岚指智能鼠标点击器.exe"; }

std::wstring TempFolder(const std::wstring& tag) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  static int serial = 0;
  for (;;) {
    std::wstring path = std::wstring(temp) + L"lanzhi-" + tag + L"-" +
                        std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++serial);
    if (CreateDirectoryW(path.c_str(), nullptr)) return path;
    if (GetLastError() != ERROR_ALREADY_EXISTS) return {};
  }
}

void RemoveFolder(const std::wstring& path) {
  if (path.empty()) return;
  // Long-path form, so that folders deeper than MAX_PATH go too.
  const std::wstring root = path.rfind(L"\\\\?\\", 0) == 0 ? path : L"\\\\?\\" + path;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((root + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring child = root + L"\\" + name;
      if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        RemoveFolder(child);
      } else {
        SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(child.c_str());
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(root.c_str());
}

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(f);
  return ok && written == bytes.size();
}

std::optional<std::string> ReadBytes(const std::wstring& path) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(f, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(f);
  return bytes;
}

std::string IniText(const std::vector<std::pair<std::string, std::string>>& keys, bool withHeader) {
  std::string text;
  if (withHeader) {
    text.push_back('[');
    text.append(lanzhi::kConfigSection).append("]\r\n");
  }
  for (const auto& [key, value] : keys) text.append(key).append("=").append(value).append("\r\n");
  return text;
}

std::string QuietIni(const std::vector<std::pair<std::string, std::string>>& more) {
  std::vector<std::pair<std::string, std::string>> keys{{std::string(lanzhi::kUsageSwitchKey), "否"}};
  keys.insert(keys.end(), more.begin(), more.end());
  return IniText(keys);
}

std::string PositionsIni(std::initializer_list<std::tuple<int, const char*, const char*>> positions) {
  std::vector<std::pair<std::string, std::string>> keys;
  for (const auto& [n, x, y] : positions) {
    if (*x != '\0') keys.emplace_back(lanzhi::PositionKey(n, 'X'), x);
    if (*y != '\0') keys.emplace_back(lanzhi::PositionKey(n, 'Y'), y);
  }
  return QuietIni(keys);
}

namespace {
struct WindowSearch {
  DWORD processId;
  const char* className;
  std::vector<HWND> found;
};
BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  char cls[64] = {};
  GetClassNameA(window, cls, sizeof cls);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == search->processId && std::string(cls) == search->className) search->found.push_back(window);
  return TRUE;
}
}  // namespace

std::vector<HWND> TopLevelWindows(DWORD processId, const char* className) {
  WindowSearch search{processId, className, {}};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindProgramWindow(DWORD processId) {
  const auto windows = TopLevelWindows(processId, lanzhi::kMainWindowClass);
  return windows.empty() ? nullptr : windows.front();
}

App::App(std::optional<std::string> ini, std::wstring folder, std::wstring exeName)
    : folder_(std::move(folder)), exeName_(std::move(exeName)), ownFolder_(folder_.empty()) {
  if (ownFolder_) folder_ = TempFolder(L"app");
  CopyFileW(ProgramPath().c_str(), (folder_ + L"\\" + exeName_).c_str(), FALSE);
  if (ini) WriteBytes(IniPath(), *ini);
}

App::~App() {
  if (Running()) {
    TerminateProcess(info_.hProcess, 99);
    WaitForSingleObject(info_.hProcess, kTimeoutMs);
  }
  if (info_.hProcess != nullptr) CloseHandle(info_.hProcess);
  if (info_.hThread != nullptr) CloseHandle(info_.hThread);
  if (ownFolder_) RemoveFolder(folder_);
}

std::wstring App::IniPath() const { return folder_ + L"\\岚指智能鼠标点击器.ini"; }

bool App::Start(bool waitForWindow) {
  const std::wstring exe = folder_ + L"\\" + exeName_;
  std::wstring commandLine = L"\"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  // Started from another directory: the program must find its file by itself.
  const std::wstring elsewhere = OwnDirectory();
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      elsewhere.c_str(), &startup, &info_)) {
    return false;
  }
  return !waitForWindow || WaitForWindow();
}

bool App::WaitForWindow() {
  return WaitUntil([this] {
    window_ = FindProgramWindow(info_.dwProcessId);
    return window_ != nullptr && IsWindowVisible(window_);
  });
}

HWND App::Control(const char* name) const { return GetDlgItem(window_, lanzhi::ControlId(name)); }

std::string App::Text(const char* name) const {
  HWND control = Control(name);
  char buffer[4096] = {};
  SendMessageA(control, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
  return buffer;
}

void App::SetText(const char* name, const std::string& text) const {
  SendMessageA(Control(name), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool App::Checked(const char* name) const {
  return SendMessageA(Control(name), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

HWND App::Focused() const {
  GUITHREADINFO gui{};
  gui.cbSize = sizeof gui;
  if (!GetGUIThreadInfo(info_.dwThreadId, &gui)) return nullptr;
  return gui.hwndFocus;
}

bool App::BringToFront() const {
  SetForegroundWindow(window_);
  return WaitUntil([this] { return GetForegroundWindow() == window_; });
}

bool App::Running() const {
  return info_.hProcess != nullptr && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> App::WaitForExit(DWORD timeoutMs) {
  if (info_.hProcess == nullptr) return std::nullopt;
  if (!WaitUntil([this] { return !Running(); }, timeoutMs)) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

std::optional<DWORD> App::Close() {
  PostMessageA(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
  return WaitForExit();
}

HWND FindBox(const std::string& title) {
  HWND box = FindWindowA("#32770", title.c_str());
  return (box != nullptr && IsWindowVisible(box)) ? box : nullptr;
}

HWND WaitForBox(const std::string& title, DWORD timeoutMs) {
  HWND box = nullptr;
  WaitUntil([&] { return (box = FindBox(title)) != nullptr; }, timeoutMs);
  return box;
}

std::string BoxText(HWND box) {
  char buffer[4096] = {};
  SendMessageA(GetDlgItem(box, 0xFFFF), WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
  return buffer;
}

void PressBoxButton(HWND box, int buttonId) {
  PostMessageA(GetDlgItem(box, buttonId), BM_CLICK, 0, 0);
}

void Key(WORD virtualKey, bool down) {
  DWORD flags = down ? 0 : KEYEVENTF_KEYUP;
  switch (virtualKey) {
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
      flags |= KEYEVENTF_EXTENDEDKEY;
      break;
    default:
      break;
  }
  keybd_event(static_cast<BYTE>(virtualKey), static_cast<BYTE>(MapVirtualKeyW(virtualKey, 0)), flags, 0);
}

void Press(WORD virtualKey, std::initializer_list<WORD> modifiers) {
  for (WORD m : modifiers) Key(m, true);
  Key(virtualKey, true);
  Key(virtualKey, false);
  for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it) Key(*it, false);
}

void TypeText(const std::string& ascii) {
  for (char c : ascii) {
    if (c >= '0' && c <= '9') {
      Press(static_cast<WORD>(c));
    } else if (c >= 'a' && c <= 'z') {
      Press(static_cast<WORD>(c - 'a' + 'A'));
    } else if (c == '-') {
      Press(VK_OEM_MINUS);
    } else if (c == '.') {
      Press(VK_OEM_PERIOD);
    } else if (c == ' ') {
      Press(VK_SPACE);
    }
  }
}

bool SetClipboardText(const std::string& text) {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  auto* data = static_cast<char*>(GlobalLock(memory));
  memcpy(data, text.c_str(), text.size() + 1);
  GlobalUnlock(memory);
  const bool ok = SetClipboardData(CF_TEXT, memory) != nullptr;
  CloseClipboard();
  return ok;
}

POINT CursorPos() {
  POINT p{};
  GetCursorPos(&p);
  return p;
}

bool MoveCursorTo(int x, int y) {
  // Under Wine a warp of the X pointer can fail or be undone by a late motion
  // event, and a position older than 100 ms is read back from the X pointer.
  // So the move is repeated until the position still reads back after that.
  const int w = GetSystemMetrics(SM_CXSCREEN) - 1;
  const int h = GetSystemMetrics(SM_CYSCREEN) - 1;
  const auto arrived = [&] {
    const POINT p = CursorPos();
    return p.x == x && p.y == y;
  };
  for (int attempt = 0; attempt < 10; ++attempt) {
    SetCursorPos(x, y);
    mouse_event(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, static_cast<DWORD>((x * 65535 + w / 2) / w),
                static_cast<DWORD>((y * 65535 + h / 2) / h), 0, 0);
    if (!WaitUntil(arrived, 500)) continue;
    ObserveFor(120);
    if (arrived()) return true;
  }
  return false;
}

void LeftClickAt(int x, int y) {
  MoveCursorTo(x, y);
  mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
  mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
}

RECT ScreenRect(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

ClickTarget::ClickTarget(RECT place) {
  static const ATOM atom = [] {
    WNDCLASSW wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &ClickTarget::Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"HarnessClickTarget";
    return RegisterClassW(&wc);
  }();
  (void)atom;
  window_ = CreateWindowExW(WS_EX_TOPMOST, L"HarnessClickTarget", L"click target", WS_POPUP | WS_VISIBLE,
                            place.left, place.top, place.right - place.left,
                            place.bottom - place.top, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  WaitUntil([this] { return IsWindowVisible(window_) != FALSE; });
}

ClickTarget::~ClickTarget() {
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  DestroyWindow(window_);
}

LRESULT CALLBACK ClickTarget::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<ClickTarget*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK:
      if (self != nullptr) {
        POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ClientToScreen(window, &p);
        self->events_.push_back({message, p, NowMs()});
      }
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

std::vector<ClickTarget::Event> ClickTarget::Downs() const {
  std::vector<Event> downs;
  for (const Event& e : events_) {
    if (e.message == WM_LBUTTONDOWN || e.message == WM_LBUTTONDBLCLK ||
        e.message == WM_RBUTTONDOWN || e.message == WM_RBUTTONDBLCLK) {
      downs.push_back(e);
    }
  }
  return downs;
}

bool ClickTarget::WaitForDowns(std::size_t count, DWORD timeoutMs) {
  return WaitUntil([&] { return Downs().size() >= count; }, timeoutMs);
}

CpuLoad::CpuLoad() {
  const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
  for (unsigned i = 0; i <= cores; ++i) {
    threads_.emplace_back([this] {
      volatile unsigned long long spin = 0;
      while (!stop_.load(std::memory_order_relaxed)) spin = spin + 1;
    });
  }
}

CpuLoad::~CpuLoad() {
  stop_ = true;
  for (std::thread& t : threads_) t.join();
}

}  // namespace harness

// What the Windows-level tests use to drive the real executable from outside,
// as a user or another program would: a copy of the program in a folder of
// its own with a prepared configuration file, keys and mouse input, message
// boxes, and a target window that records every click it receives.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

namespace harness {

inline constexpr DWORD kTimeoutMs = 10000;

// Pumps this thread's messages until `done` holds or the time is up.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = kTimeoutMs);
// Pumps messages for a while, to see that something does not happen.
void ObserveFor(DWORD ms);

// The folder of this test program (the program under test is built beside it).
std::wstring OwnDirectory();
std::wstring ProgramPath();  // 岚指智能鼠标点击器.exe beside the tests
std::wstring TempFolder(const std::wstring& tag);
void RemoveFolder(const std::wstring& path);
bool WriteBytes(const std::wstring& path, const std::string& bytes);
std::optional<std::string> ReadBytes(const std::wstring& path);

// An INI text in GBK with CRLF line ends: the program's section and the keys.
std::string IniText(const std::vector<std::pair<std::string, std::string>>& keys,
                    bool withHeader = true);
// The keys of a file that asks for no usage notice, plus `more`.
std::string QuietIni(const std::vector<std::pair<std::string, std::string>>& more = {});
// A quiet file with stored positions: number, X text, Y text (an empty text
// leaves its key out).
std::string PositionsIni(std::initializer_list<std::tuple<int, const char*, const char*>> positions);

// A copy of the program in a fresh folder; started, driven, and ended with it.
class App {
 public:
  // `ini`: the configuration file's bytes, or none for a first start.
  // `folder`: where the copy goes (an empty one of its own when not given);
  // `exeName`: the copy's file name.
  explicit App(std::optional<std::string> ini = QuietIni(), std::wstring folder = {},
               std::wstring exeName = L"岚指智能鼠标点击器.exe");
  ~App();
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  // Starts the process; with `waitForWindow`, until its main window is shown.
  bool Start(bool waitForWindow = true);
  // Waits until the main window is shown (after a notice, say).
  bool WaitForWindow();
  HWND Window() const { return window_; }
  HWND Control(const char* name) const;
  DWORD ProcessId() const { return info_.dwProcessId; }
  HANDLE Process() const { return info_.hProcess; }
  DWORD ThreadId() const { return info_.dwThreadId; }
  const std::wstring& Folder() const { return folder_; }
  std::wstring IniPath() const;

  std::string Text(const char* name) const;
  void SetText(const char* name, const std::string& text) const;
  bool Checked(const char* name) const;
  HWND Focused() const;  // the control of the program that has the keyboard focus
  bool BringToFront() const;

  // Closes as Alt+F4 does and waits for the exit code.
  std::optional<DWORD> Close();
  std::optional<DWORD> WaitForExit(DWORD timeoutMs = kTimeoutMs);
  bool Running() const;

 private:
  std::wstring folder_;
  std::wstring exeName_;
  bool ownFolder_ = true;
  PROCESS_INFORMATION info_{};
  HWND window_ = nullptr;
};

// The top-level windows of `processId` with the class `className`.
std::vector<HWND> TopLevelWindows(DWORD processId, const char* className);
// A top-level window of the program's class belonging to `processId`.
HWND FindProgramWindow(DWORD processId);

// A message box of any process with this title, once it is on screen.
HWND WaitForBox(const std::string& title, DWORD timeoutMs = kTimeoutMs);
HWND FindBox(const std::string& title);
std::string BoxText(HWND box);
void PressBoxButton(HWND box, int buttonId);

// Keyboard input as a user types it, to whatever window has the focus.
void Key(WORD virtualKey, bool down);
void Press(WORD virtualKey, std::initializer_list<WORD> modifiers = {});
void TypeText(const std::string& ascii);
bool SetClipboardText(const std::string& text);

// Moves the cursor and waits until the move has arrived.
bool MoveCursorTo(int x, int y);
void LeftClickAt(int x, int y);
POINT CursorPos();
RECT ScreenRect(HWND window);

// A window of the test's own that records every button message it receives.
class ClickTarget {
 public:
  struct Event {
    UINT message;
    POINT screen;
    double timeMs;
  };
  explicit ClickTarget(RECT place = {0, 0, 360, 290});
  ~ClickTarget();
  ClickTarget(const ClickTarget&) = delete;
  ClickTarget& operator=(const ClickTarget&) = delete;

  HWND Window() const { return window_; }
  const std::vector<Event>& Events() const { return events_; }
  // Button-down messages (a double-click message counts as a down).
  std::vector<Event> Downs() const;
  void Clear() { events_.clear(); }
  bool WaitForDowns(std::size_t count, DWORD timeoutMs = kTimeoutMs);

 private:
  static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
  HWND window_ = nullptr;
  std::vector<Event> events_;
};

double NowMs();

// A machine busy with other work: CPU-bound threads in this process, one per
// core and one more, spinning for as long as the object lives.
class CpuLoad {
 public:
  CpuLoad();
  ~CpuLoad();
  CpuLoad(const CpuLoad&) = delete;
  CpuLoad& operator=(const CpuLoad&) = delete;
  std::size_t Threads() const { return threads_.size(); }

 private:
  std::atomic<bool> stop_{false};
  std::vector<std::thread> threads_;
};

}  // namespace harness

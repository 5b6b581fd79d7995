// MainWindow: the program's one window, its 76 controls and the events that
// carry all of the program's work.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/controls.h"
#include "app/controls_win32.h"
#include "clicker/click_loop.h"
#include "clicker/hotkeys_win32.h"
#include "config/config_file.h"

namespace lanzhi {

inline constexpr char kMainWindowClass[] = "LanzhiClickerMainWindow";
inline constexpr int kMainWidth = 269;
inline constexpr int kMainHeight = 170;
inline constexpr DWORD kMainStyle = 0x02CA0000;  // caption, system menu, minimise box, clip children
inline constexpr unsigned kCursorReadoutMs = 100;

// Left and top of a window centred on the screen, each halving toward zero.
constexpr int CentredOrigin(int screen, int size) { return (screen - size) / 2; }

class MainWindow final : public LabelNotifyHandler, private ClickEnvironment {
 public:
  MainWindow(HINSTANCE instance, std::wstring runDirectory);
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Start-up: the window hidden and centred, its controls, the created event,
  // then the window shown. False when the window cannot be created.
  bool Create();
  HWND Handle() const { return window_; }

  // The keyboard conventions and the credit line's mouse events, applied to a
  // message before it is dispatched. True when the message is used up.
  bool PreTranslate(const MSG& message);

  LRESULT OnLabelNotify(WPARAM wParam, LPARAM lParam) override;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  bool CreateControls();
  void OnCreated();
  void OnAboutToBeDestroyed();
  void OnTimer(int controlIndex);
  void OnCommand(int id, int code);
  LRESULT OnNotify(const NMHDR& header, LPARAM lParam);
  LRESULT OnControlColour(HDC dc, HWND control, UINT message);
  void OnActivate(bool active);
  void OnEraseBackground(HDC dc);
  LRESULT OnCreditPress(int x, int y, int keys, bool doubleClick);

  void StartClicking();
  void StopClicking();
  // Sees the release of the start keys whose press started clicking.
  void ObserveHeldKeys();
  void RefreshCursorReadout();
  void RestoreFocus();
  bool WalkFocus(int fromIndex, bool forward, bool radiosOnly);

  HWND Control(std::string_view name) const;
  int IndexOf(HWND control) const;
  std::string ReadText(std::string_view name) const;
  void WriteText(std::string_view name, std::string_view text);
  void WriteTimerPeriod(std::string_view name, int period);
  LoopSettings ReadLoopSettings() const;

  // ClickEnvironment
  double Now() override;
  ScreenPoint Cursor() override;
  void Click(ScreenPoint at, ClickMode mode) override;
  PositionTexts ReadPositions() override;
  void SetStatus(std::string_view text) override;
  void SetTimerPeriod(unsigned periodMs) override;
  void ShowNotice(std::string_view text, NoticeKind kind) override;

  HINSTANCE instance_;
  ConfigFile config_;
  HWND window_ = nullptr;
  std::vector<HWND> controls_;          // by control order; null for timers
  std::vector<int> timerPeriods_;       // by control order; used for timers
  std::vector<HFONT> fonts_;            // each control's own font object
  std::vector<HBRUSH> brushes_;         // by control order; null: none of its own
  std::vector<std::unique_ptr<LabelLook>> looks_;
  SpeedFieldState speedField_;
  HotkeyRelay hotkeys_;
  int hotkeyIds_[kHotkeyCount] = {};
  HeldKeys heldKeys_;
  ClickLoop loop_;
  HWND savedFocus_ = nullptr;
  std::string shownTitle_;
  LARGE_INTEGER clockFrequency_{};
};

}  // namespace lanzhi

// Creating the control windows from the control table, and the window classes
// of the program's own label kinds.
#pragma once

#include <windows.h>

#include "app/controls.h"

namespace lanzhi {

inline constexpr char kLabelClass[] = "LanzhiLabel";
inline constexpr char kTransparentLabelClass[] = "LanzhiTransparentLabel";

// Receives 标签1's notification (HotkeyNotify).
class LabelNotifyHandler {
 public:
  virtual LRESULT OnLabelNotify(WPARAM wParam, LPARAM lParam) = 0;

 protected:
  ~LabelNotifyHandler() = default;
};

bool RegisterControlClasses(HINSTANCE instance);

// How a transparent label paints itself; owned by the main window.
struct LabelLook {
  HFONT font = nullptr;  // null: DEFAULT_GUI_FONT
  COLORREF colour = 0;
  Align align = Align::Left;
  bool relief = false;
  bool handCursor = false;
};

// The speed field's extra state: its spin buttons.
struct SpeedFieldState {
  WNDPROC original = nullptr;
  HWND spin = nullptr;
};

// A font of the face "微软雅黑" at the given weight.
HFONT CreateControlFont(FontKind kind);

// Creates the control window of `entry` (hidden) as a child of `parent`.
// `look` and `speed` are used by the kinds that need them.
HWND CreateControlWindow(HWND parent, HINSTANCE instance, const ControlSpec& entry, int id,
                         HFONT font, LabelLook* look, SpeedFieldState* speed,
                         LabelNotifyHandler* notify);

// Applies the selection write rule to a combo box.
void WriteComboSelection(HWND combo, int index);

// Writes a timer's period by the timer rule: `period` holds the current one
// and is updated; the timer `id` of `owner` is stopped and started as needed.
void WriteTimerPeriod(HWND owner, UINT_PTR id, int& period, int requested);

}  // namespace lanzhi

// The 76 controls of the main window as one table, in control order (which is
// also the creation, stacking and tab order), and the rules the controls
// follow that need no Windows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lanzhi {

enum class ControlKind { Edit, Timer, Radio, Button, Combo, Label, TransparentLabel };
enum class FontKind { Default, Normal, Bold };
enum class Align { Left, Center };

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct ControlSpec {
  std::string name;
  ControlKind kind = ControlKind::Edit;
  int x = 0, y = 0, width = 0, height = 0;
  std::string text;
  FontKind font = FontKind::Default;
  std::optional<Rgb> textColour;
  std::optional<Rgb> background;  // none: no brush of its own
  bool faceBackground = false;    // background is the system face colour
  bool visible = false;
  bool tabStop = false;
  bool checked = false;  // radio boxes: checked at creation
  Align align = Align::Left;
  bool relief = false;      // white relief under the caption (credit line)
  bool handCursor = false;
  bool speedField = false;  // digits only, 5 characters, spin buttons
  int lengthLimit = 0;      // 0: no limit
};

// The table, in control order.
const std::vector<ControlSpec>& ControlTable();

// Position of a named control in the control order, or -1.
int ControlIndex(std::string_view name);

// Control ids are given by control order, so tools and tests can address a
// control by its name through the table.
inline constexpr int kFirstControlId = 1001;
constexpr int ControlIdAt(int index) { return kFirstControlId + index; }
int ControlId(std::string_view name);
inline constexpr int kSpeedSpinId = 2001;  // the up-down control of 编辑框3

// The click-mode list's items, in ClickMode order.
inline constexpr std::string_view kClickModeItems[] = {"左键单击", "左键双击", "右键单击", "右键双击"};
inline constexpr int kComboDropHeight = 160;

// --- Focus walks -----------------------------------------------------------

struct FocusState {
  bool tabStop = false;
  bool visible = false;
  bool enabled = false;
  bool radio = false;
};

// The index that Tab (forward) or Shift+Tab moves the focus to from `current`
// (-1 when no control has the focus): the next visible, enabled tab stop in
// control order, wrapping. -1 when there is none.
int NextTabStop(const std::vector<FocusState>& controls, int current, bool forward);

// The same among the radio boxes, for the arrow keys.
int NextRadio(const std::vector<FocusState>& controls, int current, bool forward);

// --- Speed field -------------------------------------------------------------

inline constexpr int kSpeedFieldLimit = 5;
inline constexpr int kSpinLower = 0;
inline constexpr int kSpinUpper = 10000;
inline constexpr int kSpinWidth = 18;

// Whether a typed character (WM_CHAR code) reaches the field: control codes
// always, otherwise digits and the minus sign.
constexpr bool SpeedFieldAccepts(unsigned code) {
  return code < 32 || (code >= '0' && code <= '9') || code == '-';
}

// The text the field holds after losing the focus: the leading integer,
// clamped to 32 bits, without leading zeros; "0" becomes empty.
std::string NormaliseSpeedText(std::string_view text);

// The text after one step of the spin buttons, wrapping within 0..10000.
std::string SpinSpeedText(std::string_view text, bool up);

// --- Other write rules -----------------------------------------------------

// The index a written combo selection selects: above the last item the last
// one, below 0 none (-1).
constexpr int ComboSelectionFor(int requested, int itemCount) {
  if (requested < 0) return -1;
  return requested > itemCount - 1 ? itemCount - 1 : requested;
}

// What writing a timer's period does.
struct TimerChange {
  int period = 0;         // the period read back afterwards
  bool kill = false;      // stop the running timer
  unsigned start = 0;     // start it with this period (0: leave it stopped)
};
TimerChange TimerPeriodChange(int currentPeriod, int requestedPeriod);

}  // namespace lanzhi

#include "app/controls.h"

#include <cstdint>
#include <limits>

#include "config/messages.h"

namespace lanzhi {
namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlue{0, 136, 255};
constexpr Rgb kGreen{0, 224, 128};

ControlSpec Timer(int number) {
  ControlSpec c;
  c.name = "时钟" + std::to_string(number);
  c.kind = ControlKind::Timer;
  return c;
}

// A hidden field: plain edit box, black on white, default font, tab stop.
ControlSpec Field(int number, int x, int y, int w, int h) {
  ControlSpec c;
  c.name = "编辑框" + std::to_string(number);
  c.kind = ControlKind::Edit;
  c.x = x, c.y = y, c.width = w, c.height = h;
  c.textColour = kBlack;
  c.background = kWhite;
  c.tabStop = true;
  return c;
}

// 编辑框5..编辑框51 stand in a grid of 7 columns below the client area.
ControlSpec GridField(int number) {
  const int slot = number - 5;
  return Field(number, 16 + 32 * (slot % 7), 160 + 24 * (slot / 7), 32, 24);
}

ControlSpec TransparentLabel(std::string name, int x, int y, int w, int h, std::string text,
                             FontKind font, Rgb colour) {
  ControlSpec c;
  c.name = std::move(name);
  c.kind = ControlKind::TransparentLabel;
  c.x = x, c.y = y, c.width = w, c.height = h;
  c.text = std::move(text);
  c.font = font;
  c.textColour = colour;
  c.visible = true;
  return c;
}

ControlSpec Radio(int number, int x, std::string text) {
  ControlSpec c;
  c.name = "单选框" + std::to_string(number);
  c.kind = ControlKind::Radio;
  c.x = x, c.y = 88, c.width = 70, c.height = 24;
  c.text = std::move(text);
  c.font = FontKind::Bold;
  c.textColour = kBlack;
  c.faceBackground = true;
  c.visible = true;
  c.tabStop = true;
  return c;
}

ControlSpec Button(int number, int x, std::string text) {
  ControlSpec c;
  c.name = "按钮" + std::to_string(number);
  c.kind = ControlKind::Button;
  c.x = x, c.y = 386, c.width = 73, c.height = 24;
  c.text = std::move(text);
  c.font = FontKind::Bold;
  c.tabStop = true;
  return c;
}

std::vector<ControlSpec> BuildTable() {
  std::vector<ControlSpec> t;
  t.reserve(76);

  ControlSpec combo;
  combo.name = "组合框1";
  combo.kind = ControlKind::Combo;
  combo.x = 35, combo.y = 24, combo.width = 75, combo.height = 20;
  combo.font = FontKind::Bold;
  combo.textColour = kBlue;
  combo.background = kWhite;
  combo.visible = true;
  combo.tabStop = true;
  t.push_back(combo);

  t.push_back(TransparentLabel("透明标签1", 37, 0, 48, 24, "点击方式", FontKind::Normal, kBlack));

  ControlSpec status = Field(2, 28, 56, 206, 24);
  status.text = "欢迎使用，岚指智能鼠标点击器";
  status.font = FontKind::Normal;
  status.textColour = kGreen;
  status.align = Align::Center;
  status.visible = true;
  t.push_back(status);

  t.push_back(Button(1, 32, "开始点击"));
  t.push_back(Timer(1));
  t.push_back(TransparentLabel("透明标签5", 153, 0, 48, 24, "速度(ms)", FontKind::Normal, kBlack));

  ControlSpec speed = Field(3, 150, 24, 57, 25);
  speed.text = "1000";
  speed.font = FontKind::Bold;
  speed.textColour = kBlue;
  speed.align = Align::Center;
  speed.visible = true;
  speed.speedField = true;
  speed.lengthLimit = kSpeedFieldLimit;
  t.push_back(speed);

  t.push_back(Button(2, 156, "停止点击"));

  ControlSpec credit =
      TransparentLabel("透明标签2", 33, 112, 194, 24, std::string(kCreditLine), FontKind::Bold, kBlue);
  credit.align = Align::Center;
  credit.relief = true;
  credit.handCursor = true;
  t.push_back(credit);

  ControlSpec label;
  label.name = "标签1";
  label.kind = ControlKind::Label;
  label.x = 96, label.y = 8, label.width = 40, label.height = 16;
  t.push_back(label);

  t.push_back(Field(1, 224, 8, 0, 0));
  t.push_back(Field(4, 224, 40, 0, 0));
  t.push_back(Timer(2));
  t.push_back(Timer(3));
  t.push_back(Radio(1, 23, "固定位置"));
  t.push_back(Radio(2, 97, "任意位置"));
  t.back().checked = true;
  t.push_back(Radio(3, 171, "多处移动"));
  t.push_back(Timer(4));

  const auto grid = [&t](int from, int to) {
    for (int n = from; n <= to; ++n) t.push_back(GridField(n));
  };
  const auto timers = [&t](int from, int to) {
    for (int n = from; n <= to; ++n) t.push_back(Timer(n));
  };
  grid(5, 10);
  timers(5, 6);
  grid(11, 15);
  timers(7, 8);
  grid(16, 28);
  timers(9, 10);
  grid(29, 50);
  timers(11, 15);
  grid(51, 51);
  return t;
}

}  // namespace

const std::vector<ControlSpec>& ControlTable() {
  static const std::vector<ControlSpec> table = BuildTable();
  return table;
}

int ControlIndex(std::string_view name) {
  const auto& table = ControlTable();
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (table[i].name == name) return static_cast<int>(i);
  }
  return -1;
}

int ControlId(std::string_view name) {
  const int index = ControlIndex(name);
  return index < 0 ? 0 : ControlIdAt(index);
}

namespace {

int Walk(const std::vector<FocusState>& controls, int current, bool forward, bool radiosOnly) {
  const int n = static_cast<int>(controls.size());
  if (n == 0) return -1;
  const auto eligible = [&](int i) {
    const FocusState& s = controls[static_cast<std::size_t>(i)];
    return s.tabStop && s.visible && s.enabled && (!radiosOnly || s.radio);
  };
  // From no control, forward starts before the first and backward after the last.
  int i = current;
  if (i < 0 || i >= n) i = forward ? -1 : n;
  for (int step = 0; step < n; ++step) {
    i = forward ? (i + 1) % n : (i - 1 + n) % n;
    if (eligible(i)) return i;
  }
  return -1;
}

// Leading white space, optional sign, digits; no digits gives 0. Saturates.
std::int64_t LeadingInteger(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  constexpr std::int64_t kLimit = std::numeric_limits<std::int64_t>::max() / 10 - 9;
  std::int64_t value = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
    if (value < kLimit) value = value * 10 + (text[i] - '0');
    ++i;
  }
  return negative ? -value : value;
}

std::int64_t ClampToInt32(std::int64_t v) {
  constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  return v < kMin ? kMin : (v > kMax ? kMax : v);
}

}  // namespace

int NextTabStop(const std::vector<FocusState>& controls, int current, bool forward) {
  return Walk(controls, current, forward, false);
}

int NextRadio(const std::vector<FocusState>& controls, int current, bool forward) {
  return Walk(controls, current, forward, true);
}

std::string NormaliseSpeedText(std::string_view text) {
  const std::int64_t value = ClampToInt32(LeadingInteger(text));
  return value == 0 ? std::string() : std::to_string(value);
}

std::string SpinSpeedText(std::string_view text, bool up) {
  const std::int64_t n = ClampToInt32(LeadingInteger(text));
  const std::int64_t stepped = up ? n + 1 : n - 1;
  const bool inRange = stepped >= kSpinLower && stepped <= kSpinUpper;
  const std::int64_t value = inRange ? stepped : (up ? kSpinLower : kSpinUpper);
  return std::to_string(value);
}

TimerChange TimerPeriodChange(int currentPeriod, int requestedPeriod) {
  const int period = requestedPeriod < 0 ? 0 : requestedPeriod;
  TimerChange change;
  change.period = period;
  if (period == currentPeriod) return change;
  change.kill = currentPeriod > 0;
  change.start = static_cast<unsigned>(period);
  return change;
}

}  // namespace lanzhi

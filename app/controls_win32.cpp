#include "app/controls_win32.h"

#include <commctrl.h>
#include <imm.h>

#include <string>

#include "clicker/hotkeys.h"

namespace lanzhi {
namespace {

COLORREF ToColorRef(Rgb c) { return RGB(c.r, c.g, c.b); }

// 标签1: an empty window whose only work is to turn HotkeyNotify into the
// notification event.
// The label's font, kept in its window bytes as the standard controls keep theirs.
constexpr int kLabelFontSlot = 0;

LRESULT CALLBACK LabelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kHotkeyNotify: {
      auto* handler = reinterpret_cast<LabelNotifyHandler*>(GetWindowLongPtrA(window, GWLP_USERDATA));
      return handler != nullptr ? handler->OnLabelNotify(wParam, lParam) : 0;
    }
    case WM_SETFONT:
      SetWindowLongPtrA(window, kLabelFontSlot, static_cast<LONG_PTR>(wParam));
      return 0;
    case WM_GETFONT:
      return GetWindowLongPtrA(window, kLabelFontSlot);
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

// Repaints what lies beneath a transparent label, then the label, so that no
// old caption stays visible.
void RefreshBeneath(HWND label) {
  HWND parent = GetParent(label);
  RECT r{};
  GetWindowRect(label, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  RedrawWindow(parent, &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  RedrawWindow(label, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void PaintTransparentLabel(HWND window, const LabelLook& look) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  const int length = GetWindowTextLengthA(window);
  if (length > 0) {
    std::string caption(static_cast<std::size_t>(length) + 1, '\0');
    GetWindowTextA(window, caption.data(), length + 1);
    caption.resize(static_cast<std::size_t>(length));
    HGDIOBJ oldFont =
        SelectObject(dc, look.font != nullptr ? look.font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    UINT format = DT_NOCLIP | (look.align == Align::Center ? DT_CENTER : DT_LEFT);
    if (caption.find_first_of("\r\n") == std::string::npos) format |= DT_SINGLELINE | DT_VCENTER;
    RECT r{};
    GetClientRect(window, &r);
    if (look.relief) {
      RECT shifted = r;
      OffsetRect(&shifted, 1, 1);
      SetTextColor(dc, RGB(255, 255, 255));
      DrawTextA(dc, caption.c_str(), length, &shifted, format);
    }
    SetTextColor(dc, look.colour);
    DrawTextA(dc, caption.c_str(), length, &r, format);
    SelectObject(dc, oldFont);
  }
  EndPaint(window, &ps);
}

LRESULT CALLBACK TransparentLabelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto* look = reinterpret_cast<const LabelLook*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // nothing of its own: what lies beneath shows through
    case WM_PAINT:
      if (look != nullptr) {
        PaintTransparentLabel(window, *look);
        return 0;
      }
      break;
    case WM_SETCURSOR:
      if (look != nullptr && look->handCursor) {
        SetCursor(LoadCursor(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProcA(window, message, wParam, lParam);
      RefreshBeneath(window);
      return result;
    }
    case WM_WINDOWPOSCHANGED: {
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
      if ((pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) {
        // The old place was repainted by the move; the new one needs the same.
        RefreshBeneath(window);
      }
      break;
    }
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK SpeedFieldProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = reinterpret_cast<SpeedFieldState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  switch (message) {
    case WM_CHAR:
    case WM_IME_CHAR:  // composed by an input method, where one is still on
      if (!SpeedFieldAccepts(static_cast<unsigned>(wParam))) return 0;
      break;
    case WM_KILLFOCUS: {
      const int length = GetWindowTextLengthA(window);
      std::string text(static_cast<std::size_t>(length) + 1, '\0');
      GetWindowTextA(window, text.data(), length + 1);
      text.resize(static_cast<std::size_t>(length));
      const std::string normalised = NormaliseSpeedText(text);
      if (normalised != text) {
        DWORD selStart = 0;
        CallWindowProcA(state->original, window, EM_GETSEL, reinterpret_cast<WPARAM>(&selStart), 0);
        SetWindowTextA(window, normalised.c_str());
        CallWindowProcA(state->original, window, EM_SETSEL, selStart, selStart);
        CallWindowProcA(state->original, window, EM_SCROLLCARET, 0, 0);
      }
      break;
    }
    case WM_WINDOWPOSCHANGED:
      if (state->spin != nullptr) {
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        RECT r{};
        GetWindowRect(window, &r);
        MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
        // Against the field's right edge, exactly as tall as the field, and
        // shown or hidden with it, by ShowWindow or by SetWindowPos alike.
        UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
        if ((pos->flags & SWP_SHOWWINDOW) != 0) flags |= SWP_SHOWWINDOW;
        if ((pos->flags & SWP_HIDEWINDOW) != 0) flags |= SWP_HIDEWINDOW;
        SetWindowPos(state->spin, nullptr, r.right, r.top, kSpinWidth, r.bottom - r.top, flags);
      }
      break;
    case WM_SHOWWINDOW:
      // ShowWindow while the parent is hidden changes no position, so only
      // this message tells (lParam 0: the field's own show or hide).
      if (state->spin != nullptr && lParam == 0) ShowWindow(state->spin, wParam != 0 ? SW_SHOWNA : SW_HIDE);
      break;
    case WM_ENABLE:
      if (state->spin != nullptr) EnableWindow(state->spin, static_cast<BOOL>(wParam));
      break;
    default:
      break;
  }
  return CallWindowProcA(state->original, window, message, wParam, lParam);
}

DWORD EditStyle(const ControlSpec& entry) {
  DWORD style = ES_AUTOHSCROLL | (entry.align == Align::Center ? ES_CENTER : ES_LEFT);
  return style;
}

}  // namespace

bool RegisterControlClasses(HINSTANCE instance) {
  WNDCLASSEXA label{};
  label.cbSize = sizeof label;
  label.lpfnWndProc = LabelProc;
  label.cbWndExtra = sizeof(LONG_PTR);
  label.hInstance = instance;
  label.hCursor = LoadCursor(nullptr, IDC_ARROW);
  label.lpszClassName = kLabelClass;

  WNDCLASSEXA transparent{};
  transparent.cbSize = sizeof transparent;
  transparent.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  transparent.lpfnWndProc = TransparentLabelProc;
  transparent.hInstance = instance;
  transparent.hCursor = LoadCursor(nullptr, IDC_ARROW);
  transparent.lpszClassName = kTransparentLabelClass;

  INITCOMMONCONTROLSEX common{sizeof(INITCOMMONCONTROLSEX), ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&common);
  return RegisterClassExA(&label) != 0 && RegisterClassExA(&transparent) != 0;
}

HFONT CreateControlFont(FontKind kind) {
  if (kind == FontKind::Default) return nullptr;
  LOGFONTA lf{};
  lf.lfHeight = -12;
  lf.lfWeight = kind == FontKind::Bold ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = PROOF_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH;
  const std::string face = "微软雅黑";
  face.copy(lf.lfFaceName, sizeof lf.lfFaceName - 1);
  return CreateFontIndirectA(&lf);
}

HWND CreateControlWindow(HWND parent, HINSTANCE instance, const ControlSpec& entry, int id,
                         HFONT font, LabelLook* look, SpeedFieldState* speed,
                         LabelNotifyHandler* notify) {
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (entry.tabStop ? WS_TABSTOP : 0);
  DWORD exStyle = 0;
  const char* className = nullptr;
  int height = entry.height;
  switch (entry.kind) {
    case ControlKind::Timer:
      return nullptr;
    case ControlKind::Edit:
      className = "EDIT";
      style |= EditStyle(entry);
      exStyle = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::Combo:
      className = "COMBOBOX";
      style |= CBS_DROPDOWNLIST | CBS_AUTOHSCROLL | WS_VSCROLL;
      height = kComboDropHeight;  // bounds the dropped-down list
      break;
    case ControlKind::Radio:
      className = "BUTTON";
      style |= BS_AUTORADIOBUTTON | BS_MULTILINE | BS_LEFT | BS_VCENTER;
      break;
    case ControlKind::Button:
      className = "BUTTON";
      style |= BS_PUSHBUTTON | BS_MULTILINE | BS_CENTER | BS_VCENTER;
      break;
    case ControlKind::Label:
      className = kLabelClass;
      break;
    case ControlKind::TransparentLabel:
      className = kTransparentLabelClass;
      exStyle = WS_EX_TRANSPARENT;
      break;
  }

  HWND window = CreateWindowExA(exStyle, className, entry.text.c_str(), style, entry.x, entry.y,
                                entry.width, height, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  if (window == nullptr) return nullptr;

  // A control that names no font uses the stock GUI font (transparent labels
  // draw their text themselves, with the font of their look).
  if (entry.kind != ControlKind::TransparentLabel) {
    HGDIOBJ used = font != nullptr ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT);
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(used), FALSE);
  }

  switch (entry.kind) {
    case ControlKind::Edit:
      SendMessageA(window, EM_LIMITTEXT, static_cast<WPARAM>(entry.lengthLimit), 0);
      if (entry.speedField && speed != nullptr) {
        speed->spin = CreateWindowExA(WS_EX_STATICEDGE, UPDOWN_CLASSA, "", WS_CHILD,
                                      entry.x + entry.width, entry.y, kSpinWidth, entry.height, parent,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kSpeedSpinId)),
                                      instance, nullptr);
        // Some up-down implementations fix the width at creation; set it again.
        SetWindowPos(speed->spin, nullptr, entry.x + entry.width, entry.y, kSpinWidth, entry.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageA(speed->spin, UDM_SETRANGE, 0, MAKELPARAM(kSpinUpper, kSpinLower));
        // A number field: no input method, so that typing gives digits
        // whatever the user's Chinese input method is set to.
        ImmAssociateContextEx(window, nullptr, 0);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(speed));
        speed->original = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SpeedFieldProc)));
      }
      break;
    case ControlKind::Combo: {
      for (std::string_view item : kClickModeItems) {
        const std::string text(item);
        SendMessageA(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
      }
      SendMessageA(window, CB_SETCURSEL, 0, 0);
      const LRESULT itemHeight = SendMessageA(window, CB_GETITEMHEIGHT, 0, 0);
      if (itemHeight > 0) SendMessageA(window, CB_SETITEMHEIGHT, 0, itemHeight + 1);
      break;
    }
    case ControlKind::Radio:
      if (entry.checked) SendMessageA(window, BM_SETCHECK, BST_CHECKED, 0);
      break;
    case ControlKind::Label:
      SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(notify));
      break;
    case ControlKind::TransparentLabel:
      if (look != nullptr) {
        look->font = font;
        look->colour = ToColorRef(entry.textColour.value_or(Rgb{}));
        look->align = entry.align;
        look->relief = entry.relief;
        look->handCursor = entry.handCursor;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(look));
      }
      break;
    default:
      break;
  }
  return window;
}

void WriteComboSelection(HWND combo, int index) {
  const auto count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
  SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(ComboSelectionFor(index, count)), 0);
}

void WriteTimerPeriod(HWND owner, UINT_PTR id, int& period, int requested) {
  const TimerChange change = TimerPeriodChange(period, requested);
  if (change.kill) KillTimer(owner, id);
  if (change.start > 0) SetTimer(owner, id, change.start, nullptr);
  period = change.period;
}

}  // namespace lanzhi

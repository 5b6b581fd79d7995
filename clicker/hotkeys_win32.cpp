#include "clicker/hotkeys_win32.h"

namespace lanzhi {
namespace {
// The window property through which the filter finds its relay.
constexpr char kRelayProperty[] = "LanzhiHotkeyRelay";
}  // namespace

int HotkeyRelay::Register(HWND window, HWND label, unsigned modifiers, unsigned virtualKey) {
  label_ = label;
  if (previous_ == nullptr) {
    SetPropA(window, kRelayProperty, this);
    previous_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HotkeyRelay::Filter)));
  }
  const int id = ids_.Next();
  const UINT flags = HotkeyModifierFlags(modifiers);
  // Windows 7 and later drop the repeats of a held key with MOD_NOREPEAT;
  // older systems refuse the flag, so the key is then registered without it.
  // (Where the flag is ignored, as under Wine, HeldKeys keeps repeats out.)
  BOOL ok = RegisterHotKey(window, id, flags | MOD_NOREPEAT, virtualKey);
  if (!ok && GetLastError() != ERROR_HOTKEY_ALREADY_REGISTERED) ok = RegisterHotKey(window, id, flags, virtualKey);
  return ok ? id : 0;
}

LRESULT CALLBACK HotkeyRelay::Filter(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* relay = static_cast<HotkeyRelay*>(GetPropA(window, kRelayProperty));
  if (relay == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  const WNDPROC previous = relay->previous_;
  if (message == WM_HOTKEY && relay->ids_.Issued(static_cast<long long>(wParam))) {
    SendMessageA(relay->label_, kHotkeyNotify, wParam, 0);
  }
  if (message == WM_NCDESTROY) RemovePropA(window, kRelayProperty);
  return CallWindowProcA(previous, window, message, wParam, lParam);
}

}  // namespace lanzhi

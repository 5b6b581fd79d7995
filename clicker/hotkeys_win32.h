// System-wide hotkeys: registered for the main window, each press relayed to
// the label that handles it as HotkeyNotify.
#pragma once

#include <windows.h>

#include "clicker/hotkeys.h"

namespace lanzhi {

class HotkeyRelay {
 public:
  HotkeyRelay() = default;
  HotkeyRelay(const HotkeyRelay&) = delete;
  HotkeyRelay& operator=(const HotkeyRelay&) = delete;

  // Registers the key for `window` and makes `label` the receiver of its
  // presses. The first registration installs the filter on the window.
  // Gives the key's id, or 0 when the system refused it.
  int Register(HWND window, HWND label, unsigned modifiers, unsigned virtualKey);

 private:
  static LRESULT CALLBACK Filter(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  WNDPROC previous_ = nullptr;
  HWND label_ = nullptr;
  HotkeyIds ids_;
};

}  // namespace lanzhi

// Starts nothing: waits until the program's main window is on screen and
// prints its outer rectangle (left top width height). Used by scripts that
// take screenshots.
#include <windows.h>

#include <cstdio>

#include "app/main_window.h"

int main() {
  for (int i = 0; i < 1000; ++i) {
    HWND window = FindWindowA(lanzhi::kMainWindowClass, nullptr);
    if (window != nullptr && IsWindowVisible(window)) {
      RECT r{};
      GetWindowRect(window, &r);
      std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
      return 0;
    }
    Sleep(10);
  }
  return 1;
}

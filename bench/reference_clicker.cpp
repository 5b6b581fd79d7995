// The straightforward design the benchmark compares against: one timer with
// the pace as its period and one click at the cursor per tick.
//   reference_clicker.exe <pace ms>
#include <windows.h>

#include <cstdlib>

#include "clicker/mouse_win32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  const auto pace = static_cast<UINT>(std::strtoul(commandLine, nullptr, 10));
  MSG message;
  PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);  // make the queue before the first tick
  lanzhi::ClickAt(lanzhi::CursorX(), lanzhi::CursorY());
  SetTimer(nullptr, 0, pace, nullptr);
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_TIMER) lanzhi::ClickAt(lanzhi::CursorX(), lanzhi::CursorY());
    DispatchMessageA(&message);
  }
  return 0;
}

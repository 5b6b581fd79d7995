// Floor figures for the program, with no work of the program's own:
//   startup_probe.exe        a 269 x 170 window with the control table's 76
//                            controls: the same classes (labels as STATIC),
//                            places and visible/hidden split, each with a
//                            font of its own; shown, then idle
//   startup_probe.exe idle   a bare window with one 100 ms timer that reads
//                            the cursor, the floor of the cursor read-out
#include <windows.h>

#include <string>

#include "app/controls.h"

namespace {

constexpr char kProbeClass[] = "LanzhiStartupProbe";

const char* ClassOf(lanzhi::ControlKind kind) {
  switch (kind) {
    case lanzhi::ControlKind::Edit: return "EDIT";
    case lanzhi::ControlKind::Combo: return "COMBOBOX";
    case lanzhi::ControlKind::Radio:
    case lanzhi::ControlKind::Button: return "BUTTON";
    default: return "STATIC";
  }
}

LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER) {
    POINT p{};
    GetCursorPos(&p);
    return 0;
  }
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  const bool idle = std::string(commandLine).find("idle") != std::string::npos;
  WNDCLASSA wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kProbeClass;
  RegisterClassA(&wc);
  const int left = (GetSystemMetrics(SM_CXSCREEN) - 269) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - 170) / 2;
  HWND window = CreateWindowExA(0, kProbeClass, "probe", 0x02CA0000, left, top, 269, 170, nullptr, nullptr,
                                instance, nullptr);
  if (idle) {
    SetTimer(window, 1, 100, nullptr);
  } else {
    int id = 1001;
    for (const lanzhi::ControlSpec& entry : lanzhi::ControlTable()) {
      if (entry.kind == lanzhi::ControlKind::Timer) continue;
      LOGFONTA font{};
      font.lfHeight = -12;
      font.lfCharSet = GB2312_CHARSET;
      HWND control = CreateWindowExA(0, ClassOf(entry.kind), entry.text.c_str(),
                                     WS_CHILD | (entry.visible ? WS_VISIBLE : 0), entry.x, entry.y, entry.width,
                                     entry.height, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)),
                                     instance, nullptr);
      SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(CreateFontIndirectA(&font)), FALSE);
    }
  }
  ShowWindow(window, SW_SHOW);
  MSG message{};
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}

// Process start and end: run directory, main window, message loop.
#include <windows.h>

#include <string>

#include "app/dll_search.h"
#include "app/main_window.h"
#include "config/config_file.h"
#include "config/messages.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int /*show*/) {
  lanzhi::RestrictDllSearch();
  const std::wstring runDirectory = lanzhi::CurrentRunDirectory();
  // A bare drive ("C:") would name that drive's current directory, not its root.
  const std::wstring current = (runDirectory.size() == 2 && runDirectory[1] == L':')
                                   ? runDirectory + L"\\"
                                   : runDirectory;
  SetCurrentDirectoryW(current.c_str());

  lanzhi::MainWindow window(instance, runDirectory);
  if (!window.Create()) {
    const std::string title(lanzhi::kDefaultTitle);
    MessageBoxA(nullptr, "主窗口创建失败", title.c_str(), MB_OK | MB_ICONERROR);
    ExitProcess(static_cast<UINT>(-1));
  }

  MSG message{};
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (window.PreTranslate(message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

#include "app/dll_search.h"

#include <windows.h>

namespace lanzhi {

void RestrictDllSearch() {
  // SetDefaultDllDirectories exists from Windows 8, and on Windows 7 with
  // KB2533623; looked up at run time so that the program starts without it.
  using SetDefault = BOOL(WINAPI*)(DWORD);
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  const auto setDefault =
      kernel != nullptr ? reinterpret_cast<SetDefault>(reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")))
                        : nullptr;
  if (setDefault != nullptr && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) return;
  // Without it, at least the current directory leaves the search; the
  // program's own folder stays in it on such systems.
  SetDllDirectoryW(L"");
}

}  // namespace lanzhi

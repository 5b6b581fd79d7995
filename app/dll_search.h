// The DLL search of a program that runs elevated from any folder.
#pragma once

namespace lanzhi {

// Restricts the search for DLLs loaded by name to System32, so that a DLL
// planted beside the executable (in a download folder, say) is never loaded
// with the administrator rights the user granted. Call first thing at start,
// before any window, dialog, input method or shell call loads a DLL.
void RestrictDllSearch();

}  // namespace lanzhi

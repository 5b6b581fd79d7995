// The mouse operations on the real system: cursor, injected clicks, and the
// window under the cursor.
#pragma once

#include <windows.h>

#include <string>

#include "clicker/mouse.h"

namespace lanzhi {

// Moves the cursor to (x, y), then issues the mode's button events there.
void ClickAt(long x, long y, ClickMode mode = ClickMode::LeftSingle);
void MoveCursor(long x, long y);
// The cursor's coordinates, each from its own reading; 0 when it cannot be read.
long CursorX();
long CursorY();
// The smallest visible window at the cursor among the siblings of the one
// WindowFromPoint gives; null when there is none.
HWND WindowUnderCursor();
// The window's text; empty for a handle that is not a window.
std::string WindowTitle(HWND window);

}  // namespace lanzhi

#pragma once
// The mouse as the user moves and presses it, through the system's input
// queue.

#include <windows.h>

// The cursor to a screen point, with a move event so the window under it
// hears of it.
void MoveMouseTo(POINT screen);
// The cursor to a point of a window's client area.
void MoveMouseTo(HWND window, int x, int y);
// One button event (MOUSEEVENTF_LEFTDOWN, ...), where the cursor is.
void MouseButton(DWORD flags);

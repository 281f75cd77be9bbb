#include "tests/support/MouseInput.h"

#include "tests/support/KeyInput.h"

void MoveMouseTo(POINT screen) {
    SetCursorPos(screen.x, screen.y);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_MOVE;
    SendInput(1, &input, sizeof input);
}

void MoveMouseTo(HWND window, int x, int y) {
    POINT p = {x, y};
    ClientToScreen(window, &p);
    MoveMouseTo(p);
}

void MouseButton(DWORD flags) { SendMouseButtons({flags}); }

#pragma once
// A POINT with the arithmetic callers use; it converts to POINT* so that it
// can be handed straight to the Win32 calls.

#include <windows.h>

class CPoint : public POINT {
public:
    CPoint() noexcept { x = 0; y = 0; }
    CPoint(int initX, int initY) noexcept { x = initX; y = initY; }
    CPoint(POINT p) noexcept { x = p.x; y = p.y; }
    // A point packed into an LPARAM, signed (negative coordinates survive on
    // multi-monitor set-ups).
    explicit CPoint(LPARAM packed) noexcept {
        x = static_cast<short>(LOWORD(packed));
        y = static_cast<short>(HIWORD(packed));
    }

    void Offset(int dx, int dy) noexcept { x += dx; y += dy; }
    bool operator==(POINT p) const noexcept { return x == p.x && y == p.y; }
    bool operator!=(POINT p) const noexcept { return !(*this == p); }
    CPoint operator+(POINT p) const noexcept { return CPoint(x + p.x, y + p.y); }
    CPoint operator-(POINT p) const noexcept { return CPoint(x - p.x, y - p.y); }
    operator POINT*() noexcept { return this; }
    operator const POINT*() const noexcept { return this; }
};

#pragma once

#include <windows.h>

class CSize : public SIZE {
public:
    CSize() noexcept { cx = 0; cy = 0; }
    CSize(int initCx, int initCy) noexcept { cx = initCx; cy = initCy; }
    CSize(SIZE s) noexcept { cx = s.cx; cy = s.cy; }

    bool operator==(SIZE s) const noexcept { return cx == s.cx && cy == s.cy; }
    bool operator!=(SIZE s) const noexcept { return !(*this == s); }
};

#pragma once
// A RECT with the helpers callers use; every operation is the Win32 one.

#include "platform/CPoint.h"
#include "platform/CSize.h"

class CRect : public RECT {
public:
    CRect() noexcept { left = top = right = bottom = 0; }
    CRect(int l, int t, int r, int b) noexcept { left = l; top = t; right = r; bottom = b; }
    CRect(const RECT& r) noexcept { left = r.left; top = r.top; right = r.right; bottom = r.bottom; }
    CRect(POINT topLeft, SIZE size) noexcept {
        left = topLeft.x; top = topLeft.y; right = left + size.cx; bottom = top + size.cy;
    }

    int Width() const noexcept { return right - left; }
    int Height() const noexcept { return bottom - top; }
    CSize Size() const noexcept { return CSize(Width(), Height()); }
    CPoint TopLeft() const noexcept { return CPoint(left, top); }
    CPoint BottomRight() const noexcept { return CPoint(right, bottom); }
    CPoint CenterPoint() const noexcept { return CPoint((left + right) / 2, (top + bottom) / 2); }

    bool IsRectEmpty() const noexcept { return ::IsRectEmpty(this) != FALSE; }
    bool PtInRect(POINT p) const noexcept { return ::PtInRect(this, p) != FALSE; }
    void SetRect(int l, int t, int r, int b) noexcept { ::SetRect(this, l, t, r, b); }
    void SetRectEmpty() noexcept { ::SetRectEmpty(this); }
    void InflateRect(int dx, int dy) noexcept { ::InflateRect(this, dx, dy); }
    void DeflateRect(int dx, int dy) noexcept { ::InflateRect(this, -dx, -dy); }
    void OffsetRect(int dx, int dy) noexcept { ::OffsetRect(this, dx, dy); }
    bool IntersectRect(const RECT& a, const RECT& b) noexcept { return ::IntersectRect(this, &a, &b) != FALSE; }
    bool UnionRect(const RECT& a, const RECT& b) noexcept { return ::UnionRect(this, &a, &b) != FALSE; }
    void NormalizeRect() noexcept {
        if (left > right) { LONG t = left; left = right; right = t; }
        if (top > bottom) { LONG t = top; top = bottom; bottom = t; }
    }

    bool operator==(const RECT& r) const noexcept { return ::EqualRect(this, &r) != FALSE; }
    bool operator!=(const RECT& r) const noexcept { return !(*this == r); }
    operator RECT*() noexcept { return this; }
    operator const RECT*() const noexcept { return this; }
};

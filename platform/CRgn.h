#pragma once
// A region.  Once a window has accepted it (CWnd::SetWindowRgn) the system
// owns it and this wrapper is left empty.

#include "platform/CGdiObject.h"

class CRgn : public CGdiObject {
public:
    bool CreateRectRgn(int left, int top, int right, int bottom) {
        return Attach(::CreateRectRgn(left, top, right, bottom));
    }
    bool CreateRectRgnIndirect(const RECT* rect) { return Attach(::CreateRectRgnIndirect(rect)); }
    bool CreateRoundRectRgn(int left, int top, int right, int bottom, int widthEllipse, int heightEllipse) {
        return Attach(::CreateRoundRectRgn(left, top, right, bottom, widthEllipse, heightEllipse));
    }
    bool CreateFromData(const XFORM* transform, int count, const RGNDATA* data) {
        return Attach(::ExtCreateRegion(transform, static_cast<DWORD>(count), data));
    }
    // The result is the region type (NULLREGION, SIMPLEREGION, COMPLEXREGION)
    // or ERROR.
    int CombineRgn(HRGN a, HRGN b, int mode) { return ::CombineRgn(*this, a, b, mode); }
    int CopyRgn(HRGN source) { return ::CombineRgn(*this, source, nullptr, RGN_COPY); }
    int OffsetRgn(int dx, int dy) { return ::OffsetRgn(*this, dx, dy); }
    int GetRgnBox(RECT* box) const { return ::GetRgnBox(*this, box); }
    bool PtInRegion(int x, int y) const { return ::PtInRegion(*this, x, y) != FALSE; }
    bool SetRectRgn(int left, int top, int right, int bottom) {
        return ::SetRectRgn(*this, left, top, right, bottom) != FALSE;
    }

    HRGN GetSafeHandle() const noexcept { return static_cast<HRGN>(m_hObject); }
    operator HRGN() const noexcept { return static_cast<HRGN>(m_hObject); }
};

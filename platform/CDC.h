#pragma once
// A device context.  Objects selected through the wrapper are selected back
// (the DC's own originals) before the wrapper lets the DC go, so a GDI object
// never outlives its owner inside a DC that lives on: a class or own DC, the
// DC of a WM_DRAWITEM or WM_ERASEBKGND, a DC of the caller's.

#include "platform/CGdiObject.h"
#include "platform/CPoint.h"
#include "platform/CRect.h"
#include "platform/CSize.h"

class CString;

class CDC {
public:
    CDC() noexcept = default;
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // Wraps a DC that someone else owns; refused while one is held.
    bool Attach(HDC dc);
    // Restores the selections made through the wrapper and lets the DC go.
    HDC Detach();
    // A memory DC owned by the wrapper (deleted by DeleteDC or the destructor).
    bool CreateCompatibleDC(CDC* dc);
    bool DeleteDC();

    // Returns the object that was selected before, to be selected back by
    // the caller when it wants; regions go through SelectClipRgn.
    HGDIOBJ SelectObject(HGDIOBJ object);
    HGDIOBJ SelectObject(const CGdiObject* object) { return SelectObject(object ? object->m_hObject : nullptr); }
    HGDIOBJ SelectStockObject(int index) { return SelectObject(::GetStockObject(index)); }
    int SelectClipRgn(HRGN region) { return ::SelectClipRgn(m_hDC, region); }
    // Selects back the DC's original pen, brush, font and bitmap.
    void RestoreSelections();

    int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
    int GetBkMode() const { return ::GetBkMode(m_hDC); }
    COLORREF SetBkColor(COLORREF colour) { return ::SetBkColor(m_hDC, colour); }
    COLORREF GetBkColor() const { return ::GetBkColor(m_hDC); }
    COLORREF SetTextColor(COLORREF colour) { return ::SetTextColor(m_hDC, colour); }
    COLORREF GetTextColor() const { return ::GetTextColor(m_hDC); }
    COLORREF SetDCPenColor(COLORREF colour) { return ::SetDCPenColor(m_hDC, colour); }
    COLORREF SetDCBrushColor(COLORREF colour) { return ::SetDCBrushColor(m_hDC, colour); }

    int SetMapMode(int mode) { return ::SetMapMode(m_hDC, mode); }
    int GetMapMode() const { return ::GetMapMode(m_hDC); }
    CPoint SetWindowOrg(int x, int y) { CPoint old; ::SetWindowOrgEx(m_hDC, x, y, &old); return old; }
    CPoint GetWindowOrg() const { CPoint p; ::GetWindowOrgEx(m_hDC, &p); return p; }
    CPoint SetViewportOrg(int x, int y) { CPoint old; ::SetViewportOrgEx(m_hDC, x, y, &old); return old; }
    CPoint GetViewportOrg() const { CPoint p; ::GetViewportOrgEx(m_hDC, &p); return p; }
    CSize SetWindowExt(int cx, int cy) { CSize old; ::SetWindowExtEx(m_hDC, cx, cy, &old); return old; }
    CSize GetWindowExt() const { CSize s; ::GetWindowExtEx(m_hDC, &s); return s; }
    CSize SetViewportExt(int cx, int cy) { CSize old; ::SetViewportExtEx(m_hDC, cx, cy, &old); return old; }
    CSize GetViewportExt() const { CSize s; ::GetViewportExtEx(m_hDC, &s); return s; }
    bool LPtoDP(POINT* points, int count = 1) const { return ::LPtoDP(m_hDC, points, count) != FALSE; }
    bool DPtoLP(POINT* points, int count = 1) const { return ::DPtoLP(m_hDC, points, count) != FALSE; }

    int GetClipBox(RECT* rect) const { return ::GetClipBox(m_hDC, rect); }
    int IntersectClipRect(int l, int t, int r, int b) { return ::IntersectClipRect(m_hDC, l, t, r, b); }
    int ExcludeClipRect(int l, int t, int r, int b) { return ::ExcludeClipRect(m_hDC, l, t, r, b); }
    int GetDeviceCaps(int index) const { return ::GetDeviceCaps(m_hDC, index); }
    bool IsPrinting() const { return GetDeviceCaps(TECHNOLOGY) == DT_RASPRINTER; }
    int SaveDC() { return ::SaveDC(m_hDC); }
    bool RestoreDC(int saved) { return ::RestoreDC(m_hDC, saved) != FALSE; }

    bool BitBlt(int x, int y, int width, int height, CDC* source, int srcX, int srcY, DWORD rop) {
        return ::BitBlt(m_hDC, x, y, width, height, source ? source->m_hDC : nullptr, srcX, srcY, rop) != FALSE;
    }
    bool StretchBlt(int x, int y, int width, int height, CDC* source, int srcX, int srcY, int srcWidth,
                    int srcHeight, DWORD rop) {
        return ::StretchBlt(m_hDC, x, y, width, height, source ? source->m_hDC : nullptr, srcX, srcY, srcWidth,
                            srcHeight, rop) != FALSE;
    }
    bool PatBlt(int x, int y, int width, int height, DWORD rop) {
        return ::PatBlt(m_hDC, x, y, width, height, rop) != FALSE;
    }
    COLORREF SetPixel(int x, int y, COLORREF colour) { return ::SetPixel(m_hDC, x, y, colour); }
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }

    void FillRect(const RECT* rect, HBRUSH brush) { ::FillRect(m_hDC, rect, brush); }
    void FrameRect(const RECT* rect, HBRUSH brush) { ::FrameRect(m_hDC, rect, brush); }
    // Fills with a colour through the background colour, which is put back.
    void FillSolidRect(const RECT* rect, COLORREF colour);
    void FillSolidRect(int x, int y, int width, int height, COLORREF colour) {
        CRect r(x, y, x + width, y + height);
        FillSolidRect(&r, colour);
    }
    // A one-pixel frame: top and left in one colour, bottom and right in the other.
    void Draw3dRect(const RECT* rect, COLORREF topLeft, COLORREF bottomRight);
    bool DrawEdge(RECT* rect, UINT edge, UINT flags) { return ::DrawEdge(m_hDC, rect, edge, flags) != FALSE; }
    void DrawFocusRect(const RECT* rect) { ::DrawFocusRect(m_hDC, rect); }
    bool Rectangle(int l, int t, int r, int b) { return ::Rectangle(m_hDC, l, t, r, b) != FALSE; }
    bool Rectangle(const RECT* rect) { return Rectangle(rect->left, rect->top, rect->right, rect->bottom); }
    bool RoundRect(int l, int t, int r, int b, int w, int h) { return ::RoundRect(m_hDC, l, t, r, b, w, h) != FALSE; }
    bool Ellipse(int l, int t, int r, int b) { return ::Ellipse(m_hDC, l, t, r, b) != FALSE; }
    bool Polygon(const POINT* points, int count) { return ::Polygon(m_hDC, points, count) != FALSE; }
    CPoint MoveTo(int x, int y) { CPoint old; ::MoveToEx(m_hDC, x, y, &old); return old; }
    bool LineTo(int x, int y) { return ::LineTo(m_hDC, x, y) != FALSE; }
    bool FillRgn(HRGN region, HBRUSH brush) { return ::FillRgn(m_hDC, region, brush) != FALSE; }
    bool DrawIcon(int x, int y, HICON icon) { return ::DrawIcon(m_hDC, x, y, icon) != FALSE; }

    // The text is never written to: with DT_MODIFYSTRING the system works on
    // a copy of its own with room for the ellipsis.
    int DrawText(const wchar_t* text, int count, RECT* rect, UINT format);
    int DrawText(const CString& text, RECT* rect, UINT format);
    bool TextOut(int x, int y, const wchar_t* text, int count) {
        return ::TextOutW(m_hDC, x, y, text, count) != FALSE;
    }
    bool TextOut(int x, int y, const CString& text);
    CSize GetTextExtent(const wchar_t* text, int count) const {
        CSize s;
        ::GetTextExtentPoint32W(m_hDC, text, count, &s);
        return s;
    }
    CSize GetTextExtent(const CString& text) const;
    bool GetTextMetrics(TEXTMETRICW* metrics) const { return ::GetTextMetricsW(m_hDC, metrics) != FALSE; }

    HDC GetSafeHdc() const noexcept { return m_hDC; }
    operator HDC() const noexcept { return m_hDC; }

    HDC m_hDC = nullptr;

private:
    enum { kPen, kBrush, kFont, kBitmap, kKinds };
    HGDIOBJ m_original[kKinds] = {};
    bool m_owned = false;
};

#include "gui/widgets/CFODropColorPaletteWnd.h"

#include "gui/core/CMemDC2.h"
#include "platform/CPaintDC.h"

void CFODropColorPaletteWnd::OnPaint() {
    CPaintDC paint(this);
    CRect client;
    GetClientRect(&client);
    CMemDC2 dc(&paint, &client);
    m_control.Draw(dc);
}

BOOL CFODropColorPaletteWnd::OnEraseBkgnd(CDC*) { return TRUE; }

void CFODropColorPaletteWnd::OnLButtonDown(UINT, CPoint point) {
    SetCapture();
    SetFocus();
    m_control.TrackCell(point.x, point.y);
}

void CFODropColorPaletteWnd::OnMouseMove(UINT flags, CPoint point) {
    if (::GetCapture() == m_hWnd)
        m_control.TrackCell(point.x, point.y);
    CWnd::OnMouseMove(flags, point);
}

void CFODropColorPaletteWnd::OnLButtonUp(UINT, CPoint point) {
    const bool captured = ::GetCapture() == m_hWnd;
    ::ReleaseCapture();
    if (captured)
        m_control.Release(point.x, point.y);
}

UINT CFODropColorPaletteWnd::OnGetDlgCode() { return DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTTAB; }

void CFODropColorPaletteWnd::OnKeyDown(UINT key, UINT repeat, UINT flags) {
    if (key == VK_TAB && ::GetKeyState(VK_SHIFT) < 0) {
        HWND dialog = m_button ? ::GetParent(m_button) : nullptr;
        if (HWND previous = dialog ? ::GetNextDlgTabItem(dialog, m_button, TRUE) : nullptr) {
            ::SetActiveWindow(::GetAncestor(dialog, GA_ROOT));
            ::SetFocus(previous);
        }
        return;
    }
    if (!m_control.OnKey(key))
        CWnd::OnKeyDown(key, repeat, flags);
}

void CFODropColorPaletteWnd::OnSysColorChange() {
    m_control.LoadColours();
    Invalidate(false);
}

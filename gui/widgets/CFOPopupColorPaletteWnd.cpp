#include "gui/widgets/CFOPopupColorPaletteWnd.h"

CFOPopupColorPaletteWnd::~CFOPopupColorPaletteWnd() {
    if (GetSafeHwnd())
        DestroyWindow();
}

CRect CFOPopupColorPaletteWnd::PlaceRect(const CRect& button, CSize window, const CRect& workArea) {
    CRect placed(button.left, button.bottom, button.left + window.cx, button.bottom + window.cy);
    if (placed.bottom >= workArea.bottom)
        placed.OffsetRect(0, button.top - placed.bottom);
    if (placed.right >= workArea.right)
        placed.OffsetRect(button.right - placed.right, 0);
    return placed;
}

bool CFOPopupColorPaletteWnd::Create(const CRect& button, COLORREF colour, HWND buttonWindow, int width,
                                     int height, WORD serial) {
    const DWORD style = WS_POPUP | WS_VISIBLE;
    CRect frame(0, 0, width, height);
    ::AdjustWindowRectEx(&frame, style, FALSE, 0);
    MONITORINFO monitor = {sizeof monitor};
    ::GetMonitorInfoW(::MonitorFromRect(&button, MONITOR_DEFAULTTONEAREST), &monitor);
    const CRect at = PlaceRect(button, frame.Size(), monitor.rcWork);
    const wchar_t* windowClass = RegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW));
    m_button = buttonWindow;
    if (!CreateEx(0, windowClass, L"CFODropColorPaletteWnd", style, at.left, at.top, at.Width(), at.Height(),
                  buttonWindow, nullptr))
        return false;
    CRect client;
    GetClientRect(&client);
    m_control.Init(this, colour, client, true, buttonWindow, serial);
    SetFocus();
    UpdateWindow();
    return true;
}

void CFOPopupColorPaletteWnd::OnActivate(UINT state, CWnd* other, BOOL minimized) {
    CWnd::OnActivate(state, other, minimized);
    if (state == WA_INACTIVE)
        m_control.Choose(m_control.GetColour(), 0);
}

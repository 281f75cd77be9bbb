#include "platform/CWindowDC.h"

#include "platform/CWnd.h"

CWindowDC::CWindowDC(CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr) { Attach(::GetWindowDC(m_hWnd)); }

CWindowDC::~CWindowDC() {
    HDC dc = Detach();
    if (dc != nullptr)
        ::ReleaseDC(m_hWnd, dc);
}

#include "platform/CClientDC.h"

#include "platform/CWnd.h"

CClientDC::CClientDC(CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr) { Attach(::GetDC(m_hWnd)); }

CClientDC::~CClientDC() {
    HDC dc = Detach();
    if (dc != nullptr)
        ::ReleaseDC(m_hWnd, dc);
}

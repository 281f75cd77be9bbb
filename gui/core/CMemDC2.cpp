#include "gui/core/CMemDC2.h"

#include <cstdlib>

CMemDC2::CMemDC2(CDC* target, const RECT* rect) : m_target(target) {
    if (!target || !target->GetSafeHdc())
        return;
    if (rect)
        m_rect = *rect;
    else
        target->GetClipBox(&m_rect);
    if (target->IsPrinting()) {
        Attach(target->GetSafeHdc());
    } else {
        CRect device = m_rect;
        target->LPtoDP(reinterpret_cast<POINT*>(&device), 2);
        if (!CreateCompatibleDC(target) ||
            !m_bitmap.CreateCompatibleBitmap(target, std::abs(device.Width()), std::abs(device.Height())))
            return;
        m_oldBitmap = SelectObject(&m_bitmap);
        SetMapMode(target->GetMapMode());
        SetWindowExt(target->GetWindowExt().cx, target->GetWindowExt().cy);
        SetViewportExt(target->GetViewportExt().cx, target->GetViewportExt().cy);
        SetWindowOrg(m_rect.left, m_rect.top);
        m_memory = true;
    }
    FillSolidRect(&m_rect, target->GetBkColor());
}

CMemDC2::~CMemDC2() {
    if (m_memory) {
        m_target->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left, m_rect.top,
                         SRCCOPY);
        SelectObject(m_oldBitmap);
        DeleteDC();
    } else if (GetSafeHdc()) {
        Detach();
    }
}

#include "gui/widgets/CFOColorCellObj.h"

#include "platform/CDC.h"

bool CFOColorCellObj::HitTest(int x, int y) const { return m_rect.PtInRect(POINT{x, y}); }

void CFOColorCellObj::SetColour(COLORREF colour) {
    m_colour = colour;
    m_brush.DeleteObject();
}

void CFOColorCellObj::Draw(CDC& dc) {
    if (!m_brush.GetSafeHandle())
        m_brush.CreateSolidBrush(m_colour);
    dc.FillSolidRect(&m_rect, RGB(0, 0, 0));
    CRect inner = m_rect;
    inner.DeflateRect(m_inset, m_inset);
    dc.FillRect(&inner, m_brush);
    dc.Draw3dRect(&inner, m_borderColour, m_borderColour);
}

void CFOColorCellObj::DrawSelected(CDC& dc) { DrawSelectionFrame(dc, m_rect); }

void CFOColorCellObj::DrawSelectionFrame(CDC& dc, const CRect& rect) {
    CRect frame = rect;
    for (int i = 0; i < 2; ++i) {
        dc.Draw3dRect(&frame, RGB(255, 255, 255), RGB(255, 255, 255));
        frame.DeflateRect(1, 1);
    }
    CRect outside = rect;
    outside.InflateRect(1, 1);
    dc.Draw3dRect(&outside, RGB(0, 0, 0), RGB(0, 0, 0));
}

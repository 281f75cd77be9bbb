#include "gui/widgets/CXListEdit.h"

#include "platform/CDC.h"

void CXListEdit::SetEditFont(HFONT font) {
    m_font = font;
    if (m_hWnd)
        SetFont(font, true);
}

void CXListEdit::SetColours(COLORREF text, COLORREF back, COLORREF frame) {
    m_textColour = text;
    m_frameColour = frame;
    if (back != m_backColour || !m_backBrush.GetSafeHandle()) {
        m_backColour = back;
        m_backBrush.DeleteObject();
        m_backBrush.CreateSolidBrush(back);
    }
    if (m_hWnd)
        Invalidate();
}

int CXListEdit::OnCreate(CREATESTRUCTW* create) {
    const int result = CEdit::OnCreate(create);
    m_backBrush.DeleteObject();
    m_backBrush.CreateSolidBrush(m_backColour);
    if (m_font)
        SetFont(m_font, false);
    return result;
}

HBRUSH CXListEdit::OnReflectedCtlColor(CDC* dc, UINT) {
    dc->SetTextColor(m_textColour);
    dc->SetBkColor(m_backColour);
    dc->SetDCPenColor(m_frameColour);
    dc->SetDCBrushColor(m_frameColour);
    return m_backBrush.GetSafeHandle();
}

BOOL CXListEdit::OnEraseBkgnd(CDC*) { return FALSE; }

void CXListEdit::OnKillFocus(CWnd* newWnd) {
    CEdit::OnKillFocus(newWnd);
    if (m_onFocusLost)
        m_onFocusLost();
}

#include "gui/widgets/CListPanelStatic.h"

#include "gui/widgets/CVScrollBar.h"
#include "platform/CDC.h"
#include "platform/CPen.h"

#include <algorithm>

CListPanelStatic::CListPanelStatic(const std::vector<ListPanelEntry>* entries, const ListPanelStyle& style,
                                   bool sorted, int32_t ownerId)
    : CListPanelList(entries, style, sorted), m_ownerId(ownerId) {}

void CListPanelStatic::SelectEntryRow(int entry) {
    if (!GetSafeHwnd())
        return;
    m_selectedRow = entry < 0 ? -1 : RowOfEntry(entry);
    if (entry < 0)
        m_hotRow = -1;
    Invalidate(false);
}

ListRowColours CListPanelStatic::RowColours(int row) const {
    if (IsRowDisabled(row))
        return {m_style.disabledFontColour, m_style.backColour};
    if (row == m_hotRow)
        return {m_style.fontColourHot, m_style.backColour};
    if (row == m_selectedRow)
        return {m_style.fontColourSelected, m_style.backColour};
    return {m_style.fontColour, m_style.backColour};
}

void CListPanelStatic::DrawFrame(CDC& dc, const CRect& client) {
    const int width = m_style.DrawnBorderWidth();
    CPen pen(PS_SOLID, width, m_style.borderColour);
    dc.SelectObject(&pen);
    dc.SelectStockObject(NULL_BRUSH);
    const int down = width / 2, up = width - down;
    const int right = std::min(client.right, static_cast<LONG>(m_visibleWidth));
    dc.Rectangle(client.left + down, client.top + down, right - up + 1, client.bottom - up + 1);
    dc.SelectStockObject(BLACK_PEN);
}

void CListPanelStatic::OnMouseMove(UINT flags, CPoint point) {
    if (HitScrollZone(point.x, point.y)) {
        ForwardToBar(WM_MOUSEMOVE, flags, point);
        return;
    }
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(point)) {
        SetHotRow(-1);
        if (::GetCapture() == m_hWnd && !(flags & MK_LBUTTON))
            ::ReleaseCapture();
        return;
    }
    if (::GetCapture() != m_hWnd)
        SetCapture();
    const int row = RowAt(point);
    SetHotRow(row >= 0 && !IsRowDisabled(row) ? row : -1);
}

void CListPanelStatic::OnLButtonDown(UINT flags, CPoint point) {
    if (HitScrollZone(point.x, point.y)) {
        ForwardToBar(WM_LBUTTONDOWN, flags, point);
        return;
    }
    // Only a press on an enabled row is a click: the row under the press,
    // so a press with nothing marked reports nothing.
    const int row = RowAt(point);
    const int entry = EntryOfRow(row);
    if (entry < 0 || IsRowDisabled(row))
        return;
    SetHotRow(row);
    if (CWnd* parent = GetParent())
        parent->PostMessage(WM_LISTPANEL_ITEM_CLICKED, static_cast<WPARAM>(entry), m_ownerId);
}

void CListPanelStatic::OnRButtonDown(UINT, CPoint) {}

void CListPanelStatic::OnKillFocus(CWnd* newWnd) { CListCtrl::OnKillFocus(newWnd); }

void CListPanelStatic::OnCaptureChanged(CWnd*) {
    if (::GetCapture() != m_hWnd)
        SetHotRow(-1);
}

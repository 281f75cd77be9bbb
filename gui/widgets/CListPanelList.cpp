#include "gui/widgets/CListPanelList.h"

#include "gui/skin/CFontItem.h"
#include "gui/widgets/CListPanelItem.h"
#include "gui/widgets/CRowSizer.h"
#include "gui/core/CMemDC2.h"
#include "gui/widgets/CVScrollBar.h"
#include "gui/core/ItemSupport.h"
#include "platform/CPaintDC.h"
#include "platform/CPen.h"

#include <algorithm>

CListPanelList::CListPanelList(const std::vector<ListPanelEntry>* entries, const ListPanelStyle& style, bool sorted)
    : m_entries(entries), m_style(style), m_sorted(sorted) {}

CListPanelList::~CListPanelList() {
    if (m_tooltip.GetSafeHwnd())
        m_tooltip.DestroyWindow();
    if (GetSafeHwnd())
        DestroyWindow();
}

bool CListPanelList::NeedsScrollBar(int height, int entryCount, int barWidth) {
    return barWidth > 0 && entryCount >= kMinEntriesForScrollBar && height / kRowHeight < entryCount;
}

int CListPanelList::SubListHeight(int rowHeight, int entryCount, int borderWidth) {
    return rowHeight * std::min(std::max(entryCount, 0), kMaxSubListRows) + 2 * borderWidth;
}

bool CListPanelList::CreateList(const RECT& rect, CWnd* parent, UINT id, bool withBar) {
    CRect place(rect);
    const int barWidth = withBar ? m_style.scrollBarWidth : 0;
    m_visibleWidth = std::max(0, place.Width() - barWidth);
    // With a skinned bar the list is made wider by the system's own bar and
    // cut back to its visible part, so the system bar never shows while the
    // list still keeps the scroll position the skinned bar reads.
    const int hidden = barWidth > 0 ? ::GetSystemMetrics(SM_CXVSCROLL) : 0;
    CRect listRect(place.left, place.top, place.left + m_visibleWidth + hidden, place.bottom);
    const DWORD style = WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
    if (!Create(style, listRect, parent, id))
        return false;
    if (hidden > 0) {
        HRGN visible = ::CreateRectRgn(0, 0, m_visibleWidth, place.Height());
        if (visible && SetWindowRgn(visible, false) == 0)
            ::DeleteObject(visible);
    }
    SetFont(m_style.font ? static_cast<HFONT>(m_style.font->GetSafeHandle()) : GetFallbackFont(), false);
    LOGFONTW font = {};
    if (m_style.font && ::GetObjectW(m_style.font->GetSafeHandle(), sizeof font, &font) == sizeof font)
        m_rowStep = std::abs(font.lfHeight) + 1;
    InsertColumn(0, L"", LVCFMT_LEFT, std::max(m_visibleWidth - 2 * m_style.borderWidth, 1));
    ::GetCursorPos(&m_lastMouse);
    m_rowSizer.Fit(*this, kRowHeight);
    Fill();
    if (barWidth > 0) {
        auto bar = std::make_unique<CVScrollBar>(barWidth, this);
        bar->SetThumbBitmap(m_style.scrollBitmaps);
        bar->SetBackgroundColour(m_style.backColour);
        bar->SetBorderColour(m_style.borderColour);
        const CRect barRect(place.right - barWidth, place.top, place.right, place.bottom);
        if (bar->Create(L"", WS_CHILD | WS_VISIBLE | SS_NOTIFY, barRect, parent, 0xFFFF)) {
            m_scrollBar = std::move(bar);
            m_scrollBar->UpdateThumbPosition();
        }
    }
    return true;
}

void CListPanelList::Fill() {
    if (!GetSafeHwnd())
        return;
    DeleteAllItems();
    m_hotRow = -1;
    if (m_entries) {
        int row = 0;
        for (int entry : ListRowOrder(*m_entries, m_sorted)) {
            LVITEMW item = {};
            item.mask = LVIF_TEXT | LVIF_PARAM;
            item.iItem = row++;
            item.pszText = const_cast<wchar_t*>((*m_entries)[static_cast<size_t>(entry)].text.GetString());
            item.lParam = entry;
            InsertItem(&item);
        }
    }
    if (m_scrollBar)
        m_scrollBar->UpdateThumbPosition();
    Invalidate(false);
}

int CListPanelList::RowHeight() const { return CRowSizer::RowHeight(*this, kRowHeight); }

int CListPanelList::RowAt(CPoint point) const {
    CRect client;
    GetClientRect(&client);
    client.right = std::min(client.right, static_cast<LONG>(m_visibleWidth));
    const int count = GetItemCount();
    if (!client.PtInRect(point) || count == 0)
        return -1;
    const int top = GetTopIndex();
    CRect first;
    if (!GetItemRect(top, &first, LVIR_BOUNDS) || first.Height() <= 0 || point.y < first.top)
        return -1;
    const int row = top + (point.y - first.top) / first.Height();
    return row < count ? row : -1;
}

int CListPanelList::EntryOfRow(int row) const {
    if (row < 0 || row >= GetItemCount() || !m_entries)
        return -1;
    const auto entry = static_cast<int>(GetItemData(row));
    return entry >= 0 && entry < static_cast<int>(m_entries->size()) ? entry : -1;
}

int CListPanelList::RowOfEntry(int entry) const {
    for (int row = 0, count = GetItemCount(); row < count; ++row)
        if (EntryOfRow(row) == entry)
            return row;
    return -1;
}

const ListPanelEntry* CListPanelList::EntryAt(int row) const {
    const int entry = EntryOfRow(row);
    return entry < 0 ? nullptr : &(*m_entries)[static_cast<size_t>(entry)];
}

bool CListPanelList::IsRowDisabled(int row) const {
    const ListPanelEntry* entry = EntryAt(row);
    return entry && entry->disabled != 0;
}

bool CListPanelList::HitScrollZone(int x, int y) const {
    if (!m_scrollBar)
        return false;
    CRect client;
    GetClientRect(&client);
    return x >= m_visibleWidth && x < m_visibleWidth + m_scrollBar->GetBarWidth() && y >= client.top &&
           y < client.bottom;
}

void CListPanelList::ForwardToBar(UINT message, WPARAM wParam, CPoint point) {
    if (!m_scrollBar)
        return;
    MapWindowPoints(m_scrollBar.get(), &point, 1);
    m_scrollBar->SendMessage(message, wParam, MAKELPARAM(point.x, point.y));
}

void CListPanelList::SetHotRow(int row) {
    if (row == m_hotRow)
        return;
    m_hotRow = row;
    UpdateTooltip(row);
    Invalidate(false);
}

void CListPanelList::UpdateTooltip(int row) {
    if (row == m_tooltipRow)
        return;
    m_tooltipRow = row;
    const ListPanelEntry* entry = EntryAt(row);
    const CString& text = entry && !entry->tooltip.IsEmpty() ? entry->tooltip : m_listTooltip;
    if (text.IsEmpty()) {
        if (m_tooltip.GetSafeHwnd())
            m_tooltip.Activate(false);
        return;
    }
    SetItemTooltip(m_tooltip, this, text);
}

BOOL CListPanelList::PreTranslateMessage(MSG* msg) {
    RelayToTooltip(m_tooltip, msg);
    return CListCtrl::PreTranslateMessage(msg);
}

ListRowColours CListPanelList::RowColours(int row) const {
    if (IsRowDisabled(row))
        return {m_style.disabledFontColour, m_style.disabledBackColour};
    if (row == m_hotRow || (GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED))
        return {m_style.fontColourHot, m_style.backColourHot};
    return {m_style.fontColour, m_style.backColour};
}

void CListPanelList::DrawFrame(CDC&, const CRect&) {}

void CListPanelList::OnPaint() {
    CPaintDC paint(this);
    CRect client;
    GetClientRect(&client);
    CMemDC2 dc(&paint, &client);
    dc.FillSolidRect(&client, m_style.backColour);
    dc.SetBkMode(TRANSPARENT);
    dc.SelectObject(m_style.font ? static_cast<HFONT>(m_style.font->GetSafeHandle()) : GetFallbackFont());
    const int count = GetItemCount();
    for (int row = GetTopIndex(); row >= 0 && row < count; ++row) {
        CRect rect;
        if (!GetItemRect(row, &rect, LVIR_BOUNDS) || rect.top >= client.bottom)
            break;
        rect.left = client.left;
        rect.right = std::min(client.right, static_cast<LONG>(m_visibleWidth));
        const ListRowColours colours = RowColours(row);
        dc.FillSolidRect(&rect, colours.back);
        dc.SetTextColor(colours.text);
        CRect text = rect;
        text.left += m_style.leftMargin + m_style.borderWidth;
        text.right -= m_style.rightMargin + m_style.borderWidth;
        const ListPanelEntry* entry = EntryAt(row);
        CString shown;
        TranslateSkinText(entry ? entry->text.GetString() : L"", shown);
        dc.DrawText(shown, &text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
    DrawFrame(dc, client);
}

BOOL CListPanelList::OnEraseBkgnd(CDC*) { return TRUE; }

void CListPanelList::OnMouseMove(UINT flags, CPoint point) {
    if (m_done)
        return;
    CPoint screen = point;
    ClientToScreen(&screen);
    if (screen.x == m_lastMouse.x && screen.y == m_lastMouse.y)
        return;
    m_lastMouse = screen;
    if (HitScrollZone(point.x, point.y)) {
        ForwardToBar(WM_MOUSEMOVE, flags, point);
        return;
    }
    const int row = RowAt(point);
    SetHotRow(row >= 0 && !IsRowDisabled(row) ? row : -1);
}

void CListPanelList::OnLButtonDown(UINT flags, CPoint point) {
    if (m_done)
        return;
    if (HitScrollZone(point.x, point.y)) {
        ForwardToBar(WM_LBUTTONDOWN, flags, point);
        return;
    }
    // The row under the press counts, whatever was marked before: a press
    // outside every row chooses nothing, one on a disabled row is ignored.
    const int row = RowAt(point);
    if (row >= 0 && IsRowDisabled(row))
        return;
    ChooseRow(row);
}

void CListPanelList::ChooseRow(int row) {
    SetHotRow(row);
    m_subResult = -1;
    const ListPanelEntry* entry = EntryAt(row);
    if (entry && entry->subList && entry->subList->GetCount() > 0) {
        CRect rect;
        GetItemRect(row, &rect, LVIR_BOUNDS);
        rect.right = std::min(rect.right, static_cast<LONG>(m_visibleWidth));
        CListPanelItem* sub = entry->subList;
        const int height = SubListHeight(rect.Height(), sub->GetCount(), sub->GetStyle().borderWidth);
        m_subResult = sub->PlaceList(height, this, rect.right, rect.top);
        if (m_subResult >= 0)
            sub->SelectEntry(m_subResult);
    }
    m_done = true;
    SetTimer(kDoneTimer, kDoneMs);
}

void CListPanelList::MarkEntry(int entry) {
    const int row = entry >= 0 ? RowOfEntry(entry) : -1;
    if (row >= 0 && IsRowDisabled(row))
        return;
    if (row >= 0)
        EnsureVisible(row, false);
    SetHotRow(row);
    if (m_scrollBar)
        m_scrollBar->UpdateThumbPosition();
}

void CListPanelList::ChooseMarkedRow() {
    if (m_done)
        return;
    if (m_hotRow >= 0 && IsRowDisabled(m_hotRow))
        return;
    ChooseRow(m_hotRow);
}

void CListPanelList::ChooseNothing() {
    if (m_done)
        return;
    ChooseRow(-1);
}

int CListPanelList::NextEnabledRow(int row, int step, int rowCount, const std::function<bool(int)>& disabled) {
    if (row < 0 && step < 0)
        return row;
    for (int next = row < 0 ? 0 : row + step; next >= 0 && next < rowCount; next += step)
        if (!disabled || !disabled(next))
            return next;
    return row;
}

void CListPanelList::OnLButtonUp(UINT flags, CPoint point) {
    if (HitScrollZone(point.x, point.y) || (m_scrollBar && ::GetCapture() == m_scrollBar->GetSafeHwnd()))
        ForwardToBar(WM_LBUTTONUP, flags, point);
}

void CListPanelList::OnLButtonDblClk(UINT, CPoint) {}

void CListPanelList::OnRButtonDown(UINT, CPoint) {
    if (m_done)
        return;
    // Nothing is chosen, and no later move may mark a row before the
    // popup ends.
    SetHotRow(-1);
    m_subResult = -1;
    m_done = true;
    SetTimer(kDoneTimer, kDoneMs);
}

void CListPanelList::OnRButtonUp(UINT, CPoint) {}

void CListPanelList::OnTimer(UINT_PTR id) {
    if (id != kDoneTimer) {
        Default();
        return;
    }
    m_done = false;
    KillTimer(kDoneTimer);
    if (CWnd* parent = GetParent())
        parent->PostMessage(WM_LISTPANEL_SELECT, static_cast<WPARAM>(m_subResult), EntryOfRow(m_hotRow));
}

void CListPanelList::OnKillFocus(CWnd* newWnd) {
    CListCtrl::OnKillFocus(newWnd);
    // A choice already made stands; a sub-list's popup takes the focus on
    // purpose.
    if (m_done)
        return;
    const ListPanelEntry* entry = EntryAt(m_hotRow);
    if (entry && entry->subList)
        return;
    m_hotRow = -1;
    m_subResult = -1;
    if (CWnd* parent = GetParent())
        parent->PostMessage(WM_LISTPANEL_SELECT, 0, -1);
}

BOOL CListPanelList::OnMouseWheel(UINT, short delta, CPoint) {
    if (m_scrollBar)
        m_scrollBar->UpdateThumbPosition();
    for (int steps = delta / WHEEL_DELTA; steps != 0; steps += steps > 0 ? -1 : 1)
        SendMessage(WM_VSCROLL, steps > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
    if (m_scrollBar)
        m_scrollBar->UpdateThumbPosition();
    Invalidate(false);
    return TRUE;
}

void CListPanelList::OnKeyDown(UINT key, UINT, UINT) {
    if (key == VK_RIGHT)
        return;
    // Up and Down move the marked row that Enter takes, over disabled rows.
    if ((key == VK_UP || key == VK_DOWN) && !m_done) {
        const int row = NextEnabledRow(m_hotRow, key == VK_DOWN ? 1 : -1, GetItemCount(),
                                       [this](int r) { return IsRowDisabled(r); });
        if (row >= 0)
            MarkEntry(EntryOfRow(row));
        return;
    }
    if (m_scrollBar)
        m_scrollBar->UpdateThumbPosition();
    Default();
}

void CListPanelList::OnDestroy() {
    KillTimer(kDoneTimer);
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (m_scrollBar && m_scrollBar->GetSafeHwnd())
        m_scrollBar->DestroyWindow();
    Default();
}

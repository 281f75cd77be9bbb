#include "gui/widgets/CListPanel.h"

#include "gui/widgets/CGenericPanel.h"
#include "gui/widgets/CListPanelItem.h"
#include "gui/widgets/CVScrollBar.h"
#include "platform/CPaintDC.h"

#include <algorithm>

CListPanel::CListPanel(UINT templateId, const wchar_t* skinFile, CWnd* owner, bool sorted, bool keepTopOpen,
                       const std::vector<ListPanelEntry>& entries, const RECT& screenRect,
                       const ListPanelStyle& style)
    : CPopupBox(templateId, skinFile, owner),
      m_entries(entries),
      m_style(style),
      m_screenRect(screenRect),
      m_sorted(sorted),
      m_keepTopOpen(keepTopOpen) {}

CListPanel::~CListPanel() = default;

void CListPanel::MarkCascadeStates(std::vector<ListPanelEntry>& entries) {
    for (ListPanelEntry& entry : entries)
        if (entry.subList && entry.subList->GetCount() == 0)
            entry.disabled = 1;
}

CRect CListPanel::FitToEntries(const CRect& rect, int entryCount, int rowHeight, int frameHeight) {
    CRect fitted = rect;
    const int needed = rowHeight * std::max(entryCount, 1) + std::max(frameHeight, 0);
    if (needed < fitted.Height())
        fitted.bottom = fitted.top + needed;
    return fitted;
}

CRect CListPanel::ListRect(const CRect& client, int borderWidth, bool keepTopOpen) {
    return CRect(client.left + borderWidth, client.top + (keepTopOpen ? 0 : borderWidth), client.right - borderWidth,
                 client.bottom - borderWidth);
}

BOOL CListPanel::OnInitDialog() {
    CPopupBox::OnInitDialog();
    // A skin file may have sized the window after its picture: the popup
    // takes the rectangle it was asked for.
    SetWindowPos(HWND_TOPMOST, m_screenRect.left, m_screenRect.top, m_screenRect.Width(), m_screenRect.Height(),
                 SWP_NOACTIVATE);
    MarkCascadeStates(m_entries);
    CRect client;
    GetClientRect(&client);
    const CRect listRect = ListRect(client, m_style.borderWidth, m_keepTopOpen);
    m_list = std::make_unique<CListPanelList>(&m_entries, m_style, m_sorted);
    const bool withBar = CListPanelList::NeedsScrollBar(listRect.Height(), static_cast<int>(m_entries.size()),
                                                        m_style.scrollBarWidth);
    if (!m_list->CreateList(listRect, this, 1, withBar)) {
        m_list.reset();
        EndDialog(-1);
        return TRUE;
    }
    if (m_fitToEntries) {
        const int frame = m_style.borderWidth * (m_keepTopOpen ? 1 : 2);
        const CRect fitted = FitToEntries(m_screenRect, static_cast<int>(m_entries.size()), m_list->RowHeight(), frame);
        if (fitted.Height() < m_screenRect.Height()) {
            SetWindowPos(static_cast<const CWnd*>(nullptr), 0, 0, fitted.Width(), fitted.Height(),
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            GetClientRect(&client);
            m_list->MoveWindow(ListRect(client, m_style.borderWidth, m_keepTopOpen), false);
        }
    }
    m_list->MarkEntry(m_currentEntry);
    m_list->SetFocus();
    m_list->SetCapture();
    return FALSE;
}

void CListPanel::OnOK() {
    if (m_list && m_list->GetSafeHwnd())
        m_list->ChooseMarkedRow();
}

void CListPanel::OnCancel() {
    if (m_list && m_list->GetSafeHwnd())
        m_list->ChooseNothing();
}

LRESULT CListPanel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LISTPANEL_SELECT) {
        if (!m_ended) {
            m_ended = true;
            const int chosen = static_cast<int>(lParam);
            if (m_list)
                m_list->DestroyWindow();
            EndDialog(chosen >= 0 && chosen < static_cast<int>(m_entries.size()) ? chosen : -1);
        }
        return 0;
    }
    if (message == WM_MOUSEWHEEL && m_list && m_list->GetSafeHwnd())
        return m_list->SendMessage(message, wParam, lParam);
    return CPopupBox::WindowProc(message, wParam, lParam);
}

void CListPanel::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, m_style.backColour);
    // With the top kept open, the box above stands where the top line would be.
    CGenericPanel::DrawBorder(dc, client, m_style.borderWidth, m_style.borderColour, m_keepTopOpen);
}

BOOL CListPanel::OnEraseBkgnd(CDC*) { return TRUE; }

#pragma once
// A list of entries as a modal popup at a screen rectangle: the popup menu
// of the list panels, the drop-down items and the lists.  It ends with the
// chosen entry's index, or -1 when the user chose nothing (right button,
// a click outside the rows, the focus lost).

#include "gui/widgets/CListPanelList.h"
#include "gui/core/CPopupBox.h"
#include "platform/CRect.h"

#include <memory>
#include <vector>

class CListPanel : public CPopupBox {
public:
    // entries are copied: the popup marks its own copy, never the owner's.
    CListPanel(UINT templateId, const wchar_t* skinFile, CWnd* owner, bool sorted, bool keepTopOpen,
               const std::vector<ListPanelEntry>& entries, const RECT& screenRect, const ListPanelStyle& style);
    ~CListPanel() override;

    // An entry with a sub-list is disabled for this run when the sub-list
    // is empty, and enabled again once it has entries; the owner's own
    // disabled flag stands either way.
    static void MarkCascadeStates(std::vector<ListPanelEntry>& entries);
    // The list's rectangle inside a client area: inset by the border on
    // the left, right and bottom, and on the top unless it is kept open.
    static CRect ListRect(const CRect& client, int borderWidth, bool keepTopOpen);

    // The entry the list opens on, marked as the keyboard's row; -1 (the
    // default) for none.
    void SetCurrentEntry(int entry) noexcept { m_currentEntry = entry; }
    // The popup takes no more of its rectangle than its rows need.
    void SetFitToEntries(bool fit) noexcept { m_fitToEntries = fit; }
    // A rectangle cut down to its rows (at least one) and the frame lines
    // above and below them; never made taller.
    static CRect FitToEntries(const CRect& rect, int entryCount, int rowHeight, int frameHeight);

    const std::vector<ListPanelEntry>& GetEntries() const noexcept { return m_entries; }
    CListPanelList* GetList() const noexcept { return m_list.get(); }

protected:
    BOOL OnInitDialog() override;
    // Enter takes the marked row as a click on it would; Escape chooses
    // nothing.  Neither may end the popup with the dialog's IDOK or
    // IDCANCEL, which would read as entry 1 or 2.
    void OnOK() override;
    void OnCancel() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;

private:
    std::unique_ptr<CListPanelList> m_list;
    std::vector<ListPanelEntry> m_entries;
    ListPanelStyle m_style;
    CRect m_screenRect;
    bool m_sorted;
    bool m_keepTopOpen;
    bool m_ended = false;
    int m_currentEntry = -1;
    bool m_fitToEntries = false;
};

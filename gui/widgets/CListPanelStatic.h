#pragma once
// A list panel's list that stays on its page: a click on an enabled row is
// posted to the parent window as WM_LISTPANEL_ITEM_CLICKED with the item's
// id; the owner marks one row selected.

#include "gui/widgets/CListPanelList.h"
#include "gui/core/GuiMessages.h"

class CListPanelStatic : public CListPanelList {
public:
    CListPanelStatic(const std::vector<ListPanelEntry>* entries, const ListPanelStyle& style, bool sorted,
                     int32_t ownerId);

    // The row showing that entry becomes the selected one; -1 clears the
    // selected and the marked row.
    void SelectEntryRow(int entry);
    int GetSelectedRow() const noexcept { return m_selectedRow; }

protected:
    ListRowColours RowColours(int row) const override;
    void DrawFrame(CDC& dc, const CRect& client) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnRButtonDown(UINT flags, CPoint point) override;
    void OnKillFocus(CWnd* newWnd) override;
    void OnCaptureChanged(CWnd* newCapture) override;

private:
    int32_t m_ownerId;
    int m_selectedRow = -1;
};

#pragma once
// The list window of a list panel: a report list view with one column whose
// rows the list paints itself.  As a popup list (inside CListPanel) it
// captures the mouse, marks the row under it and reports the chosen entry
// to its popup; CListPanelStatic reuses the painting for a list that stays
// on its page.

#include "gui/core/GuiMessages.h"
#include "gui/widgets/CRowSizer.h"
#include "gui/widgets/ListPanelEntry.h"
#include "platform/CListCtrl.h"
#include "platform/CToolTipCtrl.h"

#include <functional>
#include <memory>
#include <vector>

class CVScrollBar;

class CListPanelList : public CListCtrl {
public:
    static constexpr int kRowHeight = 18;
    static constexpr UINT_PTR kDoneTimer = 1;
    static constexpr UINT kDoneMs = 250;
    // A sub-list opens at most this many rows high.
    static constexpr int kMaxSubListRows = 5;
    // A scroll bar is worth its room only from this many entries on.
    static constexpr int kMinEntriesForScrollBar = 6;

    // entries: shown, not owned; they outlive the list.
    CListPanelList(const std::vector<ListPanelEntry>* entries, const ListPanelStyle& style, bool sorted);
    ~CListPanelList() override;

    // A child list at rect (client coordinates of parent); with withBar a
    // skinned bar of the style's width stands at the rectangle's right
    // edge and the list keeps the rest.
    bool CreateList(const RECT& rect, CWnd* parent, UINT id, bool withBar);
    // Rows again from the entries: the entry index is each row's data.
    void Fill();

    // The height of a row as the list shows it.
    int RowHeight() const;
    // The row at a point of the client area; -1 outside every row.
    int RowAt(CPoint point) const;
    // The entry a row shows; -1 for no row.
    int EntryOfRow(int row) const;
    int RowOfEntry(int entry) const;
    const ListPanelEntry* EntryAt(int row) const;
    bool IsRowDisabled(int row) const;
    // The strip beside the list where its skinned bar stands.
    virtual bool HitScrollZone(int x, int y) const;

    // A popup list wants a bar only when its entries do not fit, there are
    // enough of them, and the skin gives the bar a width.
    static bool NeedsScrollBar(int height, int entryCount, int barWidth);
    // The height of a sub-list's popup: rows for at most five entries and
    // its border above and below.
    static int SubListHeight(int rowHeight, int entryCount, int borderWidth);

    // Marks the row of an entry (as the keyboard's and the mouse's row) and
    // scrolls it into view; -1 or an entry without a row marks none.
    void MarkEntry(int entry);
    // The keyboard's choices: the marked row as a left press on it, or
    // nothing as a right press.
    void ChooseMarkedRow();
    void ChooseNothing();
    // The next enabled row from 'row' in a direction (+1 down, -1 up); row
    // itself when there is none; the first enabled row from -1 going down.
    static int NextEnabledRow(int row, int step, int rowCount, const std::function<bool(int)>& disabled);

    int GetHotRow() const noexcept { return m_hotRow; }
    int GetRowStep() const noexcept { return m_rowStep; }
    CVScrollBar* GetScrollBar() const noexcept { return m_scrollBar.get(); }
    void SetTooltipText(const wchar_t* text) { m_listTooltip = text ? text : L""; }
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    // Colours of a row as the popup draws them.
    virtual ListRowColours RowColours(int row) const;
    virtual void DrawFrame(CDC& dc, const CRect& client);
    void SetHotRow(int row);
    // What a left press on a row does: a sub-list opens, then the popup
    // ends a moment later with the row.
    void ChooseRow(int row);
    void ForwardToBar(UINT message, WPARAM wParam, CPoint point);
    void UpdateTooltip(int row);

    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnRButtonDown(UINT flags, CPoint point) override;
    void OnRButtonUp(UINT flags, CPoint point) override;
    void OnTimer(UINT_PTR id) override;
    void OnKillFocus(CWnd* newWnd) override;
    BOOL OnMouseWheel(UINT flags, short delta, CPoint screenPoint) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void OnDestroy() override;

    const std::vector<ListPanelEntry>* m_entries;
    ListPanelStyle m_style;
    std::unique_ptr<CVScrollBar> m_scrollBar;
    bool m_done = false;
    int m_rowStep = 15;
    int m_hotRow = -1;
    int m_subResult = -1;
    bool m_sorted;
    CString m_listTooltip;
    CToolTipCtrl m_tooltip;
    CString m_noTooltip;
    int m_tooltipRow = -2;
    // Every row exactly kRowHeight high.
    CRowSizer m_rowSizer;
    int m_visibleWidth = 0;
    // Where the mouse was last seen: a move message that finds it there
    // (as one comes when the list takes the mouse) leaves the keyboard's
    // row alone.
    POINT m_lastMouse = {-1, -1};
};

#pragma once
// The skinned report list of the library (skin element LISTCTRL): rows of
// up to ten columns whose every cell the list paints itself (text, a check
// or radio picture, a drop-down with a drop list of its own), inside a
// framed panel with a skinned scroll bar at its right and a flat header.
// A cell of an EDIT column is edited in place: F2 on the selected row, or a
// click on the cell of a row that was selected already.
//
// Rows are addressed by the key the owner gives them, columns by their
// list-column id (LCITEM_...).  Every user action is sent to the notify
// window, the list's owner: the builder makes the loader's parent the
// owner, because the list's own parent is its frame.

#include "gui/core/CGUIItem.h"
#include "gui/core/GuiMessages.h"
#include "gui/skin/SymbolTables.h"
#include "gui/widgets/CRowSizer.h"
#include "gui/widgets/CXComboList.h"
#include "gui/widgets/CXHeaderCtrl.h"
#include "gui/widgets/CXListEdit.h"
#include "platform/CFont.h"
#include "platform/CListCtrl.h"
#include "platform/CString.h"
#include "platform/CToolTipCtrl.h"

#include <pugixml.hpp>

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

class CBitmap;
class CDC;
class CFontItem;
class CGenericPanel;
class CGUIItems;
class CListPanelItem;
class CVScrollBar;
struct PictureRecord;

// The lParam of the list's reports (GuiMessages.h), valid during the call.
struct XListNotify {
    int32_t rowKey;
    int32_t column;     // the column's id
    const void* value;  // a one-byte bool, a text, or null, as the message says
};

// One cell of a row.  The row's key, its enabled switch and its colours are
// those of its first cell.
struct XListCell {
    int32_t enabled = 1;
    int32_t hasDropList = 0;
    int32_t arrowPressed = 0;
    std::vector<CString> entries;  // what the drop list offers
    int32_t dropRows = 10;
    int32_t defaultEntry = 0;      // shown while the cell's text is empty
    COLORREF textColour = 0x00FF00;
    COLORREF backColour = 0;
    COLORREF selectedTextColour = 0x00FF00;
    COLORREF selectedBackColour = 0;
    int32_t checkState = -1;  // -1 no check cell, 0 off, 1 on
    int32_t rowKey = -1;
};

class CXListCtrl : public CListCtrl, public CGUIItem {
public:
    static constexpr int kMaxColumns = 10;
    // Every row is this high (a taller font aside), and the header
    // CXHeaderCtrl::kHeight: a row's place follows from its index.
    static constexpr int kRowHeight = 24;
    static constexpr int kEditLimit = 20;
    // A check cell answers a press this far either side of its middle.
    static constexpr int kCheckHalfWidth = 6;
    static constexpr int kTextIndent = 8;
    static constexpr UINT_PTR kArrowTimer = 1;        // 100 ms while a drop arrow is down or a drop list open
    static constexpr UINT_PTR kCloseDropTimer = 2;    // the drop list is closed without a choice
    static constexpr UINT_PTR kCommitDropTimer = 3;   // 50 ms: the drop list's choice is taken, the list closed
    static constexpr UINT_PTR kFollowDropTimer = 4;   // 50 ms: the cell follows the drop list's selection
    static constexpr UINT_PTR kEditTimer = 5;         // the double-click time: a second click edits
    static constexpr UINT kArrowMs = 100;
    static constexpr UINT kDropMs = 50;
    static constexpr UINT kCloseDropMs = 10;

    struct ColumnEntry {
        int32_t type = -1;
        const CBitmap* off = nullptr;  // pictures of the asset cache
        const CBitmap* on = nullptr;
        const CBitmap* mask = nullptr;
        bool exclusive = false;
        int index = -1;
        CString title;
    };

    CXListCtrl();
    ~CXListCtrl() override;

    // The LISTCTRL element's builder: null for an unknown name, without a
    // LISTCOLUMN, or when a LISTCOLUMN has an unknown name or type or no
    // width.
    static CXListCtrl* CreateFromElement(const pugi::xml_node& element, CWnd* parent, CGUIItems& items);

    // The frame at rect under parent (with its picture), the list in the
    // frame's inner rectangle and the bar (owned from now on, may be null)
    // at its right.
    bool CreateFrameAndList(const RECT& rect, CWnd* parent, UINT id, DWORD style, int borderWidth,
                            const PictureRecord* picture, CVScrollBar* bar, CFontItem* font);
    // Refused for an id already there, an eleventh column, or an id or
    // type of -1.  The title goes through the language table.
    bool AddColumn(int32_t id, int32_t type, int width, const wchar_t* title, bool exclusive = false,
                   const CBitmap* off = nullptr, const CBitmap* on = nullptr, const CBitmap* mask = nullptr);

    // -1 for a negative key; otherwise the row's index (at the key's
    // position, at the end when the key is past it).
    int AddRow(int32_t key);
    bool DeleteRow(int32_t key);
    // Selects and focuses the row and scrolls it into view.
    bool SelectRow(int32_t key);
    int SetCellText(int32_t key, int32_t columnId, const wchar_t* text);
    CString GetCellText(int32_t key, int32_t columnId) const;
    // State -1 (no check cell), 0 or 1; 1 on success.
    int SetCellCheck(int32_t key, int32_t columnId, int state);
    int GetCellCheck(int32_t key, int32_t columnId) const;
    // Makes the cell a drop-down offering entries; an empty cell takes the
    // default entry.  A choice that changes the cell is reported as
    // WM_XLIST_LABEL_EDITED.
    bool SetCellDropList(int32_t key, int32_t columnId, const std::vector<CString>& entries, int dropRows = 10,
                         int defaultEntry = 0);
    // A disabled row ignores the left button.
    bool SetRowEnabled(int32_t key, bool enabled);
    // Ignored for a row index outside the rows.
    void SetRowColours(int row, COLORREF text, COLORREF back, COLORREF selectedText, COLORREF selectedBack);
    int32_t GetSelectedKey() const;
    int FindRowByKey(int32_t key) const;
    int32_t GetColumnId(int index) const;
    int32_t GetColumnType(int32_t columnId) const;
    int GetColumnIndex(int32_t columnId) const;
    const ColumnEntry* FindColumn(int32_t columnId) const;
    int CountChecked(int32_t columnId) const;
    int GetColumnCount() const noexcept { return static_cast<int>(m_columns.size()); }
    // The right-click menu (not owned); null for none.
    void SetCellMenu(CListPanelItem* menu) noexcept { m_cellMenu = menu; }

    void SetFontColour(COLORREF colour);
    void SetSelectedFontColour(COLORREF colour);
    void SetBackColour(COLORREF colour);
    void SetSelectedBackColour(COLORREF colour);
    void SetBorderColour(COLORREF colour);
    COLORREF GetFontColour() const noexcept { return m_fontColour; }
    COLORREF GetSelectedFontColour() const noexcept { return m_selectedFontColour; }
    COLORREF GetBackColour() const noexcept { return m_backColour; }
    COLORREF GetSelectedBackColour() const noexcept { return m_selectedBackColour; }
    COLORREF GetBorderColour() const noexcept { return m_borderColour; }
    int GetBorderWidth() const noexcept { return m_borderWidth; }

    void Show(bool show) override;

    // The in-place edit over a cell of an EDIT column; false for another
    // column or a disabled row.
    bool BeginEdit(int row, int columnIndex);
    // With commit a changed text goes into the cell and is reported.
    void EndEdit(bool commit);
    bool IsEditing() const noexcept { return m_editColumn >= 0; }
    CXListEdit& GetEdit() noexcept { return m_edit; }

    CXComboList* GetDropList() const noexcept { return m_dropList.get(); }
    CXHeaderCtrl& GetHeader() noexcept { return m_header; }
    CVScrollBar* GetScrollBar() const noexcept { return m_scrollBar.get(); }
    CGenericPanel* GetFrame() const noexcept { return m_frame.get(); }
    CWnd* GetNotifyWindow() const { return GetOwner(); }
    const XListCell* GetCell(int row, int columnIndex) const;

    // A cell's rectangle: column 0 of a list of several columns ends where
    // column 1 begins.
    CRect GetCellRect(int row, int columnIndex) const;
    // The wheel's whole notches: positive up, negative down.
    static int WheelSteps(short delta) { return delta / WHEEL_DELTA; }
    static bool InCheckZone(const RECT& cell, int x);
    static bool InArrowZone(const RECT& cell, int x);
    // A font's line for scrolling: its height + 1, 16 below 1.
    static int ScrollRowHeight(int fontHeight) { return fontHeight < 1 ? 16 : fontHeight + 1; }

    // The list window that sent one of the list's reports (WM_XLIST_...,
    // GuiMessages.h); null for any other message.
    static HWND ReportSender(UINT message, WPARAM wParam, LPARAM lParam);

    // Enter and Escape end an edit; a space is the list's to ignore.
    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnReflectedNotify(NMHDR* header, LRESULT* result) override;
    LRESULT OnNcCalcSize(BOOL calcValidRects, NCCALCSIZE_PARAMS* params) override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnDestroy() override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnRButtonDown(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    BOOL OnMouseWheel(UINT flags, short delta, CPoint screenPoint) override;
    void OnVScroll(UINT code, UINT pos, CWnd* scrollBar) override;
    void OnTimer(UINT_PTR id) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;

private:
    struct Row {
        std::vector<XListCell> cells;
    };

    Row* RowData(int row) const;
    XListCell* CellAt(int row, int columnIndex) const;
    int32_t RowKey(int row) const;
    const ColumnEntry* ColumnAt(int index) const;
    int SelectedRow() const;
    int FirstEditColumn() const;
    void SubclassHeader();
    int HeaderHeight() const;
    void UpdateBar();
    void RedrawCell(int row, int columnIndex);
    void UpdateHeaderImage(int columnIndex);
    LRESULT Notify(UINT message, int32_t key, int32_t column, const void* value);
    bool HandleComboListMessage(UINT message);

    void PaintBackground(CDC& dc);
    void PaintCell(CDC& dc, int row, int columnIndex);
    void PaintTextCell(CDC& dc, const CRect& cell, int row, int columnIndex, bool selected);
    void PaintCheckCell(CDC& dc, const CRect& cell, const ColumnEntry& column, const XListCell& data, bool selected);
    void PaintDropCell(CDC& dc, const CRect& cell, const CString& text, bool pressed);

    // The cell's check as a press changes it; false when the press changes
    // nothing (a set cell of an exclusive column).
    bool ToggleCheck(int row, int columnIndex);
    void OpenDropList(int row, int columnIndex);
    // The drop list goes; cancel puts back the text the cell had before it opened.
    void CloseDropList(bool cancel);
    void TakeDropSelection();
    void ReleaseArrow();
    void ShowColumnTitle(int columnIndex);
    int ColumnAtX(int x) const;
    void AssignApplication(int32_t key);
    void UnassignApplication(int32_t key);

    std::map<int32_t, ColumnEntry> m_columns;
    CXHeaderCtrl m_header;
    bool m_headerSubclassed = false;
    CRowSizer m_rowSizer;
    CToolTipCtrl m_titleTip;
    int m_titleColumn = -1;
    CFont m_dropFont;
    CString m_dropSelectedText;
    std::unique_ptr<CXComboList> m_dropList;
    CXListEdit m_edit;
    int32_t m_editKey = -1;
    int m_editColumn = -1;
    int32_t m_pendingEditKey = -1;
    int m_pendingEditColumn = -1;
    // The drop-down cell whose arrow went down, by its row's key.
    int m_arrowPressed = 0;
    int32_t m_pressedKey = -1;
    int m_pressedColumn = -1;
    CRect m_pressedRect;
    CString m_dropOriginalText;
    COLORREF m_fontColour = 0xFFFFFF;
    COLORREF m_selectedFontColour = 0;
    COLORREF m_backColour = 0;
    COLORREF m_selectedBackColour = 0xFFFFFF;
    COLORREF m_borderColour = 0xFFFFFF;
    int m_borderWidth = 1;
    std::unique_ptr<CGenericPanel> m_frame;
    std::unique_ptr<CVScrollBar> m_scrollBar;
    CListPanelItem* m_cellMenu = nullptr;
    int m_scrollRowHeight = 16;
    CFontItem* m_font = nullptr;  // owned by the item list
};

// The WM_NCCALCSIZE of a list that shows no system scroll bars of its own:
// they leave its style, so it has no non-client area (the message is not
// passed on).
void RemoveSystemScrollBars(CWnd& list);

#pragma once
// The skinned drop-down selector (skin element COMBO): a box with the
// current choice and a down arrow; a click opens the entries as a popup
// list under the box.  It tells its parent about the click
// (WM_GUI_QUERY_ITEM) and about the choice (WM_DROPDOWN_SELCHANGE), both
// with its window in lParam.

#include "gui/core/CGUIItem.h"
#include "gui/core/GuiMessages.h"
#include "gui/widgets/ListPanelEntry.h"
#include "platform/CBitmap.h"
#include "platform/CRect.h"
#include "platform/CStatic.h"
#include "platform/CString.h"
#include "platform/CToolTipCtrl.h"

#include <pugixml.hpp>

#include <vector>

class CGUIItems;
class CListPanelItem;

class CDropdownListItem : public CStatic, public CGUIItem {
public:
    struct Entry {
        CString text;
        CString secondText;
        CListPanelItem* linkedItem = nullptr;  // a cascading sub-list, not owned
        int32_t reserved = 0;
    };
    // A search by text (flag bit 2), as list-box searches are described.
    struct FindRecord {
        UINT flags = 0;
        const wchar_t* text = nullptr;
    };
    static constexpr UINT kFindByText = 2;

    CDropdownListItem();
    ~CDropdownListItem() override;

    // The COMBO element's builder: null for an unknown name, without CLIST,
    // or when the window cannot be made.
    static CDropdownListItem* CreateFromElement(const pugi::xml_node& element, CWnd* parent, CGUIItems& items);

    // The popup's dialog template and the skin file it loads (none: the
    // popup is drawn from the item's colours alone).
    static void SetPopupTemplateId(UINT id) noexcept;
    static UINT GetPopupTemplateId() noexcept;
    static void SetPanelSkin(const wchar_t* fileName);

    int AddEntry(const wchar_t* text);
    // Refused for a negative index or one past the end.
    bool InsertEntry(int index, const wchar_t* text);
    void RemoveAllEntries();
    CString GetEntryText(int index) const;
    int FindEntry(const FindRecord& find) const;
    int GetSelectedIndex() const;
    int Select(int index, const wchar_t* valueText);
    const std::vector<Entry>& EntriesBegin() const noexcept { return m_entries; }
    int GetCount() const noexcept { return static_cast<int>(m_entries.size()); }
    // Links an entry to a sub-list; false for an index outside the entries.
    bool SetLinkedItem(int index, CListPanelItem* item);

    void SetDisabled(bool disabled);
    bool IsDisabled() const noexcept { return m_disabled; }
    // A locked item keeps its look and its choice but opens no list (while
    // what it chooses must not change).
    void SetLocked(bool locked);
    bool IsLocked() const noexcept { return m_locked; }
    // Nothing chosen: the box shows no text.
    void ClearSelection();
    bool IsOpen() const noexcept { return m_open; }
    const CString& GetCurrentText() const noexcept { return m_currentText; }
    const CString& GetValueText() const noexcept { return m_valueText; }
    void SetPrefix(const wchar_t* prefix);
    void SetTooltip(const wchar_t* text);
    int GetDropHeight() const noexcept { return m_dropHeight; }
    const ListPanelStyle& GetStyle() const noexcept { return m_style; }

    // The text the box shows: prefix, the translated current text, and
    // ": " with the value text when there is one.
    CString ShownText() const;
    // The room for the popup under the box, on the screen: as wide as the
    // box and the drop height high, the box's own height when no height is
    // set.  The popup then takes no more of it than its entries need.
    static CRect DropRect(const CRect& boxOnScreen, int dropHeight);
    // The border's rectangle: the client inset by half the border width,
    // one pixel wider and higher for an even width.
    static CRect BorderRect(const CRect& client, int borderWidth);
    // The pop-up entries: each choice with its linked sub-list.
    std::vector<ListPanelEntry> PopupEntries() const;
    // What a choice of the popup does: false when nothing is chosen (a
    // cancelled popup, or a sub-list without a current entry).
    bool ApplyChoice(int chosen);

    BOOL PreTranslateMessage(MSG* msg) override;

    // Opens the list under the box, as a click does; nothing when disabled.
    virtual void OpenList();
    // A drop-down its dialog made a tab stop opens from the keyboard too
    // (Space, F4, Down or Alt+Down) and marks itself while focused.
    bool IsKeyboardReachable() const;

protected:
    void OnPaint() override;
    void OnSetFocus(CWnd* oldWnd) override;
    void OnKillFocus(CWnd* newWnd) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    UINT OnGetDlgCode() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;

    // Reads what COMBO and COMBOCOLOR have in common, makes the window and
    // sets the item fields with that type; false when no item can be made.
    bool BuildFromElement(const pugi::xml_node& element, CWnd* parent, CGUIItems& items, int32_t type);

    CToolTipCtrl m_tooltip;
    bool m_disabled = false;
    bool m_locked = false;
    bool m_open = false;
    CString m_currentText;
    CString m_valueText;
    CString m_prefix;
    std::vector<Entry> m_entries;
    int m_dropHeight = 0;
    ListPanelStyle m_style;
    COLORREF m_disabledBorderColour = 0;
    bool m_hasListBitmaps = false;
    bool m_sorted = false;
    CRect m_boxRect;
    // Kept for the colour drop-down's mask picture.
    CBitmap m_bitmap;
};

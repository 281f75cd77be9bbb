#pragma once
// A skinned list of text entries (skin element LISTPANEL): the entries and
// their look, shown as a list on the page (CListPanelStatic, unless the
// skin marks the item dynamic) or as a popup menu at a point (PlaceList).

#include "gui/core/CGUIItem.h"
#include "gui/widgets/ListPanelEntry.h"
#include "platform/CString.h"

#include <pugixml.hpp>

#include <memory>
#include <vector>

class CGUIItems;
class CListPanelStatic;
class CWnd;

class CListPanelItem : public CGUIItem {
public:
    CListPanelItem();
    ~CListPanelItem() override;

    // The LISTPANEL element's builder: null for an unknown name.
    static CListPanelItem* CreateFromElement(const pugi::xml_node& element, CWnd* parent, CGUIItems& items);

    // The dialog template the popups are made from.
    static void SetPopupTemplateId(UINT id) noexcept;
    static UINT GetPopupTemplateId() noexcept;

    void Show(bool show) override;

    void SetEntries(const std::vector<ListPanelEntry>& entries);
    const std::vector<ListPanelEntry>& GetEntries() const noexcept { return m_entries; }
    int GetCount() const noexcept { return static_cast<int>(m_entries.size()); }
    CString GetEntryText(int index) const;
    int FindEntry(const wchar_t* text) const;
    int FindCurrentEntry() const;
    bool SelectEntry(int index);
    const CString& GetCurrentText() const noexcept { return m_currentText; }
    // The static list's tooltip text.
    void SetText(const wchar_t* text);

    bool CreateList(CWnd* parent, UINT id, const RECT& rect);
    // A popup of the entries at (x, y) of window's client area, height
    // pixels high (the item's height for 0): the chosen entry's index or -1.
    int PlaceList(int height, CWnd* window, int x, int y);
    // The popup's screen rectangle for PlaceList.
    CRect PopupRect(int height, CWnd* window, int x, int y) const;

    const ListPanelStyle& GetStyle() const noexcept { return m_style; }
    ListPanelStyle& Style() noexcept { return m_style; }
    bool IsSorted() const noexcept { return m_sorted; }
    void SetSorted(bool sorted) noexcept { m_sorted = sorted; }
    void SetSize(int width, int height) noexcept {
        m_width = width;
        m_height = height;
    }
    int GetWidth() const noexcept { return m_width; }
    int GetHeight() const noexcept { return m_height; }
    CListPanelStatic* GetStaticList() const noexcept { return m_staticList.get(); }

private:
    CString m_currentText;
    int m_width = 0;
    int m_height = 0;
    std::vector<ListPanelEntry> m_entries;
    ListPanelStyle m_style;
    bool m_sorted = false;
    CRect m_rect;
    CString m_tooltip;
    std::unique_ptr<CListPanelStatic> m_staticList;
};

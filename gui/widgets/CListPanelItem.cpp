#include "gui/widgets/CListPanelItem.h"

#include "gui/skin/AttributeReaders.h"
#include "gui/core/CGUIItems.h"
#include "gui/widgets/CListPanel.h"
#include "gui/widgets/CListPanelStatic.h"
#include "gui/core/CPopupBox.h"
#include "gui/widgets/CVScrollBar.h"

namespace {

UINT g_popupTemplateId = CPopupBox::kPopupTemplateId;

}  // namespace

CListPanelItem::CListPanelItem() { SetItemFields(-1, kItemListPanel, nullptr, nullptr); }

CListPanelItem::~CListPanelItem() = default;

void CListPanelItem::SetPopupTemplateId(UINT id) noexcept { g_popupTemplateId = id; }
UINT CListPanelItem::GetPopupTemplateId() noexcept { return g_popupTemplateId; }

CListPanelItem* CListPanelItem::CreateFromElement(const pugi::xml_node& element, CWnd* parent, CGUIItems& items) {
    const int32_t id = ReadNameId(element);
    if (id == -1)
        return nullptr;
    auto* item = new CListPanelItem;
    item->SetItemFields(id, kItemListPanel, nullptr, parent);
    item->m_rect = ReadItemRect(id, element);
    item->m_width = item->m_rect.Width();
    item->m_height = item->m_rect.Height();
    ListPanelStyle& style = item->m_style;
    ReadListStyle(element, style, {"fontclr", "fontclrhi", "fontclrsel", "disbfontclr", "backclr", "backclrhi",
                                   "backclrsel", "disbbackclr", "bdrclr"});
    // A margin wider than the item leaves no room for text: none is used.
    style.leftMargin = ReadNonNegative(element.attribute("lmargin"));
    if (style.leftMargin > item->m_width)
        style.leftMargin = 0;
    style.rightMargin = ReadNonNegative(element.attribute("rmargin"));
    if (style.rightMargin > item->m_width)
        style.rightMargin = 0;
    style.font = ReadFontAttr(element, id, &items);
    if (pugi::xml_attribute sorted = element.attribute("sorted"))
        item->m_sorted = IsSkinTrue(sorted.value());
    for (pugi::xml_node entry = element.child("LISTPANELITEMS").child("LISTPANELITEM"); entry;
         entry = entry.next_sibling("LISTPANELITEM")) {
        ListPanelEntry record;
        record.text = SkinText(entry);
        record.tooltip = SkinText(entry.attribute("tooltip"));
        item->m_entries.push_back(record);
    }
    pugi::xml_node scrollSource = element.child("CLIST") ? element.child("CLIST") : element;
    style.scrollBarWidth = ReadVScrollElement(scrollSource, style.scrollBitmaps);
    item->m_tooltip = SkinText(element.attribute("tooltip"));
    if (!ReadDynamic(element) && parent)
        item->CreateList(parent, static_cast<UINT>(id), item->m_rect);
    return item;
}

void CListPanelItem::Show(bool show) {
    if (m_staticList && m_staticList->GetSafeHwnd()) {
        m_staticList->ShowWindow(show ? SW_SHOW : SW_HIDE);
        if (CVScrollBar* bar = m_staticList->GetScrollBar())
            bar->ShowWindow(show ? SW_SHOW : SW_HIDE);
    }
}

void CListPanelItem::SetEntries(const std::vector<ListPanelEntry>& entries) {
    m_entries = entries;
    if (m_staticList)
        m_staticList->Fill();
}

CString CListPanelItem::GetEntryText(int index) const {
    return index >= 0 && index < GetCount() ? m_entries[static_cast<size_t>(index)].text : CString();
}

int CListPanelItem::FindEntry(const wchar_t* text) const {
    for (int i = 0; i < GetCount(); ++i)
        if (m_entries[static_cast<size_t>(i)].text == (text ? text : L""))
            return i;
    return -1;
}

int CListPanelItem::FindCurrentEntry() const { return m_currentText.IsEmpty() ? -1 : FindEntry(m_currentText); }

bool CListPanelItem::SelectEntry(int index) {
    if (index >= GetCount())
        return false;
    if (index < 0) {
        if (!m_staticList)
            return false;
        m_staticList->SelectEntryRow(-1);
        m_currentText.Empty();
        return true;
    }
    if (m_staticList)
        m_staticList->SelectEntryRow(index);
    m_currentText = m_entries[static_cast<size_t>(index)].text;
    return true;
}

void CListPanelItem::SetText(const wchar_t* text) {
    m_tooltip = text ? text : L"";
    if (m_staticList)
        m_staticList->SetTooltipText(m_tooltip);
}

bool CListPanelItem::CreateList(CWnd* parent, UINT id, const RECT& rect) {
    if (!parent || m_staticList)
        return false;
    auto list = std::make_unique<CListPanelStatic>(&m_entries, m_style, m_sorted, m_itemId);
    if (!list->CreateList(rect, parent, id, m_style.scrollBarWidth > 0))
        return false;
    list->SetTooltipText(m_tooltip);
    m_itemWindow = list->GetSafeHwnd();
    m_staticList = std::move(list);
    return true;
}

CRect CListPanelItem::PopupRect(int height, CWnd* window, int x, int y) const {
    POINT origin = {x, y};
    if (window && window->GetSafeHwnd())
        window->ClientToScreen(&origin);
    return CRect(origin.x, origin.y, origin.x + m_width, origin.y + (height > 0 ? height : m_height));
}

int CListPanelItem::PlaceList(int height, CWnd* window, int x, int y) {
    CListPanel panel(g_popupTemplateId, nullptr, window, m_sorted, false, m_entries, PopupRect(height, window, x, y),
                     m_style);
    const INT_PTR chosen = panel.DoModal();
    return chosen >= 0 && chosen < GetCount() ? static_cast<int>(chosen) : -1;
}

#include "gui/widgets/CProgressPanelItem.h"

CProgressPanelItem::CProgressPanelItem() {
    SetItemFields(-1, kItemProgressPanel, nullptr, nullptr);
    m_fill.fillColour = 0xFFFFFF;
    m_fill.backColour = 0;
    m_look.borderWidth = 0;
}

CProgressPanelItem* CProgressPanelItem::CreateFromElement(const pugi::xml_node& element, CWnd* parent,
                                                          CGUIItems& items) {
    const int32_t id = ReadNameId(element);
    const CRect rect = ReadItemRect(id, element);
    if (id == -1 || rect.IsRectEmpty())
        return nullptr;
    auto* item = new CProgressPanelItem;
    item->m_rect = rect;
    ReadListStyle(element, item->m_look, {"fontclr", "fontclrhi", "backclr", "backclrhi", "bdrclr"});
    ReadFillInfo(element, item->m_fill);
    pugi::xml_node list = element.child("TEXTINFOLIST");
    for (pugi::xml_node info = list.child("TEXTINFO"); info; info = info.next_sibling("TEXTINFO")) {
        TextInfo entry;
        if (ReadTextInfo(info, &items, entry))
            item->m_texts.push_back(entry);
    }
    item->SetItemFields(id, kItemProgressPanel, nullptr, parent);
    return item;
}

#include "gui/core/CGUIItems.h"

CGUIItems::~CGUIItems() {
    while (!m_items.empty()) {
        CGUIItem* item = m_items.back();
        m_items.pop_back();
        delete item;
    }
}

void CGUIItems::Append(CGUIItem* item) {
    if (item)
        m_items.push_back(item);
}

CGUIItem* CGUIItems::FindById(int32_t id) const {
    for (CGUIItem* item : m_items)
        if (item->m_itemId == id)
            return item;
    return nullptr;
}

CGUIItem* CGUIItems::FindByWindow(HWND window) const {
    for (CGUIItem* item : m_items)
        if (item->m_itemWindow == window)
            return item;
    return nullptr;
}

void CGUIItems::ShowAll(bool show) const {
    for (CGUIItem* item : m_items)
        item->Show(show);
}

#pragma once
// Checked lookups of a skin's items: an item counts only when it exists,
// has the type code asked for and is of the class asked for, so a skin that
// lacks an item, or holds another kind under its id, leaves a null pointer
// instead of a crash.

#include "gui/core/CGUIItem.h"
#include "gui/core/CGUIItems.h"

#include <cstdint>

constexpr int32_t kAnyItemType = -1;

template <typename Item>
Item* FindItem(const CGUIItems& items, int32_t id, int32_t type = kAnyItemType) {
    CGUIItem* item = items.FindById(id);
    if (!item || (type != kAnyItemType && item->m_itemType != type))
        return nullptr;
    return dynamic_cast<Item*>(item);
}

// An item's window; null for no item or one whose window was never made.
inline HWND WindowOf(const CGUIItem* item) {
    return item && item->m_itemWindow != CGUIItem::kNoWindowYet ? item->m_itemWindow : nullptr;
}

// The item whose window is 'window', in the first list that has it.
inline CGUIItem* FindItemByWindow(HWND window, const CGUIItems* first, const CGUIItems* second = nullptr) {
    if (!window)
        return nullptr;
    CGUIItem* item = first ? first->FindByWindow(window) : nullptr;
    if (!item && second)
        item = second->FindByWindow(window);
    return item;
}

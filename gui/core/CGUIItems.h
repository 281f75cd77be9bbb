#pragma once
// The items one skin file built, in the order the loader appended them.
// The list owns them: it deletes them from the last to the first.

#include "gui/core/CGUIItem.h"

#include <cstddef>
#include <vector>

class CGUIItems {
public:
    CGUIItems() = default;
    virtual ~CGUIItems();
    CGUIItems(const CGUIItems&) = delete;
    CGUIItems& operator=(const CGUIItems&) = delete;

    // Takes ownership; a null item is ignored.
    void Append(CGUIItem* item);

    // The first item, in list order, with that id or window; null if none.
    CGUIItem* FindById(int32_t id) const;
    CGUIItem* FindByWindow(HWND window) const;
    void ShowAll(bool show) const;

    size_t GetCount() const noexcept { return m_items.size(); }
    CGUIItem* GetAt(size_t index) const { return index < m_items.size() ? m_items[index] : nullptr; }

private:
    std::vector<CGUIItem*> m_items;
};

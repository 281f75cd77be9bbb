#pragma once
// A vector of objects that the list owns: created by its owner's Add,
// destroyed by the list, last first when it goes.

#include "model/store/DeleteAllPointees.h"

#include <algorithm>
#include <vector>

template <class T>
class COwnedList {
public:
    COwnedList() = default;
    COwnedList(const COwnedList&) = delete;
    COwnedList& operator=(const COwnedList&) = delete;
    virtual ~COwnedList() { DeleteAll(); }

    int GetCount() const noexcept { return static_cast<int>(m_items.size()); }
    // Null outside the list, negative indexes included.
    T* GetAt(int index) const {
        if (index < 0 || index >= GetCount())
            return nullptr;
        return m_items[static_cast<size_t>(index)];
    }
    // Takes the item out and destroys it; false, and nothing destroyed, for
    // null or a pointer the list does not hold.
    bool Delete(T* item) {
        auto it = std::find(m_items.begin(), m_items.end(), item);
        if (!item || it == m_items.end())
            return false;
        m_items.erase(it);
        delete item;
        return true;
    }
    void DeleteAll() { DeleteAllPointees(m_items); }

protected:
    template <class Pred>
    T* FindFirst(Pred pred) const {
        auto it = std::find_if(m_items.begin(), m_items.end(), pred);
        return it == m_items.end() ? nullptr : *it;
    }

    std::vector<T*> m_items;
};

#pragma once
// Growable array of strings, indexed by int as the callers do.

#include "platform/CString.h"

#include <vector>

class CStringArray {
public:
    int GetSize() const noexcept { return static_cast<int>(m_items.size()); }
    int GetCount() const noexcept { return GetSize(); }
    bool IsEmpty() const noexcept { return m_items.empty(); }

    // Out-of-range reads report and give the empty text.
    CString GetAt(int index) const;
    void SetAt(int index, const CString& value);
    const CString& operator[](int index) const;
    CString& operator[](int index);

    int Add(const CString& value);
    void InsertAt(int index, const CString& value);
    void RemoveAt(int index, int count = 1);
    void RemoveAll() noexcept { m_items.clear(); }
    // Index of the first entry equal to text (ignoring case when asked), or -1.
    int Find(const wchar_t* text, bool ignoreCase = false) const;

    std::vector<CString>::const_iterator begin() const { return m_items.begin(); }
    std::vector<CString>::const_iterator end() const { return m_items.end(); }

private:
    bool Valid(int index) const noexcept { return index >= 0 && index < GetSize(); }
    std::vector<CString> m_items;
};

#include "platform/CStringArray.h"

#include "platform/Debug.h"

CString CStringArray::GetAt(int index) const {
    return CHECK_INVARIANT(Valid(index)) ? m_items[static_cast<size_t>(index)] : CString();
}

void CStringArray::SetAt(int index, const CString& value) {
    if (CHECK_INVARIANT(Valid(index)))
        m_items[static_cast<size_t>(index)] = value;
}

const CString& CStringArray::operator[](int index) const {
    static const CString empty;
    return CHECK_INVARIANT(Valid(index)) ? m_items[static_cast<size_t>(index)] : empty;
}

CString& CStringArray::operator[](int index) {
    if (!CHECK_INVARIANT(Valid(index))) {
        static CString scratch;
        scratch.Empty();
        return scratch;
    }
    return m_items[static_cast<size_t>(index)];
}

int CStringArray::Add(const CString& value) {
    m_items.push_back(value);
    return GetSize() - 1;
}

void CStringArray::InsertAt(int index, const CString& value) {
    if (index < 0) index = 0;
    if (index > GetSize()) index = GetSize();
    m_items.insert(m_items.begin() + index, value);
}

void CStringArray::RemoveAt(int index, int count) {
    if (!Valid(index) || count <= 0)
        return;
    if (count > GetSize() - index)
        count = GetSize() - index;
    m_items.erase(m_items.begin() + index, m_items.begin() + index + count);
}

int CStringArray::Find(const wchar_t* text, bool ignoreCase) const {
    for (int i = 0; i < GetSize(); ++i) {
        const CString& s = m_items[static_cast<size_t>(i)];
        if (ignoreCase ? s.CompareNoCase(text) == 0 : s.Compare(text) == 0)
            return i;
    }
    return -1;
}

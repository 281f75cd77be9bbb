#include "model/store/CProfileList.h"

#include "model/store/CKespaProfile.h"

#include <algorithm>

template <class TProfile>
CProfileList<TProfile>::CProfileList() = default;

template <class TProfile>
CProfileList<TProfile>::~CProfileList() {
    DeleteAll();
}

template <class TProfile>
int CProfileList<TProfile>::IndexOf(const TProfile* profile) const {
    auto it = std::find(m_items.begin(), m_items.end(), profile);
    return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
}

template <class TProfile>
TProfile* CProfileList<TProfile>::FindByName(const wchar_t* name) const {
    if (!name)
        return nullptr;
    return this->FindFirst([name](const TProfile* p) { return CompareNoCase(p->GetName(), name) == 0; });
}

template <class TProfile>
TProfile* CProfileList<TProfile>::FindByGuid(const GUID& guid) const {
    return this->FindFirst([&guid](const TProfile* p) { return IsEqualGUID(p->GetGuid(), guid) != FALSE; });
}

template <class TProfile>
void CProfileList<TProfile>::Append(TProfile* profile) {
    if (profile)
        m_items.push_back(profile);
}

template <class TProfile>
TProfile* CProfileList<TProfile>::Replace(int index, TProfile* replacement) {
    TProfile* old = GetAt(index);
    if (!old || !replacement)
        return nullptr;
    m_items[static_cast<size_t>(index)] = replacement;
    if (m_active == old)
        m_active = replacement;
    return old;
}

template <class TProfile>
bool CProfileList<TProfile>::Detach(TProfile* profile) {
    int index = IndexOf(profile);
    if (!profile || index < 0)
        return false;
    if (m_active == profile)
        m_active = nullptr;
    m_items.erase(m_items.begin() + index);
    return true;
}

template <class TProfile>
void CProfileList<TProfile>::DeleteAll() {
    m_active = nullptr;
    COwnedList<TProfile>::DeleteAll();
}

template <class TProfile>
bool CProfileList<TProfile>::SetActive(TProfile* profile) {
    if (profile && IndexOf(profile) < 0)
        return false;
    m_active = profile;
    return true;
}

template class CProfileList<CKespaProfile>;

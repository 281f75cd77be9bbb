#pragma once
// The store's profiles: owned, in list order, with a non-owning pointer to the
// active one, which is always none or one of the listed profiles.

#include "model/store/COwnedList.h"

#include <windows.h>

// The list's own Delete would bypass the active pointer, so the owned list is
// a private base and only what keeps the invariant is offered.
template <class TProfile>
class CProfileList : private COwnedList<TProfile> {
public:
    CProfileList();
    ~CProfileList() override;

    using COwnedList<TProfile>::GetCount;
    using COwnedList<TProfile>::GetAt;
    // -1 for a profile that is not listed.
    int IndexOf(const TProfile* profile) const;
    // The listed profile that some view of it (a base or interface pointer) points at.
    template <class TView>
    TProfile* FindListed(const TView* view) const {
        return this->FindFirst([view](const TProfile* p) { return static_cast<const TView*>(p) == view; });
    }
    TProfile* FindByName(const wchar_t* name) const;
    TProfile* FindByGuid(const GUID& guid) const;

    void Append(TProfile* profile);
    // Puts replacement in the place of the profile at index and returns the
    // profile it replaced, which the caller then owns; the active pointer follows.
    TProfile* Replace(int index, TProfile* replacement);
    // Takes a listed profile out of the list without destroying it; the
    // caller then owns it.  False for a profile that is not listed.
    bool Detach(TProfile* profile);
    // Destroys every profile, last first; no profile is active afterwards.
    void DeleteAll();

    TProfile* GetActive() const noexcept { return m_active; }
    // Accepts null or a listed profile only.
    bool SetActive(TProfile* profile);

private:
    using COwnedList<TProfile>::m_items;
    TProfile* m_active = nullptr;
};

#pragma once
// The linked programs, owned by the list, in the order added; executable
// names are unique ignoring case.

#include "model/store/COwnedList.h"
#include "model/store/CVqApp.h"

class CVqAppList : public COwnedList<CVqApp> {
public:
    CVqAppList();
    ~CVqAppList() override;

    CVqApp* FindByName(const wchar_t* executable) const;
    CVqApp* FindByGuid(const GUID& guid) const;
    // Null when an entry of that name exists.
    CVqApp* Add(const wchar_t* executable);
    // Null and unknown pointers change nothing.
    void Remove(CVqApp* entry) { Delete(entry); }
};

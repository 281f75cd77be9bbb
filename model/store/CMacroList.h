#pragma once
// The user's macros, owned by the list, in the order added; names are unique
// ignoring case.

#include "model/store/CMacro.h"
#include "model/store/COwnedList.h"
#include "platform/CString.h"

#include <memory>
#include <vector>

class CMacroList : public COwnedList<CMacro> {
public:
    CMacroList();
    ~CMacroList() override;

    CMacro* FindByName(const wchar_t* name) const;
    CMacro* FindByGuid(const GUID& guid) const;
    // Null when a macro of that name exists.
    CMacro* Add(const wchar_t* name, const std::vector<MacroStep>& steps);

private:
    std::unique_ptr<CString> m_extra;
};

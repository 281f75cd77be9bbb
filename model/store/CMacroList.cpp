#include "model/store/CMacroList.h"

CMacroList::CMacroList() = default;

CMacroList::~CMacroList() = default;

CMacro* CMacroList::FindByName(const wchar_t* name) const {
    if (!name)
        return nullptr;
    return FindFirst([name](const CMacro* m) { return CompareNoCase(m->name, name) == 0; });
}

CMacro* CMacroList::FindByGuid(const GUID& guid) const {
    return FindFirst([&guid](const CMacro* m) { return IsEqualGUID(m->guid, guid) != FALSE; });
}

CMacro* CMacroList::Add(const wchar_t* name, const std::vector<MacroStep>& steps) {
    if (FindByName(name ? name : L""))
        return nullptr;
    auto macro = std::make_unique<CMacro>(name, steps);
    m_items.push_back(macro.get());
    return macro.release();
}

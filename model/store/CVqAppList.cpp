#include "model/store/CVqAppList.h"

#include <memory>

CVqAppList::CVqAppList() = default;

CVqAppList::~CVqAppList() = default;

CVqApp* CVqAppList::FindByName(const wchar_t* executable) const {
    if (!executable)
        return nullptr;
    return FindFirst([executable](const CVqApp* a) { return a->executable.CompareNoCase(executable) == 0; });
}

CVqApp* CVqAppList::FindByGuid(const GUID& guid) const {
    return FindFirst([&guid](const CVqApp* a) { return IsEqualGUID(a->guid, guid) != FALSE; });
}

CVqApp* CVqAppList::Add(const wchar_t* executable) {
    if (FindByName(executable ? executable : L""))
        return nullptr;
    auto app = std::make_unique<CVqApp>(executable);
    m_items.push_back(app.get());
    return app.release();
}

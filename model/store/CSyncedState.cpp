#include "model/store/CSyncedState.h"

#include "model/store/CKespaConfig.h"

#include <algorithm>
#include <cwchar>

namespace {

template <class Item>
auto FindByGuid(const std::vector<Item>& items, const GUID& guid) -> decltype(&items[0]) {
    for (const Item& item : items)
        if (item.guid == guid)
            return &item;
    return nullptr;
}

template <class Item>
void PutByGuid(std::vector<Item>& items, const Item& item) {
    if (IsNullGuid(item.guid))
        return;
    for (Item& kept : items)
        if (kept.guid == item.guid) {
            kept = item;
            return;
        }
    items.push_back(item);
}

template <class Item>
void RemoveByGuid(std::vector<Item>& items, const GUID& guid) {
    items.erase(std::remove_if(items.begin(), items.end(), [&](const Item& item) { return item.guid == guid; }),
                items.end());
}

}  // namespace

bool DeviceListOrder::Holds(const GUID& guid) const {
    return std::find(guids.begin(), guids.end(), guid) != guids.end();
}

void DeviceListOrder::Append(const GUID& guid) {
    if (!Holds(guid))
        guids.push_back(guid);
}

void DeviceListOrder::Remove(const GUID& guid) { guids.erase(std::remove(guids.begin(), guids.end(), guid), guids.end()); }

bool MacroDiffers(const CMacro& macro, const CMacro& synced) {
    return std::wcscmp(macro.GetName(), synced.GetName()) != 0 || macro.steps != synced.steps;
}

bool ApplicationDiffers(const CVqApp& application, const CVqApp& synced) {
    return application.executable.CompareNoCase(synced.executable) != 0;
}

CSyncedState::CSyncedState(const CSyncedState& other) { *this = other; }

CSyncedState& CSyncedState::operator=(const CSyncedState& other) {
    if (this == &other)
        return *this;
    m_known = other.m_known;
    m_profiles.clear();
    for (const auto& profile : other.m_profiles)
        m_profiles.push_back(std::make_unique<CKespaProfile>(*profile));
    m_macros = other.m_macros;
    m_applications = other.m_applications;
    activeProfile = other.activeProfile;
    onOff = other.onOff;
    profileOrder = other.profileOrder;
    macroOrder = other.macroOrder;
    applicationOrder = other.applicationOrder;
    return *this;
}

CSyncedState::~CSyncedState() = default;

void CSyncedState::TakeStore(IKeyboardConfig& store) {
    m_profiles.clear();
    m_macros.clear();
    m_applications.clear();
    for (int i = 0; i < store.GetProfileCount(); ++i)
        if (IKeyboardProfile* profile = store.GetProfile(i))
            PutProfile(*profile);
    for (int i = 0; i < store.GetMacroCount(); ++i)
        if (const CMacro* macro = store.GetMacro(i))
            PutMacro(*macro);
    for (int i = 0; i < store.GetApplicationCount(); ++i)
        if (const CVqApp* application = store.GetApplication(i))
            PutApplication(*application);
    IKeyboardProfile* active = store.GetActiveProfile();
    activeProfile = active ? active->GetGuid() : GUID_NULL;
    onOff = store.GetOnOffFeature();
    m_known = true;
}

void CSyncedState::Forget() { *this = CSyncedState(); }

IKeyboardProfile* CSyncedState::FindProfile(const GUID& guid) const {
    for (const auto& profile : m_profiles)
        if (profile->GetGuid() == guid)
            return profile.get();
    return nullptr;
}

const CMacro* CSyncedState::FindMacro(const GUID& guid) const { return FindByGuid(m_macros, guid); }

const CVqApp* CSyncedState::FindApplication(const GUID& guid) const { return FindByGuid(m_applications, guid); }

void CSyncedState::PutProfile(IKeyboardProfile& profile) {
    auto* source = dynamic_cast<CKespaProfile*>(&profile);
    if (!source || IsNullGuid(profile.GetGuid()))
        return;
    auto copy = std::make_unique<CKespaProfile>(*source);
    for (auto& kept : m_profiles)
        if (kept->GetGuid() == profile.GetGuid()) {
            kept = std::move(copy);
            return;
        }
    m_profiles.push_back(std::move(copy));
}

void CSyncedState::ForgetKeyAssignment(const GUID& profile, int32_t key) {
    for (auto& kept : m_profiles)
        if (kept->GetGuid() == profile)
            kept->ForgetKeyAssignment(key);
}

void CSyncedState::PutMacro(const CMacro& macro) { PutByGuid(m_macros, macro); }

void CSyncedState::PutApplication(const CVqApp& application) { PutByGuid(m_applications, application); }

void CSyncedState::RemoveProfile(const GUID& guid) {
    m_profiles.erase(std::remove_if(m_profiles.begin(), m_profiles.end(),
                                    [&](const auto& profile) { return profile->GetGuid() == guid; }),
                     m_profiles.end());
}

void CSyncedState::RemoveMacro(const GUID& guid) { RemoveByGuid(m_macros, guid); }

void CSyncedState::RemoveApplication(const GUID& guid) { RemoveByGuid(m_applications, guid); }

std::vector<GUID> CSyncedState::DeletedProfiles(IKeyboardConfig& store) const {
    std::vector<GUID> deleted;
    for (const auto& profile : m_profiles)
        if (!store.FindProfileByGuid(profile->GetGuid()))
            deleted.push_back(profile->GetGuid());
    return deleted;
}

std::vector<GUID> CSyncedState::DeletedMacros(IKeyboardConfig& store) const {
    std::vector<GUID> deleted;
    for (const CMacro& macro : m_macros)
        if (!store.FindMacroByGuid(macro.guid))
            deleted.push_back(macro.guid);
    return deleted;
}

std::vector<GUID> CSyncedState::DeletedApplications(IKeyboardConfig& store) const {
    std::vector<GUID> deleted;
    for (const CVqApp& application : m_applications)
        if (!store.FindApplicationByGuid(application.guid))
            deleted.push_back(application.guid);
    return deleted;
}

CSyncedState* SyncedStateOf(IKeyboardConfig* store) {
    auto* config = dynamic_cast<CKespaConfig*>(store);
    return config ? &config->Synced() : nullptr;
}

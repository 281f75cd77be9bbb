#include "model/store/CBaseConfig.h"

#include "model/store/CKespaProfile.h"
#include "model/store/IKeyTable.h"
#include "model/store/ProfileFiles.h"
#include "platform/Debug.h"

#include <iterator>
#include <memory>
#include <vector>

namespace {
constexpr int32_t kNewProfileLed = 4;
constexpr uint32_t kNewProfileColor = 0xFF0000;
constexpr size_t kBareNameUnits = 256;
}

void ApplyNewProfileDefaults(IKeyboardProfile& profile) {
    profile.ResetKeyAssignments();
    profile.SetLedEnabled(kNewProfileLed, 1);
    profile.SetLedBrightness(kNewProfileLed, kMaxLedBrightness);
    profile.SetLedEffect(kNewProfileLed, kLedEffectOn);
    profile.SetLedColor(kNewProfileLed, kNewProfileColor);
}

template <class TProfile>
CBaseConfig<TProfile>::CBaseConfig(const wchar_t* applicationFolder) {
    if (!SetStorePaths(applicationFolder))
        TRACE(L"CBaseConfig: the application folder is too long for the store's paths\n");
}

template <class TProfile>
CBaseConfig<TProfile>::~CBaseConfig() = default;

template <class TProfile>
int CBaseConfig<TProfile>::GetLimit() const {
    return kProfileLimit;
}

template <class TProfile>
const wchar_t* CBaseConfig<TProfile>::GetProfileExtension() const {
    return kProfileExtension;
}

template <class TProfile>
KeyAssignment CBaseConfig<TProfile>::MakeDefaultAssignment(int32_t keyIndex) const {
    return KeyAssignment::DefaultKey(LookUpKeyTable(keyIndex));
}

template <class TProfile>
void CBaseConfig<TProfile>::ClearProfiles() {
    m_profiles.DeleteAll();
}

template <class TProfile>
TProfile* CBaseConfig<TProfile>::CreateProfile(const wchar_t* name) {
    auto created = std::make_unique<TProfile>(name);
    TProfile* profile = created.get();
    m_profiles.Append(created.release());

    ApplyNewProfileDefaults(*profile);
    TProfile* active = m_profiles.GetActive();
    SetShowOsdAll(active ? active->GetShowOsd() : 0);
    return profile;
}

template <class TProfile>
TProfile* CBaseConfig<TProfile>::AddProfileCopy(const TProfile* source) {
    if (!source)
        return nullptr;
    auto copy = std::make_unique<TProfile>(*source);
    m_profiles.Append(copy.get());
    return copy.release();
}

template <class TProfile>
bool CBaseConfig<TProfile>::SetActiveProfile(TProfile* profile) {
    if (m_profiles.SetActive(profile))
        return true;
    TRACE(L"CBaseConfig::SetActiveProfile: refused a profile that is not in the store\n");
    return false;
}

template <class TProfile>
TProfile* CBaseConfig<TProfile>::RenameProfile(TProfile* profile, const wchar_t* newName) {
    // The object is replaced, so only a listed profile may be touched at all.
    int index = m_profiles.IndexOf(profile);
    if (!profile || !newName || index < 0)
        return nullptr;
    if (wcscmp(profile->GetName(), newName) == 0)
        return nullptr;
    profile->SetName(newName);
    auto copy = std::make_unique<TProfile>(*profile);
    TProfile* renamed = copy.get();
    m_profiles.Replace(index, copy.release());
    // The old file goes only once the new one exists, so a failed save never
    // leaves the profile without a file.
    if (profile->HasFile() && renamed->SaveToFile(newName, GetProfileFolder(), kProfileExtension))
        DeleteFileW(profile->GetFilePath());
    delete profile;
    return renamed;
}

template <class TProfile>
TProfile* CBaseConfig<TProfile>::DuplicateProfile(const TProfile* source, const wchar_t* newName) {
    if (!source || !newName || wcscmp(source->GetName(), newName) == 0)
        return nullptr;
    auto copy = std::make_unique<TProfile>(*source);
    copy->SetGuid(GUID_NULL);
    copy->SetName(newName);
    m_profiles.Append(copy.get());
    return copy.release();
}

template <class TProfile>
void CBaseConfig<TProfile>::DeleteProfile(TProfile* profile) {
    if (!m_profiles.Detach(profile))
        return;
    if (profile->HasFile())
        DeleteFileW(profile->GetFilePath());
    delete profile;
}

template <class TProfile>
void CBaseConfig<TProfile>::SetShowOsdAll(uint8_t value) {
    for (int i = 0; i < m_profiles.GetCount(); ++i)
        m_profiles.GetAt(i)->SetShowOsd(value);
}

template <class TProfile>
int CBaseConfig<TProfile>::EnumerateProfileFiles() {
    wchar_t pattern[kPathUnits];
    if (!*GetProfileFolder() || !FormatPath(pattern, kPathUnits, L"%s*.%s", GetProfileFolder(), kProfileExtension))
        return 0;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    // Loaded profiles wait here: the store's own are replaced only once
    // something has loaded, so a folder of unreadable files loses nothing.
    std::vector<std::unique_ptr<TProfile>> loaded;
    do {
        CString fileName(found.cFileName);
        int dot = fileName.ReverseFind(L'.');
        CString bare = dot < 0 ? fileName : fileName.Left(dot);
        if (static_cast<size_t>(bare.GetLength()) >= kBareNameUnits)
            break;
        auto profile = std::make_unique<TProfile>();
        if (!profile->LoadFromFile(bare, GetProfileFolder(), kProfileExtension))
            break;
        loaded.push_back(std::move(profile));
    } while (FindNextFileW(search, &found));
    FindClose(search);

    if (!loaded.empty()) {
        ClearProfiles();
        for (auto& p : loaded)
            m_profiles.Append(p.release());
    }
    return static_cast<int>(loaded.size());
}

template <class TProfile>
bool CBaseConfig<TProfile>::LoadSettings() {
    int count = EnumerateProfileFiles();
    CString name;
    if (*GetSettingsFilePath())
        name = ReadIniString(GetSettingsFilePath(), kSettingsSection, kActiveProfileKey, L"");
    if (count > 0) {
        m_profiles.SetActive(m_profiles.GetAt(0));
        if (!name.IsEmpty())
            if (TProfile* named = m_profiles.FindByName(name))
                m_profiles.SetActive(named);
    }
    return false;
}

template <class TProfile>
bool CBaseConfig<TProfile>::SaveProfile(TProfile* profile) {
    if (profile)
        return profile->SaveToFile(L"", GetProfileFolder(), kProfileExtension);
    for (int i = 0; i < m_profiles.GetCount(); ++i)
        m_profiles.GetAt(i)->SaveToFile(L"", GetProfileFolder(), kProfileExtension);
    return true;
}

template <class TProfile>
bool CBaseConfig<TProfile>::SaveSettings() {
    if (!SaveProfile(nullptr))
        return false;
    TProfile* active = m_profiles.GetActive();
    if (!active || !*GetSettingsFilePath())
        return false;
    return WriteIniString(GetSettingsFilePath(), kSettingsSection, kActiveProfileKey, active->GetName());
}

template <class TProfile>
void CBaseConfig<TProfile>::SetFeature9Assignment(int32_t key, const KeyAssignment& assignment) {
    if (assignment.type == AssignmentConfigRecord)
        m_configKeyRecords[key] = assignment;
}

template <class TProfile>
KeyAssignment CBaseConfig<TProfile>::GetFeature9Assignment(int32_t key) {
    auto it = m_configKeyRecords.find(key);
    if (it == m_configKeyRecords.end())
        it = m_configKeyRecords.emplace(key, KeyAssignment::None()).first;
    return it->second;
}

template <class TProfile>
int32_t CBaseConfig<TProfile>::GetFeature9AssignmentKey(int n) const {
    if (n < 0 || n >= GetFeature9AssignmentCount())
        return 0;
    auto it = m_configKeyRecords.begin();
    std::advance(it, n);
    return it->first;
}

template <class TProfile>
bool CBaseConfig<TProfile>::SetAPMValue(int index, int32_t value) {
    CAPM* entry = m_apmEntries.GetAt(index);
    if (!entry)
        return false;
    entry->value = value;
    return true;
}

template <class TProfile>
bool CBaseConfig<TProfile>::SetAPMRange(int index, int32_t first, int32_t second) {
    CAPM* entry = m_apmEntries.GetAt(index);
    if (!entry)
        return false;
    entry->first = first;
    entry->second = second;
    return true;
}

template <class TProfile>
bool CBaseConfig<TProfile>::GetAPMValue(int index, int32_t& value) const {
    const CAPM* entry = m_apmEntries.GetAt(index);
    if (!entry)
        return false;
    value = entry->value;
    return true;
}

template <class TProfile>
bool CBaseConfig<TProfile>::GetAPMRange(int index, int32_t& first, int32_t& second) const {
    const CAPM* entry = m_apmEntries.GetAt(index);
    if (!entry)
        return false;
    first = entry->first;
    second = entry->second;
    return true;
}

template <class TProfile>
void CBaseConfig<TProfile>::InitRange() {
    m_rangeMin = 0;
    m_rangeMax = 3;
}

template <class TProfile>
int32_t CBaseConfig<TProfile>::ClampToRange(int32_t value) const {
    if (static_cast<uint32_t>(value) < static_cast<uint32_t>(m_rangeMin))
        return m_rangeMin;
    if (static_cast<uint32_t>(value) > static_cast<uint32_t>(m_rangeMax))
        return m_rangeMax;
    return value;
}

template <class TProfile>
void CBaseConfig<TProfile>::SetFeature15Level(int32_t value) {
    m_feature15Level = static_cast<uint32_t>(value) > 100 ? 100 : value;
}

template class CBaseConfig<CKespaProfile>;

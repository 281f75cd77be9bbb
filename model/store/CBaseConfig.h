#pragma once
// The members of the configuration store and its list operations, for one
// profile class.

#include "model/store/CAPMList.h"
#include "model/store/CMacroList.h"
#include "model/store/CProfileList.h"
#include "model/store/CVqAppList.h"
#include "model/store/KeyAssignment.h"

#include <windows.h>

#include <cstdint>
#include <map>

template <class TProfile>
class CBaseConfig {
public:
    static constexpr int kProfileLimit = 1024;

    // Formats the settings file and profile folder from the application
    // folder (with its trailing backslash).
    explicit CBaseConfig(const wchar_t* applicationFolder);
    CBaseConfig(const CBaseConfig&) = delete;
    CBaseConfig& operator=(const CBaseConfig&) = delete;

    // The largest number of profiles; not enforced by the store.
    virtual int GetLimit() const;
    virtual const wchar_t* GetProfileExtension() const;
    virtual ~CBaseConfig();
    // The type-0 record of a key, from the key table.
    virtual KeyAssignment MakeDefaultAssignment(int32_t keyIndex) const;

    // Profiles.
    void ClearProfiles();
    int GetProfileCount() const { return m_profiles.GetCount(); }
    TProfile* CreateProfile(const wchar_t* name);
    TProfile* AddProfileCopy(const TProfile* source);
    TProfile* FindProfileByGuid(const GUID& guid) const { return m_profiles.FindByGuid(guid); }
    TProfile* FindProfileByName(const wchar_t* name) const { return m_profiles.FindByName(name); }
    TProfile* GetProfile(int index) const { return m_profiles.GetAt(index); }
    TProfile* GetActiveProfile() const { return m_profiles.GetActive(); }
    bool SetActiveProfile(TProfile* profile);
    TProfile* RenameProfile(TProfile* profile, const wchar_t* newName);
    TProfile* DuplicateProfile(const TProfile* source, const wchar_t* newName);
    void DeleteProfile(TProfile* profile);
    void SetShowOsdAll(uint8_t value);

    // Settings file and profile files.
    bool LoadSettings();
    bool SaveSettings();
    int EnumerateProfileFiles();
    // Null saves every profile.
    bool SaveProfile(TProfile* profile);

    // Configuration-level key records (type 65 only).
    int GetFeature9AssignmentCount() const { return static_cast<int>(m_configKeyRecords.size()); }
    void SetFeature9Assignment(int32_t key, const KeyAssignment& assignment);
    KeyAssignment GetFeature9Assignment(int32_t key);
    int32_t GetFeature9AssignmentKey(int n) const;

    // APM entries.
    bool SetAPMValue(int index, int32_t value);
    bool SetAPMRange(int index, int32_t first, int32_t second);
    bool GetAPMValue(int index, int32_t& value) const;
    bool GetAPMRange(int index, int32_t& first, int32_t& second) const;

    // Keyboard-wide values.
    void InitRange();
    void SetFeature14Value(int32_t value) { m_feature14Value = ClampToRange(value); }
    void SetFeature15Value(int32_t value) { m_feature15Value = ClampToRange(value); }
    void SetFeature15Level(int32_t value);

protected:
    // Unsigned comparison, as the keyboard reads the values.
    int32_t ClampToRange(int32_t value) const;

    CProfileList<TProfile> m_profiles;
    CMacroList m_macros;
    CVqAppList m_applications;
    std::map<int32_t, KeyAssignment> m_configKeyRecords;
    CAPMList m_apmEntries;
    int32_t m_feature14Index = -1;
    int32_t m_rangeMin = 0;
    int32_t m_rangeMax = 1;
    int32_t m_feature14Value = 0;
    int32_t m_feature15Value = 0;
    int32_t m_feature15Level = 100;
    int32_t m_feature15Option = 1;
    uint8_t m_onOffFeature = 0;
};

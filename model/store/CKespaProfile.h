#pragma once
// The profile of this keyboard, behind IKeyboardProfile.

#include "model/store/CKeyboardProfile.h"
#include "model/store/IKeyboardProfile.h"

#include <cstdint>
#include <vector>

// The lighting that the lighting page may have to put back: LED index 0 and
// the enabled flag of LED index 3.
struct LedSnapshot {
    uint8_t valid = 0;
    // LED 0's effect as it was: every effect the keyboard knows comes back as
    // it was, not only the one the lighting page switches on.
    uint32_t effect = 0;
    uint32_t brightness = 0;
    uint32_t color = 0;
    uint8_t enabled3 = 0;
    uint8_t enabled0 = 0;
};

class CKespaProfile : public CKeyboardProfile, public IKeyboardProfile {
public:
    CKespaProfile();
    explicit CKespaProfile(const wchar_t* name);
    // Copies the profile's data; the snapshots of a copy are not valid.
    CKespaProfile(const CKespaProfile& other);
    ~CKespaProfile() override;

    const wchar_t* GetName() const override;
    GUID GetGuid() const override;
    void ResetKeyAssignments() override;
    bool HasFile() const override;
    void SetName(const wchar_t* name) override;
    void SetGuid(const GUID& guid) override;
    CString GetLinkedApplicationName() const override;
    void SetLinkedApplicationName(const wchar_t* name) override;
    CString GetFilePath() const override;
    CString GetLinkedApplicationPath() const override;
    void SetLinkedApplication(const wchar_t* path) override;
    void SetKeyAssignment(int32_t keyIndex, KeyAssignment assignment) override;
    KeyAssignment GetKeyAssignment(int32_t keyIndex) override;
    bool IsSupportedAssignmentType(int32_t type) const override;
    void GetSupportedAssignmentTypes(std::vector<int32_t>& types) const override;
    void SetAutoSwitch(uint8_t value) override;
    uint8_t GetAutoSwitch() const override;
    void SetShowOsd(uint8_t value) override;
    uint8_t GetShowOsd() const override;
    void SetProfileOption(int32_t value) override;
    bool GetProfileOption() const override;
    void SetLedEnabled(int32_t led, uint8_t enabled) override;
    uint8_t GetLedEnabled(int32_t led) const override;
    void SetLedColor(int32_t led, uint32_t color) override;
    uint32_t GetLedColor(int32_t led) const override;
    void SetLedEffect(int32_t led, uint32_t effect) override;
    uint32_t GetLedEffect(int32_t led) const override;
    void SetLedBrightness(int32_t led, uint32_t brightness) override;
    uint32_t GetLedBrightness(int32_t led) const override;
    bool SaveToFile(const wchar_t* name, const wchar_t* folder, const wchar_t* extension) override;
    bool LoadFromFile(const wchar_t* name, const wchar_t* folder, const wchar_t* extension) override;

    void CacheSettings() { Snapshot(m_cached); }
    void CacheSavedSettings() { Snapshot(m_saved); }
    const LedSnapshot& GetCachedSettings() const noexcept { return m_cached; }
    const LedSnapshot& GetSavedSettings() const noexcept { return m_saved; }
    // Puts a snapshot's lighting back; false, and nothing changes, for a
    // snapshot that was never taken.
    bool RestoreSettings(const LedSnapshot& snapshot);

private:
    void Snapshot(LedSnapshot& block) const;

    LedSnapshot m_cached;
    LedSnapshot m_saved;
};

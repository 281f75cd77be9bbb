#pragma once
// The configuration store of this program: one instance, made at start-up,
// reached by everyone through IKeyboardConfig.

#include "model/store/CKeyboardConfig.h"
#include "model/store/CKespaProfile.h"
#include "model/store/CSyncedState.h"
#include "model/store/IKeyboardConfig.h"

class CKespaConfig : public CKeyboardConfig<CKespaProfile>, public IKeyboardConfig {
public:
    // Settings file and profile folder under the folder of the running program.
    CKespaConfig();
    explicit CKespaConfig(const wchar_t* applicationFolder);
    ~CKespaConfig() override;

    void ClearProfiles() override;
    void InitRange() override;
    int GetProfileLimit() override;
    int GetProfileCount() override;
    int GetMacroCount() override;
    IKeyboardProfile* CreateProfile(const wchar_t* name) override;
    IKeyboardProfile* AddProfileCopy(IKeyboardProfile* profile) override;
    IKeyboardProfile* FindProfileByGuid(const GUID& guid) override;
    IKeyboardProfile* FindProfileByName(const wchar_t* name) override;
    IKeyboardProfile* GetProfile(int index) override;
    IKeyboardProfile* GetActiveProfile() override;
    void SetActiveProfile(IKeyboardProfile* profile) override;
    IKeyboardProfile* RenameProfile(IKeyboardProfile* profile, const wchar_t* newName) override;
    IKeyboardProfile* DuplicateProfile(IKeyboardProfile* profile, const wchar_t* newName) override;
    void DeleteProfile(IKeyboardProfile* profile) override;
    CMacro* AddMacro(const wchar_t* name) override;
    void DeleteMacro(CMacro* macro) override;
    CMacro* FindMacroByGuid(const GUID& guid) override;
    CMacro* FindMacroByName(const wchar_t* name) override;
    CMacro* GetMacro(int index) override;
    void Reserved20() override;
    bool Reserved21() override;
    void Reserved22() override;
    bool Reserved23() override;
    int GetApplicationCount() override;
    CVqApp* AddApplication(const wchar_t* executable) override;
    void RemoveApplication(CVqApp* application) override;
    CVqApp* FindApplicationByGuid(const GUID& guid) override;
    CVqApp* FindApplicationByName(const wchar_t* executable) override;
    CVqApp* GetApplication(int index) override;
    bool LoadSettings() override;
    bool SaveSettings() override;
    int EnumerateProfileFiles() override;
    bool SaveProfile(IKeyboardProfile* profile) override;
    void SetKeyAssignment(int32_t keyIndex, KeyAssignment assignment, IKeyboardProfile* profile) override;
    KeyAssignment GetKeyAssignment(int32_t keyIndex, IKeyboardProfile* profile) override;
    void Reserved36() override;
    bool IsKeyAssignable(int32_t keyIndex) override;
    void SetLedEnabled(int32_t led, uint8_t enabled, IKeyboardProfile* profile) override;
    uint8_t GetLedEnabled(int32_t led, IKeyboardProfile* profile) override;
    void SetLedColor(int32_t led, uint32_t color, IKeyboardProfile* profile) override;
    uint32_t GetLedColor(int32_t led, IKeyboardProfile* profile) override;
    void SetLedEffect(int32_t led, uint32_t effect, IKeyboardProfile* profile) override;
    uint32_t GetLedEffect(int32_t led, IKeyboardProfile* profile) override;
    void SetLedBrightness(int32_t led, uint32_t brightness, IKeyboardProfile* profile) override;
    uint32_t GetLedBrightness(int32_t led, IKeyboardProfile* profile) override;
    int GetFeature9AssignmentCount() override;
    void SetFeature9Assignment(int32_t key, KeyAssignment assignment) override;
    KeyAssignment GetFeature9Assignment(int32_t key) override;
    int32_t GetFeature9AssignmentKey(int n) override;
    void Reserved50() override;
    bool Reserved51() override;
    void SetShowOsdAll(uint8_t value) override;
    void SetShowOsd(uint8_t value, IKeyboardProfile* profile) override;
    uint8_t GetShowOsd(IKeyboardProfile* profile) override;
    int GetAPMCount() override;
    bool SetAPMValue(int index, int32_t value) override;
    bool SetAPMRange(int index, int32_t first, int32_t second) override;
    bool GetAPMValue(int index, int32_t& value) override;
    bool GetAPMRange(int index, int32_t& first, int32_t& second) override;
    bool AddAPM(int32_t value, int32_t first, int32_t second) override;
    bool Reserved61() override;
    void ClearAPMs() override;
    void SetFeature14Index(int32_t value) override;
    int32_t GetFeature14Index() override;
    int32_t GetRangeMin() override;
    int32_t GetRangeMax() override;
    void SetFeature14Value(int32_t value) override;
    int32_t GetFeature14Value() override;
    void SetFeature15Value(int32_t value) override;
    int32_t GetFeature15Value() override;
    void SetFeature15Option(int32_t value) override;
    int32_t GetFeature15Option() override;
    void SetFeature15Level(int32_t value) override;
    int32_t GetFeature15Level() override;
    void SetOnOffFeature(uint8_t value) override;
    uint8_t GetOnOffFeature() override;

    // What the keyboard held at the last whole read or successful write:
    // the store's changes since are what differs from it.
    CSyncedState& Synced() noexcept { return m_synced; }
    const CSyncedState& Synced() const noexcept { return m_synced; }

private:
    using Base = CKeyboardConfig<CKespaProfile>;

    // The listed profile behind an interface pointer, or null.
    CKespaProfile* Listed(IKeyboardProfile* profile) const { return m_profiles.FindListed(profile); }
    // The profile an operation acts on: the one given, or the active one.
    IKeyboardProfile* Target(IKeyboardProfile* profile) { return profile ? profile : GetActiveProfile(); }
    // A profile setter on the target; nothing when there is none.
    template <class... Params, class... Args>
    void SetOn(IKeyboardProfile* profile, void (IKeyboardProfile::*set)(Params...), Args... args) {
        if (IKeyboardProfile* p = Target(profile))
            (p->*set)(args...);
    }
    // A profile getter on the target; 0 when there is none.
    template <class R, class... Params, class... Args>
    R GetFrom(IKeyboardProfile* profile, R (IKeyboardProfile::*get)(Params...) const, Args... args) {
        IKeyboardProfile* p = Target(profile);
        return p ? (p->*get)(args...) : R();
    }

    CSyncedState m_synced;
};

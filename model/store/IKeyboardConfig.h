#pragma once
// The configuration store as the pages and the device layer see it.
// Operations whose last argument is a profile use the active profile for
// null; with no active profile either, setters do nothing and getters give 0.
// Index arguments outside a list (negative ones included) find nothing.

#include "model/store/CMacro.h"
#include "model/store/CVqApp.h"
#include "model/store/IKeyboardProfile.h"
#include "model/store/KeyAssignment.h"

#include <windows.h>

#include <cstdint>

class IKeyboardConfig {
public:
    virtual void ClearProfiles() = 0;
    virtual void InitRange() = 0;
    virtual int GetProfileLimit() = 0;
    virtual int GetProfileCount() = 0;
    virtual int GetMacroCount() = 0;
    // Appends a profile with the new-profile defaults; names are not checked.
    virtual IKeyboardProfile* CreateProfile(const wchar_t* name) = 0;
    // An exact copy, GUID included, appended.
    virtual IKeyboardProfile* AddProfileCopy(IKeyboardProfile* profile) = 0;
    virtual IKeyboardProfile* FindProfileByGuid(const GUID& guid) = 0;
    virtual IKeyboardProfile* FindProfileByName(const wchar_t* name) = 0;
    virtual IKeyboardProfile* GetProfile(int index) = 0;
    virtual IKeyboardProfile* GetActiveProfile() = 0;
    // Null, or a profile of this store; anything else is refused.
    virtual void SetActiveProfile(IKeyboardProfile* profile) = 0;
    // Replaces the profile by a renamed copy in the same place and returns
    // the copy; null when nothing changed.  The old pointer is then invalid.
    virtual IKeyboardProfile* RenameProfile(IKeyboardProfile* profile, const wchar_t* newName) = 0;
    // A copy with GUID_NULL and the new name, appended; other profiles' names
    // are not compared.
    virtual IKeyboardProfile* DuplicateProfile(IKeyboardProfile* profile, const wchar_t* newName) = 0;
    virtual void DeleteProfile(IKeyboardProfile* profile) = 0;
    virtual CMacro* AddMacro(const wchar_t* name) = 0;
    virtual void DeleteMacro(CMacro* macro) = 0;
    virtual CMacro* FindMacroByGuid(const GUID& guid) = 0;
    virtual CMacro* FindMacroByName(const wchar_t* name) = 0;
    virtual CMacro* GetMacro(int index) = 0;
    virtual void Reserved20() = 0;
    virtual bool Reserved21() = 0;
    virtual void Reserved22() = 0;
    virtual bool Reserved23() = 0;
    virtual int GetApplicationCount() = 0;
    virtual CVqApp* AddApplication(const wchar_t* executable) = 0;
    virtual void RemoveApplication(CVqApp* application) = 0;
    virtual CVqApp* FindApplicationByGuid(const GUID& guid) = 0;
    virtual CVqApp* FindApplicationByName(const wchar_t* executable) = 0;
    virtual CVqApp* GetApplication(int index) = 0;
    virtual bool LoadSettings() = 0;
    virtual bool SaveSettings() = 0;
    virtual int EnumerateProfileFiles() = 0;
    virtual bool SaveProfile(IKeyboardProfile* profile) = 0;
    virtual void SetKeyAssignment(int32_t keyIndex, KeyAssignment assignment, IKeyboardProfile* profile) = 0;
    // Type -1 when there is no profile.
    virtual KeyAssignment GetKeyAssignment(int32_t keyIndex, IKeyboardProfile* profile) = 0;
    virtual void Reserved36() = 0;
    virtual bool IsKeyAssignable(int32_t keyIndex) = 0;
    virtual void SetLedEnabled(int32_t led, uint8_t enabled, IKeyboardProfile* profile) = 0;
    virtual uint8_t GetLedEnabled(int32_t led, IKeyboardProfile* profile) = 0;
    virtual void SetLedColor(int32_t led, uint32_t color, IKeyboardProfile* profile) = 0;
    virtual uint32_t GetLedColor(int32_t led, IKeyboardProfile* profile) = 0;
    virtual void SetLedEffect(int32_t led, uint32_t effect, IKeyboardProfile* profile) = 0;
    virtual uint32_t GetLedEffect(int32_t led, IKeyboardProfile* profile) = 0;
    virtual void SetLedBrightness(int32_t led, uint32_t brightness, IKeyboardProfile* profile) = 0;
    virtual uint32_t GetLedBrightness(int32_t led, IKeyboardProfile* profile) = 0;
    virtual int GetFeature9AssignmentCount() = 0;
    // Only type-65 records are kept.
    virtual void SetFeature9Assignment(int32_t key, KeyAssignment assignment) = 0;
    // An unknown key gets a type -1 entry, which is returned.
    virtual KeyAssignment GetFeature9Assignment(int32_t key) = 0;
    // The n-th key in ascending order; 0 outside the map.
    virtual int32_t GetFeature9AssignmentKey(int n) = 0;
    virtual void Reserved50() = 0;
    virtual bool Reserved51() = 0;
    virtual void SetShowOsdAll(uint8_t value) = 0;
    virtual void SetShowOsd(uint8_t value, IKeyboardProfile* profile) = 0;
    virtual uint8_t GetShowOsd(IKeyboardProfile* profile) = 0;
    virtual int GetAPMCount() = 0;
    virtual bool SetAPMValue(int index, int32_t value) = 0;
    virtual bool SetAPMRange(int index, int32_t first, int32_t second) = 0;
    virtual bool GetAPMValue(int index, int32_t& value) = 0;
    virtual bool GetAPMRange(int index, int32_t& first, int32_t& second) = 0;
    // Kept in ascending order of second; false when that second exists.
    virtual bool AddAPM(int32_t value, int32_t first, int32_t second) = 0;
    virtual bool Reserved61() = 0;
    virtual void ClearAPMs() = 0;
    virtual void SetFeature14Index(int32_t value) = 0;
    virtual int32_t GetFeature14Index() = 0;
    virtual int32_t GetRangeMin() = 0;
    virtual int32_t GetRangeMax() = 0;
    // Kept within [range min, range max], compared unsigned.
    virtual void SetFeature14Value(int32_t value) = 0;
    virtual int32_t GetFeature14Value() = 0;
    virtual void SetFeature15Value(int32_t value) = 0;
    virtual int32_t GetFeature15Value() = 0;
    virtual void SetFeature15Option(int32_t value) = 0;
    virtual int32_t GetFeature15Option() = 0;
    // Values above 100, read as unsigned, are stored as 100.
    virtual void SetFeature15Level(int32_t value) = 0;
    virtual int32_t GetFeature15Level() = 0;
    virtual void SetOnOffFeature(uint8_t value) = 0;
    virtual uint8_t GetOnOffFeature() = 0;

protected:
    ~IKeyboardConfig() = default;
};

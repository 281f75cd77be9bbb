#pragma once
// One profile as the rest of the program sees it.  The store owns the object;
// holders drop the pointer when the store renames (which replaces the object)
// or deletes the profile.

#include "model/store/KeyAssignment.h"
#include "platform/CString.h"

#include <windows.h>

#include <cstdint>
#include <vector>

class IKeyboardProfile {
public:
    virtual const wchar_t* GetName() const = 0;
    virtual GUID GetGuid() const = 0;
    // Every key that has an entry gets its default from the key table; the
    // automatic switch and the linked program are cleared.
    virtual void ResetKeyAssignments() = 0;
    virtual bool HasFile() const = 0;
    virtual void SetName(const wchar_t* name) = 0;
    virtual void SetGuid(const GUID& guid) = 0;
    virtual CString GetLinkedApplicationName() const = 0;
    virtual void SetLinkedApplicationName(const wchar_t* name) = 0;
    virtual CString GetFilePath() const = 0;
    virtual CString GetLinkedApplicationPath() const = 0;
    // Stores the path and derives the file name plus extension from it.
    virtual void SetLinkedApplication(const wchar_t* path) = 0;
    // Kept only for a supported kind.
    virtual void SetKeyAssignment(int32_t keyIndex, KeyAssignment assignment) = 0;
    // A key without an entry gets one (type -1), which is returned.
    virtual KeyAssignment GetKeyAssignment(int32_t keyIndex) = 0;
    virtual bool IsSupportedAssignmentType(int32_t type) const = 0;
    virtual void GetSupportedAssignmentTypes(std::vector<int32_t>& types) const = 0;
    virtual void SetAutoSwitch(uint8_t value) = 0;
    virtual uint8_t GetAutoSwitch() const = 0;
    virtual void SetShowOsd(uint8_t value) = 0;
    virtual uint8_t GetShowOsd() const = 0;
    virtual void SetProfileOption(int32_t value) = 0;
    virtual bool GetProfileOption() const = 0;
    // LED getters answer 0 for an index without an entry and never create one.
    virtual void SetLedEnabled(int32_t led, uint8_t enabled) = 0;
    virtual uint8_t GetLedEnabled(int32_t led) const = 0;
    virtual void SetLedColor(int32_t led, uint32_t color) = 0;
    virtual uint32_t GetLedColor(int32_t led) const = 0;
    virtual void SetLedEffect(int32_t led, uint32_t effect) = 0;
    virtual uint32_t GetLedEffect(int32_t led) const = 0;
    // Values above 100, read as unsigned, are stored as 100.
    virtual void SetLedBrightness(int32_t led, uint32_t brightness) = 0;
    virtual uint32_t GetLedBrightness(int32_t led) const = 0;
    virtual bool SaveToFile(const wchar_t* name, const wchar_t* folder, const wchar_t* extension) = 0;
    virtual bool LoadFromFile(const wchar_t* name, const wchar_t* folder, const wchar_t* extension) = 0;

protected:
    ~IKeyboardProfile() = default;
};

// What a new profile starts with, also applied when the user restores a
// profile's defaults: every key back to its default, LED 4 on in red with
// the steady effect at full brightness.
void ApplyNewProfileDefaults(IKeyboardProfile& profile);

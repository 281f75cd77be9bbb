#pragma once
// The data of one profile and most of its operations.

#include "model/store/KeyAssignment.h"
#include "model/store/LedSetting.h"
#include "platform/CString.h"

#include <windows.h>

#include <cstdint>
#include <map>

class CBaseProfile {
public:
    CBaseProfile();
    explicit CBaseProfile(const wchar_t* name);
    CBaseProfile(const CBaseProfile& other);
    CBaseProfile& operator=(const CBaseProfile&) = delete;
    virtual ~CBaseProfile();

    // Makes this profile a copy of other, GUID and file path included.
    virtual void Assign(const CBaseProfile& other);
    virtual const wchar_t* GetName() const;
    virtual void SetName(const wchar_t* name);
    virtual GUID GetGuid() const;
    virtual void SetGuid(const GUID& guid);
    virtual bool HasFile() const;
    virtual CString GetFilePath() const;
    virtual CString GetLinkedApplicationName() const;
    virtual void SetLinkedApplicationName(const wchar_t* name);
    virtual CString GetLinkedApplicationPath() const;
    virtual void SetLinkedApplication(const wchar_t* path);
    virtual void SetKeyAssignment(int32_t keyIndex, KeyAssignment assignment);
    virtual KeyAssignment GetKeyAssignment(int32_t keyIndex);
    // The key as if it had never been given an assignment.
    void ForgetKeyAssignment(int32_t keyIndex) { m_keyAssignments.erase(keyIndex); }
    virtual bool IsSupportedAssignmentType(int32_t type) const = 0;
    virtual void SetLedEnabled(int32_t led, uint8_t enabled);
    virtual uint8_t GetLedEnabled(int32_t led) const;
    virtual void SetLedColor(int32_t led, uint32_t color);
    virtual uint32_t GetLedColor(int32_t led) const;
    virtual void SetLedEffect(int32_t led, uint32_t effect);
    virtual uint32_t GetLedEffect(int32_t led) const;
    virtual void SetLedBrightness(int32_t led, uint32_t brightness);
    virtual uint32_t GetLedBrightness(int32_t led) const;
    virtual void SetAutoSwitch(uint8_t value);
    virtual uint8_t GetAutoSwitch() const;
    virtual void SetShowOsd(uint8_t value);
    virtual uint8_t GetShowOsd() const;
    // Profiles come from the keyboard; their files belong to the keyboard
    // service, so this program neither reads nor writes them.
    virtual bool SaveToFile(const wchar_t* name, const wchar_t* folder, const wchar_t* extension);
    virtual bool LoadFromFile(const wchar_t* name, const wchar_t* folder, const wchar_t* extension);

protected:
    // The LED entry of an index, made as {0, 0, 0, 100} when missing.
    LedSetting& LedEntry(int32_t led);
    const LedSetting* FindLed(int32_t led) const;

    std::map<int32_t, KeyAssignment> m_keyAssignments;
    std::map<int32_t, LedSetting> m_ledSettings;
    CString m_name;
    CString m_linkedApplicationPath;
    CString m_linkedApplicationName;
    CString m_filePath;
    GUID m_guid;
    uint8_t m_autoSwitch = 0;
    uint8_t m_showOsd = 1;
};

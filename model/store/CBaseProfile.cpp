#include "model/store/CBaseProfile.h"

#include <algorithm>

CBaseProfile::CBaseProfile() : m_guid(GUID_NULL) {}

CBaseProfile::CBaseProfile(const wchar_t* name) : m_name(name), m_guid(GUID_NULL) {}

CBaseProfile::CBaseProfile(const CBaseProfile& other)
    : m_keyAssignments(other.m_keyAssignments),
      m_ledSettings(other.m_ledSettings),
      m_name(other.m_name),
      m_linkedApplicationPath(other.m_linkedApplicationPath),
      m_linkedApplicationName(other.m_linkedApplicationName),
      m_filePath(other.m_filePath),
      m_guid(other.m_guid),
      m_autoSwitch(other.m_autoSwitch),
      m_showOsd(other.m_showOsd) {}

CBaseProfile::~CBaseProfile() = default;

void CBaseProfile::Assign(const CBaseProfile& other) {
    if (&other == this)
        return;
    m_name = other.m_name;
    m_linkedApplicationName = other.m_linkedApplicationName;
    m_linkedApplicationPath = other.m_linkedApplicationPath;
    m_filePath = other.m_filePath;
    m_autoSwitch = other.m_autoSwitch;
    m_showOsd = other.m_showOsd;
    m_guid = other.m_guid;
    m_keyAssignments = other.m_keyAssignments;
    m_ledSettings = other.m_ledSettings;
}

const wchar_t* CBaseProfile::GetName() const { return m_name; }

void CBaseProfile::SetName(const wchar_t* name) { m_name = name; }

GUID CBaseProfile::GetGuid() const { return m_guid; }

void CBaseProfile::SetGuid(const GUID& guid) { m_guid = guid; }

bool CBaseProfile::HasFile() const { return !m_filePath.IsEmpty(); }

CString CBaseProfile::GetFilePath() const { return m_filePath; }

CString CBaseProfile::GetLinkedApplicationName() const { return m_linkedApplicationName; }

void CBaseProfile::SetLinkedApplicationName(const wchar_t* name) { m_linkedApplicationName = name; }

CString CBaseProfile::GetLinkedApplicationPath() const { return m_linkedApplicationPath; }

void CBaseProfile::SetLinkedApplication(const wchar_t* path) {
    m_linkedApplicationPath = path;
    // File name plus extension is whatever follows the drive and the last
    // folder separator; taken whole, so a long name cannot overrun anything.
    const wchar_t* p = m_linkedApplicationPath;
    if (p[0] && p[1] == L':')
        p += 2;
    const wchar_t* name = p;
    for (; *p; ++p)
        if (*p == L'\\' || *p == L'/')
            name = p + 1;
    m_linkedApplicationName = name;
}

void CBaseProfile::SetKeyAssignment(int32_t keyIndex, KeyAssignment assignment) {
    if (IsSupportedAssignmentType(assignment.type))
        m_keyAssignments[keyIndex] = assignment;
}

KeyAssignment CBaseProfile::GetKeyAssignment(int32_t keyIndex) {
    auto it = m_keyAssignments.find(keyIndex);
    if (it == m_keyAssignments.end())
        it = m_keyAssignments.emplace(keyIndex, KeyAssignment::None()).first;
    return it->second;
}

LedSetting& CBaseProfile::LedEntry(int32_t led) { return m_ledSettings[led]; }

const LedSetting* CBaseProfile::FindLed(int32_t led) const {
    auto it = m_ledSettings.find(led);
    return it == m_ledSettings.end() ? nullptr : &it->second;
}

void CBaseProfile::SetLedEnabled(int32_t led, uint8_t enabled) { LedEntry(led).enabled = enabled; }

uint8_t CBaseProfile::GetLedEnabled(int32_t led) const {
    const LedSetting* s = FindLed(led);
    return s ? s->enabled : 0;
}

void CBaseProfile::SetLedColor(int32_t led, uint32_t color) { LedEntry(led).color = color; }

uint32_t CBaseProfile::GetLedColor(int32_t led) const {
    const LedSetting* s = FindLed(led);
    return s ? s->color : 0;
}

void CBaseProfile::SetLedEffect(int32_t led, uint32_t effect) { LedEntry(led).effect = effect; }

uint32_t CBaseProfile::GetLedEffect(int32_t led) const {
    const LedSetting* s = FindLed(led);
    return s ? s->effect : 0;
}

void CBaseProfile::SetLedBrightness(int32_t led, uint32_t brightness) {
    LedEntry(led).brightness = std::min(brightness, kMaxLedBrightness);
}

uint32_t CBaseProfile::GetLedBrightness(int32_t led) const {
    const LedSetting* s = FindLed(led);
    return s ? s->brightness : 0;
}

void CBaseProfile::SetAutoSwitch(uint8_t value) { m_autoSwitch = value; }

uint8_t CBaseProfile::GetAutoSwitch() const { return m_autoSwitch; }

void CBaseProfile::SetShowOsd(uint8_t value) { m_showOsd = value; }

uint8_t CBaseProfile::GetShowOsd() const { return m_showOsd; }

bool CBaseProfile::SaveToFile(const wchar_t*, const wchar_t*, const wchar_t*) { return false; }

bool CBaseProfile::LoadFromFile(const wchar_t*, const wchar_t*, const wchar_t*) { return false; }

#include "model/store/CKespaProfile.h"

#include "model/store/IKeyTable.h"

CKespaProfile::CKespaProfile() = default;

CKespaProfile::CKespaProfile(const wchar_t* name) : CKeyboardProfile(name) {}

CKespaProfile::CKespaProfile(const CKespaProfile& other) : CKeyboardProfile(other) {}

CKespaProfile::~CKespaProfile() = default;

const wchar_t* CKespaProfile::GetName() const { return CKeyboardProfile::GetName(); }

GUID CKespaProfile::GetGuid() const { return CKeyboardProfile::GetGuid(); }

void CKespaProfile::ResetKeyAssignments() {
    std::vector<int32_t> keys;
    keys.reserve(m_keyAssignments.size());
    for (const auto& entry : m_keyAssignments)
        keys.push_back(entry.first);
    for (int32_t key : keys)
        SetKeyAssignment(key, KeyAssignment::DefaultKey(LookUpKeyTable(key)));
    SetAutoSwitch(0);
    SetLinkedApplication(L"");
}

bool CKespaProfile::HasFile() const { return CKeyboardProfile::HasFile(); }

void CKespaProfile::SetName(const wchar_t* name) { CKeyboardProfile::SetName(name); }

void CKespaProfile::SetGuid(const GUID& guid) { CKeyboardProfile::SetGuid(guid); }

CString CKespaProfile::GetLinkedApplicationName() const { return CKeyboardProfile::GetLinkedApplicationName(); }

void CKespaProfile::SetLinkedApplicationName(const wchar_t* name) { CKeyboardProfile::SetLinkedApplicationName(name); }

CString CKespaProfile::GetFilePath() const { return CKeyboardProfile::GetFilePath(); }

CString CKespaProfile::GetLinkedApplicationPath() const { return CKeyboardProfile::GetLinkedApplicationPath(); }

void CKespaProfile::SetLinkedApplication(const wchar_t* path) { CKeyboardProfile::SetLinkedApplication(path); }

void CKespaProfile::SetKeyAssignment(int32_t keyIndex, KeyAssignment assignment) {
    CKeyboardProfile::SetKeyAssignment(keyIndex, assignment);
}

KeyAssignment CKespaProfile::GetKeyAssignment(int32_t keyIndex) { return CKeyboardProfile::GetKeyAssignment(keyIndex); }

bool CKespaProfile::IsSupportedAssignmentType(int32_t type) const {
    std::vector<int32_t> supported;
    GetSupportedAssignmentTypes(supported);
    return IsListedAssignmentType(type, supported);
}

void CKespaProfile::GetSupportedAssignmentTypes(std::vector<int32_t>& types) const {
    types.clear();
    for (int32_t t : {AssignmentDefaultKey, AssignmentSingleKey, AssignmentMacro, AssignmentProfileSwitch,
                      AssignmentLaunchProgram, AssignmentDisabled})
        types.push_back(t);
}

void CKespaProfile::SetAutoSwitch(uint8_t value) { CKeyboardProfile::SetAutoSwitch(value); }

uint8_t CKespaProfile::GetAutoSwitch() const { return CKeyboardProfile::GetAutoSwitch(); }

void CKespaProfile::SetShowOsd(uint8_t value) { CKeyboardProfile::SetShowOsd(value); }

uint8_t CKespaProfile::GetShowOsd() const { return CKeyboardProfile::GetShowOsd(); }

void CKespaProfile::SetProfileOption(int32_t value) { CKeyboardProfile::SetProfileOption(value); }

bool CKespaProfile::GetProfileOption() const { return CKeyboardProfile::GetProfileOption(); }

void CKespaProfile::SetLedEnabled(int32_t led, uint8_t enabled) { CKeyboardProfile::SetLedEnabled(led, enabled); }

uint8_t CKespaProfile::GetLedEnabled(int32_t led) const { return CKeyboardProfile::GetLedEnabled(led); }

void CKespaProfile::SetLedColor(int32_t led, uint32_t color) { CKeyboardProfile::SetLedColor(led, color); }

uint32_t CKespaProfile::GetLedColor(int32_t led) const { return CKeyboardProfile::GetLedColor(led); }

void CKespaProfile::SetLedEffect(int32_t led, uint32_t effect) { CKeyboardProfile::SetLedEffect(led, effect); }

uint32_t CKespaProfile::GetLedEffect(int32_t led) const { return CKeyboardProfile::GetLedEffect(led); }

void CKespaProfile::SetLedBrightness(int32_t led, uint32_t brightness) {
    CKeyboardProfile::SetLedBrightness(led, brightness);
}

uint32_t CKespaProfile::GetLedBrightness(int32_t led) const { return CKeyboardProfile::GetLedBrightness(led); }

bool CKespaProfile::SaveToFile(const wchar_t* name, const wchar_t* folder, const wchar_t* extension) {
    return CKeyboardProfile::SaveToFile(name, folder, extension);
}

bool CKespaProfile::LoadFromFile(const wchar_t* name, const wchar_t* folder, const wchar_t* extension) {
    return CKeyboardProfile::LoadFromFile(name, folder, extension);
}

void CKespaProfile::Snapshot(LedSnapshot& block) const {
    block.effect = GetLedEffect(0);
    block.brightness = GetLedBrightness(0);
    block.color = GetLedColor(0);
    block.enabled3 = GetLedEnabled(3);
    block.enabled0 = GetLedEnabled(0);
    block.valid = 1;
}

bool CKespaProfile::RestoreSettings(const LedSnapshot& snapshot) {
    if (!snapshot.valid)
        return false;
    SetLedEffect(0, snapshot.effect);
    SetLedBrightness(0, snapshot.brightness);
    SetLedColor(0, snapshot.color);
    SetLedEnabled(3, snapshot.enabled3 != 0);
    SetLedEnabled(0, snapshot.enabled0 != 0);
    return true;
}

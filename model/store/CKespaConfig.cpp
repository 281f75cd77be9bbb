#include "model/store/CKespaConfig.h"

#include "model/store/ProfileFiles.h"

CKespaConfig::CKespaConfig() : CKespaConfig(GetModuleFolder()) {}

CKespaConfig::CKespaConfig(const wchar_t* applicationFolder) : Base(applicationFolder) {}

CKespaConfig::~CKespaConfig() = default;

void CKespaConfig::ClearProfiles() { Base::ClearProfiles(); }

void CKespaConfig::InitRange() { Base::InitRange(); }

int CKespaConfig::GetProfileLimit() { return GetLimit(); }

int CKespaConfig::GetProfileCount() { return Base::GetProfileCount(); }

int CKespaConfig::GetMacroCount() { return m_macros.GetCount(); }

IKeyboardProfile* CKespaConfig::CreateProfile(const wchar_t* name) { return Base::CreateProfile(name); }

// A copy needs this store's own profile class; any other implementation of
// the interface cannot be copied and gives null.
IKeyboardProfile* CKespaConfig::AddProfileCopy(IKeyboardProfile* profile) {
    return Base::AddProfileCopy(dynamic_cast<CKespaProfile*>(profile));
}

IKeyboardProfile* CKespaConfig::FindProfileByGuid(const GUID& guid) { return Base::FindProfileByGuid(guid); }

IKeyboardProfile* CKespaConfig::FindProfileByName(const wchar_t* name) { return Base::FindProfileByName(name); }

IKeyboardProfile* CKespaConfig::GetProfile(int index) { return Base::GetProfile(index); }

IKeyboardProfile* CKespaConfig::GetActiveProfile() { return Base::GetActiveProfile(); }

void CKespaConfig::SetActiveProfile(IKeyboardProfile* profile) {
    CKespaProfile* listed = Listed(profile);
    if (profile && !listed)
        return;
    Base::SetActiveProfile(listed);
}

IKeyboardProfile* CKespaConfig::RenameProfile(IKeyboardProfile* profile, const wchar_t* newName) {
    return Base::RenameProfile(Listed(profile), newName);
}

IKeyboardProfile* CKespaConfig::DuplicateProfile(IKeyboardProfile* profile, const wchar_t* newName) {
    return Base::DuplicateProfile(dynamic_cast<CKespaProfile*>(profile), newName);
}

void CKespaConfig::DeleteProfile(IKeyboardProfile* profile) { Base::DeleteProfile(Listed(profile)); }

CMacro* CKespaConfig::AddMacro(const wchar_t* name) { return m_macros.Add(name, {}); }

void CKespaConfig::DeleteMacro(CMacro* macro) { m_macros.Delete(macro); }

CMacro* CKespaConfig::FindMacroByGuid(const GUID& guid) { return m_macros.FindByGuid(guid); }

CMacro* CKespaConfig::FindMacroByName(const wchar_t* name) { return m_macros.FindByName(name); }

CMacro* CKespaConfig::GetMacro(int index) { return m_macros.GetAt(index); }

void CKespaConfig::Reserved20() {}

bool CKespaConfig::Reserved21() { return false; }

void CKespaConfig::Reserved22() {}

bool CKespaConfig::Reserved23() { return false; }

int CKespaConfig::GetApplicationCount() { return m_applications.GetCount(); }

CVqApp* CKespaConfig::AddApplication(const wchar_t* executable) { return m_applications.Add(executable); }

void CKespaConfig::RemoveApplication(CVqApp* application) { m_applications.Remove(application); }

CVqApp* CKespaConfig::FindApplicationByGuid(const GUID& guid) { return m_applications.FindByGuid(guid); }

CVqApp* CKespaConfig::FindApplicationByName(const wchar_t* executable) { return m_applications.FindByName(executable); }

CVqApp* CKespaConfig::GetApplication(int index) { return m_applications.GetAt(index); }

bool CKespaConfig::LoadSettings() { return Base::LoadSettings(); }

bool CKespaConfig::SaveSettings() { return Base::SaveSettings(); }

int CKespaConfig::EnumerateProfileFiles() { return Base::EnumerateProfileFiles(); }

bool CKespaConfig::SaveProfile(IKeyboardProfile* profile) {
    if (!profile)
        return Base::SaveProfile(nullptr);
    return profile->SaveToFile(L"", GetProfileFolder(), kProfileExtension);
}

void CKespaConfig::SetKeyAssignment(int32_t keyIndex, KeyAssignment assignment, IKeyboardProfile* profile) {
    SetOn(profile, &IKeyboardProfile::SetKeyAssignment, keyIndex, assignment);
}

KeyAssignment CKespaConfig::GetKeyAssignment(int32_t keyIndex, IKeyboardProfile* profile) {
    IKeyboardProfile* p = Target(profile);
    return p ? p->GetKeyAssignment(keyIndex) : KeyAssignment::None();
}

void CKespaConfig::Reserved36() {}

bool CKespaConfig::IsKeyAssignable(int32_t) { return true; }

void CKespaConfig::SetLedEnabled(int32_t led, uint8_t enabled, IKeyboardProfile* profile) {
    SetOn(profile, &IKeyboardProfile::SetLedEnabled, led, enabled);
}

uint8_t CKespaConfig::GetLedEnabled(int32_t led, IKeyboardProfile* profile) {
    return GetFrom(profile, &IKeyboardProfile::GetLedEnabled, led);
}

void CKespaConfig::SetLedColor(int32_t led, uint32_t color, IKeyboardProfile* profile) {
    SetOn(profile, &IKeyboardProfile::SetLedColor, led, color);
}

uint32_t CKespaConfig::GetLedColor(int32_t led, IKeyboardProfile* profile) {
    return GetFrom(profile, &IKeyboardProfile::GetLedColor, led);
}

void CKespaConfig::SetLedEffect(int32_t led, uint32_t effect, IKeyboardProfile* profile) {
    SetOn(profile, &IKeyboardProfile::SetLedEffect, led, effect);
}

uint32_t CKespaConfig::GetLedEffect(int32_t led, IKeyboardProfile* profile) {
    return GetFrom(profile, &IKeyboardProfile::GetLedEffect, led);
}

void CKespaConfig::SetLedBrightness(int32_t led, uint32_t brightness, IKeyboardProfile* profile) {
    SetOn(profile, &IKeyboardProfile::SetLedBrightness, led, brightness);
}

uint32_t CKespaConfig::GetLedBrightness(int32_t led, IKeyboardProfile* profile) {
    return GetFrom(profile, &IKeyboardProfile::GetLedBrightness, led);
}

int CKespaConfig::GetFeature9AssignmentCount() { return Base::GetFeature9AssignmentCount(); }

void CKespaConfig::SetFeature9Assignment(int32_t key, KeyAssignment assignment) {
    Base::SetFeature9Assignment(key, assignment);
}

KeyAssignment CKespaConfig::GetFeature9Assignment(int32_t key) { return Base::GetFeature9Assignment(key); }

int32_t CKespaConfig::GetFeature9AssignmentKey(int n) { return Base::GetFeature9AssignmentKey(n); }

void CKespaConfig::Reserved50() {}

bool CKespaConfig::Reserved51() { return false; }

void CKespaConfig::SetShowOsdAll(uint8_t value) { Base::SetShowOsdAll(value); }

void CKespaConfig::SetShowOsd(uint8_t value, IKeyboardProfile* profile) {
    SetOn(profile, &IKeyboardProfile::SetShowOsd, value);
}

uint8_t CKespaConfig::GetShowOsd(IKeyboardProfile* profile) { return GetFrom(profile, &IKeyboardProfile::GetShowOsd); }

int CKespaConfig::GetAPMCount() { return m_apmEntries.GetCount(); }

bool CKespaConfig::SetAPMValue(int index, int32_t value) { return Base::SetAPMValue(index, value); }

bool CKespaConfig::SetAPMRange(int index, int32_t first, int32_t second) {
    return Base::SetAPMRange(index, first, second);
}

bool CKespaConfig::GetAPMValue(int index, int32_t& value) { return Base::GetAPMValue(index, value); }

bool CKespaConfig::GetAPMRange(int index, int32_t& first, int32_t& second) {
    return Base::GetAPMRange(index, first, second);
}

bool CKespaConfig::AddAPM(int32_t value, int32_t first, int32_t second) {
    return m_apmEntries.Add(value, first, second);
}

bool CKespaConfig::Reserved61() { return false; }

void CKespaConfig::ClearAPMs() { m_apmEntries.DeleteAll(); }

void CKespaConfig::SetFeature14Index(int32_t value) { m_feature14Index = value; }

int32_t CKespaConfig::GetFeature14Index() { return m_feature14Index; }

int32_t CKespaConfig::GetRangeMin() { return m_rangeMin; }

int32_t CKespaConfig::GetRangeMax() { return m_rangeMax; }

void CKespaConfig::SetFeature14Value(int32_t value) { Base::SetFeature14Value(value); }

int32_t CKespaConfig::GetFeature14Value() { return m_feature14Value; }

void CKespaConfig::SetFeature15Value(int32_t value) { Base::SetFeature15Value(value); }

int32_t CKespaConfig::GetFeature15Value() { return m_feature15Value; }

void CKespaConfig::SetFeature15Option(int32_t value) { m_feature15Option = value; }

int32_t CKespaConfig::GetFeature15Option() { return m_feature15Option; }

void CKespaConfig::SetFeature15Level(int32_t value) { Base::SetFeature15Level(value); }

int32_t CKespaConfig::GetFeature15Level() { return m_feature15Level; }

void CKespaConfig::SetOnOffFeature(uint8_t value) { m_onOffFeature = value; }

uint8_t CKespaConfig::GetOnOffFeature() { return m_onOffFeature; }

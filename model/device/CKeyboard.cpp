#include "model/device/CKeyboard.h"

CKeyboard::~CKeyboard() = default;

bool CKeyboard::Initialize(IKeyboardConfig* config) { return CBaseDevice::Initialize(config); }
void CKeyboard::Shutdown() { CBaseDevice::Shutdown(); }
bool CKeyboard::IsBusy() { return CBaseDevice::IsBusy(); }
bool CKeyboard::ImportMacro(CString path, IKeyboardConfig* config, CString* duplicateName) {
    return CBaseDevice::ImportMacro(path, config, duplicateName);
}
bool CKeyboard::ExportMacro(CString path, CMacro* macro) { return CBaseDevice::ExportMacro(path, macro); }
bool CKeyboard::DeviceHasMacro(CMacro* macro) { return CBaseDevice::DeviceHasMacro(macro); }
bool CKeyboard::ImportProfile(CString path, IKeyboardConfig* config) { return CBaseDevice::ImportProfile(path, config); }
bool CKeyboard::ExportProfile(CString path, IKeyboardProfile* profile) {
    return CBaseDevice::ExportProfile(path, profile);
}
bool CKeyboard::DeviceHasProfile(IKeyboardProfile* profile) { return CBaseDevice::DeviceHasProfile(profile); }
bool CKeyboard::SetDeviceMode2() { return SetDeviceMode(2); }
bool CKeyboard::SetDeviceMode1() { return SetDeviceMode(1); }
bool CKeyboard::GetLayoutCode(int& code) { return CBaseDevice::GetLayoutCode(code); }
bool CKeyboard::Sync(IKeyboardConfig* config, int direction, uint32_t mask) {
    return CBaseDevice::Sync(config, direction, mask);
}
bool CKeyboard::IsConnected() { return CBaseDevice::IsConnected(); }
bool CKeyboard::GetVersionText1(CString& text) {
    text = CBaseDevice::GetVersionText1();
    return true;
}
bool CKeyboard::GetVersionText2(CString& text) {
    text = CBaseDevice::GetVersionText2();
    return true;
}
bool CKeyboard::ProbeFeature() { return CBaseDevice::ProbeFeature(); }
int CKeyboard::GetProductId() { return CBaseDevice::GetProductId(); }
CString CKeyboard::GetDisplayName() { return CBaseDevice::GetDisplayName(); }
int CKeyboard::CountDeviceProfiles() { return CBaseDevice::CountDeviceProfiles(); }
void CKeyboard::AddNotifyWindow(HWND window) { AddWindow(window); }
void CKeyboard::RemoveNotifyWindow(HWND window) { RemoveWindow(window); }
CProgressMessenger* CKeyboard::GetMessenger() { return this; }
WriteResult CKeyboard::GetLastWriteResult() { return CBaseDevice::GetLastWriteResult(); }

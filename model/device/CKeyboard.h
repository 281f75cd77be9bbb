#pragma once
// The keyboard object: the program's IGenDevice when the keyboard can be
// reached.  Every operation forwards to CBaseDevice.

#include "model/device/CBaseDevice.h"
#include "model/device/IGenDevice.h"

class CKeyboard : public IGenDevice, public CBaseDevice {
public:
    explicit CKeyboard(const DeviceDescriptor* descriptor = &kKeyboardDescriptor) : CBaseDevice(descriptor) {}
    ~CKeyboard() override;

    bool Initialize(IKeyboardConfig* config) override;
    void Shutdown() override;
    bool IsBusy() override;
    bool ImportMacro(CString path, IKeyboardConfig* config, CString* duplicateName = nullptr) override;
    bool ExportMacro(CString path, CMacro* macro) override;
    bool DeviceHasMacro(CMacro* macro) override;
    bool ImportProfile(CString path, IKeyboardConfig* config) override;
    bool ExportProfile(CString path, IKeyboardProfile* profile) override;
    bool DeviceHasProfile(IKeyboardProfile* profile) override;
    bool SetDeviceMode2() override;
    bool SetDeviceMode1() override;
    bool GetLayoutCode(int& code) override;
    bool Sync(IKeyboardConfig* config, int direction, uint32_t mask) override;
    bool IsConnected() override;
    bool GetVersionText1(CString& text) override;
    bool GetVersionText2(CString& text) override;
    bool ProbeFeature() override;
    int GetProductId() override;
    CString GetDisplayName() override;
    int CountDeviceProfiles() override;
    void AddNotifyWindow(HWND window) override;
    void RemoveNotifyWindow(HWND window) override;
    CProgressMessenger* GetMessenger() override;
    WriteResult GetLastWriteResult() override;
};

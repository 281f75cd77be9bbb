#pragma once
// The keyboard the program runs on when none can be reached: twenty
// placeholder profiles, and a fixed answer to everything else, so that the
// whole user interface works without a keyboard.

#include "model/device/CProgressMessenger.h"
#include "model/device/IGenDevice.h"

class CNullKeyboard : public IGenDevice, public CProgressMessenger {
public:
    static constexpr int kProfileCount = 20;

    CNullKeyboard() = default;
    ~CNullKeyboard() override;

    // The fixed GUID of placeholder profile k (1 to 20).
    static GUID PlaceholderGuid(int k) noexcept;

    bool Initialize(IKeyboardConfig* config) override;
    void Shutdown() override {}
    bool IsBusy() override { return false; }
    bool ImportMacro(CString, IKeyboardConfig*, CString* = nullptr) override { return true; }
    bool ExportMacro(CString, CMacro*) override { return true; }
    bool DeviceHasMacro(CMacro*) override { return true; }
    bool ImportProfile(CString, IKeyboardConfig*) override { return true; }
    bool ExportProfile(CString, IKeyboardProfile*) override { return true; }
    bool DeviceHasProfile(IKeyboardProfile*) override { return true; }
    bool SetDeviceMode2() override { return false; }
    bool SetDeviceMode1() override { return false; }
    bool GetLayoutCode(int&) override { return false; }
    bool Sync(IKeyboardConfig*, int, uint32_t) override { return false; }
    bool IsConnected() override { return true; }
    bool GetVersionText1(CString& text) override;
    bool GetVersionText2(CString& text) override;
    bool ProbeFeature() override { return false; }
    int GetProductId() override { return 0; }
    CString GetDisplayName() override { return L"NullKeyboard"; }
    int CountDeviceProfiles() override { return kProfileCount; }
    void AddNotifyWindow(HWND window) override { AddWindow(window); }
    void RemoveNotifyWindow(HWND window) override { RemoveWindow(window); }
    CProgressMessenger* GetMessenger() override { return this; }
    WriteResult GetLastWriteResult() override { return WriteResult::None; }
};

#pragma once
// The keyboard as the configuration program sees it: the real keyboard
// object or, when none can be reached, the null keyboard.  Operations that
// take a profile accept null for the active profile.

#include "model/store/CMacro.h"
#include "model/device/CProgressMessenger.h"
#include "model/store/IKeyboardConfig.h"
#include "model/store/IKeyboardProfile.h"
#include "platform/CString.h"

#include <windows.h>

#include <cstdint>

// Transfer directions of Sync.
constexpr int kSyncWrite = 0;
constexpr int kSyncRead = 1;

// How the last write (Sync direction 0) ended.
enum class WriteResult { None, Running, Succeeded, Failed };

class IGenDevice {
public:
    virtual ~IGenDevice() = default;

    virtual bool Initialize(IKeyboardConfig* config) = 0;
    virtual void Shutdown() = 0;
    virtual bool IsBusy() = 0;
    // A file whose macro's name the store holds already (ignoring case) is
    // refused with that name in *duplicateName, and the keyboard keeps no
    // copy of it.
    virtual bool ImportMacro(CString path, IKeyboardConfig* config, CString* duplicateName = nullptr) = 0;
    virtual bool ExportMacro(CString path, CMacro* macro) = 0;
    virtual bool DeviceHasMacro(CMacro* macro) = 0;
    virtual bool ImportProfile(CString path, IKeyboardConfig* config) = 0;
    virtual bool ExportProfile(CString path, IKeyboardProfile* profile) = 0;
    virtual bool DeviceHasProfile(IKeyboardProfile* profile) = 0;
    virtual bool SetDeviceMode2() = 0;
    virtual bool SetDeviceMode1() = 0;
    virtual bool GetLayoutCode(int& code) = 0;
    // Direction 0 starts a write on a worker thread and says whether it
    // started; direction 1 reads now and gives the read's result.
    virtual bool Sync(IKeyboardConfig* config, int direction, uint32_t mask) = 0;
    virtual bool IsConnected() = 0;
    virtual bool GetVersionText1(CString& text) = 0;
    virtual bool GetVersionText2(CString& text) = 0;
    virtual bool ProbeFeature() = 0;
    virtual int GetProductId() = 0;
    virtual CString GetDisplayName() = 0;
    virtual int CountDeviceProfiles() = 0;
    virtual void AddNotifyWindow(HWND window) = 0;
    virtual void RemoveNotifyWindow(HWND window) = 0;
    virtual CProgressMessenger* GetMessenger() = 0;
    // How the last write ended, so that a failed write is never shown as
    // done; Running while it runs.
    virtual WriteResult GetLastWriteResult() = 0;
};

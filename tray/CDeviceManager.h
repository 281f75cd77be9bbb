#pragma once
// The tray program's one road to the keyboard.  A manager is made for one
// job and deleted straight after: every operation asks the service afresh,
// and only the event connections it makes outlive it.  Failures are
// reported as false or null, never shown.

#include "platform/CComPtr.h"
#include "platform/CString.h"
#include "platform/CStringArray.h"
#include "service/ServiceInterfaces.h"
#include "tray/EventHandlers.h"
#include "tray/TrayTypes.h"

#include <memory>
#include <vector>

class CDpiEventConnection;
class CProfileEventConnection;
class CMacroEventConnection;
class CLaunchAppEventConnection;
class CDelayTimer;

class CDeviceManager {
public:
    // Reaches the service (DeviceService, any server kind) and finds the keyboard.
    CDeviceManager();
    // Finds the keyboard through the given enumerator (null: no service).
    explicit CDeviceManager(IDeviceEnumerator* enumerator);
    virtual ~CDeviceManager();
    CDeviceManager(const CDeviceManager&) = delete;
    CDeviceManager& operator=(const CDeviceManager&) = delete;

    virtual bool GetProfileSettings(std::vector<_Profile_Setting_>& settings);
    virtual bool GetProfileNames(CStringArray& names);
    virtual bool GetProfileSetting(const CString& name, _Profile_Setting_& setting);
    virtual bool GetActiveProfile(CString& name);
    virtual bool SetActiveProfile(const CString& name);
    virtual void MakeNewMacroName(CString& name);
    virtual bool CreateMacro(const CString& name, const std::vector<CaptureEvent>& events, GUID& guid);
    virtual bool AssignMacroToKey(const GUID& macro, ULONG first, ULONG keyId);
    virtual bool AssignMacroToProfileKey(const CString& profile, const GUID& macro, ULONG first, ULONG keyId);
    virtual bool StartMacroRecording();
    virtual bool StopMacroRecording();
    virtual bool CancelMacroRecording();
    virtual bool SaveRecordedMacro(ULONG first, ULONG keyId);
    virtual bool EndMacroRecording();
    virtual CDpiEventConnection* ConnectDpiEvents(IDpiEventHandler* handler);
    virtual CProfileEventConnection* ConnectProfileEvents(IProfileEventHandler* handler);
    virtual CMacroEventConnection* ConnectMacroEvents(IMacroEventHandler* handler);
    virtual CLaunchAppEventConnection* ConnectLaunchAppEvents(ILaunchAppEventHandler* handler);
    virtual bool SetLinkedApplication(const CString& profile, const CString& application);
    virtual bool SetAutoSwitch(const CString& profile, int value);
    virtual bool SetProfileOptions(const CString& profile, int autoSwitch, int dpiDisplay, int showOsd);
    virtual bool IsDevicePresent();
    // Releases the references; bit 0 of flags also frees the object.
    virtual void Delete(unsigned flags);
    virtual bool ApplyLedStep(size_t step);
    virtual bool SendLedStep(const CString& profile, const LedStep& step);
    virtual bool EnterRecordingMode();
    virtual bool LeaveRecordingMode();
    virtual bool SetDeviceMode(ULONG mode);

    // The recorder whose events SaveRecordedMacro stores (the process-wide
    // one unless a test gives another).
    void SetRecorder(CDelayTimer* recorder) noexcept { m_recorder = recorder; }

private:
    void FindKeyboard();
    // Null without a profile manager or such a profile.
    CComPtr<IDeviceProfile> FindDeviceProfile(const CString& name, bool ignoreCase = false);
    bool WriteMacroKeyRecord(IDeviceProfile* profile, const GUID& macro, ULONG keyId);
    CComPtr<IMacroManager> MacroManager();
    template <typename I>
    CComPtr<I> DeviceFeature(REFIID iid);
    template <typename I>
    static CComPtr<I> ProfileFeature(IDeviceProfile* profile, REFIID iid);
    static bool ReadSettingOf(IDeviceProfile* profile, _Profile_Setting_& setting, bool requireBoth);
    // The properties of the profile of that name; null without a service or such a profile.
    CComPtr<IProfileProperties> NamedProfileProperties(const CString& profileName);
    bool WriteOptionRecords(const CString& profile, const std::vector<std::pair<USHORT, USHORT>>& records);

    LONG m_productId = 0;
    CComPtr<IDeviceEnumerator> m_enumerator;
    CComPtr<IDevice> m_device;
    CComPtr<IProfileManager> m_profileManager;
    CDelayTimer* m_recorder = nullptr;
};

// A manager for one job, deleted (Delete(1)) when it goes out of scope.
struct CDeviceManagerDeleter {
    void operator()(CDeviceManager* manager) const { manager->Delete(1); }
};
using CDeviceManagerPtr = std::unique_ptr<CDeviceManager, CDeviceManagerDeleter>;

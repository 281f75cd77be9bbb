#pragma once
// The tray program's one road to the keyboard.  A manager holds the
// service's objects it found (enumerator, device, profile manager, the
// profiles and their properties) for as long as it lives, and the tray keeps
// one while the keyboard is present (CDeviceConnection); what the keyboard
// may change under it (names, linked programs, options, the active profile)
// is asked afresh on every operation.  Failures are reported as false or
// null, never shown; what a failure said about the connection is kept for
// the holder (Fault).

#include "platform/CComPtr.h"
#include "platform/CString.h"
#include "platform/CStringArray.h"
#include "service/ServiceInterfaces.h"
#include "tray/EventHandlers.h"
#include "tray/TrayDecisions.h"
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
    // Leaves recording mode, switches LED 7 off, and stores the recorder's
    // capture as a new macro on the key in the active profile when it
    // holds a step (HoldsMacroSteps).  True when a macro was stored and
    // assigned; an empty capture changes no macro and no key.
    virtual bool SaveRecordedMacro(ULONG first, ULONG keyId);
    virtual bool EndMacroRecording();
    virtual CDpiEventConnection* ConnectDpiEvents(IDpiEventHandler* handler);
    virtual CProfileEventConnection* ConnectProfileEvents(IProfileEventHandler* handler);
    virtual CMacroEventConnection* ConnectMacroEvents(IMacroEventHandler* handler);
    virtual CLaunchAppEventConnection* ConnectLaunchAppEvents(ILaunchAppEventHandler* handler);
    virtual bool SetLinkedApplication(const CString& profile, const CString& application);
    virtual bool SetAutoSwitch(const CString& profile, int value);
    virtual bool SetProfileOptions(const CString& profile, int autoSwitch, int dpiDisplay, int showOsd);
    // Whether the keyboard was found when the manager was made.
    virtual bool IsDevicePresent();
    // Asks the service again whether the keyboard is there.
    virtual bool CheckDevicePresent();
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

    // The worst a failed call of this manager said about its objects, and
    // how many calls that change the keyboard have succeeded.
    ServiceFault Fault() const noexcept { return m_fault; }
    unsigned long ChangeCount() const noexcept { return m_changes; }

private:
    // One profile of the keyboard's list and its properties feature, asked
    // for once.  Shared, so an operation keeps what it works on even when a
    // nested one (an event taken during a call) learns a new list.
    struct KnownProfile {
        CComPtr<IDeviceProfile> profile;
        CComPtr<IProfileProperties> properties;
    };
    using ProfileList = std::vector<std::shared_ptr<KnownProfile>>;

    // Notes what a call's result says about the connection; true when it succeeded.
    bool Succeeded(HRESULT hr) noexcept;
    // The same for a call that changes the keyboard.
    bool SucceededChange(HRESULT hr) noexcept;
    // Succeeded, for the device-list walks of the model.
    auto Check() noexcept {
        return [this](HRESULT hr) { return Succeeded(hr); };
    }
    CComPtr<IDevice> FindKeyboardDevice();
    void FindKeyboard();
    // The keyboard's profiles in the service's order: the list known from
    // before while the service's list still ends with the same profile at
    // the same length, otherwise read again.
    ProfileList CurrentProfiles();
    // Null without a profile manager or such a profile.
    std::shared_ptr<KnownProfile> FindDeviceProfile(const CString& name, bool ignoreCase = false);
    CComPtr<IProfileProperties> PropertiesOf(KnownProfile& profile);
    bool WriteMacroKeyRecord(IDeviceProfile* profile, const GUID& macro, ULONG keyId);
    CComPtr<IMacroManager> MacroManager();
    template <typename I>
    CComPtr<I> DeviceFeature(REFIID iid);
    template <typename I>
    CComPtr<I> ProfileFeature(IDeviceProfile* profile, REFIID iid);
    bool ReadSettingOf(IProfileProperties* properties, _Profile_Setting_& setting, bool requireBoth);
    // The properties of the profile of that name; null without a service or such a profile.
    CComPtr<IProfileProperties> NamedProfileProperties(const CString& profileName);
    bool WriteOptionRecords(const CString& profile, const std::vector<std::pair<USHORT, USHORT>>& records);

    LONG m_productId = 0;
    CComPtr<IDeviceEnumerator> m_enumerator;
    CComPtr<IDevice> m_device;
    CComPtr<IProfileManager> m_profileManager;
    ProfileList m_profiles;
    GUID m_lastProfile = GUID_NULL;
    CDelayTimer* m_recorder = nullptr;
    ServiceFault m_fault = ServiceFault::None;
    unsigned long m_changes = 0;
};

// A manager deleted (Delete(1)) when it goes out of scope.
struct CDeviceManagerDeleter {
    void operator()(CDeviceManager* manager) const { manager->Delete(1); }
};
using CDeviceManagerPtr = std::unique_ptr<CDeviceManager, CDeviceManagerDeleter>;

#pragma once
// A test's connection to an emulated keyboard with a state file of its own:
// either a keyboard inside the test process (its objects called directly) or
// the KeyboardEmulator.exe local server reached through COM as the programs
// reach it (class context 23).

#include "platform/CComPtr.h"
#include "service/ServiceInterfaces.h"

#include <memory>
#include <string>

class CKeyboardState;

enum class KeyboardMode { InProcess, OutOfProcess };

class CEmulatorSession {
public:
    CEmulatorSession(KeyboardMode mode, std::wstring stateFile);
    ~CEmulatorSession();

    // Ends an emulator server that runs (another test's keyboard) and waits
    // until its process has gone.
    static void StopServer();
    // Where the registered KeyboardEmulator.exe lies, from its class registration.
    static std::wstring EmulatorExe();

    HRESULT Connect();
    // Waits until the keyboard has served no call for quietMs (and, with
    // afterACall, served one since the calls were last counted): a client's
    // work with the keyboard is a burst of calls, so the first pause after
    // one means it has ended.
    bool WaitForQuiet(DWORD quietMs, DWORD timeoutMs, bool afterACall = false);
    // Releases every object of the session; the keyboard itself stays.
    void Disconnect();
    // Ends the keyboard (it saves) and starts it again from its state file.
    HRESULT Restart();

    KeyboardMode Mode() const noexcept { return m_mode; }
    const std::wstring& StateFile() const noexcept { return m_stateFile; }
    IDeviceEnumerator* Enumerator() const noexcept { return m_enumerator; }
    IKeyboardEmulatorControl* Control() const noexcept { return m_control; }
    // The in-process keyboard, null out of process.
    CKeyboardState* Keyboard() const noexcept { return m_keyboard.get(); }

    // Shortcuts; each fails the running test when the service refuses.
    CComPtr<IDevice> Device();
    template <typename I>
    CComPtr<I> DeviceFeature(REFIID iid) {
        CComPtr<I> feature;
        CComPtr<IDevice> device = Device();
        if (device)
            device->GetFeature(iid, reinterpret_cast<IUnknown**>(&feature));
        return feature;
    }
    CComPtr<IProfileManager> Profiles();
    CComPtr<IDeviceProfile> Profile(ULONG index);
    template <typename I>
    static CComPtr<I> ProfileFeature(IDeviceProfile* profile, REFIID iid) {
        CComPtr<I> feature;
        if (profile)
            profile->GetFeature(iid, reinterpret_cast<IUnknown**>(&feature));
        return feature;
    }

private:
    KeyboardMode m_mode;
    std::wstring m_stateFile;
    std::shared_ptr<CKeyboardState> m_keyboard;
    CComPtr<IDeviceEnumerator> m_enumerator;
    CComPtr<IKeyboardEmulatorControl> m_control;
};

// Waits for handle while this thread's messages keep moving: a
// single-threaded apartment that blocks cannot take the calls and messages
// the emulator sends it meanwhile.
bool WaitPumping(HANDLE handle, DWORD timeoutMs);

// Whole files: fixtures written, and what the service or a program wrote
// read back ("<no file: error N>" when it cannot be opened).
void WriteBytes(const std::wstring& path, const std::string& bytes);
std::string ReadBytes(const std::wstring& path);

// Texts the service hands back, freed on the way.
std::wstring NameOf(IDeviceProfile* profile);
std::wstring NameOf(IDeviceMacro* macro);
std::wstring NameOf(IDeviceApplication* application);
GUID GuidOf(IDeviceProfile* profile);
GUID GuidOf(IDeviceMacro* macro);
GUID GuidOf(IDeviceApplication* application);

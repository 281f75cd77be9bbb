#include "tests/service/CEmulatorSession.h"

#include "emulator/CDeviceEnumerator.h"
#include "emulator/CKeyboardServer.h"
#include "emulator/CKeyboardState.h"
#include "emulator/CServiceObject.h"
#include "platform/Guid.h"
#include "service/ServiceText.h"

#include <gtest/gtest.h>

#include <vector>

bool WaitPumping(HANDLE handle, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return WaitForSingleObject(handle, 0) == WAIT_OBJECT_0;
        DWORD wait = MsgWaitForMultipleObjects(1, &handle, FALSE, timeoutMs - elapsed, QS_ALLINPUT);
        if (wait == WAIT_OBJECT_0)
            return true;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

bool CEmulatorSession::WaitForQuiet(DWORD quietMs, DWORD timeoutMs, bool afterACall) {
    if (!m_control)
        return false;
    ULONG calls = 0;
    bool called = !afterACall;
    const DWORD start = GetTickCount();
    DWORD lastCall = start;
    for (;;) {
        if (FAILED(m_control->TakeCallCount(&calls)))
            return false;
        const DWORD now = GetTickCount();
        if (calls) {
            called = true;
            lastCall = now;
        } else if (called && now - lastCall >= quietMs) {
            return true;
        }
        if (now - start > timeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        ADD_FAILURE() << "cannot write a test file: error " << GetLastError();
        return;
    }
    DWORD written = 0;
    BOOL ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    EXPECT_TRUE(ok && written == bytes.size()) << "test file written short";
}

std::string ReadBytes(const std::wstring& path) {
    // The console host Wine gives a program may still hold its output open
    // for writing a moment after the program has ended.
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "<no file: error " + std::to_string(GetLastError()) + ">";
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read)
        bytes.append(buffer, read);
    CloseHandle(file);
    return bytes;
}

CEmulatorSession::CEmulatorSession(KeyboardMode mode, std::wstring stateFile)
    : m_mode(mode), m_stateFile(std::move(stateFile)) {}

CEmulatorSession::~CEmulatorSession() {
    Disconnect();
    m_keyboard.reset();
}

void CEmulatorSession::StopServer() {
    HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, CKeyboardServer::MutexName());
    if (!mutex)
        return;
    CloseHandle(mutex);
    CComPtr<IKeyboardEmulatorControl> control;
    if (FAILED(control.CoCreateInstance(CLSID_DeviceService, IID_IKeyboardEmulatorControl, CLSCTX_LOCAL_SERVER)))
        return;
    ULONG pid = 0;
    HRESULT hr = control->Quit(&pid);
    control.Release();
    if (FAILED(hr))
        return;
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (process) {
        EXPECT_TRUE(WaitPumping(process, 10000)) << "the emulator did not end";
        CloseHandle(process);
    }
}

std::wstring CEmulatorSession::EmulatorExe() {
    wchar_t clsid[64];
    StringFromGUID2(CLSID_DeviceService, clsid, 64);
    std::wstring key = std::wstring(L"CLSID\\") + clsid + L"\\LocalServer32";
    wchar_t value[MAX_PATH * 2] = {};
    LONG size = sizeof value;
    if (RegQueryValueW(HKEY_CLASSES_ROOT, key.c_str(), value, &size) != ERROR_SUCCESS)
        return std::wstring();
    std::wstring path = value;
    if (path.size() >= 2 && path.front() == L'"' && path.back() == L'"')
        path = path.substr(1, path.size() - 2);
    return path;
}

HRESULT CEmulatorSession::Connect() {
    Disconnect();
    HRESULT hr;
    if (m_mode == KeyboardMode::InProcess) {
        if (!m_keyboard)
            m_keyboard = std::make_shared<CKeyboardState>(m_stateFile);
        m_enumerator.Attach(CServiceObject<CDeviceEnumerator>::Create<IDeviceEnumerator>(
            m_keyboard, std::function<void()>()));
        hr = m_enumerator ? S_OK : E_OUTOFMEMORY;
    } else {
        // The server reads its state file from the environment it inherits
        // from the client that starts it.
        SetEnvironmentVariableW(L"TILVOR_KEYBOARD_STATE", m_stateFile.c_str());
        // Just after a server has ended, Wine reports the class as not
        // registered for a moment.
        for (DWORD wait = 100;; wait *= 2) {
            hr = m_enumerator.CoCreateInstance(CLSID_DeviceService, IID_IDeviceEnumerator, 23);
            if (hr != REGDB_E_CLASSNOTREG || wait > 3200)
                break;
            Sleep(wait);
        }
    }
    if (SUCCEEDED(hr))
        hr = m_enumerator.QueryInterface(&m_control);
    return hr;
}

void CEmulatorSession::Disconnect() {
    m_control.Release();
    m_enumerator.Release();
}

HRESULT CEmulatorSession::Restart() {
    if (m_mode == KeyboardMode::InProcess) {
        Disconnect();
        m_keyboard.reset();
    } else {
        ULONG pid = 0;
        HRESULT hr = m_control ? m_control->Quit(&pid) : E_POINTER;
        Disconnect();
        if (FAILED(hr))
            return hr;
        HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
        if (process) {
            bool ended = WaitPumping(process, 10000);
            CloseHandle(process);
            if (!ended)
                return HRESULT_FROM_WIN32(WAIT_TIMEOUT);
        }
    }
    return Connect();
}

CComPtr<IDevice> CEmulatorSession::Device() {
    CComPtr<IDevice> device;
    HRESULT hr = m_enumerator ? m_enumerator->GetDevice(0, &device) : E_POINTER;
    EXPECT_HRESULT_SUCCEEDED(hr) << "GetDevice(0)";
    return device;
}

CComPtr<IProfileManager> CEmulatorSession::Profiles() {
    CComPtr<IProfileManager> profiles = DeviceFeature<IProfileManager>(IID_IProfileManager);
    EXPECT_TRUE(profiles) << "no profile manager";
    return profiles;
}

CComPtr<IDeviceProfile> CEmulatorSession::Profile(ULONG index) {
    CComPtr<IDeviceProfile> profile;
    CComPtr<IProfileManager> profiles = Profiles();
    HRESULT hr = profiles ? profiles->GetProfile(index, &profile) : E_POINTER;
    EXPECT_HRESULT_SUCCEEDED(hr) << "GetProfile(" << index << ")";
    return profile;
}

namespace {

template <typename I>
std::wstring TextOf(I* item) {
    ULONG cb = 0;
    BYTE* block = nullptr;
    CString text;
    if (!item || FAILED(item->GetName(&cb, &block)) || !TakeServiceText(cb, block, text))
        return L"<no name>";
    return text.ToStdWString();
}

template <typename I>
GUID GuidOfItem(I* item) {
    ULONG w[4] = {};
    if (!item || FAILED(item->GetGuid(&w[0], &w[1], &w[2], &w[3])))
        return GUID_NULL;
    const uint32_t words[4] = {w[0], w[1], w[2], w[3]};
    return GuidFromWords(words);
}

}  // namespace

std::wstring NameOf(IDeviceProfile* profile) { return TextOf(profile); }
std::wstring NameOf(IDeviceMacro* macro) { return TextOf(macro); }
std::wstring NameOf(IDeviceApplication* application) { return TextOf(application); }
GUID GuidOf(IDeviceProfile* profile) { return GuidOfItem(profile); }
GUID GuidOf(IDeviceMacro* macro) { return GuidOfItem(macro); }
GUID GuidOf(IDeviceApplication* application) { return GuidOfItem(application); }

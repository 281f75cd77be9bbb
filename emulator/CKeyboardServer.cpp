#include "emulator/CKeyboardServer.h"

#include "emulator/CClassFactory.h"
#include "emulator/CInterfacePins.h"
#include "emulator/CKeyboardState.h"
#include "emulator/CObjectCount.h"
#include "service/CProxyStubRegistration.h"
#include "service/ServiceInterfaces.h"

#include <shlobj.h>

#include <cstdio>
#include <cwchar>
#include <memory>

namespace {

const wchar_t kWindowClass[] = L"MobekTilvorKeyboardEmulatorServer";
const UINT kObjectsGone = WM_APP + 10;
const UINT_PTR kIdleTimer = 1;
const UINT_PTR kActivityTimer = 2;
const UINT_PTR kQuitTimer = 3;
// A quit asked for by a client ends the loop only after this long, so that
// the reply to that very call has left the process before it ends.
const UINT kQuitDelayMs = 250;
const DWORD kDeadClientMs = 10 * 60 * 1000;
const DWORD kDuplicateWaitMs = 5000;
// The client that had COM start the server gets its first object only after
// Wine's polling for the class object (about a second); the idle rule waits
// at least this long for it, or a short idle time ends the server under it.
const UINT kFirstClientMs = 10000;

std::wstring Environment(const wchar_t* name) {
    wchar_t buffer[MAX_PATH * 2];
    DWORD n = GetEnvironmentVariableW(name, buffer, MAX_PATH * 2);
    return n && n < MAX_PATH * 2 ? std::wstring(buffer, n) : std::wstring();
}

std::wstring ClassKey() {
    wchar_t clsid[64];
    StringFromGUID2(CLSID_DeviceService, clsid, 64);
    return std::wstring(L"CLSID\\") + clsid;
}

}  // namespace

const wchar_t* CKeyboardServer::MutexName() { return L"Local\\MobekTilvorKeyboardEmulator"; }

std::wstring CKeyboardServer::StatePath() {
    std::wstring chosen = Environment(L"TILVOR_KEYBOARD_STATE");
    if (!chosen.empty())
        return chosen;
    wchar_t folder[MAX_PATH];
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, folder)))
        return L"KeyboardEmulator.xml";
    std::wstring dir = std::wstring(folder) + L"\\MobekTilvor";
    CreateDirectoryW(dir.c_str(), nullptr);
    return dir + L"\\KeyboardEmulator.xml";
}

HRESULT CKeyboardServer::Register() {
    wchar_t exe[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, exe, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return E_FAIL;
    std::wstring command = std::wstring(L"\"") + exe + L"\"";
    std::wstring key = ClassKey();
    HKEY classKey = nullptr, serverKey = nullptr;
    LSTATUS status = RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                                     &classKey, nullptr);
    if (status == ERROR_SUCCESS) {
        const wchar_t name[] = L"DeviceService (emulated keyboard)";
        status = RegSetValueExW(classKey, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(name), sizeof name);
    }
    if (status == ERROR_SUCCESS)
        status = RegCreateKeyExW(classKey, L"LocalServer32", 0, nullptr, 0, KEY_WRITE, nullptr, &serverKey,
                                 nullptr);
    if (status == ERROR_SUCCESS)
        status = RegSetValueExW(serverKey, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                                static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
    if (serverKey)
        RegCloseKey(serverKey);
    if (classKey)
        RegCloseKey(classKey);
    return HRESULT_FROM_WIN32(status);
}

HRESULT CKeyboardServer::Unregister() {
    LSTATUS status = RegDeleteTreeW(HKEY_CLASSES_ROOT, ClassKey().c_str());
    return status == ERROR_FILE_NOT_FOUND ? S_OK : HRESULT_FROM_WIN32(status);
}

int CKeyboardServer::Run() {
    HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (FAILED(hr))
        return 1;
    // Clients that start together can each launch a server; the second one
    // waits in case the first is just ending, and otherwise leaves the
    // clients to the first.  It must not exit at once, or the activation that
    // started it fails.
    HANDLE mutex = CreateMutexW(nullptr, TRUE, MutexName());
    if (mutex && GetLastError() == ERROR_ALREADY_EXISTS) {
        DWORD wait = WaitForSingleObject(mutex, kDuplicateWaitMs);
        if (wait != WAIT_OBJECT_0 && wait != WAIT_ABANDONED) {
            CloseHandle(mutex);
            CoUninitialize();
            return 0;
        }
    }

    int exitCode = 0;
    {
        CProxyStubRegistration proxies;
        CInterfacePins pins;
        std::wstring idle = Environment(L"TILVOR_KEYBOARD_IDLE_MS");
        if (!idle.empty())
            m_idleMs = static_cast<UINT>(std::wcstoul(idle.c_str(), nullptr, 10));

        WNDCLASSW wc = {};
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kWindowClass;
        RegisterClassW(&wc);
        m_window = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance,
                                   nullptr);
        SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));

        auto keyboard = std::make_shared<CKeyboardState>(StatePath());
        m_keyboard = keyboard.get();
        CClassFactory factory(keyboard, [this] {
            StopTakingClients();
            SetTimer(m_window, kQuitTimer, kQuitDelayMs, nullptr);
        });
        hr = CoRegisterClassObject(CLSID_DeviceService, &factory, CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE,
                                   &m_cookie);
        if (FAILED(hr)) {
            std::fwprintf(stderr, L"keyboard emulator: cannot offer DeviceService: 0x%08lx\n",
                          static_cast<unsigned long>(hr));
            exitCode = 1;
        } else {
            if (m_launchedByCom) {
                CObjectCount::WatchForZero(m_window, kObjectsGone);
                SetTimer(m_window, kIdleTimer, m_idleMs > kFirstClientMs ? m_idleMs : kFirstClientMs, nullptr);
                SetTimer(m_window, kActivityTimer, 60 * 1000, nullptr);
            }
            MSG msg;
            while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
            StopTakingClients();
        }
        CObjectCount::WatchForZero(nullptr, 0);
        keyboard->Flush();
        m_keyboard = nullptr;
        keyboard.reset();
        DestroyWindow(m_window);
        m_window = nullptr;
    }
    if (mutex) {
        ReleaseMutex(mutex);
        CloseHandle(mutex);
    }
    // No CoUninitialize: after a client process has come and gone, Wine's
    // may wait for ever on an incoming call it never finished counting, and
    // a server that hangs there keeps every later client waiting for it.  The
    // state is saved and the class revoked; ending the process disconnects
    // what clients still hold.
    return exitCode;
}

void CKeyboardServer::StopTakingClients() {
    if (m_cookie) {
        CoRevokeClassObject(m_cookie);
        m_cookie = 0;
    }
}

void CKeyboardServer::CheckIdle() {
    if (CObjectCount::Count() == 0) {
        StopTakingClients();
        PostQuitMessage(0);
    }
}

LRESULT CALLBACK CKeyboardServer::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<CKeyboardServer*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && message == kObjectsGone) {
        // Give a client that connects and disconnects around every operation
        // the time to come back before the next cold start.
        SetTimer(hwnd, kIdleTimer, self->m_idleMs, nullptr);
        return 0;
    }
    if (self && message == WM_TIMER && wParam == kIdleTimer) {
        KillTimer(hwnd, kIdleTimer);
        self->CheckIdle();
        return 0;
    }
    if (self && message == WM_TIMER && wParam == kQuitTimer) {
        KillTimer(hwnd, kQuitTimer);
        PostQuitMessage(0);
        return 0;
    }
    if (self && message == WM_TIMER && wParam == kActivityTimer) {
        if (self->m_keyboard && GetTickCount() - self->m_keyboard->LastActivityTick() > kDeadClientMs) {
            self->StopTakingClients();
            PostQuitMessage(0);
        }
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

#pragma once
// The emulated keyboard as a COM local server: one keyboard for every client
// process, on one single-threaded apartment whose message loop also raises
// the events and saves the state.

#include <windows.h>

#include <string>

class CKeyboardServer {
public:
    // The state file: TILVOR_KEYBOARD_STATE when set (tests choose their own
    // this way; a server started by COM inherits the client's environment),
    // otherwise KeyboardEmulator.xml in the user's local application data.
    static std::wstring StatePath();
    // Writes and removes the class registration of DeviceService for this .exe.
    static HRESULT Register();
    static HRESULT Unregister();

    // launchedByCom: ends on its own once no client has held an object for
    // a while (TILVOR_KEYBOARD_IDLE_MS, 5000 by default; at start, at least
    // ten seconds for the first client to arrive), or when no call has come
    // for ten minutes (clients that died hold their objects for ever).
    // Otherwise it runs until a client asks it to quit.
    explicit CKeyboardServer(bool launchedByCom) : m_launchedByCom(launchedByCom) {}
    int Run();

    // The name of the mutex a running server owns.
    static const wchar_t* MutexName();

private:
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
    void StopTakingClients();
    void CheckIdle();

    bool m_launchedByCom;
    DWORD m_cookie = 0;
    HWND m_window = nullptr;
    UINT m_idleMs = 5000;
    class CKeyboardState* m_keyboard = nullptr;
};

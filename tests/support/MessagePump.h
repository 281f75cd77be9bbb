#pragma once
// Waiting in tests: this thread's messages keep moving while a test waits
// for a condition, and every wait ends at a time-out.  The conditions on
// windows below hold for windows of any process (a test of whole programs
// waits on the program's windows).

#include <windows.h>

#include <string>

// Dispatches messages until none has arrived for quietMs (or maxMs passed);
// the state a test then checks is the state a user would see.
void PumpUntilIdle(DWORD quietMs = 200, DWORD maxMs = 5000);
// Dispatches messages until pred() holds or maxMs passes; returns pred().
template <typename Pred>
bool PumpUntil(Pred pred, DWORD maxMs = 5000) {
    DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (pred())
            return true;
        if (GetTickCount() - start > maxMs)
            return pred();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

// The window with the keyboard focus in the thread of that window; null
// when the thread has none.
HWND FocusInThreadOf(HWND window);
// The focus of window's thread is on window or inside it: what is typed now
// reaches it.
bool HasFocusWithin(HWND window);
bool WaitForFocusWithin(HWND window, DWORD maxMs = 5000);
// Until the focus of window's thread is on another window than from.
bool WaitForFocusToLeave(HWND window, HWND from, DWORD maxMs = 2000);
// Until the window is gone or hidden, and the window it belonged to answers
// again (its thread is back in its message loop).
bool WaitUntilClosed(HWND window, DWORD maxMs = 5000);
// Until window's thread has taken a message sent to it: its message loop
// runs (a dialog is past its initialisation, a modal loop has started).
bool WaitUntilAnswering(HWND window, DWORD maxMs = 5000);
// Until window answers and the screen shows it the same twice in a row:
// what the screen shows of it then is what it drew.
bool WaitUntilDrawn(HWND window, DWORD maxMs = 5000);

// The text a window shows, asked of the window itself (an edit of another
// process answers with what was typed into it); empty when it does not answer.
std::wstring TextOf(HWND window);

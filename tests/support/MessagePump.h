#pragma once

#include <windows.h>

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

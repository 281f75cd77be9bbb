#include "tests/support/MessagePump.h"

void PumpUntilIdle(DWORD quietMs, DWORD maxMs) {
    DWORD start = GetTickCount();
    DWORD lastMessage = start;
    for (;;) {
        MSG msg;
        bool any = false;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
            any = true;
        }
        DWORD now = GetTickCount();
        if (any)
            lastMessage = now;
        if (now - lastMessage >= quietMs || now - start >= maxMs)
            return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

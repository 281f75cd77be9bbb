#include "tests/support/MessagePump.h"

#include "tests/support/Screenshot.h"

#include <vector>

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

namespace {

// A window of another thread answers within this, or counts as busy.
constexpr UINT kAnswerMs = 1000;

bool Answers(HWND window) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, kAnswerMs, &result) != 0;
}

}  // namespace

HWND FocusInThreadOf(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    const DWORD thread = window ? GetWindowThreadProcessId(window, nullptr) : 0;
    if (!thread || !GetGUIThreadInfo(thread, &info))
        return nullptr;
    return info.hwndFocus;
}

bool HasFocusWithin(HWND window) {
    HWND focus = FocusInThreadOf(window);
    return focus && (focus == window || IsChild(window, focus));
}

bool WaitForFocusWithin(HWND window, DWORD maxMs) {
    return PumpUntil([&] { return HasFocusWithin(window); }, maxMs);
}

bool WaitForFocusToLeave(HWND window, HWND from, DWORD maxMs) {
    return PumpUntil([&] { return FocusInThreadOf(window) != from; }, maxMs);
}

bool WaitUntilClosed(HWND window, DWORD maxMs) {
    const HWND owner = GetWindow(window, GW_OWNER);
    const DWORD start = GetTickCount();
    if (!PumpUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, maxMs))
        return false;
    // Hiding a window can hold its thread a while (Wine waits for the X
    // display to take the window away); what the pointer does meanwhile
    // reaches the program late, from where the pointer was.
    const DWORD spent = GetTickCount() - start;
    return !owner || !IsWindow(owner) || WaitUntilAnswering(owner, spent < maxMs ? maxMs - spent : 0);
}

bool WaitUntilAnswering(HWND window, DWORD maxMs) {
    return PumpUntil([&] { return IsWindow(window) && Answers(window); }, maxMs);
}

bool WaitUntilDrawn(HWND window, DWORD maxMs) {
    // A window of another process keeps its update region to itself, so
    // what it has drawn is read off the screen: the same twice, with the
    // window's thread having gone round its message loop in between (where
    // it paints once nothing else waits).
    std::vector<uint32_t> previous;
    bool first = true;
    return PumpUntil(
        [&] {
            RECT r;
            if (!IsWindow(window) || !IsWindowVisible(window) || !Answers(window) || !GetWindowRect(window, &r))
                return false;
            std::vector<uint32_t> shown = ScreenPixels(r);
            const bool same = !first && !shown.empty() && shown == previous;
            previous.swap(shown);
            first = false;
            return same;
        },
        maxMs);
}

std::wstring TextOf(HWND window) {
    wchar_t text[256] = {};
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, sizeof text / sizeof text[0], reinterpret_cast<LPARAM>(text),
                             SMTO_NORMAL | SMTO_ABORTIFHUNG, kAnswerMs, &copied))
        return std::wstring();
    return std::wstring(text, copied < 256 ? copied : 255);
}

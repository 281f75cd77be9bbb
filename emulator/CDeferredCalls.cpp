#include "emulator/CDeferredCalls.h"

#include "platform/Debug.h"

static const wchar_t kWindowClass[] = L"MobekTilvorKeyboardEmulatorCalls";
static const UINT kRunPosted = WM_APP + 1;

CDeferredCalls::CDeferredCalls() {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kWindowClass;
    RegisterClassW(&wc);  // fails harmlessly when a second instance registers again
    m_window = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               wc.hInstance, nullptr);
    CHECK_INVARIANT(m_window != nullptr);
    if (m_window)
        SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

CDeferredCalls::~CDeferredCalls() {
    if (m_window) {
        SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
        DestroyWindow(m_window);
    }
}

void CDeferredCalls::Post(std::function<void()> call) {
    m_posted.push_back(std::move(call));
    if (!m_messagePending && m_window && PostMessageW(m_window, kRunPosted, 0, 0))
        m_messagePending = true;
}

void CDeferredCalls::Schedule(UINT_PTR id, UINT delayMs, std::function<void()> call) {
    m_timers[id] = std::move(call);
    if (m_window)
        SetTimer(m_window, id, delayMs, nullptr);
}

void CDeferredCalls::Cancel(UINT_PTR id) {
    if (m_timers.erase(id) && m_window)
        KillTimer(m_window, id);
}

void CDeferredCalls::RunPosted() {
    // A call that makes an outgoing COM call lets the loop run meanwhile; the
    // outer run goes on with the queue, so calls never overtake each other.
    if (m_running)
        return;
    m_running = true;
    while (!m_posted.empty()) {
        std::function<void()> call = std::move(m_posted.front());
        m_posted.pop_front();
        call();
    }
    m_running = false;
}

void CDeferredCalls::RunTimer(UINT_PTR id) {
    auto it = m_timers.find(id);
    if (m_window)
        KillTimer(m_window, id);
    if (it == m_timers.end())
        return;
    std::function<void()> call = std::move(it->second);
    m_timers.erase(it);
    call();
}

LRESULT CALLBACK CDeferredCalls::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<CDeferredCalls*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && message == kRunPosted) {
        self->m_messagePending = false;
        self->RunPosted();
        return 0;
    }
    if (self && message == WM_TIMER) {
        self->RunTimer(wParam);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

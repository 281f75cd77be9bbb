#include "platform/CWndBinding.h"

#include "platform/CWnd.h"

namespace {
thread_local CWnd* t_pending = nullptr;
}

CWndBinding::CWndBinding(CWnd* wnd, bool useHook) : m_previous(t_pending) {
    t_pending = wnd;
    if (useHook)
        m_hook = ::SetWindowsHookExW(WH_CBT, &CbtProc, nullptr, ::GetCurrentThreadId());
}

CWndBinding::~CWndBinding() {
    if (m_hook)
        ::UnhookWindowsHookEx(m_hook);
    t_pending = m_previous;
}

CWnd* CWndBinding::TakePending() {
    CWnd* wnd = t_pending;
    t_pending = nullptr;
    return wnd;
}

LRESULT CALLBACK CWndBinding::CbtProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        if (CWnd* wnd = TakePending())
            wnd->Bind(reinterpret_cast<HWND>(wParam));
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

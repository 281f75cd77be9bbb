#pragma once
// Binds an object to the window that is about to be created on this thread.
// Windows of the platform's own classes are bound by the trampoline on their
// first message; windows of other classes (system controls, dialogs) by a CBT
// hook as they are created, before their first message.  Scopes nest: a
// window created while another is being created gets its own scope.

#include <windows.h>

class CWnd;

class CWndBinding {
public:
    CWndBinding(CWnd* wnd, bool useHook);
    ~CWndBinding();
    CWndBinding(const CWndBinding&) = delete;
    CWndBinding& operator=(const CWndBinding&) = delete;

    // The object waiting for its window, taken (so that only one window binds
    // to it); null when none waits.
    static CWnd* TakePending();

private:
    static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam);

    CWnd* m_previous;
    HHOOK m_hook = nullptr;
};

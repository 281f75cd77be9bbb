#pragma once
// Work done from the thread's message loop rather than inside the call that
// asked for it: events are raised after the call that caused them has
// returned, and saving waits for a burst of changes to end.  Owned by one
// thread, which must pump messages.

#include <windows.h>

#include <deque>
#include <functional>
#include <map>

class CDeferredCalls {
public:
    CDeferredCalls();
    ~CDeferredCalls();
    CDeferredCalls(const CDeferredCalls&) = delete;
    CDeferredCalls& operator=(const CDeferredCalls&) = delete;

    // Runs call from the loop; posted calls run one at a time, in order.
    void Post(std::function<void()> call);
    // Runs call once, delayMs from now; replaces a pending call of that id.
    void Schedule(UINT_PTR id, UINT delayMs, std::function<void()> call);
    void Cancel(UINT_PTR id);
    bool IsScheduled(UINT_PTR id) const { return m_timers.count(id) != 0; }
    // Runs every posted call now, for when the loop will not run again.
    void RunPosted();

private:
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
    void RunTimer(UINT_PTR id);

    HWND m_window = nullptr;
    std::deque<std::function<void()>> m_posted;
    std::map<UINT_PTR, std::function<void()>> m_timers;
    bool m_messagePending = false;
    bool m_running = false;
};

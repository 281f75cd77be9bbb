#pragma once
// A script of user actions, one per tick of a thread timer, run while a
// modal loop (a popup's, a system dialog's) turns on the test's own thread.
// Once the script is spent, a window that still holds the mouse capture is
// ended with the right button, so a faulty popup fails the test instead of
// hanging it.

#include <windows.h>

#include <cstddef>
#include <functional>
#include <vector>

class ModalScript {
public:
    explicit ModalScript(std::vector<std::function<void()>> steps) : m_steps(std::move(steps)) {}
    // Runs open (which starts the modal loop) with the script ticking.
    template <typename Open>
    int Run(Open open) {
        s_current = this;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 80, &ModalScript::Tick);
        const int result = open();
        ::KillTimer(nullptr, timer);
        s_current = nullptr;
        return result;
    }
    size_t StepsRun() const noexcept { return m_next; }
    // A step that holds the script, a tick at a time, until the condition
    // holds (a window has opened); it gives up after some seconds.
    static std::function<void()> WaitUntil(std::function<bool()> condition);

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);

    static inline ModalScript* s_current = nullptr;
    std::vector<std::function<void()>> m_steps;
    size_t m_next = 0;
    int m_idle = 0;
    bool m_repeat = false;
    int m_waited = 0;
};

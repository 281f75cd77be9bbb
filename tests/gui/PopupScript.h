#pragma once
// Driving a popup list as a user would: a script of presses runs from a
// thread timer, one per tick, while the popup's own modal loop turns.

#include "gui/widgets/CListPanelList.h"

#include <windows.h>

#include <functional>
#include <vector>

// A script of user actions, one per tick of a thread timer, run while a
// popup's modal loop turns.  Once the script is spent, a popup that is
// still open is ended with the right button so a faulty popup fails the
// test instead of hanging it.
class Script {
public:
    explicit Script(std::vector<std::function<void()>> steps) : m_steps(std::move(steps)) {}
    template <typename Open>
    int Run(Open open) {
        s_current = this;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 80, &Script::Tick);
        const int result = open();
        ::KillTimer(nullptr, timer);
        s_current = nullptr;
        return result;
    }
    size_t StepsRun() const noexcept { return m_next; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        Script* script = s_current;
        if (!script)
            return;
        if (script->m_next < script->m_steps.size()) {
            const size_t index = script->m_next++;
            script->m_steps[index]();
        } else if (++script->m_idle > 40) {
            if (HWND captured = ::GetCapture())
                ::SendMessageW(captured, WM_RBUTTONDOWN, MK_RBUTTON, 0);
        }
    }
    static inline Script* s_current = nullptr;
    std::vector<std::function<void()>> m_steps;
    size_t m_next = 0;
    int m_idle = 0;
};

// The popup list that has the mouse now.
CListPanelList* OpenList();
// A point in the middle height of a row of a popup list, in its client area.
LPARAM RowPoint(const CListPanelList& list, int row);
// Presses on the popup list that has the mouse.
std::function<void()> PressRow(int row, UINT message = WM_LBUTTONDOWN);

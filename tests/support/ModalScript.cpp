#include "tests/support/ModalScript.h"

namespace {

constexpr int kMostWaits = 100;

}  // namespace

std::function<void()> ModalScript::WaitUntil(std::function<bool()> condition) {
    return [condition] {
        if (s_current && !condition())
            s_current->m_repeat = true;
    };
}

void CALLBACK ModalScript::Tick(HWND, UINT, UINT_PTR, DWORD) {
    ModalScript* script = s_current;
    if (!script)
        return;
    if (script->m_next < script->m_steps.size()) {
        const size_t index = script->m_next++;
        script->m_repeat = false;
        script->m_steps[index]();
        // Each wait has its own time: one long wait must not cut the next short.
        if (script->m_repeat && ++script->m_waited < kMostWaits)
            script->m_next = index;
        else
            script->m_waited = 0;
    } else if (++script->m_idle > 40) {
        if (HWND captured = ::GetCapture())
            ::SendMessageW(captured, WM_RBUTTONDOWN, MK_RBUTTON, 0);
    }
}

#include "gui/widgets/CMacroRecorder.h"

#include <algorithm>

void CMacroRecorder::Start() {
    m_keys.clear();
    m_buttons.clear();
    m_first = true;
    m_lastTime = 0;
}

int32_t CMacroRecorder::Elapsed(DWORD from, DWORD now) {
    const DWORD elapsed = now - from;
    return elapsed >= static_cast<DWORD>(kMaxStepDelay) ? kMaxStepDelay : static_cast<int32_t>(elapsed);
}

MacroStep CMacroRecorder::KeyStep(const HeldKey& key, bool down) {
    return MacroStep{MacroStepKey, static_cast<int32_t>(key.virtualKey) << 16 | key.scanCode,
                     (down ? kStepPress : kStepRelease) | (key.extended ? kStepExtended : 0)};
}

void CMacroRecorder::Append(std::vector<MacroStep>& out, const MacroStep& step, DWORD now) {
    if (m_first) {
        m_first = false;
        m_lastTime = now;
    } else if (m_ignoreDelays) {
        // no delay steps at all
    } else if (m_insertDefaultDelay) {
        out.push_back(MacroStep{MacroStepDelay, std::clamp(m_defaultDelay, 0, kMaxStepDelay), 0});
    } else {
        out.push_back(MacroStep{MacroStepDelay, Elapsed(m_lastTime, now), 0});
        m_lastTime = now;
    }
    out.push_back(step);
}

std::vector<MacroStep> CMacroRecorder::Key(uint16_t scanCode, uint16_t virtualKey, bool extended, bool down,
                                           DWORD now) {
    std::vector<MacroStep> out;
    auto held = std::find_if(m_keys.begin(), m_keys.end(), [&](const HeldKey& key) {
        return key.scanCode == scanCode && key.extended == extended;
    });
    if (down) {
        if (held != m_keys.end())
            return out;  // the key repeats while held
        m_keys.push_back(HeldKey{scanCode, virtualKey, extended});
        Append(out, KeyStep(m_keys.back(), true), now);
        return out;
    }
    if (held == m_keys.end())
        return out;  // pressed before the recording began
    HeldKey released = *held;
    if (virtualKey != 0 && virtualKey != 0xFF)
        released.virtualKey = virtualKey;
    m_keys.erase(held);
    Append(out, KeyStep(released, false), now);
    return out;
}

std::vector<MacroStep> CMacroRecorder::Button(int32_t button, bool down, DWORD now) {
    std::vector<MacroStep> out;
    auto held = std::find(m_buttons.begin(), m_buttons.end(), button);
    if (down) {
        if (held != m_buttons.end())
            return out;
        m_buttons.push_back(button);
    } else {
        if (held == m_buttons.end())
            return out;
        m_buttons.erase(held);
    }
    Append(out, MacroStep{MacroStepMouseButton, button, down ? kStepPress : kStepRelease}, now);
    return out;
}

std::vector<MacroStep> CMacroRecorder::Stop(DWORD now) {
    std::vector<MacroStep> out;
    std::vector<MacroStep> releases;
    for (auto key = m_keys.rbegin(); key != m_keys.rend(); ++key)
        releases.push_back(KeyStep(*key, false));
    for (auto button = m_buttons.rbegin(); button != m_buttons.rend(); ++button)
        releases.push_back(MacroStep{MacroStepMouseButton, *button, kStepRelease});
    m_keys.clear();
    m_buttons.clear();
    // One delay before the releases; they follow each other at once.
    for (size_t i = 0; i < releases.size(); ++i) {
        if (i == 0)
            Append(out, releases[i], now);
        else
            out.push_back(releases[i]);
    }
    return out;
}

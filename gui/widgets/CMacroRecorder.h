#pragma once
// What a recording makes of the keys and mouse buttons the user presses:
// the steps to append, each after the delay that went before it, one press
// for a key held down (its auto-repeats dropped), and at the end the
// releases of whatever is still held.  Times are given by the caller (the
// tick count of the input), so the rules are tested without a clock.

#include "model/store/MacroStep.h"

#include <windows.h>

#include <cstdint>
#include <vector>

class CMacroRecorder {
public:
    static constexpr int32_t kDefaultDelayMs = 50;

    // A new recording: no delay before its first step (also when it goes
    // on after steps recorded earlier), nothing held.
    void Start();

    // A key went down or up; the steps to append (none for an auto-repeat,
    // or for the release of a key this recording never saw pressed).  Keys
    // are told apart by scan code and extended flag, so the left and right
    // modifiers are two keys.
    std::vector<MacroStep> Key(uint16_t scanCode, uint16_t virtualKey, bool extended, bool down, DWORD now);
    // A mouse button (its number in the button-name table) went down or up.
    std::vector<MacroStep> Button(int32_t button, bool down, DWORD now);
    // The recording ends: the releases of the keys and buttons still held,
    // the last pressed first, after one delay.
    std::vector<MacroStep> Stop(DWORD now);

    void SetIgnoreDelays(bool on) noexcept { m_ignoreDelays = on; }
    void SetInsertDefaultDelay(bool on) noexcept { m_insertDefaultDelay = on; }
    void SetDefaultDelay(int32_t ms) noexcept { m_defaultDelay = ms; }
    bool GetIgnoreDelays() const noexcept { return m_ignoreDelays; }
    bool GetInsertDefaultDelay() const noexcept { return m_insertDefaultDelay; }
    int32_t GetDefaultDelay() const noexcept { return m_defaultDelay; }
    bool IsHolding() const noexcept { return !m_keys.empty() || !m_buttons.empty(); }

    // The milliseconds from one tick count to a later one (across the
    // count's wrap), held at the longest delay a step can take.
    static int32_t Elapsed(DWORD from, DWORD now);

private:
    struct HeldKey {
        uint16_t scanCode;
        uint16_t virtualKey;
        bool extended;
    };

    // The delay that goes before a new step, if any, then the step.
    void Append(std::vector<MacroStep>& out, const MacroStep& step, DWORD now);
    static MacroStep KeyStep(const HeldKey& key, bool down);

    std::vector<HeldKey> m_keys;
    std::vector<int32_t> m_buttons;
    bool m_first = true;
    DWORD m_lastTime = 0;
    bool m_ignoreDelays = false;
    bool m_insertDefaultDelay = false;
    int32_t m_defaultDelay = kDefaultDelayMs;
};

#pragma once
// What LED 7 shows while a macro is recorded on the fly: steady while
// recording, blinking while the keyboard waits for the key, then off.

#include "tray/TrayTypes.h"

#include <cstddef>
#include <vector>

class CMacroLedScheme {
public:
    enum Step : size_t { kRecording = 0, kWaitingForKey = 1, kOff = 2 };

    CMacroLedScheme();
    size_t GetCount() const noexcept { return m_steps.size(); }
    // Null for an index outside the scheme.
    const LedStep* GetStep(size_t index) const noexcept {
        return index < m_steps.size() ? &m_steps[index] : nullptr;
    }

private:
    std::vector<LedStep> m_steps;
};

// The process-wide scheme.
const CMacroLedScheme& GetMacroLedScheme();

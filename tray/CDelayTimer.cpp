#include "tray/CDelayTimer.h"

#include <algorithm>

namespace {
// The ten mouse-button transitions a macro can hold; anything else (moves,
// the wheel, several buttons in one record) is not a step.
bool IsSingleButtonFlag(USHORT flags) {
    return flags != 0 && (flags & (flags - 1)) == 0 && flags <= RI_MOUSE_BUTTON_5_UP;
}
}  // namespace

void CDelayTimer::Start(DWORD now) {
    m_events.clear();
    m_recording = 1;
    m_lastTick = now;
}

void CDelayTimer::AddDelay(DWORD now) {
    if (!m_events.empty()) {
        DWORD elapsed = now - m_lastTick;  // unsigned: a wrapped tick count still gives the pause
        m_events.push_back({kCaptureDelay, std::min<DWORD>(kMaximumDelay, elapsed)});
    }
    m_lastTick = now;
}

bool CDelayTimer::CaptureKey(USHORT makeCode, USHORT flags, DWORD now) {
    if (m_recording != 1)
        return false;
    const uint32_t value = static_cast<uint32_t>(makeCode) | static_cast<uint32_t>(flags) << 16;
    // A held key repeats its press; only the first one is a step.
    if ((flags & RI_KEY_BREAK) == 0 && !m_events.empty() && m_events.back().type == kCaptureKey &&
        m_events.back().value == value)
        return false;
    AddDelay(now);
    m_events.push_back({kCaptureKey, value});
    return true;
}

bool CDelayTimer::CaptureMouse(USHORT buttonFlags, USHORT buttonData, DWORD now) {
    if (m_recording != 1 || !IsSingleButtonFlag(buttonFlags))
        return false;
    AddDelay(now);
    m_events.push_back({kCaptureMouseButton, static_cast<uint32_t>(buttonFlags) |
                                                 static_cast<uint32_t>(buttonData) << 16});
    return true;
}

bool CDelayTimer::Capture(const RAWINPUT& input, DWORD now) {
    switch (input.header.dwType) {
    case RIM_TYPEKEYBOARD:
        return CaptureKey(input.data.keyboard.MakeCode, input.data.keyboard.Flags, now);
    case RIM_TYPEMOUSE:
        return CaptureMouse(input.data.mouse.usButtonFlags, input.data.mouse.usButtonData, now);
    default:
        return false;
    }
}

CDelayTimer& GetDelayTimer() {
    static CDelayTimer recorder;
    return recorder;
}

void ProcessRawInput(HRAWINPUT handle, CDelayTimer& recorder) {
    if (!recorder.IsRecording())
        return;
    // The header size is the target's own (24 bytes in a 64-bit program).
    UINT size = 0;
    if (GetRawInputData(handle, RID_INPUT, nullptr, &size, sizeof(RAWINPUTHEADER)) != 0 || size == 0)
        return;
    // Aligned storage for the record, freed on every path.
    std::vector<RAWINPUT> buffer((size + sizeof(RAWINPUT) - 1) / sizeof(RAWINPUT));
    UINT read = size;
    if (GetRawInputData(handle, RID_INPUT, buffer.data(), &read, sizeof(RAWINPUTHEADER)) == static_cast<UINT>(-1) ||
        read < sizeof(RAWINPUTHEADER))
        return;
    recorder.Capture(buffer.front(), GetTickCount());
}

#pragma once
// The on-the-fly macro recorder: every key and mouse button of the desktop,
// taken from raw input, with the pause before each as a delay event.  The
// time comes in as an argument, so the recorder itself never reads a clock.

#include "tray/TrayTypes.h"

#include <windows.h>

#include <cstdint>
#include <vector>

class CDelayTimer {
public:
    // Longer pauses are stored as this many milliseconds.
    static constexpr uint32_t kMaximumDelay = 0xFFFFFF;

    // Empties the events and accepts input from now on.
    void Start(DWORD now);
    // Refuses further input; the events stay.
    void Stop() noexcept { m_recording = 0; }
    void Clear() noexcept { m_events.clear(); }
    bool IsRecording() const noexcept { return m_recording == 1; }
    const std::vector<CaptureEvent>& GetEvents() const noexcept { return m_events; }

    // One raw input record; ignored unless recording.  True when it added
    // an event.
    bool Capture(const RAWINPUT& input, DWORD now);
    bool CaptureKey(USHORT makeCode, USHORT flags, DWORD now);
    bool CaptureMouse(USHORT buttonFlags, USHORT buttonData, DWORD now);

private:
    void AddDelay(DWORD now);

    int32_t m_recording = 0;
    std::vector<CaptureEvent> m_events;
    DWORD m_lastTick = 0;
};

// The process-wide recorder.
CDelayTimer& GetDelayTimer();

// Reads a WM_INPUT record and gives it to the recorder with the current tick.
void ProcessRawInput(HRAWINPUT handle, CDelayTimer& recorder);

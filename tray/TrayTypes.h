#pragma once
// Records the tray program passes between its parts: one keyboard profile as
// the tray reads it, one captured input event and one LED step.

#include "platform/CString.h"

#include <cstdint>

// One device profile: its name, its linked program and its option flags.
struct _Profile_Setting_ {
    CString name;
    // The linked program's executable file name (name and extension).
    CString application;
    // Bit 0 of the options: switch to this profile when the program is in front.
    int32_t autoSwitch = 0;
    // Bit 1: show the DPI on screen.
    int32_t dpiDisplay = 0;
    // Bit 2: show the profile's name on screen when it becomes active.
    int32_t showOsd = 0;
};

// One captured input, handed to the service unchanged as a macro step.
struct CaptureEvent {
    uint32_t type;
    uint32_t value;
};
static_assert(sizeof(CaptureEvent) == 8, "a captured event is one 8-byte macro step");

enum CaptureEventType : uint32_t {
    kCaptureMouseButton = 1,
    kCaptureKey = 2,
    kCaptureDelay = 3,
};

// One state of a keyboard LED.
struct LedStep {
    int32_t ledId;
    int32_t on;
    int32_t colour;
    int32_t brightness;
    int32_t effect;
    int32_t timeOnMs;
    int32_t timeOffMs;
};
static_assert(sizeof(LedStep) == 28, "an LED step is seven 32-bit fields");

inline bool operator==(const CaptureEvent& a, const CaptureEvent& b) { return a.type == b.type && a.value == b.value; }

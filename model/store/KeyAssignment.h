#pragma once
// What one key does.  The record travels whole, by value, between the pages,
// the store and the device layer, and its bytes are laid out for the keyboard
// service's conversion, so its layout is fixed.

#include "platform/CString.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>

enum AssignmentType : int32_t {
    AssignmentNone = -1,
    AssignmentDefaultKey = 0,
    AssignmentSingleKey = 5,
    AssignmentMacro = 6,
    AssignmentMacroByName = 7,
    AssignmentDisabled = 8,
    AssignmentProfileSwitch = 22,
    AssignmentProfileSwitchByName = 23,
    AssignmentLaunchProgram = 63,
    AssignmentLaunchProgramByPath = 64,
    AssignmentConfigRecord = 65,
};

// Play mode 2 repeats a macro repeatCount times.
constexpr int32_t kPlayModeRepeat = 2;

struct KeyAssignment {
    // Units of the name or path of kinds 7, 23 and 64, terminator included.
    static constexpr int kNameUnits = 260;

    int32_t type;
    uint8_t payload[520];
    int32_t playMode;
    int32_t repeatCount;

    // Type -1, every other byte 0: what a profile gives a key it has never seen.
    static KeyAssignment None();
    // Kind 0 from a key-table value: code in the low 16 bits, flag byte in bits 16-23.
    static KeyAssignment DefaultKey(uint32_t keyTableValue);
    static KeyAssignment SingleKey(uint16_t code, uint16_t second, uint8_t modifiers);
    static KeyAssignment Disabled();
    // Kinds 6, 22 and 63.  The play mode and repeat count matter for macros only.
    static KeyAssignment ByGuid(AssignmentType type, const GUID& guid, int32_t playMode = 0, int32_t repeatCount = 0);
    // Kinds 7, 23 and 64: at most 259 units of the name are kept, always terminated.
    static KeyAssignment ByName(AssignmentType type, const wchar_t* name, int32_t playMode = 0, int32_t repeatCount = 0);

    uint16_t GetKeyCode() const noexcept;
    uint16_t GetSecondValue() const noexcept;
    uint8_t GetFlagByte() const noexcept;
    GUID GetGuid() const noexcept;
    // Reads no further than the 260 units of the payload, terminated or not.
    CString GetName() const;
};

static_assert(sizeof(KeyAssignment) == 532, "KeyAssignment is exchanged as 133 words");
static_assert(offsetof(KeyAssignment, type) == 0, "KeyAssignment layout");
static_assert(offsetof(KeyAssignment, payload) == 4, "KeyAssignment layout");
static_assert(offsetof(KeyAssignment, playMode) == 524, "KeyAssignment layout");
static_assert(offsetof(KeyAssignment, repeatCount) == 528, "KeyAssignment layout");
static_assert(KeyAssignment::kNameUnits * sizeof(wchar_t) == sizeof(KeyAssignment::payload),
              "a name fills the payload");

// Whether two assignments are the same, payload and all.
bool SameAssignment(const KeyAssignment& a, const KeyAssignment& b) noexcept;

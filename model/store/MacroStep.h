#pragma once
// One event of a macro.  Steps are exchanged with the keyboard service as raw
// 12-byte records and compared byte for byte.

#include <cstddef>
#include <cstdint>
#include <vector>

enum MacroStepType : int32_t {
    MacroStepKey = 0,
    MacroStepMouseButton = 1,
    MacroStepDelay = 2,
};

// Flags of key and mouse-button steps.
constexpr int32_t kStepPress = 0xFF;
constexpr int32_t kStepRelease = 0x01;
constexpr int32_t kStepExtended = 0x100;
// Longest delay a step can hold, in milliseconds.
constexpr int32_t kMaxStepDelay = 0xFFFFFF;

struct MacroStep {
    int32_t type;
    // Key: virtual-key code << 16 | scan code; mouse button: index into the
    // button-name table; delay: milliseconds.
    int32_t value;
    int32_t flags;
};

static_assert(sizeof(MacroStep) == 12, "MacroStep is exchanged as three words");
static_assert(offsetof(MacroStep, type) == 0, "MacroStep layout");
static_assert(offsetof(MacroStep, value) == 4, "MacroStep layout");
static_assert(offsetof(MacroStep, flags) == 8, "MacroStep layout");

bool operator==(const MacroStep& a, const MacroStep& b) noexcept;
inline bool operator!=(const MacroStep& a, const MacroStep& b) noexcept { return !(a == b); }

// A key or mouse-button step's other half: for a press the release of the
// same key or button that ends it, for a release the press it ends (a press
// of that key again between them nests, as a held key pressed again would);
// -1 for a delay, an index outside the steps or a half without its partner.
// Keys are the same when their scan codes and extended flags are.
int FindPartnerStep(const std::vector<MacroStep>& steps, int index);
bool IsPressStep(const MacroStep& step) noexcept;

constexpr int kMouseButtonNameCount = 29;
// The language key that names a mouse-button step's value; null outside the table.
const wchar_t* MouseButtonName(int index) noexcept;

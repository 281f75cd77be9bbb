#include "model/store/MacroStep.h"

#include <cstring>

bool operator==(const MacroStep& a, const MacroStep& b) noexcept {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

namespace {

// Which key or button a step presses or releases: a key by its scan code
// and extended flag (the virtual key may be missing in steps the keyboard
// read back), a button by its number.
bool SameInput(const MacroStep& a, const MacroStep& b) {
    if (a.type != b.type)
        return false;
    if (a.type == MacroStepKey)
        return (a.value & 0xFFFF) == (b.value & 0xFFFF) && (a.flags & kStepExtended) == (b.flags & kStepExtended);
    return a.type == MacroStepMouseButton && a.value == b.value;
}

}  // namespace

bool IsPressStep(const MacroStep& step) noexcept { return (step.flags & 0xFF) == kStepPress; }

int FindPartnerStep(const std::vector<MacroStep>& steps, int index) {
    const int count = static_cast<int>(steps.size());
    if (index < 0 || index >= count)
        return -1;
    const MacroStep& step = steps[static_cast<size_t>(index)];
    if (step.type != MacroStepKey && step.type != MacroStepMouseButton)
        return -1;
    const bool press = IsPressStep(step);
    const int direction = press ? 1 : -1;
    int depth = 0;
    for (int i = index + direction; i >= 0 && i < count; i += direction) {
        const MacroStep& other = steps[static_cast<size_t>(i)];
        if (!SameInput(step, other))
            continue;
        if (IsPressStep(other) == press)
            ++depth;
        else if (depth-- == 0)
            return i;
    }
    return -1;
}

const wchar_t* MouseButtonName(int index) noexcept {
    // The last three entries repeat earlier names: the keyboard reports those
    // buttons under more than one index.
    static const wchar_t* const names[kMouseButtonNameCount] = {
        L"<null>",
        L"$LeftButton",
        L"$RightButton",
        L"$Wheel",
        L"$Button4",
        L"$Button5",
        L"$RightSideFrontButton",
        L"$RightSideRearButton",
        L"$LeftSideFrontButton",
        L"$LeftSideRearButton",
        L"$CenterFrontButton",
        L"$CenterRearButton",
        L"$ScrollUp",
        L"$ScrollDown",
        L"$ThumbGrid1",
        L"$ThumbGrid2",
        L"$ThumbGrid3",
        L"$ThumbGrid4",
        L"$ThumbGrid5",
        L"$ThumbGrid6",
        L"$ThumbGrid7",
        L"$ThumbGrid8",
        L"$ThumbGrid9",
        L"$ThumbGrid10",
        L"$ThumbGrid11",
        L"$ThumbGrid12",
        L"$ThumbGrid12",
        L"$Button4",
        L"$Button5",
    };
    if (index < 0 || index >= kMouseButtonNameCount)
        return nullptr;
    return names[index];
}

#include "model/store/MacroStep.h"

#include <cstring>

bool operator==(const MacroStep& a, const MacroStep& b) noexcept {
    return std::memcmp(&a, &b, sizeof a) == 0;
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

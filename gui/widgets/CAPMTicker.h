#pragma once
// A ticker of the multi-stage APM slider: a horizontal thumb whose value is
// the border between two stages.  Its cap range, the part of the range it
// may be set in, follows its neighbours; it is recorded, not enforced.

#include "gui/widgets/CPHSlider.h"

class CAPMTicker : public CPHSlider {
public:
    CAPMTicker() = default;

    // Both ends kept inside the index range.
    void SetCapRange(int max, int min);
};

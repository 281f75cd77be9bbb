#pragma once
// The horizontal thumb: its centre runs from the travel rectangle's left
// edge to its right edge, the first index at the left; a drag rounds to the
// nearest index.

#include "gui/widgets/CSliderBase.h"

class CPHSlider : public CSliderBase {
public:
    CPHSlider() = default;

    bool Layout() override;
    void DragTo(UINT flags, int x, int y) override;
    int PosToValue(int x, int y) const override;
    void SetValue(int index, bool move) override;

    // The cap range is only recorded: 0 when the range ends at index 0,
    // else from 1 (or the first index when it is higher); up to n inside
    // the index range.
    void SetCapRange(int n);
    int GetCapMin() const noexcept { return m_capMin; }
    int GetCapMax() const noexcept { return m_capMax; }

protected:
    CPoint ThumbOrigin(int index) const override;

    int m_capMin = 1;
    int m_capMax = 32;
};

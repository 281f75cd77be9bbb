#include "gui/widgets/CPHSlider.h"

#include "gui/core/GuiMessages.h"

#include <algorithm>
#include <cmath>

bool CPHSlider::Layout() {
    m_trackRect = m_windowRect;
    m_trackRect.InflateRect(m_width / 2, 0);
    m_minPos = m_trackRect.left;
    m_maxPos = m_trackRect.right - m_width;
    return LayoutSteps(m_windowRect.Width(), m_minPos, m_maxPos, +1);
}

int CPHSlider::PosToValue(int x, int) const {
    if (m_pixelsPerStep <= 0.0f)
        return m_minIndex;
    const float steps = static_cast<float>(std::max(x, m_minPos) - m_minPos) / m_pixelsPerStep + 0.5f;
    return m_minIndex + static_cast<int>(std::floor(steps));
}

CPoint CPHSlider::ThumbOrigin(int index) const { return CPoint(GetPosition(index), m_windowRect.top); }

void CPHSlider::SetValue(int index, bool move) {
    if (index < 0 || (!move && index == m_index))
        return;
    m_index = ClampIndex(index);
    if (move) {
        const CPoint at = ThumbOrigin(m_index);
        MoveThumb(at.x, at.y);
        ReportMoved(WM_HSLIDER_THUMB_MOVED, at.x);
    }
    RebuildCaption(m_multiplier);
}

void CPHSlider::DragTo(UINT, int x, int y) {
    const CPoint point = ToTrack(x, y);
    const int left = std::max(m_minPos, std::min(static_cast<int>(point.x) - m_halfWidth, m_maxPos));
    MoveThumb(left, m_trackRect.top);
    ReportMoved(WM_HSLIDER_THUMB_MOVED, left);
    const int index = ClampIndex(PosToValue(left, 0));
    if (index != m_index) {
        // Kept before it is told, so that the release reports the same value.
        m_index = index;
        ReportValue(WM_SLIDER_VALUE_CHANGING, index);
    }
    RebuildCaption(m_multiplier);
}

void CPHSlider::SetCapRange(int n) {
    m_capMin = m_maxIndex == 0 ? 0 : m_minIndex == 0 || m_minIndex == 1 ? 1 : m_minIndex;
    m_capMax = std::max(m_minIndex, std::min(n, m_maxIndex));
}

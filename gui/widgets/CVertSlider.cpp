#include "gui/widgets/CVertSlider.h"

#include "gui/core/GuiMessages.h"
#include "gui/skin/AttributeReaders.h"
#include "gui/widgets/CSliderTrack.h"

#include <algorithm>

CVertSlider::CVertSlider() {
    m_minValue = 1;
    m_maxValue = 32;
    m_minIndex = 0;
    m_maxIndex = 31;
}

CVertSlider* CVertSlider::CreateFromElement(const pugi::xml_node& element, CWnd*, CGUIItems& items) {
    const int32_t id = ReadNameId(element);
    auto* track = dynamic_cast<CSliderTrack*>(ReadTrackRef(element, items));
    if (id == -1 || !track)
        return nullptr;
    auto* slider = new CVertSlider;
    slider->SetItemFields(id, kItemVertSlider, kNoWindowYet, track);
    if (!slider->Create(ReadPictureElement("SBMN", element), track, ReadPictureElement("SBMO", element),
                        ReadPictureElement("SBMM", element), false, ReadItemRect(id, element))) {
        delete slider;
        return nullptr;
    }
    track->SetThumb(slider);
    CString tooltip, prefix;
    ReadTooltipPrefix(element, tooltip, prefix);
    slider->SetCaption(tooltip, TipPositionOf(ReadTooltipPos(element)), prefix);
    slider->SetItemFields(id, kItemVertSlider, slider->GetSafeHwnd(), track);
    return slider;
}

bool CVertSlider::Layout() {
    m_trackRect = m_windowRect;
    m_trackRect.InflateRect(0, m_height / 2);
    m_maxPos = m_trackRect.top;
    m_minPos = m_trackRect.bottom - m_height;
    // Index 0 at the bottom limit, growing up to the top limit.
    return LayoutSteps(m_windowRect.Height(), m_minPos, m_maxPos, -1);
}

int CVertSlider::PosToValue(int, int y) const {
    if (m_pixelsPerStep <= 0.0f)
        return m_minIndex;
    return m_minIndex + static_cast<int>(static_cast<float>(m_minPos - std::min(y, m_minPos)) / m_pixelsPerStep);
}

CPoint CVertSlider::ThumbOrigin(int index) const { return CPoint(m_windowRect.left, GetPosition(index)); }

void CVertSlider::SetValue(int index, bool move) {
    if (index < 0 || index == m_index)
        return;
    m_index = ClampIndex(index);
    if (move) {
        const CPoint at = ThumbOrigin(m_index);
        MoveThumb(at.x, at.y);
        // The fill runs from the thumb's lower edge down.
        ReportMoved(WM_VSLIDER_THUMB_MOVED, at.y + m_height);
    }
    RebuildCaption(1);
}

void CVertSlider::DragTo(UINT, int x, int y) {
    const CPoint point = ToTrack(x, y);
    const int top = std::max(m_maxPos, std::min(static_cast<int>(point.y) - m_halfHeight, m_minPos));
    MoveThumb(m_trackRect.left, top);
    ReportMoved(WM_VSLIDER_THUMB_MOVED, top + m_height);
    const int index = ClampIndex(PosToValue(0, top));
    if (index != m_index) {
        m_index = index;
        ReportValue(WM_SLIDER_VALUE_CHANGING, index);
    }
    RebuildCaption(1);
}

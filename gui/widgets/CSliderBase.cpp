#include "gui/widgets/CSliderBase.h"

#include "gui/core/BitmapUtils.h"
#include "gui/core/CMemDC2.h"
#include "gui/core/GuiMessages.h"
#include "gui/core/ItemSupport.h"
#include "gui/widgets/CSliderTrack.h"
#include "platform/CPaintDC.h"
#include "platform/CRgn.h"

#include <algorithm>

CSliderBase::CSliderBase() { SetItemFields(-1, -1, kNoWindowYet, nullptr); }

CSliderBase::~CSliderBase() {
    if (m_track)
        m_track->ForgetThumb(this);
}

int CSliderBase::TipPositionOf(wchar_t letter) {
    switch (letter) {
    case L'R': return kTipRight;
    case L'T': return kTipTop;
    case L'B': return kTipBottom;
    default: return kTipLeft;
    }
}

bool CSliderBase::Create(const CBitmap* normal, CSliderTrack* track, const CBitmap* over, const CBitmap* mask,
                         bool shape, const CRect& travel) {
    // A thumb lives on its track: without one it has no parent and nobody
    // to report to.
    if (!track || !track->GetSafeHwnd() || !CopyBitmap(normal, m_normal))
        return false;
    if (!CopyBitmap(over, m_over))
        CopyBitmap(normal, m_over);
    if (mask)
        CopyBitmap(mask, m_mask);
    const CSize size = BitmapSize(&m_normal);
    if (!SetGeometry(travel, size.cx, size.cy))
        return false;
    m_track = track;
    m_interactive = 1;
    m_dragging = 0;
    // The size of its picture, where the first index stands, until the
    // owner sets a value.
    const CRect rect(ThumbOrigin(m_minIndex), CSize(m_width, m_height));
    if (!CWnd::Create(nullptr, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect, track, static_cast<UINT>(m_itemId))) {
        m_track = nullptr;
        return false;
    }
    track->AddThumb(this);
    HRGN region = nullptr;
    if (m_mask.GetSafeHandle())
        region = CreateRegionFromBitmap(m_mask);
    else if (shape)
        region = CreateRegionFromBackground(m_normal);
    if (region && !SetWindowRgn(region, true))
        ::DeleteObject(region);
    return true;
}

bool CSliderBase::SetGeometry(const CRect& travel, int width, int height) {
    m_windowRect = travel;
    m_width = std::max(width, 0);
    m_height = std::max(height, 0);
    return Layout();
}

bool CSliderBase::SetRange(int minValue, int maxValue, int minIndex, int maxIndex) {
    if (maxIndex - minIndex < 1 || maxValue - minValue < 1)
        return false;
    m_minValue = minValue;
    m_maxValue = maxValue;
    m_minIndex = minIndex;
    m_maxIndex = maxIndex;
    if (m_index > m_maxIndex)
        m_index = m_maxIndex;
    Layout();
    return true;
}

bool CSliderBase::LayoutSteps(int travel, int first, int last, int direction) {
    m_halfWidth = m_width / 2;
    m_halfHeight = m_height / 2;
    m_span = m_maxIndex - m_minIndex;
    m_positions.clear();
    // An empty travel, or a single position, has no steps to divide it into.
    const bool usable = m_span >= 1 && travel > 0;
    m_pixelsPerStep = usable ? static_cast<float>(travel) / static_cast<float>(m_span) : 0.0f;
    for (int i = m_minIndex; i <= m_maxIndex; ++i) {
        const int step = static_cast<int>(static_cast<float>(i - m_minIndex) * m_pixelsPerStep);
        m_positions[i] = direction > 0 ? std::min(last, first + step) : std::max(last, first - step);
    }
    return usable;
}

int CSliderBase::GetPosition(int index) const {
    auto it = m_positions.find(index);
    return it != m_positions.end() ? it->second : m_minPos;
}

void CSliderBase::SetCaption(const wchar_t* tooltip, int position, const wchar_t* prefix) {
    TranslateSkinText(prefix, m_prefix);
    if (tooltip && *tooltip)
        TranslateSkinText(tooltip, m_label);
    m_caption.Format(L"%s%d", m_prefix.GetString(), m_minValue + m_index);
    switch (position) {
    case kTipRight: m_tipOffsetX = m_width + 2; m_tipOffsetY = m_height / 2; break;
    case kTipTop: m_tipOffsetX = m_width / 2; m_tipOffsetY = -2; break;
    case kTipBottom: m_tipOffsetX = m_width / 2; m_tipOffsetY = m_height + 2; break;
    default: m_tipOffsetX = -2; m_tipOffsetY = m_height / 2; break;
    }
    if (m_track)
        m_track->SetTooltipMode(position);
}

void CSliderBase::SetCaptionText(const wchar_t* text) { m_caption = m_prefix + (text ? text : L""); }

void CSliderBase::RebuildCaption(int multiplier) {
    m_caption.Format(L"%s%d", m_prefix.GetString(), (m_minValue + m_index) * multiplier);
}

int CSliderBase::ClampIndex(int index) const { return std::max(m_minIndex, std::min(index, m_maxIndex)); }

void CSliderBase::SetValueInRange(int value) {
    const int kept = std::max(m_minValue, std::min(value, m_maxValue));
    SetValue(kept - m_minValue + m_minIndex, true);
}

void CSliderBase::TrackClick(int x, int y) {
    if (!m_hWnd || !IsWindowEnabled())
        return;
    SetValue(ClampIndex(PosToValue(x - m_halfWidth, y - m_halfHeight)), true);
    ReportValue(WM_SLIDER_VALUE_SET, m_index);
}

void CSliderBase::MoveThumb(int x, int y) {
    if (!m_hWnd)
        return;
    MoveWindow(x, y, m_width, m_height, true);
    Invalidate(false);
}

CPoint CSliderBase::ToTrack(int x, int y) const {
    POINT p = {x, y};
    if (m_hWnd && m_track)
        ::MapWindowPoints(m_hWnd, m_track->GetSafeHwnd(), &p, 1);
    return CPoint(p.x, p.y);
}

void CSliderBase::ReportValue(UINT message, int index) {
    if (m_track && m_track->GetSafeHwnd())
        m_track->PostMessage(message, static_cast<WPARAM>(m_minValue + index), static_cast<LPARAM>(m_itemId));
}

void CSliderBase::ReportMoved(UINT message, int edge) {
    if (m_track && m_track->GetSafeHwnd())
        m_track->SendMessage(message, 0, static_cast<LPARAM>(edge));
}

void CSliderBase::EndDrag() {
    m_dragging = 0;
    m_hover = 0;
    ReportValue(WM_SLIDER_VALUE_SET, m_index);
    Invalidate(false);
}

void CSliderBase::OnLButtonDown(UINT flags, CPoint point) {
    if (m_interactive) {
        SetCapture();
        m_dragging = 1;
        m_pressPoint = point;
    }
    CWnd::OnLButtonDown(flags, point);
}

void CSliderBase::OnLButtonUp(UINT flags, CPoint point) {
    if (m_interactive && m_dragging) {
        // Cleared first: the capture's release must not end the drag twice.
        m_dragging = 0;
        ::ReleaseCapture();
        EndDrag();
    }
    CWnd::OnLButtonUp(flags, point);
}

void CSliderBase::OnCaptureChanged(CWnd* newCapture) {
    // The capture taken away mid-drag (another window, a menu) ends the
    // drag where the thumb stands, so it never drags without the button.
    if (m_dragging)
        EndDrag();
    CWnd::OnCaptureChanged(newCapture);
}

void CSliderBase::OnMouseMove(UINT flags, CPoint point) {
    if (!m_interactive) {
        CWnd::OnMouseMove(flags, point);
        return;
    }
    TRACKMOUSEEVENT track = {sizeof track, static_cast<DWORD>(m_trackingMouse ? TME_HOVER : TME_LEAVE), m_hWnd,
                             HOVER_DEFAULT};
    ::TrackMouseEvent(&track);
    m_trackingMouse = 1;
    if (!m_hover) {
        m_hover = 1;
        Invalidate(false);
    }
    if (m_dragging) {
        DragTo(flags, point.x, point.y);
        return;
    }
    CWnd::OnMouseMove(flags, point);
}

void CSliderBase::OnMouseHover(UINT, CPoint) {
    if (m_track && m_tooltipEnabled)
        m_track->ShowTooltip();
}

void CSliderBase::OnMouseLeave() {
    if (m_track && !m_dragging)
        m_track->HideTooltip();
    m_trackingMouse = 0;
    m_hover = 0;
    Invalidate(false);
}

void CSliderBase::OnKillFocus(CWnd* newWnd) {
    CWnd::OnKillFocus(newWnd);
    m_hover = 0;
    Invalidate(false);
}

void CSliderBase::OnPaint() {
    CPaintDC paint(this);
    CRect client(0, 0, m_width, m_height);
    CMemDC2 dc(&paint, &client);
    const CBitmap& shown = (m_dragging || m_hover) && m_over.GetSafeHandle() ? m_over : m_normal;
    DrawBitmapAt(dc, shown, 0, 0, m_width, m_height);
}

BOOL CSliderBase::OnEraseBkgnd(CDC*) { return TRUE; }

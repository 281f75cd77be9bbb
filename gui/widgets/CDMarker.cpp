#include "gui/widgets/CDMarker.h"

#include "gui/core/BitmapUtils.h"
#include "gui/core/CMemDC2.h"
#include "gui/core/GuiMessages.h"
#include "gui/core/ItemSupport.h"
#include "gui/skin/AttributeReaders.h"
#include "platform/CPaintDC.h"

#include <algorithm>

CDMarker::CDMarker() { SetItemFields(-1, kItemDMarker, kNoWindowYet, nullptr); }

CDMarker* CDMarker::CreateFromElement(const pugi::xml_node& element, CWnd* parent, CGUIItems&) {
    const int32_t id = ReadNameId(element);
    if (id == -1 || !parent)
        return nullptr;
    auto* marker = new CDMarker;
    if (!marker->Create(ReadItemRect(id, element), id, parent)) {
        delete marker;
        return nullptr;
    }
    marker->SetBitmaps(ReadPictureElement("SBMN", element), ReadPictureElement("MARK", element));
    marker->SetItemFields(id, kItemDMarker, marker->GetSafeHwnd(), parent);
    return marker;
}

bool CDMarker::Create(const CRect& rect, int32_t id, CWnd* parent) {
    m_rect = rect;
    m_markerId = id;
    m_parent = parent;
    m_enabled = 1;
    m_minValue = 0;
    m_maxValue = 10;
    m_value = 0;
    m_dragging = 0;
    return CWnd::Create(nullptr, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect, parent, static_cast<UINT>(id));
}

void CDMarker::SetBitmaps(const CBitmap* background, const CBitmap* mark) {
    const RECT size = {0, 0, m_rect.Width(), m_rect.Height()};
    StretchBitmap(&m_background, nullptr, background, size);
    StretchBitmap(&m_mark, nullptr, mark, size);
    if (m_hWnd)
        Invalidate(false);
}

int CDMarker::ValueAt(int x, const CRect& rect, int minValue, int maxValue) {
    const int width = rect.Width();
    if (width <= 0 || maxValue <= minValue)
        return minValue;
    const int from = std::max(x, static_cast<int>(rect.left)) - rect.left;
    const long long value = minValue + static_cast<long long>(maxValue - minValue) * from / width;
    return static_cast<int>(std::max<long long>(minValue, std::min<long long>(value, maxValue)));
}

int CDMarker::MarkWidth(int value, int width, int minValue, int maxValue) {
    if (maxValue <= minValue || width <= 0)
        return 0;
    const long long covered = static_cast<long long>(width) * (value - minValue) / (maxValue - minValue);
    return static_cast<int>(std::max<long long>(0, std::min<long long>(covered, width)));
}

void CDMarker::SetValue(int value) {
    m_value = std::max(m_minValue, std::min(value, m_maxValue));
    if (m_hWnd)
        Invalidate(false);
}

void CDMarker::SetRange(int minValue, int maxValue) {
    if (maxValue <= minValue)
        return;
    m_minValue = minValue;
    m_maxValue = maxValue;
    SetValue(m_value);
}

void CDMarker::TakeValueAt(CPoint point) {
    POINT inParent = point;
    if (m_parent && m_parent->GetSafeHwnd())
        ::MapWindowPoints(m_hWnd, m_parent->GetSafeHwnd(), &inParent, 1);
    m_value = ValueAt(inParent.x, m_rect, m_minValue, m_maxValue);
}

void CDMarker::OnLButtonDown(UINT flags, CPoint point) {
    if (m_enabled) {
        SetCapture();
        m_dragging = 1;
        m_pressPoint = point;
    }
    CWnd::OnLButtonDown(flags, point);
}

void CDMarker::OnMouseMove(UINT flags, CPoint point) {
    if (m_dragging) {
        TakeValueAt(point);
        Invalidate(false);
    }
    CWnd::OnMouseMove(flags, point);
}

void CDMarker::OnLButtonUp(UINT flags, CPoint point) {
    m_dragging = 0;
    TakeValueAt(point);
    if (m_parent && m_parent->GetSafeHwnd())
        m_parent->PostMessage(WM_DMARKER_RELEASED, static_cast<WPARAM>(m_value), static_cast<LPARAM>(m_markerId));
    CWnd::OnLButtonUp(flags, point);
    ::ReleaseCapture();
    Invalidate(false);
}

void CDMarker::OnCaptureChanged(CWnd* newCapture) {
    if (m_dragging) {
        m_dragging = 0;
        Invalidate(false);
    }
    CWnd::OnCaptureChanged(newCapture);
}

void CDMarker::OnKillFocus(CWnd* newWnd) {
    CWnd::OnKillFocus(newWnd);
    m_dragging = 0;
    Invalidate(false);
}

void CDMarker::OnPaint() {
    CPaintDC paint(this);
    const CRect client(0, 0, m_rect.Width(), m_rect.Height());
    CMemDC2 dc(&paint, &client);
    DrawBitmapAt(dc, m_background, 0, 0, client.Width(), client.Height());
    const int covered = MarkWidth(m_value, client.Width(), m_minValue, m_maxValue);
    if (covered > 0)
        DrawBitmapAt(dc, m_mark, 0, 0, covered, client.Height());
}

BOOL CDMarker::OnEraseBkgnd(CDC*) { return TRUE; }

#include "gui/widgets/CSliderTrack.h"

#include "gui/core/CMemDC2.h"
#include "gui/core/GuiMessages.h"
#include "gui/core/ItemSupport.h"
#include "gui/skin/AttributeReaders.h"
#include "gui/widgets/CSliderBase.h"
#include "platform/CPaintDC.h"

#include <algorithm>
#include <cwchar>

namespace {

// Where any track last put its tooltip: one tooltip moves at a time, and
// placing it again at the same point would only make it flicker.
POINT g_lastTipPosition = {LONG_MIN, LONG_MIN};

}  // namespace

CSliderTrack::CSliderTrack() { SetItemFields(-1, kItemSliderTrack, kNoWindowYet, nullptr); }

CSliderTrack::~CSliderTrack() {
    for (CSliderBase* thumb : m_thumbs)
        thumb->ForgetTrack();
    if (m_tooltip)
        ::DestroyWindow(m_tooltip);
}

CSliderTrack* CSliderTrack::CreateFromElement(const pugi::xml_node& element, CWnd* parent, CGUIItems&) {
    const int32_t id = ReadNameId(element);
    if (id == -1 || !parent)
        return nullptr;
    auto* track = new CSliderTrack;
    if (!track->Create(ReadItemRect(id, element), parent, id)) {
        delete track;
        return nullptr;
    }
    const CBitmap* picture = ReadPictureElement("SBMN", element);
    if (const CBitmap* mask = ReadPictureElement("SBMM", element))
        track->SetBitmapAndRegion(picture, mask);
    else
        track->DrawBitmap(picture);
    if (element.child("FILLINFO")) {
        // A fill without its own colour is white; without a rectangle there is none.
        FillInfo fill;
        fill.fillColour = 0xFFFFFF;
        ReadFillInfo(element, fill);
        if (!fill.rect.IsRectEmpty())
            track->SetFill(fill.rect, fill.fillColour);
    }
    return track;
}

bool CSliderTrack::Create(const CRect& rect, CWnd* parent, int32_t id) {
    if (!CWnd::Create(nullptr, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, rect, parent, static_cast<UINT>(id)))
        return false;
    // The track is found by its thumbs' item, never by its own window.
    SetItemFields(id, kItemSliderTrack, nullptr, parent);
    return true;
}

void CSliderTrack::SetFill(const CRect& rect, COLORREF colour) {
    m_hasFill = 1;
    m_fillRect = rect;
    m_fillColour = colour;
}

CRect CSliderTrack::FillArea(const CRect& fill, LastMoved last, int lastX, int lastY) {
    CRect area = fill;
    if (last == kXMoved)
        area.right = std::max(area.left, std::min(static_cast<LONG>(lastX), area.right));
    else if (last == kYMoved)
        area.top = std::min(area.bottom, std::max(static_cast<LONG>(lastY), area.top));
    return area;
}

void CSliderTrack::AddThumb(CSliderBase* thumb) {
    if (thumb && std::find(m_thumbs.begin(), m_thumbs.end(), thumb) == m_thumbs.end())
        m_thumbs.push_back(thumb);
}

void CSliderTrack::ForgetThumb(CSliderBase* thumb) {
    m_thumbs.erase(std::remove(m_thumbs.begin(), m_thumbs.end(), thumb), m_thumbs.end());
    if (m_thumb == thumb) {
        m_thumb = nullptr;
        HideTooltip();
    }
}

TOOLINFOW CSliderTrack::ToolInfo() {
    TOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = m_hWnd;
    tool.uId = reinterpret_cast<UINT_PTR>(m_hWnd);
    GetClientRect(&tool.rect);
    tool.lpszText = m_tipText;
    return tool;
}

void CSliderTrack::UpdateTipText() {
    if (!m_thumb)
        return;
    wcsncpy(m_tipText, m_thumb->GetCaption().GetString(), std::size(m_tipText) - 1);
    m_tipText[std::size(m_tipText) - 1] = 0;
    if (m_tooltip) {
        TOOLINFOW tool = ToolInfo();
        ::SendMessageW(m_tooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void CSliderTrack::SetTooltipMode(int position) {
    if (!m_thumb || !m_thumb->GetSafeHwnd() || !m_hWnd)
        return;
    if (!m_tooltip) {
        EnsureCommonControls(ICC_BAR_CLASSES);
        m_tooltip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr,
                                      nullptr, nullptr);
    }
    if (!m_tooltip)
        return;
    UpdateTipText();
    TOOLINFOW tool = ToolInfo();
    if (!m_toolAdded && ::SendMessageW(m_tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)))
        m_toolAdded = 1;
    ::SendMessageW(m_tooltip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
    m_tooltipShown = 0;
    m_tooltipPosMode = position;
}

void CSliderTrack::SetToolEnabled(bool enabled) {
    if (!m_tooltip || enabled == (m_toolAdded != 0))
        return;
    TOOLINFOW tool = ToolInfo();
    if (enabled) {
        if (::SendMessageW(m_tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)))
            m_toolAdded = 1;
    } else {
        HideTooltip();
        ::SendMessageW(m_tooltip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        m_toolAdded = 0;
    }
}

void CSliderTrack::ShowTooltip() {
    if (!m_thumb || m_tooltipShown || !m_tooltip)
        return;
    UpdateTipText();
    TOOLINFOW tool = ToolInfo();
    ::SendMessageW(m_tooltip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    m_tooltipShown = 1;
    PlaceTooltip();
}

void CSliderTrack::HideTooltip() {
    if (!m_tooltip || !m_tooltipShown)
        return;
    TOOLINFOW tool = ToolInfo();
    ::SendMessageW(m_tooltip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
    m_tooltipShown = 0;
}

void CSliderTrack::PlaceTooltip() {
    if (!m_toolAdded || !m_thumb || !m_thumb->GetSafeHwnd())
        return;
    POINT anchor = {0, 0};
    m_thumb->ClientToScreen(&anchor);
    const CPoint offset = m_thumb->GetTipOffset();
    RECT tip = {};
    ::GetWindowRect(m_tooltip, &tip);
    const int w = tip.right - tip.left, h = tip.bottom - tip.top;
    POINT at = {anchor.x + offset.x, anchor.y + offset.y};
    switch (m_tooltipPosMode) {
    case CSliderBase::kTipRight: at.y -= h / 2; break;
    case CSliderBase::kTipTop: at.x -= w / 2; at.y -= h; break;
    case CSliderBase::kTipBottom: at.x -= w / 2; break;
    default: at.x -= w; at.y -= h / 2; break;
    }
    if (at.x == g_lastTipPosition.x && at.y == g_lastTipPosition.y)
        return;
    ::SendMessageW(m_tooltip, TTM_TRACKPOSITION, 0, MAKELPARAM(at.x, at.y));
    g_lastTipPosition = at;
}

void CSliderTrack::ForwardToOwner(UINT message, WPARAM wParam, LPARAM lParam) {
    if (CWnd* owner = GetOwner())
        owner->PostMessage(message, wParam, lParam);
}

void CSliderTrack::Show(bool show) {
    if (show)
        m_repaintAll = 1;
    if (m_hWnd)
        ShowWindow(show ? SW_SHOW : SW_HIDE);
}

LRESULT CSliderTrack::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SLIDER_VALUE_CHANGING:
        if (m_thumb && m_thumb->IsTooltipEnabled()) {
            ShowTooltip();
            UpdateTipText();
            PlaceTooltip();
        }
        ForwardToOwner(message, wParam, lParam);
        Invalidate(false);
        return 0;
    case WM_SLIDER_VALUE_SET:
        HideTooltip();
        ForwardToOwner(message, wParam, lParam);
        Invalidate(false);
        return 0;
    case WM_HSLIDER_THUMB_MOVED:
    case WM_VSLIDER_THUMB_MOVED: {
        if (!m_thumb)
            return 0;
        const CRect before = GetFillArea();
        if (message == WM_HSLIDER_THUMB_MOVED) {
            m_lastThumbX = static_cast<int>(lParam);
            m_lastMoved = kXMoved;
        } else {
            m_lastThumbY = static_cast<int>(lParam);
            m_lastMoved = kYMoved;
        }
        PlaceTooltip();
        if (m_repaintAll) {
            m_repaintAll = 0;
            Invalidate(false);
        } else if (m_hasFill) {
            CRect changed;
            changed.UnionRect(before, GetFillArea());
            InvalidateRect(&changed, false);
        }
        UpdateWindow();
        return 0;
    }
    default:
        return CBitmapItem::WindowProc(message, wParam, lParam);
    }
}

void CSliderTrack::OnLButtonUp(UINT flags, CPoint point) {
    CWnd::OnLButtonUp(flags, point);
    if (m_thumb)
        m_thumb->TrackClick(point.x, point.y);
    ForwardToOwner(WM_SLIDER_TRACK_CLICKED, static_cast<WPARAM>(m_itemId), MAKELPARAM(point.x, point.y));
}

void CSliderTrack::OnMouseMove(UINT flags, CPoint point) {
    if (m_thumb && m_thumb->GetSafeHwnd())
        PlaceTooltip();
    CWnd::OnMouseMove(flags, point);
}

void CSliderTrack::OnPaint() {
    CPaintDC paint(this);
    CRect client;
    GetClientRect(&client);
    CMemDC2 dc(&paint, &client);
    if (m_picture.GetSafeHandle())
        DrawBitmapAt(dc, m_picture, 0, 0, client.Width(), client.Height());
    if (m_hasFill) {
        const CRect area = GetFillArea();
        if (!area.IsRectEmpty())
            dc.FillSolidRect(&area, m_fillColour);
    }
}

BOOL CSliderTrack::OnEraseBkgnd(CDC*) { return TRUE; }

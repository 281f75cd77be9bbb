#include "gui/widgets/CVScrollBar.h"

#include "platform/CListCtrl.h"

#include "gui/core/BitmapUtils.h"
#include "gui/core/CMemDC2.h"
#include "gui/core/ItemSupport.h"
#include "platform/CClientDC.h"
#include "platform/CPaintDC.h"
#include "platform/CPen.h"

#include <algorithm>

struct CVScrollBar::Pictures {
    const CBitmap* sources[kPieces] = {};
    CBitmap copies[kPieces];
    CSize sizes[kPieces];
};

bool CVScrollBar::Layout::Compute(int clientHeight, int clientTop) {
    const int h1 = heights[kTop], h2 = heights[kBottom], h3 = heights[kArrowUp], h4 = heights[kArrowDown],
              h6 = heights[kThumb];
    trackBottom = clientHeight - h2 - h4;
    if (trackBottom - h1 - h3 - clientTop - h6 <= 0)
        return false;
    trackTop = h1 + h3 + clientTop;
    trackLength = clientHeight - h6 - h4 - h3 - h2 - h1 - clientTop;
    halfThumb = h6 / 2;
    return true;
}

int CVScrollBar::Layout::Clamp(int thumbTop) const {
    return std::max(trackTop, std::min(thumbTop, trackBottom - heights[kThumb]));
}

int CVScrollBar::Layout::ThumbTopFor(const SCROLLINFO& info) const {
    const int start = heights[kArrowUp] + heights[kTop];
    const int range = info.nMax - static_cast<int>(info.nPage);
    if (range <= 0)
        return Clamp(start);
    const double offset = trackLength / range * info.nPos;
    return Clamp(offset < 0 ? start : start + static_cast<int>(offset));
}

int CVScrollBar::Layout::DragPosition(int thumbTop, const SCROLLINFO& info) const {
    const int range = info.nMax - static_cast<int>(info.nPage);
    if (range <= 0)
        return -1;
    // A short range counts one step more, so the last row is reached before
    // the thumb meets the bottom.
    const double step = (trackLength + halfThumb) / (range < 4 ? range + 1 : range);
    if (step <= 0)
        return -1;
    return std::min(static_cast<int>(thumbTop / step), range);
}

CVScrollBar::CVScrollBar(int barWidth, CWnd* listWindow) : m_list(listWindow), m_barWidth(barWidth) {}

CVScrollBar::~CVScrollBar() = default;

void CVScrollBar::SetThumbBitmap(const ScrollBarBitmaps& record) {
    m_pictures = std::make_unique<Pictures>();
    const CBitmap* sources[kPieces] = {record.top, record.bottom, record.arrowUp,
                                       record.arrowDown, record.span, record.thumb};
    for (int i = 0; i < kPieces; ++i) {
        m_pictures->sources[i] = sources[i];
        m_pictures->sizes[i] = BitmapSize(sources[i]);
        m_layout.heights[i] = m_pictures->sizes[i].cy;
    }
    if (m_thumbTop == 0)
        m_thumbTop = m_layout.heights[kTop] + m_layout.heights[kArrowUp];
    m_borderWidth = record.borderWidth;
    m_halfDown = m_borderWidth / 2;
    m_halfUp = m_borderWidth - m_halfDown;
    if (m_hWnd)
        MakeCopies();
}

void CVScrollBar::MakeCopies() {
    CClientDC dc(this);
    for (int i = 0; i < kPieces; ++i) {
        const CSize size = m_pictures->sizes[i];
        if (size.cx > 0 && size.cy > 0)
            StretchBitmap(&m_pictures->copies[i], &dc, m_pictures->sources[i], RECT{0, 0, size.cx, size.cy});
    }
}

bool CVScrollBar::Create(const wchar_t* text, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    if (!CStatic::Create(text, style, rect, parent, id) || !m_pictures)
        return false;
    MakeCopies();
    m_thumbTop = m_layout.heights[kTop] + m_layout.heights[kArrowUp];
    return LayOut();
}

bool CVScrollBar::LayOut() {
    CRect client;
    GetClientRect(&client);
    if (!m_layout.Compute(client.Height(), client.top))
        return false;
    m_trackLength = m_layout.trackLength;
    const int h1 = m_layout.heights[kTop], h3 = m_layout.heights[kArrowUp], h4 = m_layout.heights[kArrowDown];
    m_upArrow = CRect(0, h1, m_barWidth, h1 + h3 + client.top);
    m_downArrow = CRect(0, m_layout.trackBottom, m_barWidth, m_layout.trackBottom + h4);
    m_thumbTop = m_layout.Clamp(m_thumbTop);
    return true;
}

bool CVScrollBar::GetListInfo(SCROLLINFO& info) const {
    info = {};
    return m_list && m_list->GetSafeHwnd() && m_list->GetScrollInfo(SB_VERT, &info, SIF_ALL);
}

void CVScrollBar::UpdateThumbPosition() {
    SCROLLINFO info;
    if (!GetListInfo(info) || info.nPos > info.nMax)
        return;
    m_thumbTop = m_layout.ThumbTopFor(info);
    Redraw();
}

void CVScrollBar::Post(UINT code, int position) {
    if (m_list && m_list->GetSafeHwnd())
        m_list->PostMessage(WM_VSCROLL, MAKEWPARAM(code, position), 0);
}

void CVScrollBar::StartFollowUp() {
    m_followUp = true;
    SetTimer(kFollowUpTimer, kFollowUpMs);
}

void CVScrollBar::Redraw() {
    if (!m_hWnd)
        return;
    Invalidate(false);
    UpdateWindow();
}

bool CVScrollBar::InThumb(CPoint point) const {
    return point.x >= 0 && point.x <= m_barWidth && point.y >= m_thumbTop &&
           point.y <= m_thumbTop + m_layout.heights[kThumb];
}

void CVScrollBar::OnLButtonDown(UINT, CPoint point) {
    if (InThumb(point)) {
        m_dragging = true;
        SetCapture();
    } else if (m_downArrow.PtInRect(point)) {
        m_downPressed = true;
    } else if (m_upArrow.PtInRect(point)) {
        m_upPressed = true;
    }
    Default();
}

void CVScrollBar::OnLButtonDblClk(UINT, CPoint point) {
    if (m_downArrow.PtInRect(point))
        m_downPressed = true;
    else if (m_upArrow.PtInRect(point))
        m_upPressed = true;
}

void CVScrollBar::OnMouseMove(UINT flags, CPoint point) {
    if (m_dragging && (flags & MK_LBUTTON)) {
        m_thumbTop = m_layout.Clamp(std::max<int>(0, point.y - m_layout.halfThumb));
        SCROLLINFO info;
        if (GetListInfo(info) && info.nMax != static_cast<int>(info.nPage)) {
            const int position = m_layout.DragPosition(m_thumbTop, info);
            if (position >= 0 && position != m_lastPosted) {
                m_lastPosted = position;
                Post(SB_THUMBTRACK, position);
            }
        }
        Redraw();
        return;
    }
    CRect client;
    GetClientRect(&client);
    if (client.PtInRect(point))
        SetCapture();
    else if (m_list && m_list->GetSafeHwnd())
        m_list->SetCapture();
}

void CVScrollBar::OnLButtonUp(UINT, CPoint point) {
    if (m_dragging) {
        m_dragging = false;
        if (m_list && m_list->GetSafeHwnd())
            m_list->SetCapture();
        SetTimer(kFollowUpTimer, kFollowUpMs);
        Default();
        return;
    }
    CRect client;
    GetClientRect(&client);
    SCROLLINFO info;
    const bool haveInfo = GetListInfo(info);
    if (m_upPressed && m_upArrow.PtInRect(point)) {
        Post(SB_LINEUP);
        StartFollowUp();
    } else if (m_downPressed && m_downArrow.PtInRect(point)) {
        Post(SB_LINEDOWN);
        StartFollowUp();
    } else if (client.PtInRect(point) && !InThumb(point) && !m_upArrow.PtInRect(point) &&
               !m_downArrow.PtInRect(point)) {
        if (point.y <= m_thumbTop) {
            Post(SB_PAGEUP);
            StartFollowUp();
        } else if (haveInfo && info.nPos + static_cast<int>(info.nPage) >= info.nMax - static_cast<int>(info.nPage)) {
            // The last page is in view: jump to the end and set the list
            // there once it has scrolled.
            m_jumpTarget = info.nMax - static_cast<int>(info.nPage);
            Post(SB_THUMBPOSITION, m_jumpTarget);
            SetTimer(kJumpTimer, kJumpMs);
        } else {
            Post(SB_PAGEDOWN);
            StartFollowUp();
        }
    }
    m_upPressed = m_downPressed = m_dragging = false;
    Default();
}

void CVScrollBar::OnTimer(UINT_PTR id) {
    if (id == kFollowUpTimer) {
        if (m_followUp)
            UpdateThumbPosition();
        m_followUp = false;
        KillTimer(kFollowUpTimer);
        Post(SB_ENDSCROLL);
    } else if (id == kJumpTimer) {
        if (m_jumpFollowUp)
            UpdateThumbPosition();
        if (m_list && m_list->GetSafeHwnd())
            m_list->SetScrollPos(SB_VERT, m_jumpTarget, true);
        UpdateThumbPosition();
        m_jumpTarget = 0;
        m_jumpFollowUp = false;
        KillTimer(kJumpTimer);
        SetTimer(kFollowUpTimer, kFollowUpMs);
    }
}

void CVScrollBar::OnKillFocus(CWnd*) {
    if (m_list && m_list->GetSafeHwnd()) {
        m_list->SetCapture();
        m_list->PostMessage(WM_KILLFOCUS, 0, 0);
    }
}

BOOL CVScrollBar::OnEraseBkgnd(CDC*) { return TRUE; }

void CVScrollBar::OnPaint() {
    CPaintDC dc(this);
    SCROLLINFO info;
    if (!m_pictures || !GetListInfo(info) || info.nMax - static_cast<int>(info.nPage) < 1)
        return;
    CRect client;
    GetClientRect(&client);
    CMemDC2 memory(&dc, &client);
    memory.FillSolidRect(&client, m_background);
    int left = 0;
    if (m_borderWidth > 0) {
        CPen pen(PS_SOLID, m_borderWidth, m_border);
        memory.SelectObject(&pen);
        memory.MoveTo(m_halfDown, 0);
        memory.LineTo(m_halfDown, client.bottom);
        memory.SelectStockObject(BLACK_PEN);
        left = m_borderWidth;
    }
    CDC source;
    if (!source.CreateCompatibleDC(&dc))
        return;
    const int width = std::max(0, m_barWidth - left);
    auto piece = [&](Piece which, int y) {
        const CSize size = m_pictures->sizes[which];
        if (size.cx <= 0 || size.cy <= 0)
            return;
        source.SelectObject(&m_pictures->copies[which]);
        memory.StretchBlt(left, y, width, size.cy, &source, 0, 0, size.cx, size.cy, SRCCOPY);
    };
    const int h1 = m_layout.heights[kTop], h3 = m_layout.heights[kArrowUp], h4 = m_layout.heights[kArrowDown];
    const int height = client.Height();
    piece(kTop, 0);
    piece(kArrowUp, h1);
    for (int y = h1 + h3; y < height; ++y)
        piece(kSpan, y);
    piece(kArrowDown, height - (h1 + h3));
    piece(kBottom, height - (h1 + h3) + h4);
    const CSize thumb = m_pictures->sizes[kThumb];
    DrawBitmapAt(memory, m_pictures->copies[kThumb], (m_barWidth - thumb.cx) / 2, m_thumbTop, thumb.cx, thumb.cy);
}

CVScrollBar* CreateVScrollBar(const pugi::xml_node& element, CWnd* listWindow) {
    ScrollBarBitmaps set;
    const int32_t width = ReadVScrollElement(element, set);
    auto* bar = new CVScrollBar(width, listWindow);
    if (width > 0 || set.thumb)
        bar->SetThumbBitmap(set);
    return bar;
}

bool CVScrollBar::CreateBeside(CWnd* frame, const RECT& rect, COLORREF background, COLORREF border) {
    SetBackgroundColour(background);
    SetBorderColour(border);
    return Create(L"", WS_CHILD | WS_VISIBLE | SS_NOTIFY, rect, frame, 0xFFFF);
}

void HandCaptureToBar(CWnd& list, CVScrollBar* bar, UINT flags, CPoint point) {
    if (::GetCapture() != list.GetSafeHwnd() || (flags & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)))
        return;
    CPoint screen = point;
    list.ClientToScreen(&screen);
    CRect rect;
    if (bar && bar->GetSafeHwnd()) {
        bar->GetWindowRect(&rect);
        if (rect.PtInRect(screen)) {
            bar->SetCapture();
            return;
        }
    }
    ::ReleaseCapture();
}

void PostWheelSteps(CWnd& list, short delta) {
    for (int steps = delta / WHEEL_DELTA; steps != 0; steps += steps > 0 ? -1 : 1)
        list.PostMessage(WM_VSCROLL, steps > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
}

bool ScrollListBy(CListCtrl& list, UINT code, UINT pos, int fallbackRowHeight) {
    const int top = list.GetTopIndex();
    if (code == SB_LINEDOWN && top + list.GetCountPerPage() >= list.GetItemCount())
        return true;
    if (code != SB_THUMBTRACK && code != SB_THUMBPOSITION)
        return false;
    CRect first;
    const int rowHeight = list.GetItemCount() > 0 && list.GetItemRect(top, &first, LVIR_BOUNDS) && first.Height() > 0
                              ? first.Height()
                              : fallbackRowHeight;
    const int rows = static_cast<int>(pos) - top;
    if (rows != 0)
        list.Scroll(CSize(0, rows * rowHeight));
    return true;
}

#include "gui/widgets/CGenericPanel.h"

#include "gui/core/BitmapUtils.h"
#include "gui/core/CMemDC2.h"
#include "gui/core/ItemSupport.h"
#include "platform/CClientDC.h"
#include "platform/CPaintDC.h"
#include "platform/CPen.h"
#include "platform/CRgn.h"

#include <algorithm>

CGenericPanel::CGenericPanel(int borderWidth)
    : m_borderWidth(borderWidth), m_halfDown(borderWidth / 2), m_halfUp(borderWidth - borderWidth / 2) {}

CRect CGenericPanel::BorderRect(int width, int height, int borderWidth) {
    const int down = borderWidth / 2, up = borderWidth - down;
    return CRect(down, down, width - up, height - up);
}

void CGenericPanel::DrawBorder(CDC& dc, const CRect& client, int borderWidth, COLORREF colour, bool openTop) {
    if (borderWidth <= 0)
        return;
    CPen pen(PS_SOLID, borderWidth, colour);
    dc.SelectObject(&pen);
    CRect r = BorderRect(client.Width(), client.Height(), borderWidth);
    r.OffsetRect(client.left, client.top);
    if (openTop) {
        dc.MoveTo(r.left, r.top);
        dc.LineTo(r.left, r.bottom);
        dc.LineTo(r.right, r.bottom);
        dc.LineTo(r.right, r.top - 1);
    } else {
        dc.MoveTo(r.left, r.top);
        dc.LineTo(r.right, r.top);
        dc.LineTo(r.right, r.bottom);
        dc.LineTo(r.left, r.bottom);
        dc.LineTo(r.left, r.top - 1);
    }
    dc.SelectStockObject(BLACK_PEN);
}

bool CGenericPanel::Create(const RECT& rect, CWnd* parent, const PictureRecord* picture) {
    const CRect wanted(rect);
    BITMAP info = {};
    const bool hasPicture = picture && picture->picture && picture->picture->GetBitmap(&info);
    CRect place = wanted;
    if (hasPicture && !(info.bmWidth < wanted.Width() && info.bmHeight < wanted.Height()))
        place = CRect(picture->rect);
    if (!CStatic::Create(L"", WS_CHILD | WS_VISIBLE, place, parent, 0xFFFF))
        return false;
    CRect client;
    GetClientRect(&client);
    m_inner = client;
    m_inner.DeflateRect(m_borderWidth, m_borderWidth);
    if (!hasPicture)
        return true;
    if (place == wanted) {
        m_pictureOffset = CPoint((wanted.Width() - info.bmWidth) / 2, (wanted.Height() - info.bmHeight) / 2);
    } else {
        m_inner = wanted;
        m_inner.OffsetRect(-place.left, -place.top);
    }
    if (picture->second && picture->second->GetSafeHandle()) {
        CRgn region;
        if (region.Attach(CreateRegionFromBitmap(*picture->second)))
            SetWindowRgn(region, true);
    }
    CClientDC dc(this);
    StretchBitmap(&m_picture, &dc, picture->picture, RECT{0, 0, info.bmWidth, info.bmHeight});
    return true;
}

void CGenericPanel::OnPaint() {
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.SetBkMode(TRANSPARENT);
    if (m_picture.GetSafeHandle()) {
        CMemDC2 memory(&dc, &client);
        const SIZE size = BitmapSize(&m_picture);
        DrawBitmapAt(memory, m_picture, m_pictureOffset.x, m_pictureOffset.y, size.cx, size.cy);
    } else {
        dc.FillSolidRect(&client, m_background);
    }
    DrawBorder(dc, client, m_borderWidth, m_border);
}

std::unique_ptr<CGenericPanel> CGenericPanel::CreateListFrame(const RECT& rect, CWnd* parent, int borderWidth,
                                                              const PictureRecord* picture, COLORREF background,
                                                              COLORREF border, int barWidth, CRect& listRect) {
    auto frame = std::make_unique<CGenericPanel>(borderWidth);
    frame->SetBackgroundColour(background);
    frame->SetBorderColour(border);
    if (!frame->Create(rect, parent, picture))
        return nullptr;
    // Neither the frame nor its list clips its children: a window that does
    // keeps the invalidation of the window under it (which paints over them
    // all) from reaching its children, and the header, the bar or an edit
    // would stay painted over.  Parents paint first; the children after them.
    const CRect inner = frame->GetInnerRect();
    listRect = CRect(inner.left, inner.top, std::max<LONG>(inner.left, inner.right - barWidth), inner.bottom);
    return frame;
}

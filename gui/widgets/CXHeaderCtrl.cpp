#include "gui/widgets/CXHeaderCtrl.h"

#include "gui/core/CMemDC2.h"
#include "gui/core/ItemSupport.h"
#include "platform/CPaintDC.h"

#include <algorithm>

void CXHeaderCtrl::SetBackColours(COLORREF colour) {
    m_outerLine = colour;
    m_innerLine = colour;
    m_background = colour;
    if (m_hWnd)
        Invalidate(false);
}

void CXHeaderCtrl::SetTextColour(COLORREF colour) {
    m_textColour = colour;
    if (m_hWnd)
        Invalidate(false);
}

void CXHeaderCtrl::PreSubclassWindow() {
    CHeaderCtrl::PreSubclassWindow();
    ModifyStyle(0, HDS_NOSIZING);
    m_extras.assign(static_cast<size_t>(std::max(GetItemCount(), 0)), ItemExtra());
}

LRESULT CXHeaderCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == HDM_SETIMAGELIST) {
        const LRESULT result = CHeaderCtrl::WindowProc(message, wParam, lParam);
        IMAGEINFO info = {};
        const auto list = reinterpret_cast<HIMAGELIST>(lParam);
        if (list && ImageList_GetImageInfo(list, 0, &info)) {
            m_imageWidth = info.rcImage.right - info.rcImage.left;
            m_imageHeight = info.rcImage.bottom - info.rcImage.top;
        } else {
            m_imageWidth = m_imageHeight = 0;
        }
        return result;
    }
    if (message == HDM_INSERTITEMW || message == HDM_INSERTITEMA) {
        const size_t at = std::min(static_cast<size_t>(wParam), m_extras.size());
        m_extras.insert(m_extras.begin() + static_cast<std::ptrdiff_t>(at), ItemExtra());
        const LRESULT result = CHeaderCtrl::WindowProc(message, wParam, lParam);
        if (result < 0)
            m_extras.erase(m_extras.begin() + static_cast<std::ptrdiff_t>(at));
        return result;
    }
    if (message == HDM_DELETEITEM) {
        const LRESULT result = CHeaderCtrl::WindowProc(message, wParam, lParam);
        // Only an item that went takes its extras along.
        if (result && wParam < m_extras.size())
            m_extras.erase(m_extras.begin() + static_cast<std::ptrdiff_t>(wParam));
        return result;
    }
    if (message == HDM_LAYOUT) {
        const LRESULT result = CHeaderCtrl::WindowProc(message, wParam, lParam);
        auto* layout = reinterpret_cast<HDLAYOUT*>(lParam);
        if (result && layout && layout->prc && layout->pwpos) {
            layout->pwpos->cy = kHeight;
            layout->prc->top = layout->pwpos->y + kHeight;
        }
        return result;
    }
    return CHeaderCtrl::WindowProc(message, wParam, lParam);
}

BOOL CXHeaderCtrl::OnReflectedNotify(NMHDR* header, LRESULT* result) {
    switch (header->code) {
    // A divider neither drags nor fits its column to the texts.
    case HDN_BEGINTRACKA:
    case HDN_BEGINTRACKW:
    case HDN_DIVIDERDBLCLICKA:
    case HDN_DIVIDERDBLCLICKW:
        *result = TRUE;
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CXHeaderCtrl::OnEraseBkgnd(CDC*) { return TRUE; }

// The cursor stays what it is: no sizing arrows over the dividers.
BOOL CXHeaderCtrl::OnSetCursor(CWnd*, UINT, UINT) { return TRUE; }

void CXHeaderCtrl::OnPaint() {
    CPaintDC paint(this);
    CRect client;
    GetClientRect(&client);
    if (m_doubleBuffer) {
        CMemDC2 memory(&paint, &client);
        Paint(memory, client);
    } else {
        Paint(paint, client);
    }
}

void CXHeaderCtrl::Paint(CDC& dc, const CRect& client) {
    dc.FillSolidRect(&client, m_background);
    const HFONT font = GetFont();
    dc.SelectObject(font ? font : GetFallbackFont());
    dc.SetTextColor(m_textColour);
    dc.SetBkMode(TRANSPARENT);
    const int count = GetItemCount();
    int total = 0;
    for (int order = 0; order < count; ++order) {
        const int item = OrderToIndex(order);
        HDITEMW info = {};
        info.mask = HDI_WIDTH | HDI_FORMAT | HDI_LPARAM;
        CRect rect;
        if (!GetItem(item, &info) || !GetItemRect(item, &rect))
            continue;
        total += info.cxy;
        if (info.fmt & HDF_OWNERDRAW) {
            DRAWITEMSTRUCT draw = {};
            draw.CtlType = ODT_HEADER;
            draw.CtlID = static_cast<UINT>(GetDlgCtrlID());
            draw.itemID = static_cast<UINT>(item);
            draw.itemAction = ODA_DRAWENTIRE;
            draw.hwndItem = m_hWnd;
            draw.hDC = dc.GetSafeHdc();
            draw.rcItem = rect;
            draw.itemData = static_cast<ULONG_PTR>(info.lParam);
            if (CWnd* parent = GetParent())
                parent->SendMessage(WM_DRAWITEM, draw.CtlID, reinterpret_cast<LPARAM>(&draw));
        } else {
            DrawItemText(dc, rect.left + kSpacing, rect.top, rect.right - kSpacing, rect.bottom, item);
        }
        if (order < count - 1) {
            dc.FillSolidRect(rect.right - 1, rect.top + 2, 1, rect.Height() - 4, m_innerLine);
            dc.FillSolidRect(rect.right, rect.top + 2, 1, rect.Height() - 4, m_outerLine);
        }
    }
    if (total > 0) {
        const CRect frame(0, 0, total, client.Height());
        dc.Draw3dRect(&frame, m_outerLine, m_innerLine);
    }
}

void CXHeaderCtrl::DrawItemText(CDC& dc, int left, int top, int right, int bottom, int item) {
    wchar_t text[kMaxTitleChars + 1] = {};
    HDITEMW info = {};
    info.mask = HDI_TEXT | HDI_FORMAT | HDI_BITMAP | HDI_IMAGE;
    info.pszText = text;
    info.cchTextMax = kMaxTitleChars + 1;
    if (!GetItem(item, &info))
        return;
    const int height = bottom - top;
    const HIMAGELIST images = GetImageList();
    if (images && info.iImage != -1 && (info.fmt & HDF_IMAGE) && m_imageWidth > 0) {
        const int width = std::min(m_imageWidth, right - left);
        if (width > 0) {
            ImageList_DrawEx(images, info.iImage, dc.GetSafeHdc(), left, top + (height - m_imageHeight) / 2, width,
                             m_imageHeight, CLR_DEFAULT, CLR_DEFAULT, ILD_TRANSPARENT);
            left += width + kSpacing;
        }
    }
    BITMAP bitmap = {};
    if ((info.fmt & HDF_BITMAP) && info.hbm && ::GetObjectW(info.hbm, sizeof bitmap, &bitmap) &&
        bitmap.bmWidth <= right - left) {
        CDC source;
        if (source.CreateCompatibleDC(&dc)) {
            source.SelectObject(info.hbm);
            dc.BitBlt(right - bitmap.bmWidth, top + (height - bitmap.bmHeight) / 2, bitmap.bmWidth, bitmap.bmHeight,
                      &source, 0, 0, SRCCOPY);
            right -= bitmap.bmWidth + kSpacing;
        }
    }
    if ((info.fmt & HDF_STRING) && text[0] != 0 && right > left) {
        CString shown;
        TranslateSkinText(text, shown);
        CRect area(left, top, right, bottom);
        dc.DrawText(shown, &area, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
}

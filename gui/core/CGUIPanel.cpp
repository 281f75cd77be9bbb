#include "gui/core/CGUIPanel.h"

#include "gui/core/BitmapUtils.h"
#include "gui/core/CPanelBitmap.h"
#include "gui/skin/SkinLoader.h"
#include "gui/skin/SymbolIds.h"
#include "platform/CPaintDC.h"

#include <vector>

namespace {

CPanelBitmap* PanelPicture(const CGUIItems& items, int32_t id) {
    CGUIItem* item = items.FindById(id);
    return item && item->m_itemType == kItemPanelBitmap ? dynamic_cast<CPanelBitmap*>(item) : nullptr;
}

// A picture's pixels as 0x00RRGGBB, row by row from the top; empty when the
// bitmap cannot be read.
std::vector<uint32_t> PixelsOf(HBITMAP bitmap, int width, int height) {
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    HDC screen = ::GetDC(nullptr);
    const bool read = ::GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(), &format,
                                  DIB_RGB_COLORS) == height;
    ::ReleaseDC(nullptr, screen);
    if (!read)
        pixels.clear();
    for (uint32_t& p : pixels)
        p &= 0xFFFFFF;
    return pixels;
}

// True when the background is the key colour wherever the mask cuts the
// window away (white), and nowhere else: the colour key alone then gives the
// window the mask's shape.
bool KeyColourCutsLikeTheMask(HBITMAP background, HBITMAP mask, COLORREF key) {
    BITMAP b = {}, m = {};
    if (!background || !mask || !::GetObjectW(background, sizeof b, &b) || !::GetObjectW(mask, sizeof m, &m) ||
        b.bmWidth != m.bmWidth || b.bmHeight != m.bmHeight || b.bmWidth <= 0 || b.bmHeight <= 0)
        return false;
    const std::vector<uint32_t> picture = PixelsOf(background, b.bmWidth, b.bmHeight);
    const std::vector<uint32_t> cut = PixelsOf(mask, m.bmWidth, m.bmHeight);
    if (picture.empty() || cut.empty())
        return false;
    const uint32_t keyPixel = (GetRValue(key) << 16) | (GetGValue(key) << 8) | GetBValue(key);
    for (size_t i = 0; i < picture.size(); ++i)
        if ((cut[i] == 0xFFFFFF) != (picture[i] == keyPixel))
            return false;
    return true;
}

}  // namespace

CGUIPanel::CGUIPanel(UINT templateId, const wchar_t* skinFile, CWnd* parent)
    : CDialog(templateId, parent), m_parent(parent), m_skinFile(skinFile ? skinFile : L""), m_placement(0, 0, 0, 0) {}

CGUIPanel::CGUIPanel(const RECT& placement, UINT templateId, CWnd* parent)
    : CDialog(templateId, parent), m_parent(parent), m_placement(placement) {}

int CGUIPanel::OnCreate(CREATESTRUCTW*) {
    if (!m_skinFile.IsEmpty()) {
        LoadXmlDescription(&m_items, m_skinFile, this, false);
        m_background = PanelPicture(m_items, kBackgroundItemId);
        BITMAP info = {};
        // Without a usable background the panel keeps the size its template
        // gave it rather than shrinking to nothing.
        if (m_background && m_background->GetBitmap(&info) && info.bmWidth > 0 && info.bmHeight > 0) {
            m_placement.right = info.bmWidth;
            m_placement.bottom = info.bmHeight;
            MoveWindow(0, 0, info.bmWidth, info.bmHeight, true);
        }
        m_mask = PanelPicture(m_items, kMaskItemId);
        if (m_mask) {
            HRGN region = CreateRegionFromBitmap(m_mask->m_regionSource);
            if (region && m_region.Attach(region))
                SetWindowRgn(m_region, true);
            else if (region)
                ::DeleteObject(region);
        }
    } else {
        MoveWindow(0, 0, m_placement.Width(), m_placement.Height(), true);
    }
    m_created = true;
    return static_cast<int>(Default());
}

void CGUIPanel::OnPaint() {
    CPaintDC dc(this);
    if (!m_created)
        return;
    CRect client;
    GetClientRect(&client);
    CDC memory;
    if (!memory.CreateCompatibleDC(&dc))
        return;
    if (m_background)
        memory.SelectObject(m_background);
    dc.BitBlt(client.left, client.top, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
    memory.DeleteDC();
}

void CGUIPanel::OnShowWindow(BOOL show, UINT status) {
    CDialog::OnShowWindow(show, status);
    // A colour-keyed window that also has a region shows black on an X
    // display where Wine should cut it away: its X11 driver cannot apply
    // both.  When the key colour cuts exactly what the mask cuts, the region
    // adds nothing, so the window keeps the key alone.
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!show || !m_mask || !m_background || !(GetExStyle() & WS_EX_LAYERED) ||
        !::GetLayeredWindowAttributes(m_hWnd, &key, &alpha, &flags) || !(flags & LWA_COLORKEY))
        return;
    HRGN current = ::CreateRectRgn(0, 0, 0, 0);
    const bool shaped = current && ::GetWindowRgn(m_hWnd, current) != ERROR;
    if (current)
        ::DeleteObject(current);
    if (shaped && KeyColourCutsLikeTheMask(*m_background, m_mask->m_regionSource, key))
        ::SetWindowRgn(m_hWnd, nullptr, TRUE);
}

void CGUIPanel::OnDestroy() {
    Default();
    if (m_background)
        m_background->DeleteObject();
    if (m_mask)
        m_mask->DeleteObject();
    m_created = false;
}

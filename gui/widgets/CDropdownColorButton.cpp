#include "gui/widgets/CDropdownColorButton.h"

#include "gui/core/BitmapUtils.h"
#include "gui/core/CMemDC2.h"
#include "gui/core/GuiMessages.h"
#include "gui/core/ItemSupport.h"
#include "gui/skin/AttributeReaders.h"
#include "gui/widgets/CFOPopupColorPaletteWnd.h"
#include "platform/CPaintDC.h"
#include "platform/CPen.h"

#include <commdlg.h>

#include <algorithm>

namespace {

// The colour dialog's custom colours, kept for the whole run.
COLORREF g_customColours[16] = {};

constexpr COLORREF kMaskTransparent = RGB(255, 0, 0);

}  // namespace

CDropdownColorButton::CDropdownColorButton() {
    SetItemFields(-1, kItemDropdownColour, kNoWindowYet, nullptr);
    m_style.fontColour = 0xFFFFFF;
}

CDropdownColorButton::~CDropdownColorButton() { DestroyPalette(); }

CDropdownColorButton* CDropdownColorButton::CreateFromElement(const pugi::xml_node& element, CWnd* parent,
                                                              CGUIItems& items) {
    auto* button = new CDropdownColorButton;
    if (!button->BuildFromElement(element, parent, items, kItemDropdownColour)) {
        delete button;
        return nullptr;
    }
    if (const CBitmap* mask = ReadPictureElement("SBMM", element)) {
        CRect client;
        button->GetClientRect(&client);
        StretchBitmap(&button->m_bitmap, nullptr, mask, RECT{0, 0, client.Width(), client.Height()});
    }
    if (pugi::xml_attribute arrow = element.attribute("hasarrow"))
        button->m_hasArrow = IsSkinTrue(arrow.value());
    return button;
}

void CDropdownColorButton::SetColour(COLORREF colour) {
    if (colour == m_colour)
        return;
    m_colour = colour;
    if (m_hWnd)
        Invalidate(false);
}

CWnd* CDropdownColorButton::NotifyWindow() {
    if (!m_notify)
        m_notify = GetParent();
    return m_notify;
}

void CDropdownColorButton::OnPaint() {
    CPaintDC paint(this);
    CRect client;
    GetClientRect(&client);
    CMemDC2 dc(&paint, &client);
    const COLORREF back = m_disabled ? m_style.disabledBackColour : m_style.backColour;
    dc.FillSolidRect(&client, back);
    const int separator = client.right - client.Height() + 2;
    CRect swatch = client;
    if (m_hasArrow)
        swatch.right = std::min(static_cast<int>(client.right) - kArrowRoom, separator);
    dc.FillSolidRect(&swatch, m_disabled ? m_style.disabledBackColour : m_colour);
    const int w = m_style.borderWidth;
    CPen border(PS_SOLID, std::max(w, 1), m_disabled ? m_disabledBorderColour : m_style.borderColour);
    if (w > 0) {
        dc.SelectObject(&border);
        dc.MoveTo(client.left, client.bottom - w);
        dc.LineTo(client.left, client.top);
        dc.LineTo(client.right - w, client.top);
        dc.LineTo(client.right - w, client.bottom - w);
        dc.LineTo(client.left, client.bottom - w);
    }
    if (m_hasArrow) {
        dc.SelectObject(&border);
        dc.MoveTo(separator, client.top);
        dc.LineTo(separator, client.bottom);
        CPen arrow(PS_SOLID, 1, m_disabled ? m_style.disabledFontColour : m_style.fontColour);
        dc.SelectObject(&arrow);
        const int x = separator + (client.right - separator - 9) / 2;
        const int y = client.top + (client.Height() - 5) / 2;
        for (int i = 0; i < 5; ++i) {
            dc.MoveTo(x + i, y + i);
            dc.LineTo(x + i + 9 - 2 * i, y + i);
        }
    }
    dc.SelectStockObject(BLACK_PEN);
    if (m_bitmap.GetSafeHandle()) {
        CDC mask;
        if (mask.CreateCompatibleDC(&dc)) {
            mask.SelectObject(&m_bitmap);
            const CSize size = BitmapSize(&m_bitmap);
            ::TransparentBlt(dc, 0, 0, client.Width(), client.Height(), mask, 0, 0, size.cx, size.cy,
                             kMaskTransparent);
        }
    }
}

void CDropdownColorButton::OpenList() {
    if (!m_enabledForPalette || m_disabled || !m_hWnd)
        return;
    // A palette still open (its choice not yet arrived) ends with its colour
    // as losing activation would end it.
    if (m_palette && m_paletteOpen)
        FinalChoice(m_palette->GetColour(), 0);
    DestroyPalette();
    m_pressed = true;
    NotifyWindow();
    m_colourAtOpen = m_colour;
    CRect box;
    GetWindowRect(&box);
    m_palette = std::make_unique<CFOPopupColorPaletteWnd>(m_style.borderColour);
    // A serial of 0 is never given: a message of no palette never matches.
    m_paletteSerial = static_cast<WORD>(m_paletteSerial + 1 == 0 ? 1 : m_paletteSerial + 1);
    if (m_palette->Create(box, m_colour, m_hWnd, m_paletteWidth, m_paletteHeight, m_paletteSerial))
        m_paletteOpen = true;
    else
        m_palette.reset();
    Invalidate(false);
}

void CDropdownColorButton::DestroyPalette() {
    m_paletteOpen = false;
    if (!m_palette)
        return;
    // Taken out first: what the window sends while it goes finds no palette.
    std::unique_ptr<CFOPopupColorPaletteWnd> palette = std::move(m_palette);
    if (palette->GetSafeHwnd())
        palette->DestroyWindow();
}

bool CDropdownColorButton::FromOpenPalette(LPARAM lParam) const {
    return m_palette && m_paletteOpen && HIWORD(lParam) == m_paletteSerial;
}

void CDropdownColorButton::SendPicked(COLORREF colour) {
    if (CWnd* notify = NotifyWindow())
        notify->SendMessage(WM_GUI_VALUE_PICKED, static_cast<WPARAM>(colour), static_cast<LPARAM>(m_itemId));
}

void CDropdownColorButton::FinalChoice(COLORREF colour, WPARAM kind) {
    m_pressed = false;
    DestroyPalette();
    if (CWnd* notify = NotifyWindow())
        notify->PostMessage(WM_PALETTE_COLOUR_SELECTED, kind, static_cast<LPARAM>(colour));
    if (colour != m_colourAtOpen)
        SendPicked(colour);
    SetColour(colour);
    if (m_hWnd)
        Invalidate(false);
}

void CDropdownColorButton::Dismissed(COLORREF colour) {
    m_pressed = false;
    // The colour reached with the keys stays, and counts as chosen.
    SetColour(colour);
    DestroyPalette();
    if (colour != m_colourAtOpen)
        SendPicked(colour);
    if (CWnd* notify = NotifyWindow())
        notify->SendMessage(WM_PALETTE_DISMISSED, static_cast<WPARAM>(colour), static_cast<LPARAM>(m_itemId));
    if (m_hWnd)
        Invalidate(false);
}

void CDropdownColorButton::RunColourDialog(COLORREF start) {
    CHOOSECOLORW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = m_hWnd ? ::GetAncestor(m_hWnd, GA_ROOT) : nullptr;
    dialog.rgbResult = start;
    dialog.lpCustColors = g_customColours;
    dialog.Flags = CC_FULLOPEN | CC_RGBINIT;
    if (::ChooseColorW(&dialog))
        FinalChoice(dialog.rgbResult & 0xFFFFFF, 0);
    else
        Dismissed(start);
}

LRESULT CDropdownColorButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PALETTE_COLOUR_SELECTED: {
        if (!FromOpenPalette(lParam))
            return 0;
        const COLORREF colour = static_cast<COLORREF>(wParam);
        if (LOWORD(lParam) == kPalettePreview) {
            SetColour(colour);
            if (CWnd* notify = NotifyWindow())
                notify->PostMessage(WM_PALETTE_COLOUR_SELECTED, kPalettePreview, static_cast<LPARAM>(colour));
            return 0;
        }
        FinalChoice(colour, LOWORD(lParam));
        return 0;
    }
    case WM_PALETTE_DISMISSED:
        if (FromOpenPalette(lParam))
            Dismissed(static_cast<COLORREF>(wParam));
        return 0;
    case WM_PALETTE_CUSTOM_REQUESTED:
        if (FromOpenPalette(lParam)) {
            // The palette is gone before the dialog runs: nothing of it can
            // be used, or choose, while the dialog is open.
            const COLORREF start = static_cast<COLORREF>(wParam);
            DestroyPalette();
            RunColourDialog(start);
        }
        return 0;
    default:
        return CDropdownListItem::WindowProc(message, wParam, lParam);
    }
}

#include "gui/widgets/CBitmapWindow.h"

#include "gui/skin/AttributeReaders.h"
#include "gui/core/BitmapUtils.h"
#include "gui/skin/CFontItem.h"
#include "gui/skin/CLangTable.h"
#include "gui/skin/GUIResources.h"
#include "gui/core/ItemSupport.h"
#include "platform/CClientDC.h"
#include "platform/CMemoryDC.h"
#include "platform/CPaintDC.h"
#include "platform/CPen.h"
#include "platform/CRgn.h"

#include <algorithm>

namespace {

void CopyWhole(CBitmap& destination, CDC& dc, const CBitmap* source) {
    const CSize size = BitmapSize(source);
    if (size.cx > 0 && size.cy > 0)
        StretchBitmap(&destination, &dc, source, RECT{0, 0, size.cx, size.cy});
}

}  // namespace

CBitmapWindow::CBitmapWindow() { SetItemFields(-1, kItemBitmapWindow, kNoWindowYet, nullptr); }

CBitmapWindow::~CBitmapWindow() {
    if (m_tooltip.GetSafeHwnd())
        m_tooltip.DestroyWindow();
}

CBitmapWindow::StatePicture CBitmapWindow::ChoosePicture(bool selected, bool locked, bool hover, bool hasCaption,
                                                         bool haveSelected, bool haveHighlight, bool haveNormal) {
    if ((selected || locked) && haveSelected)
        return kSelected;
    if (((!selected && hover) || hasCaption) && haveHighlight)
        return kHighlight;
    return haveNormal ? kNormal : kNone;
}

UINT CBitmapWindow::FormatFor(wchar_t justify, bool multiline) {
    const UINT align = justify == L'R' ? DT_RIGHT : justify == L'C' ? DT_CENTER : 0;
    return align | (multiline ? DT_WORDBREAK : DT_SINGLELINE | DT_VCENTER);
}

CBitmapWindow* CBitmapWindow::CreateFromElement(const pugi::xml_node& element, CWnd* parent, CGUIItems& items) {
    const int32_t id = ReadNameId(element);
    if (id == -1)
        return nullptr;
    auto* window = new CBitmapWindow;
    const CRect rect = ReadItemRect(id, element);
    if (!parent || !window->Create(nullptr, L"", WS_CHILD | WS_VISIBLE, rect, parent, static_cast<UINT>(-1))) {
        delete window;
        return nullptr;
    }
    window->SetItemFields(id, kItemBitmapWindow, window->GetSafeHwnd(), parent);
    {
        CClientDC dc(window);
        CopyWhole(window->m_innerBitmap, dc, ReadLangBitmapAttr(id, "SBMDS", element));
        CopyWhole(window->m_normal, dc, ReadLangBitmapAttr(id, "SBMN", element));
        CopyWhole(window->m_highlight, dc, ReadLangBitmapAttr(id, "SBMO", element));
        CopyWhole(window->m_selectedPicture, dc, ReadLangBitmapAttr(id, "SBMD", element));
    }
    if (const CBitmap* mask = ReadLangBitmapAttr(id, "SBMM", element)) {
        CRgn region;
        if (region.Attach(CreateRegionFromBitmap(*mask)))
            window->SetWindowRgn(region, true);
    }
    window->m_caseOption = static_cast<BYTE>(ReadCaps(element, id));
    window->m_format = FormatFor(ReadJustify(element), ReadMultiline(id, element));
    if ((window->m_font = ReadFontAttr(element, id, &items)) != nullptr)
        window->SetFont(window->m_font, true);
    ReadColourAttr("fontclr", element, window->m_textColour);
    for (pugi::xml_node icon = element.child("BITMAPITEM"); icon; icon = icon.next_sibling("BITMAPITEM")) {
        pugi::xml_attribute type = icon.attribute("assntype");
        const CBitmap* picture = GetSkinPictureByAttribute(icon.attribute("SBMN").value());
        if (type && picture)
            window->m_icons[ParseSkinNumber(type.value())] = picture;
    }
    // The inner area: the client area grown on each side by how much the
    // inner-area picture is larger (or shrunk by how much it is smaller).
    CRect client;
    window->GetClientRect(&client);
    window->m_inner = client;
    const CSize inner = BitmapSize(&window->m_innerBitmap);
    if (inner.cx > 0 && inner.cy > 0)
        window->m_inner.InflateRect(inner.cx - client.Width(), inner.cy - client.Height());
    CString tooltip;
    if (ReadTooltipAttr(element, tooltip))
        window->SetTooltip(tooltip);
    return window;
}

void CBitmapWindow::SetText(const wchar_t* text) {
    if (m_locked)
        return;
    TranslateSkinText(text, m_caption);
    ApplyCaseOption(m_caption, m_caseOption);
    BreakFirstNewlineMarker(m_caption);
    Invalidate(false);
}

void CBitmapWindow::SetTooltip(const wchar_t* text) { SetItemTooltip(m_tooltip, this, text); }

BOOL CBitmapWindow::PreTranslateMessage(MSG* msg) {
    RelayToTooltipMadeOnce(m_tooltip, this, msg);
    return CWnd::PreTranslateMessage(msg);
}

const CBitmap* CBitmapWindow::StatePictureOf(StatePicture which) const {
    switch (which) {
    case kSelected: return &m_selectedPicture;
    case kHighlight: return &m_highlight;
    case kNormal: return &m_normal;
    default: return nullptr;
    }
}

void CBitmapWindow::OnPaint() {
    CPaintDC dc(this);
    Paint(dc);
}

void CBitmapWindow::Paint(CDC& dc) {
    CRect client;
    GetClientRect(&client);
    CMemoryDC image(&dc, client.Width(), client.Height());
    if (!image.GetSafeHdc())
        return;
    const StatePicture which =
        ChoosePicture(m_selected != 0, m_locked != 0, m_hover != 0, !m_caption.IsEmpty(),
                      m_selectedPicture.GetSafeHandle() != nullptr, m_highlight.GetSafeHandle() != nullptr,
                      m_normal.GetSafeHandle() != nullptr);
    if (const CBitmap* picture = StatePictureOf(which))
        DrawBitmapAt(image, *picture, 0, 0, client.Width(), client.Height());
    image.FillSolidRect(&m_inner, 0);
    const bool caption = m_textBand && !m_caption.IsEmpty();
    if (caption) {
        CPen pen(PS_SOLID, 1, DrawnTextColour(m_textColour));
        image.SelectObject(&pen);
        image.MoveTo(m_inner.left, m_inner.bottom - kCaptionBand);
        image.LineTo(m_inner.right, m_inner.bottom - kCaptionBand);
        image.SelectStockObject(BLACK_PEN);
    }
    PaintExtra(image);
    if (caption)
        PaintCaption(image);
    dc.BitBlt(0, 0, client.Width(), client.Height(), &image, 0, 0, SRCCOPY);
}

void CBitmapWindow::PaintExtra(CDC& dc) {
    if (!m_extra || !m_extra->picture)
        return;
    const CRect band(m_inner.left, m_inner.top, m_inner.right, m_inner.bottom - (kCaptionBand + 1));
    const CRect source(m_extra->rect);
    DrawBitmapAt(dc, *m_extra->picture, band.left + (band.Width() - source.Width()) / 2,
                 band.top + (band.Height() - source.Height()) / 2, source.Width(), source.Height(), source.left,
                 source.top);
    const CSize second = BitmapSize(m_extra->second);
    if (second.cx <= 0 || second.cy <= 0 || band.Width() <= 0 || band.Height() <= 0)
        return;
    const int width = std::min<int>(second.cx, band.Width()), height = std::min<int>(second.cy, band.Height());
    CDC memory;
    if (!memory.CreateCompatibleDC(&dc))
        return;
    memory.SelectObject(m_extra->second);
    dc.StretchBlt(band.left + (band.Width() - width) / 2, band.top + (band.Height() - height) / 2, width, height,
                  &memory, 0, 0, second.cx, second.cy, SRCCOPY);
}

CString CBitmapWindow::CaptionBesideIcon() const {
    // The gap stands for the blanks that some captions begin with, so every
    // kind of text sits as far from its icon.
    CString text = m_caption;
    text.TrimLeft();
    if (!text.IsEmpty())
        return text;
    CString key, name;
    key.Format(L"$AssignKind%d", m_assignmentType);
    const CLangTable* language = CLangTable::GetCurrent();
    return language && language->Translate(key, name) ? name : CString();
}

CString CBitmapWindow::FittedCaption(CDC& dc, int iconWidth) const {
    const CString text = CaptionBesideIcon();
    if (text.IsEmpty())
        return text;
    return ShortenToFit(text, iconWidth + kIconGap, m_inner.Width(),
                        [&dc](const CString& shown) { return static_cast<int>(dc.GetTextExtent(shown).cx); });
}

void CBitmapWindow::PaintCaption(CDC& dc) {
    const CRect band(m_inner.left, m_inner.bottom - kCaptionBand, m_inner.right, m_inner.bottom);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(DrawnTextColour(m_textColour));
    dc.SelectObject(m_font ? m_font->GetSafeHandle() : GetFallbackFont());
    auto icon = m_icons.find(m_assignmentType);
    if (icon == m_icons.end()) {
        CRect area = band;
        dc.DrawText(m_caption, &area, m_format | DT_END_ELLIPSIS);
        return;
    }
    const CSize iconSize = BitmapSize(icon->second);
    // The stored caption stays whole; only what is drawn is shortened.
    const CString shown = FittedCaption(dc, iconSize.cx);
    const int gap = shown.IsEmpty() ? 0 : kIconGap;
    const CSize text = shown.IsEmpty() ? CSize(0, 0) : dc.GetTextExtent(shown);
    const int left = band.left + (band.Width() - (iconSize.cx + gap + text.cx)) / 2;
    DrawBitmapAt(dc, *icon->second, left, band.top + (band.Height() - iconSize.cy) / 2, iconSize.cx, iconSize.cy);
    if (shown.IsEmpty())
        return;
    CRect area(left + iconSize.cx + gap, band.top, band.right, band.bottom);
    dc.DrawText(shown, &area, (m_format & ~(DT_CENTER | DT_RIGHT)) | DT_END_ELLIPSIS);
}

BOOL CBitmapWindow::OnEraseBkgnd(CDC*) { return FALSE; }

BOOL CBitmapWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (CWnd* parent = GetParent())
        parent->PostMessage(WM_COMMAND, wParam, lParam);
    return FALSE;
}

void CBitmapWindow::OnCaptureChanged(CWnd*) {
    if (!m_hover)
        return;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    Invalidate(false);
}

void CBitmapWindow::OnKillFocus(CWnd*) {
    Default();
    m_hover = 0;
    m_selected = 0;
    m_pressed = 0;
    Invalidate(false);
}

#include "gui/widgets/CTextItem.h"

#include "gui/skin/AttributeReaders.h"
#include "gui/widgets/CBitmapBtn.h"
#include "gui/skin/CFontItem.h"
#include "gui/core/CGUIItems.h"
#include "gui/core/ItemSupport.h"
#include "gui/skin/SymbolTables.h"
#include "platform/CDC.h"

namespace {

// The check box that 'checkboxid' names: only a BUTTON built as a check box.
CBitmapBtn* LinkedCheckBox(const pugi::xml_node& element, const CGUIItems& items) {
    pugi::xml_attribute attribute = element.attribute("checkboxid");
    if (!attribute)
        return nullptr;
    const int32_t id = FindSymbolId(SkinText(attribute));
    CGUIItem* item = id == -1 ? nullptr : items.FindById(id);
    auto* button = item && item->m_itemType == kItemBitmapButton ? dynamic_cast<CBitmapBtn*>(item) : nullptr;
    return button && button->IsCheckBox() ? button : nullptr;
}

}  // namespace

CTextItem::CTextItem(const wchar_t* text, int caseOption) {
    if (TranslateSkinText(text, m_text))
        ApplyCaseOption(m_text, caseOption);
    BreakFirstNewlineMarker(m_text);
}

CTextItem::~CTextItem() {
    m_hover = false;
    if (m_tooltip.GetSafeHwnd())
        m_tooltip.DestroyWindow();
}

UINT CTextItem::FormatFor(wchar_t justify, bool multiline) {
    switch (justify) {
    case L'R': return multiline ? DT_RIGHT | DT_WORDBREAK : DT_RIGHT | DT_VCENTER | DT_SINGLELINE;
    case L'C': return multiline ? DT_CENTER | DT_WORDBREAK : DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    default: return multiline ? DT_WORDBREAK : 0;
    }
}

COLORREF CTextItem::ChooseColour(bool disabled, bool hover, COLORREF text, COLORREF hoverColour,
                                 COLORREF disabledColour) {
    if (disabled && disabledColour != 0)
        return disabledColour;
    if (hover && hoverColour != 0)
        return hoverColour;
    return DrawnTextColour(text);
}

CTextItem* CTextItem::CreateFromElement(const pugi::xml_node& element, CWnd* parent, CGUIItems& items) {
    const int32_t id = ReadNameId(element);
    if (id == -1)
        return nullptr;
    auto* item = new CTextItem(SkinText(element.attribute("textkey")), ReadCaps(element, id));
    CWnd* under = ReadBitmapItemRef("windowid", element, items);
    if (!under)
        under = parent;
    const DWORD style = WS_CHILD | WS_VISIBLE | SS_OWNERDRAW | (ReadInteractive(element, false) ? SS_NOTIFY : 0);
    if (!under || !item->Create(L"", style, ReadItemRect(id, element), under, static_cast<UINT>(id))) {
        delete item;
        return nullptr;
    }
    item->SetItemFields(id, kItemTextItem, item->GetSafeHwnd(), under);
    item->m_format = FormatFor(ReadJustify(element), ReadMultiline(id, element));
    if ((item->m_font = ReadFontAttr(element, id, &items)) != nullptr)
        item->SetFont(item->m_font, true);
    CString tooltip;
    if (ReadTooltipAttr(element, tooltip))
        item->SetTooltip(tooltip);
    ReadColourAttr("fontclr", element, item->m_textColour);
    ReadColourAttr("fontclrhi", element, item->m_hoverColour);
    ReadColourAttr("disbfontclr", element, item->m_disabledColour);
    item->m_checkBox = LinkedCheckBox(element, items);
    return item;
}

void CTextItem::SetText(const wchar_t* text) {
    TranslateSkinText(text, m_text);
    BreakFirstNewlineMarker(m_text);
    InvalidateInParent(m_hWnd);
}

void CTextItem::SetTooltip(const wchar_t* text) { SetItemTooltip(m_tooltip, this, text); }

BOOL CTextItem::PreTranslateMessage(MSG* msg) {
    RelayToTooltip(m_tooltip, msg);
    return CStatic::PreTranslateMessage(msg);
}

void CTextItem::DrawItem(DRAWITEMSTRUCT* draw) {
    CDC dc;
    if (!draw || !dc.Attach(draw->hDC))
        return;
    dc.SelectObject(m_font ? m_font->GetSafeHandle() : GetFallbackFont());
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(ChooseColour(m_disabled, m_hover, m_textColour, m_hoverColour, m_disabledColour));
    CRect client;
    GetClientRect(&client);
    if (m_format != 0) {
        dc.DrawText(m_text, &client, m_format);
    } else {
        LOGFONTW font = {};
        ::GetObjectW(::GetCurrentObject(dc, OBJ_FONT), sizeof font, &font);
        dc.TextOut(draw->rcItem.left + 5, draw->rcItem.top + client.Height() / 2 - font.lfHeight / 2, m_text);
    }
    dc.Detach();  // selects the previous font back
}

void CTextItem::SetHover(bool hover) {
    m_hover = hover;
    if (m_checkBox) {
        m_checkBox->SetHoverFromLabel(hover);
        m_checkBox->Invalidate(false);
    }
    InvalidateInParent(m_hWnd);
}

void CTextItem::OnMouseMove(UINT flags, CPoint point) {
    Default();
    const bool leftDown = (flags & MK_LBUTTON) != 0;
    if ((leftDown && !m_hover) || m_disabled)
        return;
    if (::GetCapture() != m_hWnd) {
        if (::GetActiveWindow() && GetOwner()) {
            SetHover(true);
            SetCapture();
        }
        return;
    }
    ClientToScreen(&point);
    HWND under = ::WindowFromPoint(point);
    if (under && under != m_hWnd) {
        if (m_hover)
            SetHover(false);
        if (!leftDown)
            ::ReleaseCapture();
    }
}

void CTextItem::OnCaptureChanged(CWnd*) {
    // The hover flag stays: the next move over another window clears it.
    if (m_hover) {
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
        InvalidateInParent(m_hWnd);
    }
}

void CTextItem::OnLButtonDown(UINT, CPoint) {
    CWnd* top = GetTopLevelParent();
    if (top && ::GetActiveWindow() != top->GetSafeHwnd())
        top->SetActiveWindow();
    Default();
}

void CTextItem::OnLButtonUp(UINT, CPoint) {
    Default();
    if (!m_checkBox || !m_checkBox->GetSafeHwnd())
        return;
    if (m_checkBox->TogglesOnClick())
        m_checkBox->SetCheckState(m_checkBox->GetCheckState() ? 0 : 1);
    // The parent tells senders apart by the window in lParam: a click on
    // the label reads as a click on its check box.
    ::SendMessageW(::GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED),
                   reinterpret_cast<LPARAM>(m_checkBox->GetSafeHwnd()));
    InvalidateInParent(m_hWnd);
}

BOOL CTextItem::OnEraseBkgnd(CDC*) { return FALSE; }

HBRUSH CTextItem::OnReflectedCtlColor(CDC* dc, UINT) {
    dc->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

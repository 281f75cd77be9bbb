#include "gui/widgets/CEditItem.h"

#include "gui/skin/AttributeReaders.h"
#include "gui/skin/CFontItem.h"
#include "gui/widgets/CGenericPanel.h"
#include "gui/core/CGUIItems.h"
#include "gui/core/CRawInputDevices.h"
#include "gui/core/ItemSupport.h"
#include "platform/CClientDC.h"
#include "platform/CDC.h"

CEditItem::CEditItem() { SetItemFields(-1, kItemEdit, kNoWindowYet, nullptr); }

CEditItem::~CEditItem() {
    if (GetSafeHwnd())
        DestroyWindow();
    delete m_borderPanel;  // destroys the frame's window
    if (m_tooltip.GetSafeHwnd())
        m_tooltip.DestroyWindow();
}

bool CEditItem::Build(CEditItem* item, const pugi::xml_node& element, CWnd* parent, CGUIItems& items, int32_t id,
                      bool singleKey) {
    ReadColourAttr("fontclr", element, item->m_fontColour);
    ReadColourAttr("fontclrhi", element, item->m_fontColourHot);
    ReadColourAttr("backclr", element, item->m_backColour);
    ReadColourAttr("backclrhi", element, item->m_backColourHot);
    ReadColourAttr("bdrclr", element, item->m_borderColour);
    if (!singleKey) {
        ReadColourAttr("disbbackclr", element, item->m_disabledBackColour);
        ReadColourAttr("disbbdrclr", element, item->m_disabledBorderColour);
        ReadColourAttr("disbfontclr", element, item->m_disabledFontColour);
    }
    if (pugi::xml_attribute border = element.attribute("bdrwidth")) {
        const int32_t width = ParseSkinNumber(border.value());
        item->m_borderWidth = width < 0 ? 0 : width;
    }
    item->m_font = ReadFontAttr(element, id, &items);
    const CRect rect = ReadItemRect(id, element);
    const bool centred = singleKey || ReadJustify(element) == L'C';
    if (!parent || !item->CreateWithBorder(WS_CHILD | WS_VISIBLE | (centred ? ES_CENTER : 0), rect, parent,
                                           static_cast<UINT>(id)))
        return false;
    if (singleKey) {
        CRawInputDevices& devices = GetRawInputDevices();
        devices.AddUsage(CRawInputDevices::kUsageKeyboard);
        item->m_rawInputClient = devices.RegisterAll(item->GetSafeHwnd());
    }
    if (pugi::xml_attribute limit = element.attribute("max")) {
        const int32_t chars = ParseSkinNumber(limit.value());
        item->SetLimitText(static_cast<UINT>(chars < 0 ? 0 : chars));
    }
    CString tooltip;
    if (!singleKey && ReadTooltipAttr(element, tooltip))
        item->SetTooltip(tooltip);
    item->SetItemFields(id, singleKey ? kItemEditSingleKey : kItemEdit, item->GetSafeHwnd(), parent);
    return true;
}

CEditItem* CEditItem::CreateFromElement(const pugi::xml_node& element, CWnd* parent, CGUIItems& items) {
    return CreateOfClass<CEditItem>(element, parent, items, false);
}

bool CEditItem::CreateWithBorder(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    if (!parent || m_borderPanel)
        return false;
    CRect outer(rect);
    outer.InflateRect(m_borderWidth, m_borderWidth);
    m_borderPanel = new CGenericPanel(m_borderWidth);
    m_borderPanel->SetBorderColour(m_borderColour);
    m_borderPanel->SetBackgroundColour(m_backColour);
    if (!m_borderPanel->Create(outer, parent)) {
        delete m_borderPanel;
        m_borderPanel = nullptr;
        return false;
    }
    // Tab looks into the frame for the edit when a dialog makes it a tab stop.
    m_borderPanel->ModifyStyleEx(0, WS_EX_CONTROLPARENT);
    SetOwner(parent);
    if (!Create(style, m_borderPanel->GetInnerRect(), m_borderPanel, id))
        return false;
    CentreLineInFrame();
    return true;
}

CRect CEditItem::LineRect(const CRect& inner, int lineHeight) {
    if (lineHeight <= 0 || lineHeight >= inner.Height())
        return inner;
    const int top = inner.top + (inner.Height() - lineHeight) / 2;
    return CRect(inner.left, top, inner.right, top + lineHeight);
}

void CEditItem::CentreLineInFrame() {
    if (!GetSafeHwnd() || !m_borderPanel)
        return;
    CClientDC dc(this);
    const auto font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    HGDIOBJ old = font ? ::SelectObject(dc.GetSafeHdc(), font) : nullptr;
    TEXTMETRICW metrics = {};
    const bool measured = dc.GetTextMetrics(&metrics);
    if (old)
        ::SelectObject(dc.GetSafeHdc(), old);
    if (!measured)
        return;
    const CRect line = LineRect(m_borderPanel->GetInnerRect(), metrics.tmHeight);
    MoveWindow(line.left, line.top, line.Width(), line.Height(), true);
}

void CEditItem::Show(bool show) {
    if (m_borderPanel && m_borderPanel->GetSafeHwnd())
        m_borderPanel->ShowWindow(show ? SW_SHOW : SW_HIDE);
    if (GetSafeHwnd())
        ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void CEditItem::SetTooltip(const wchar_t* text) { SetItemTooltip(m_tooltip, this, text); }

bool CEditItem::AcceptsDigit(const CString& text, wchar_t digit, uint32_t minValue, uint32_t maxValue) {
    if (digit < L'0' || digit > L'9')
        return false;
    // 64 bits, and a value past 32 bits held there: a long text can never
    // wrap round into the range.
    constexpr uint64_t kPastRange = uint64_t{1} << 32;
    uint64_t value = 0;
    for (int i = 0; i < text.GetLength() && text[i] >= L'0' && text[i] <= L'9'; ++i)
        value = std::min<uint64_t>(value * 10 + static_cast<uint64_t>(text[i] - L'0'), kPastRange);
    const uint64_t candidate = text.IsEmpty() ? static_cast<uint64_t>(digit - L'0')
                                              : value * 10 + static_cast<uint64_t>(digit - L'0');
    return candidate >= minValue && candidate <= maxValue;
}

bool CEditItem::IsDigitModeKey(UINT key) {
    return key == VK_BACK || key == VK_LEFT || key == VK_RIGHT || key == VK_DELETE || (key >= '0' && key <= '9') ||
           (key >= VK_NUMPAD0 && key <= VK_NUMPAD9);
}

BOOL CEditItem::PreTranslateMessage(MSG* msg) {
    if (m_numericOnly && msg) {
        switch (msg->message) {
        case WM_KEYDOWN: {
            const auto key = static_cast<UINT>(msg->wParam);
            // Enter and Escape belong to the dialog holding the edit: they
            // confirm and cancel it as anywhere else.
            if (key == VK_RETURN || key == VK_ESCAPE)
                return FALSE;
            return IsDigitModeKey(key) ? CEdit::PreTranslateMessage(msg) : TRUE;
        }
        case WM_CHAR: {
            const auto ch = static_cast<wchar_t>(msg->wParam);
            if (ch >= L'0' && ch <= L'9') {
                CString text;
                GetWindowText(text);
                if (!AcceptsDigit(text, ch, m_minValue, m_maxValue))
                    return TRUE;
            } else if (ch != VK_BACK) {
                return TRUE;
            }
            break;
        }
        case WM_CONTEXTMENU: return TRUE;
        default: break;
        }
    }
    if (!m_tooltip.GetSafeHwnd() && GetSafeHwnd() && m_tooltip.Create(this, 0))
        m_tooltip.Activate(false);
    RelayToTooltip(m_tooltip, msg);
    return CEdit::PreTranslateMessage(msg);
}

void CEditItem::ShowTextAtEnd(const wchar_t* text) {
    if (!GetSafeHwnd())
        return;
    SetWindowText(text);
    const int length = GetWindowTextLength();
    SetSel(length, length);
}

int CEditItem::OnCreate(CREATESTRUCTW* create) {
    const int result = CEdit::OnCreate(create);
    m_backBrush.DeleteObject();
    m_backBrush.CreateSolidBrush(m_backColour);
    Invalidate();
    if (m_font)
        SetFont(m_font, true);
    if (m_borderPanel) {
        m_borderPanel->SetBorderColour(m_borderColour);
        m_borderPanel->SetBackgroundColour(m_backColour);
    }
    return result;
}

void CEditItem::OnDestroy() {
    // Only the registration this edit made is undone: another edit or the
    // macro editor may be the one receiving the keyboard.
    if (m_rawInputClient)
        GetRawInputDevices().UnregisterAll(m_hWnd);
    m_rawInputClient = false;
    CEdit::OnDestroy();
}

HBRUSH CEditItem::OnReflectedCtlColor(CDC* dc, UINT) {
    const bool enabled = IsWindowEnabled();
    dc->SetTextColor(enabled ? m_fontColour : m_disabledFontColour);
    dc->SetBkColor(enabled ? m_backColour : m_disabledBackColour);
    const COLORREF border = enabled ? m_borderColour : m_disabledBorderColour;
    ::SetDCPenColor(dc->GetSafeHdc(), border);
    ::SetDCBrushColor(dc->GetSafeHdc(), border);
    return static_cast<HBRUSH>(m_backBrush.GetSafeHandle());
}

BOOL CEditItem::OnReflectedCommand(UINT code) {
    if (code == EN_CHANGE) {
        if (CWnd* owner = GetOwner())
            owner->SendMessage(WM_EDITITEM_CHANGED, 0, reinterpret_cast<LPARAM>(m_hWnd));
        return TRUE;
    }
    if (code == EN_KILLFOCUS) {
        // The edit's parent is its frame: the dialog that owns it hears of
        // the focus leaving as if it were the edit's parent.  The owner
        // reflects that command back here first; it is its own to handle.
        if (m_tellingOwner)
            return FALSE;
        CWnd* owner = GetOwner();
        if (owner && owner->GetSafeHwnd() && owner->GetSafeHwnd() != ::GetParent(m_hWnd)) {
            m_tellingOwner = true;
            owner->SendMessage(WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(m_hWnd), EN_KILLFOCUS),
                               reinterpret_cast<LPARAM>(m_hWnd));
            m_tellingOwner = false;
        }
        return FALSE;
    }
    return code == EN_UPDATE;
}

BOOL CEditItem::OnEraseBkgnd(CDC*) { return FALSE; }

void CEditItem::OnRButtonDown(UINT, CPoint) {}

#include "gui/widgets/CBitmapBtn.h"

#include "gui/core/BitmapUtils.h"
#include "gui/skin/CFontItem.h"
#include "gui/core/CGUIItems.h"
#include "gui/skin/CLangTable.h"
#include "gui/core/ItemSupport.h"
#include "platform/CClientDC.h"
#include "platform/CMemoryDC.h"

#include <algorithm>

namespace {

const char* const kPictureNames[] = {"SBMN", "SBMO", "SBMD", "SBMDS", "SBMM"};

// A language may name other pictures for a button.
void ApplyLanguagePictures(const pugi::xml_node& element, int32_t id, ButtonBitmaps& set) {
    const CLangTable* table = CLangTable::GetCurrent();
    if (!table)
        return;
    CBitmap** slots[] = {&set.sbmn, &set.sbmo, &set.sbmd, &set.sbmds, &set.sbmm};
    for (int i = 0; i < 5; ++i)
        if (table->GetAttribute(id, CString::FromUtf8(kPictureNames[i])))
            *slots[i] = ReadLangBitmapAttr(id, kPictureNames[i], element);
}

bool CopyAtSize(CBitmap& destination, CDC& dc, const CBitmap* source, int width, int height) {
    if (!source || !source->GetSafeHandle() || width <= 0 || height <= 0)
        return false;
    StretchBitmap(&destination, &dc, source, RECT{0, 0, width, height});
    return destination.GetSafeHandle() != nullptr;
}

}  // namespace

CBitmapBtn::CBitmapBtn() = default;

CBitmapBtn::~CBitmapBtn() {
    if (m_tooltip.GetSafeHwnd())
        m_tooltip.DestroyWindow();
}

CBitmapBtn::Picture CBitmapBtn::ChoosePicture(bool isCheckBox, bool checked, bool disabled, bool pressed,
                                              bool hover) {
    if (isCheckBox)
        return checked ? kDown : disabled ? kDisabled : hover ? kOver : kNormal;
    return disabled ? kDisabled : (checked || pressed) ? kDown : hover ? kOver : kNormal;
}

COLORREF CBitmapBtn::ChooseCaptionColour(const COLORREF (&colours)[4], bool checked, bool pressed, bool ownHover,
                                         bool disabled) {
    const int state = (checked || pressed) ? kDown : ownHover ? kOver : disabled ? kDisabled : kNormal;
    return DrawnTextColour(colours[state]);
}

UINT CBitmapBtn::CaptionFormatFor(wchar_t justify, bool multiline, UINT multilineFlags) {
    UINT format = DT_EDITCONTROL | DT_MODIFYSTRING;
    if (justify == L'R')
        format |= DT_RIGHT;
    else if (justify == L'C')
        format |= DT_CENTER;
    return format | (multiline ? multilineFlags : DT_SINGLELINE | DT_WORDBREAK | DT_VCENTER);
}

DWORD CBitmapBtn::StyleFor(wchar_t justify) {
    DWORD style = WS_VISIBLE | BS_MULTILINE | BS_VCENTER | BS_OWNERDRAW;
    if (justify == L'L')
        style |= BS_LEFT;
    else if (justify == L'R')
        style |= BS_RIGHT;
    else if (justify == L'C')
        style |= BS_CENTER;
    return style;
}

bool CBitmapBtn::BuildFromElement(const pugi::xml_node& element, int32_t id, CWnd* parent, CGUIItems& items,
                                  ButtonBitmaps& pictures, UINT multilineFlags) {
    ReadButtonBitmaps(element, id, pictures);
    ApplyLanguagePictures(element, id, pictures);
    const wchar_t justify = ReadJustify(element);
    const bool multiline = ReadMultiline(id, element);
    if (!parent || !Create(L"", WS_CHILD | StyleFor(justify), pictures.rect, parent, 0))
        return false;
    SetItemFields(id, m_itemType, m_hWnd, parent);
    m_isCheckBox = ReadIsCheckbox(element) ? 1 : 0;
    for (int state = 0; state < 4; ++state)
        ReadColourAttr("fontclr", element.child(kPictureNames[state]), m_captionColours[state]);
    m_captionFormat = CaptionFormatFor(justify, multiline, multilineFlags);
    if (pictures.sbmm)
        LoadStateBitmapsWithRegion(pictures);
    else
        LoadStateBitmaps(pictures);
    ModifyStyle(WS_BORDER | WS_TABSTOP, 0);
    if ((m_font = ReadFontAttr(element, id, &items)) != nullptr)
        SetFont(m_font, true);
    CString tooltip;
    if (ReadTooltipAttr(element, tooltip))
        SetTooltip(tooltip);
    SetCaption(SkinText(element.attribute("caption")), ReadCaps(element, id));
    return true;
}

CBitmapBtn* CBitmapBtn::CreateFromElement(const pugi::xml_node& element, CWnd* parent, CGUIItems& items) {
    const int32_t id = ReadNameId(element);
    if (id == -1)
        return nullptr;
    auto* button = new CBitmapBtn;
    button->m_itemType = kItemBitmapButton;
    CWnd* under = ReadBitmapItemRef("windowid", element, items);
    ButtonBitmaps pictures;
    if (!button->BuildFromElement(element, id, under ? under : parent, items, pictures, DT_WORDBREAK)) {
        delete button;
        return nullptr;
    }
    return button;
}

void CBitmapBtn::SetCaption(const wchar_t* text, int caseOption) {
    TranslateSkinText(text, m_caption);
    ApplyCaseOption(m_caption, caseOption);
    BreakFirstNewlineMarker(m_caption);
    if (m_hWnd)
        Repaint();
}

void CBitmapBtn::SetCheckState(int state) {
    if (m_checked == state)
        return;
    m_checked = state;
    if (m_hWnd)
        Repaint();
}

void CBitmapBtn::SetTooltip(const wchar_t* text) { SetItemTooltip(m_tooltip, this, text); }

BOOL CBitmapBtn::PreTranslateMessage(MSG* msg) {
    RelayToTooltip(m_tooltip, msg);
    return CButton::PreTranslateMessage(msg);
}

bool CBitmapBtn::LoadStateBitmaps(const ButtonBitmaps& set) {
    CRect client;
    GetClientRect(&client);
    CClientDC dc(this);
    const CBitmap* sources[] = {set.sbmn, set.sbmo, set.sbmd, set.sbmds};
    for (int i = 0; i < 4; ++i)
        CopyAtSize(m_pictures[i], dc, sources[i], client.Width(), client.Height());
    return m_pictures[kNormal].GetSafeHandle() != nullptr;
}

bool CBitmapBtn::LoadStateBitmapsWithRegion(const ButtonBitmaps& set) {
    const bool loaded = LoadStateBitmaps(set);
    CRect client;
    GetClientRect(&client);
    CClientDC dc(this);
    if (CopyAtSize(m_pictures[kMask], dc, set.sbmm, client.Width(), client.Height()) && !m_region.GetSafeHandle()) {
        if (HRGN region = CreateRegionFromBitmap(m_pictures[kMask])) {
            m_region.Attach(region);
            SetWindowRgn(m_region, true);  // the window's from now on
        }
    }
    return loaded;
}

void CBitmapBtn::StartBlink(UINT periodMs, Picture first) {
    m_blinkPeriod = periodMs;
    m_blink = &m_pictures[first == kDown ? kDown : kNormal];
    SetTimer(kBlinkTimer, periodMs);
    Repaint();
}

void CBitmapBtn::StopBlink() {
    KillTimer(kBlinkTimer);
    m_blink = nullptr;
    Repaint();
}

void CBitmapBtn::PreSubclassWindow() {
    // Owner drawn whatever the creator asked for, and never a tab stop.
    ModifyStyle(BS_TYPEMASK | WS_TABSTOP, BS_OWNERDRAW);
}

void CBitmapBtn::DrawItem(DRAWITEMSTRUCT* draw) {
    if (!draw)
        return;
    const bool disabled = (draw->itemState & ODS_DISABLED) != 0;
    const bool pressed = (draw->itemState & ODS_SELECTED) != 0;
    const CBitmap* picture = m_blink;
    if (!picture) {
        picture = &m_pictures[StatePicture(disabled, pressed)];
        if (!picture->GetSafeHandle())
            picture = &m_pictures[kNormal];  // a skin without that state's picture
    }
    DrawPictureAndCaption(draw, *picture,
                          ChooseCaptionColour(m_captionColours, m_checked != 0, pressed, m_hover != 0, disabled));
    if ((draw->itemState & ODS_FOCUS) && !(draw->itemState & ODS_NOFOCUSRECT) && IsKeyboardReachable()) {
        CRect client;
        GetClientRect(&client);
        const CRect mark = FocusMarkRect(client, IsCheckBox());
        ::DrawFocusRect(draw->hDC, &mark);
    }
}

bool CBitmapBtn::IsKeyboardReachable() const { return m_hWnd && (GetStyle() & WS_TABSTOP) != 0; }

CRect CBitmapBtn::FocusMarkRect(const CRect& client, bool isCheckBox) {
    // Inside a push button's rounded edge; a small check box keeps its
    // tick in view.
    CRect mark = client;
    const int inset = isCheckBox ? 1 : 4;
    mark.DeflateRect(inset, inset);
    return mark;
}

CBitmapBtn::Picture CBitmapBtn::StatePicture(bool disabled, bool pressed) const {
    return ChoosePicture(IsCheckBox(), m_checked != 0, disabled, pressed, m_hover || m_hoverFromLabel);
}

bool CBitmapBtn::RenderLook(Picture which, CBitmap& look) {
    if (!m_hWnd || which < kNormal || which > kDisabled)
        return false;
    const CBitmap& picture = m_pictures[which].GetSafeHandle() ? m_pictures[which] : m_pictures[kNormal];
    if (!picture.GetSafeHandle())
        return false;
    CRect client;
    GetClientRect(&client);
    CClientDC screen(this);
    look.DeleteObject();
    CDC memory;
    if (!look.CreateCompatibleBitmap(&screen, client.Width(), client.Height()) || !memory.CreateCompatibleDC(&screen))
        return false;
    memory.SelectObject(&look);
    memory.FillSolidRect(&client, 0);
    DRAWITEMSTRUCT draw = {};
    draw.hDC = memory.GetSafeHdc();
    draw.rcItem = client;
    DrawPictureAndCaption(&draw, picture, DrawnTextColour(m_captionColours[which]));
    memory.DeleteDC();
    return true;
}

void CBitmapBtn::DrawPictureAndCaption(DRAWITEMSTRUCT* draw, const CBitmap& picture, COLORREF captionColour) {
    CDC target;
    if (!target.Attach(draw->hDC))
        return;
    CRect client;
    GetClientRect(&client);
    const int width = client.Width(), height = client.Height();
    {
        CMemoryDC image(&target, width, height);
        CDC source;
        source.CreateCompatibleDC(&target);
        source.SelectObject(&picture);
        if (m_pictures[kMask].GetSafeHandle()) {
            // Background where the mask is white, picture where it is black.
            CDC mask;
            mask.CreateCompatibleDC(&target);
            mask.SelectObject(&m_pictures[kMask]);
            image.BitBlt(0, 0, width, height, &target, 0, 0, SRCCOPY);
            image.BitBlt(0, 0, width, height, &source, 0, 0, SRCINVERT);
            image.BitBlt(0, 0, width, height, &mask, 0, 0, SRCAND);
            image.BitBlt(0, 0, width, height, &source, 0, 0, SRCINVERT);
        } else {
            image.BitBlt(0, 0, width, height, &source, 0, 0, SRCCOPY);
        }
        if (!m_caption.IsEmpty()) {
            image.SetBkMode(TRANSPARENT);
            image.SetTextColor(captionColour);
            image.SelectObject(m_font ? m_font->GetSafeHandle() : GetFallbackFont());
            CRect area = client;
            if (!CaptionOverWholeClient() && !(m_captionFormat & DT_SINGLELINE)) {
                // A block of lines is centred as a whole.
                CRect block = client;
                image.DrawText(m_caption, &block, DT_CALCRECT | DT_WORDBREAK);
                area.DeflateRect(std::max(0, (width - block.Width()) / 2), std::max(0, (height - block.Height()) / 2));
            }
            image.DrawText(m_caption, &area, m_captionFormat);
        }
        target.BitBlt(0, 0, width, height, &image, 0, 0, SRCCOPY);
    }
    target.Detach();
}

void CBitmapBtn::OnMouseMove(UINT flags, CPoint point) {
    Default();
    const bool leftDown = (flags & MK_LBUTTON) != 0;
    if (leftDown && !m_hover)
        return;
    if (::GetCapture() != m_hWnd) {
        if (::GetActiveWindow() && ::GetParent(m_hWnd)) {
            m_hover = 1;
            BringWindowToTop();
            SetCapture();
            Repaint();
        }
        return;
    }
    ClientToScreen(&point);
    if (::WindowFromPoint(point) != m_hWnd) {
        m_hover = 0;
        Repaint();
        if (!leftDown)
            ::ReleaseCapture();
    }
}

void CBitmapBtn::OnLButtonDown(UINT, CPoint) {
    CWnd* top = GetTopLevelParent();
    if (top && ::GetActiveWindow() != top->GetSafeHwnd())
        top->SetActiveWindow();
    if (!IsCheckBox()) {
        Default();  // the button reports BN_CLICKED on release
        return;
    }
    ClickCheckBox();
}

void CBitmapBtn::ClickCheckBox() {
    if (TogglesOnClick())
        m_checked = m_checked ? 0 : 1;
    Repaint();
    HWND hwnd = m_hWnd;
    if (CWnd* owner = GetOwner())
        ::SendMessageW(owner->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED),
                       reinterpret_cast<LPARAM>(hwnd));
}

LRESULT CBitmapBtn::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // Enter on a focused push button is that button's, not the dialog's
    // default: Enter on Cancel cancels.
    if (message == WM_GETDLGCODE && !IsCheckBox() && IsKeyboardReachable()) {
        const auto* msg = reinterpret_cast<const MSG*>(lParam);
        if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN)
            return DLGC_BUTTON | DLGC_WANTMESSAGE;
    }
    return CButton::WindowProc(message, wParam, lParam);
}

void CBitmapBtn::OnKeyDown(UINT key, UINT repeat, UINT flags) {
    if (IsKeyboardReachable()) {
        if (key == VK_RETURN && !IsCheckBox()) {
            if ((flags & KF_REPEAT) == 0 && IsWindowEnabled())
                if (CWnd* parent = GetParent())
                    ::SendMessageW(parent->GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED),
                                   reinterpret_cast<LPARAM>(m_hWnd));
            return;
        }
        // A check box acts on the release, as a pushed button does.
        if (key == VK_SPACE && IsCheckBox())
            return;
    }
    CButton::OnKeyDown(key, repeat, flags);
}

void CBitmapBtn::OnKeyUp(UINT key, UINT repeat, UINT flags) {
    if (key == VK_SPACE && IsCheckBox() && IsKeyboardReachable()) {
        ClickCheckBox();
        return;
    }
    CButton::OnKeyUp(key, repeat, flags);
}

void CBitmapBtn::OnLButtonUp(UINT, CPoint) {
    if (IsCheckBox())
        return;  // it reported on button-down
    Default();
    if (m_hWnd)
        Repaint();
}

void CBitmapBtn::OnLButtonDblClk(UINT, CPoint) {}

void CBitmapBtn::OnCaptureChanged(CWnd*) {
    // The button's own press takes the capture this button already holds
    // for hovering, and some systems report that as a change too: the
    // capture has not gone anywhere, and letting go of it here would leave
    // the press without its release.
    if (::GetCapture() == m_hWnd)
        return;
    Default();  // a press the capture really left is undone
    if (m_hover)
        Repaint();
}

void CBitmapBtn::OnKillFocus(CWnd*) {
    Default();
    m_hover = 0;
    Repaint();
}

void CBitmapBtn::OnTimer(UINT_PTR id) {
    if (id != kBlinkTimer)
        return;
    KillTimer(kBlinkTimer);
    m_blink = m_blink == &m_pictures[kNormal] ? &m_pictures[kDown] : &m_pictures[kNormal];
    SetTimer(kBlinkTimer, m_blinkPeriod);
    Repaint();
}

BOOL CBitmapBtn::OnEraseBkgnd(CDC*) { return FALSE; }

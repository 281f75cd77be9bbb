#include "gui/widgets/CXComboList.h"

#include <algorithm>

namespace {

ComboListMessages g_messages;

constexpr UINT kListBoxId = 1;
constexpr UINT kScrollBarId = 2;

}  // namespace

void RegisterComboListMessages() {
    g_messages.vkReturn = ::RegisterWindowMessageW(L"WM_XCOMBOLIST_VK_RETURN");
    g_messages.vkEscape = ::RegisterWindowMessageW(L"WM_XCOMBOLIST_VK_ESCAPE");
    g_messages.keyDown = ::RegisterWindowMessageW(L"WM_XCOMBOLIST_KEYDOWN");
    g_messages.lButtonUp = ::RegisterWindowMessageW(L"WM_XCOMBOLIST_LBUTTONUP");
}

const ComboListMessages& GetComboListMessages() { return g_messages; }

CXComboList::Fit CXComboList::FitToRows(int windowHeight, int itemHeight) {
    // A list box that reports no height still shows one row of the window.
    if (itemHeight <= 0)
        return Fit{std::max(windowHeight - kFrameHeight, 0), 1, std::max(windowHeight, kFrameHeight)};
    const int rows = std::max(windowHeight / itemHeight, 1);
    return Fit{rows * itemHeight, rows, rows * itemHeight + kFrameHeight};
}

int CXComboList::KeyTarget(UINT key, int pos, int page, int maximum, const std::function<int(wchar_t)>& find) {
    int target;
    switch (key) {
    case VK_DOWN: target = pos + 1; break;
    case VK_UP: target = pos - 1; break;
    case VK_NEXT: target = pos + page - 1; break;
    case VK_PRIOR: target = pos - page + 1; break;
    case VK_HOME: target = 0; break;
    case VK_END: target = maximum; break;
    default:
        if (key < 'A' || key > 'Z' || !find)
            return -1;
        target = find(static_cast<wchar_t>(key));
        if (target < 0)
            return -1;
        break;
    }
    return std::max(0, std::min(target, maximum));
}

CXComboList::CXComboList(CWnd* owner) : m_listBox(*this), m_owner(owner) {}

CXComboList::~CXComboList() {
    if (GetSafeHwnd())
        DestroyWindow();
}

bool CXComboList::CreatePopup(const RECT& screenRect) {
    const wchar_t* windowClass = RegisterWndClass(CS_SAVEBITS | CS_CLASSDC, ::LoadCursorW(nullptr, IDC_ARROW));
    const CRect r(screenRect);
    return CreateEx(0, windowClass, L"", WS_POPUP | WS_BORDER | WS_VISIBLE, r.left, r.top, r.Width(), r.Height(),
                    m_owner ? m_owner->GetSafeHwnd() : nullptr, nullptr);
}

int CXComboList::OnCreate(CREATESTRUCTW* create) {
    const int result = CWnd::OnCreate(create);
    if (result == -1)
        return result;
    const CRect none(0, 0, 0, 0);
    if (!m_listBox.Create(L"LISTBOX", nullptr, WS_CHILD | WS_VISIBLE | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY, none, this,
                          kListBoxId) ||
        !m_scrollBar.Create(L"SCROLLBAR", nullptr, WS_CHILD | WS_VISIBLE | SBS_VERT, none, this, kScrollBarId))
        return -1;
    if (m_owner && m_owner->GetSafeHwnd()) {
        const HFONT font = m_owner->GetFont();
        m_listBox.SetFont(font, false);
        m_scrollBar.SetFont(font, false);
    }
    return result;
}

void CXComboList::Show() {
    if (!m_hWnd)
        return;
    if (m_firstShow) {
        m_firstShow = false;
        const int itemHeight = static_cast<int>(m_listBox.SendMessage(LB_GETITEMHEIGHT, 0));
        CRect window;
        GetWindowRect(&window);
        const Fit fit = FitToRows(window.Height(), itemHeight);
        SetWindowPos(static_cast<HWND>(nullptr), 0, 0, window.Width(), fit.windowHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        CRect client;
        GetClientRect(&client);
        m_listBox.MoveWindow(client.left + 1, client.top + 1, std::max(0, client.Width() - 1 - kScrollBarWidth),
                             fit.listHeight, false);
        m_scrollBar.MoveWindow(client.right - kScrollBarWidth, client.top + 1, kScrollBarWidth, fit.listHeight, false);
        const int count = GetCount();
        const int selected = std::max(GetCurSel(), 0);
        SCROLLINFO info = {};
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        info.nMin = 0;
        // The positions are those of the entries, the last one the maximum.
        info.nMax = std::max(count - 1, 0);
        info.nPage = static_cast<UINT>(fit.rows);
        info.nPos = selected;
        m_scrollBar.SetScrollInfo(SB_CTL, &info, false);
        m_listBox.SendMessage(LB_SETTOPINDEX, static_cast<WPARAM>(std::max(selected - 1, 0)));
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    }
    m_listBox.SetFocus();
}

CWnd* CXComboList::GetScrollBar() { return &m_scrollBar; }

int CXComboList::AddString(const wchar_t* text) {
    return static_cast<int>(m_listBox.SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text ? text : L"")));
}

int CXComboList::GetCount() const {
    const int count = m_listBox.GetSafeHwnd() ? static_cast<int>(m_listBox.SendMessage(LB_GETCOUNT)) : 0;
    return std::max(count, 0);
}

int CXComboList::GetCurSel() const {
    return m_listBox.GetSafeHwnd() ? static_cast<int>(m_listBox.SendMessage(LB_GETCURSEL)) : -1;
}

void CXComboList::SetCurSel(int index) {
    if (m_listBox.GetSafeHwnd())
        m_listBox.SendMessage(LB_SETCURSEL, static_cast<WPARAM>(index));
}

int CXComboList::FindExact(const wchar_t* text) const {
    if (!m_listBox.GetSafeHwnd())
        return -1;
    const int found = static_cast<int>(
        m_listBox.SendMessage(LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text ? text : L"")));
    return found == LB_ERR ? -1 : found;
}

CString CXComboList::GetText(int index) const {
    CString text;
    if (!m_listBox.GetSafeHwnd() || index < 0 || index >= GetCount())
        return text;
    const int length = static_cast<int>(m_listBox.SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(index)));
    if (length <= 0)
        return text;
    wchar_t* buffer = text.GetBuffer(length);
    const int copied = static_cast<int>(
        m_listBox.SendMessage(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer)));
    text.ReleaseBuffer(std::max(0, std::min(copied, length)));
    return text;
}

CString CXComboList::GetSelectedText() const { return GetText(GetCurSel()); }

void CXComboList::SetListFont(HFONT font) {
    if (m_listBox.GetSafeHwnd())
        m_listBox.SetFont(font, true);
}

void CXComboList::Notify(UINT registered) {
    if (registered != 0 && m_owner && m_owner->GetSafeHwnd())
        m_owner->SendMessage(registered, 0, 0);
}

int CXComboList::BarMaximum() const {
    SCROLLINFO info = {};
    return m_scrollBar.GetSafeHwnd() && m_scrollBar.GetScrollInfo(SB_CTL, &info, SIF_RANGE) ? info.nMax : 0;
}

int CXComboList::BarPage() const {
    SCROLLINFO info = {};
    return m_scrollBar.GetSafeHwnd() && m_scrollBar.GetScrollInfo(SB_CTL, &info, SIF_PAGE)
               ? static_cast<int>(info.nPage)
               : 0;
}

void CXComboList::SetBarPosition(int position) {
    if (m_scrollBar.GetSafeHwnd())
        m_scrollBar.SetScrollPos(SB_CTL, std::max(0, std::min(position, BarMaximum())), true);
}

BOOL CXComboList::PreTranslateMessage(MSG* msg) {
    if (msg->hwnd != m_hWnd && msg->hwnd != m_listBox.GetSafeHwnd())
        return FALSE;
    if (msg->message == WM_KEYDOWN)
        OnFilterKey(static_cast<UINT>(msg->wParam));
    else if (msg->message == WM_LBUTTONUP && msg->hwnd == m_listBox.GetSafeHwnd())
        Notify(g_messages.lButtonUp);
    // The list box goes on to handle the key or the click itself.
    return FALSE;
}

void CXComboList::OnFilterKey(UINT key) {
    if (key == VK_RETURN) {
        Notify(g_messages.vkReturn);
        return;
    }
    if (key == VK_ESCAPE) {
        Notify(g_messages.vkEscape);
        return;
    }
    const int pos = std::max(GetCurSel(), 0);
    const int target = KeyTarget(key, pos, BarPage(), BarMaximum(), [this, pos](wchar_t letter) {
        const wchar_t prefix[2] = {letter, 0};
        const int found = static_cast<int>(m_listBox.SendMessage(LB_FINDSTRING, static_cast<WPARAM>(pos),
                                                                 reinterpret_cast<LPARAM>(prefix)));
        return found == LB_ERR ? -1 : found;
    });
    if (target < 0)
        return;
    Notify(g_messages.keyDown);
    SetBarPosition(target);
}

void CXComboList::OnLButtonDown(UINT, CPoint) {
    Notify(g_messages.lButtonUp);
    Default();
}

void CXComboList::FocusLost(CWnd* newWnd) {
    const HWND to = newWnd ? newWnd->GetSafeHwnd() : nullptr;
    // Between the list box and the window itself the focus stays in the
    // drop list.
    if (to && (to == m_hWnd || ::IsChild(m_hWnd, to)))
        return;
    ++m_focusLosses;
    Notify(g_messages.vkEscape);
}

void CXComboList::OnKillFocus(CWnd* newWnd) {
    Default();
    FocusLost(newWnd);
}

void CXComboList::ListBox::OnKillFocus(CWnd* newWnd) {
    Default();
    m_list.FocusLost(newWnd);
}

void CXComboList::OnVScroll(UINT code, UINT pos, CWnd*) {
    if (m_listBox.GetSafeHwnd())
        m_listBox.SendMessage(WM_VSCROLL, MAKEWPARAM(code, pos), 0);
    const int current = m_scrollBar.GetSafeHwnd() ? m_scrollBar.GetScrollPos(SB_CTL) : 0;
    const int page = BarPage();
    switch (code) {
    case SB_LINEUP: SetBarPosition(current - 1); break;
    case SB_LINEDOWN: SetBarPosition(current + 1); break;
    case SB_PAGEUP: SetBarPosition(current - page); break;
    case SB_PAGEDOWN: SetBarPosition(current + page); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: SetBarPosition(static_cast<int>(pos)); break;
    case SB_TOP: SetBarPosition(0); break;
    case SB_BOTTOM: SetBarPosition(BarMaximum()); break;
    default: break;
    }
}

void CXComboList::OnDestroy() {
    if (m_listBox.GetSafeHwnd())
        m_listBox.DestroyWindow();
    Default();
}

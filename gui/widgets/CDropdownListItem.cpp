#include "gui/widgets/CDropdownListItem.h"

#include "gui/skin/AttributeReaders.h"
#include "gui/skin/CFontItem.h"
#include "gui/core/CGUIItems.h"
#include "gui/widgets/CListPanel.h"
#include "gui/widgets/CListPanelItem.h"
#include "gui/core/CMemDC2.h"
#include "gui/core/CPopupBox.h"
#include "gui/core/ItemSupport.h"
#include "platform/CPaintDC.h"
#include "platform/CBrush.h"
#include "platform/CPen.h"

namespace {

UINT g_popupTemplateId = CPopupBox::kPopupTemplateId;
CString g_panelSkin;

}  // namespace

CDropdownListItem::CDropdownListItem() { SetItemFields(-1, kItemDropdownList, kNoWindowYet, nullptr); }

CDropdownListItem::~CDropdownListItem() {
    if (m_tooltip.GetSafeHwnd())
        m_tooltip.DestroyWindow();
    m_bitmap.DeleteObject();
}

void CDropdownListItem::SetPopupTemplateId(UINT id) noexcept { g_popupTemplateId = id; }
UINT CDropdownListItem::GetPopupTemplateId() noexcept { return g_popupTemplateId; }
void CDropdownListItem::SetPanelSkin(const wchar_t* fileName) { g_panelSkin = fileName ? fileName : L""; }

CDropdownListItem* CDropdownListItem::CreateFromElement(const pugi::xml_node& element, CWnd* parent,
                                                        CGUIItems& items) {
    auto* item = new CDropdownListItem;
    if (!item->BuildFromElement(element, parent, items, kItemDropdownList)) {
        delete item;
        return nullptr;
    }
    return item;
}

bool CDropdownListItem::BuildFromElement(const pugi::xml_node& element, CWnd* parent, CGUIItems& items,
                                         int32_t type) {
    const int32_t id = ReadNameId(element);
    pugi::xml_node list = element.child("CLIST");
    if (id == -1 || !list || !parent)
        return false;
    ListPanelStyle& style = m_style;
    // The eight colours in the skin's order; the disabled border is the box's own.
    ReadListStyle(element, style, {"fontclr", "fontclrhi", "backclr", "backclrhi", "bdrclr", "disbbackclr"});
    ReadColourAttr("disbbdrclr", element, m_disabledBorderColour);
    ReadListStyle(element, style, {"disbfontclr"});
    style.leftMargin = ReadNonNegative(element.attribute("lmargin"));
    style.rightMargin = ReadNonNegative(element.attribute("rmargin"));
    style.font = ReadFontAttr(element, id, &items);
    if (pugi::xml_attribute sorted = element.attribute("sorted"))
        m_sorted = IsSkinTrue(sorted.value());
    m_dropHeight = ReadNonNegative(list.attribute("height"));
    style.scrollBarWidth = ReadVScrollElement(list, style.scrollBitmaps);
    m_hasListBitmaps = style.scrollBarWidth > 0;
    pugi::xml_node box = element.child("CBOX");
    m_boxRect = ReadItemRect(id, box);
    if (!Create(L"", WS_CHILD | WS_VISIBLE | SS_NOTIFY, m_boxRect, parent, static_cast<UINT>(id)))
        return false;
    SetItemFields(id, type, GetSafeHwnd(), parent);
    CString tooltip;
    if (ReadTooltipAttr(element, tooltip))
        SetTooltip(tooltip);
    for (pugi::xml_node entry = element.child("COMBOITEMS").child("COMBOITEM"); entry;
         entry = entry.next_sibling("COMBOITEM"))
        AddEntry(SkinText(entry));
    return true;
}

int CDropdownListItem::AddEntry(const wchar_t* text) {
    m_entries.push_back(Entry{text ? text : L"", L"", nullptr, 0});
    return GetCount() - 1;
}

bool CDropdownListItem::InsertEntry(int index, const wchar_t* text) {
    // Past the end there is nothing to insert before.
    if (index < 0 || index > GetCount())
        return false;
    m_entries.insert(m_entries.begin() + index, Entry{text ? text : L"", L"", nullptr, 0});
    return true;
}

void CDropdownListItem::RemoveAllEntries() { m_entries.clear(); }

CString CDropdownListItem::GetEntryText(int index) const {
    return index >= 0 && index < GetCount() ? m_entries[static_cast<size_t>(index)].text : CString();
}

int CDropdownListItem::FindEntry(const FindRecord& find) const {
    if (!(find.flags & kFindByText) || !find.text)
        return -1;
    for (int i = 0; i < GetCount(); ++i)
        if (m_entries[static_cast<size_t>(i)].text == find.text)
            return i;
    return -1;
}

int CDropdownListItem::GetSelectedIndex() const {
    if (m_currentText.IsEmpty())
        return -1;
    return FindEntry(FindRecord{kFindByText, m_currentText.GetString()});
}

int CDropdownListItem::Select(int index, const wchar_t* valueText) {
    if (index < 0 || index >= GetCount())
        return 0;
    m_valueText.Empty();
    if (valueText)
        m_valueText = valueText;
    m_currentText = m_entries[static_cast<size_t>(index)].text;
    if (GetSafeHwnd())
        Invalidate(false);
    return 1;
}

bool CDropdownListItem::SetLinkedItem(int index, CListPanelItem* item) {
    if (index < 0 || index >= GetCount())
        return false;
    m_entries[static_cast<size_t>(index)].linkedItem = item;
    return true;
}

void CDropdownListItem::SetDisabled(bool disabled) {
    m_disabled = disabled;
    if (GetSafeHwnd())
        Invalidate(false);
}

void CDropdownListItem::SetLocked(bool locked) {
    if (m_locked == locked)
        return;
    m_locked = locked;
    if (GetSafeHwnd())
        Invalidate(false);
}

void CDropdownListItem::ClearSelection() {
    m_currentText.Empty();
    m_valueText.Empty();
    if (GetSafeHwnd())
        Invalidate(false);
}

void CDropdownListItem::SetPrefix(const wchar_t* prefix) {
    m_prefix = prefix ? prefix : L"";
    if (GetSafeHwnd())
        Invalidate(false);
}

void CDropdownListItem::SetTooltip(const wchar_t* text) { SetItemTooltip(m_tooltip, this, text); }

BOOL CDropdownListItem::PreTranslateMessage(MSG* msg) {
    RelayToTooltip(m_tooltip, msg);
    return CStatic::PreTranslateMessage(msg);
}

CString CDropdownListItem::ShownText() const {
    CString current;
    TranslateSkinText(m_currentText, current);
    CString shown = m_prefix + current;
    if (!m_valueText.IsEmpty())
        shown += L": " + m_valueText;
    return shown;
}

CRect CDropdownListItem::DropRect(const CRect& boxOnScreen, int dropHeight) {
    const int height = dropHeight > 0 ? dropHeight : boxOnScreen.Height();
    return CRect(boxOnScreen.left, boxOnScreen.bottom, boxOnScreen.right, boxOnScreen.bottom + height);
}

CRect CDropdownListItem::BorderRect(const CRect& client, int borderWidth) {
    CRect r = client;
    r.DeflateRect(borderWidth / 2, borderWidth / 2);
    if (borderWidth % 2 == 0) {
        r.right += 1;
        r.bottom += 1;
    }
    return r;
}

std::vector<ListPanelEntry> CDropdownListItem::PopupEntries() const {
    std::vector<ListPanelEntry> out;
    out.reserve(m_entries.size());
    for (const Entry& entry : m_entries)
        out.push_back(ListPanelEntry{entry.text, L"", entry.linkedItem, 0});
    return out;
}

bool CDropdownListItem::ApplyChoice(int chosen) {
    if (chosen < 0 || chosen >= GetCount())
        return false;
    CString value;
    const bool hasValue = m_entries[static_cast<size_t>(chosen)].linkedItem != nullptr;
    if (hasValue) {
        CListPanelItem* linked = m_entries[static_cast<size_t>(chosen)].linkedItem;
        const int current = linked->FindCurrentEntry();
        if (current < 0)
            return false;
        value = linked->GetEntryText(current);
    }
    Select(chosen, hasValue ? value.GetString() : nullptr);
    return true;
}

void CDropdownListItem::OnPaint() {
    CPaintDC paint(this);
    CRect client;
    GetClientRect(&client);
    const COLORREF back = m_disabled ? m_style.disabledBackColour : m_style.backColour;
    CMemDC2 dc(&paint, &client);
    dc.SetBkMode(TRANSPARENT);
    dc.FillSolidRect(&client, back);
    if (m_style.borderWidth > 0) {
        CPen pen(PS_SOLID, m_style.borderWidth, m_disabled ? m_disabledBorderColour : m_style.borderColour);
        CBrush fill(back);
        dc.SelectObject(&pen);
        dc.SelectObject(&fill);
        const CRect border = BorderRect(client, m_style.borderWidth);
        dc.Rectangle(&border);
        dc.SelectStockObject(BLACK_PEN);
        dc.SelectStockObject(NULL_BRUSH);
    }
    CRect text(client.left + 4, client.top, client.right - client.Height(), client.bottom);
    text.DeflateRect(m_style.borderWidth, m_style.borderWidth);
    dc.SetTextColor(DrawnTextColour(m_disabled ? m_style.disabledFontColour : m_style.fontColour));
    dc.SelectObject(m_style.font ? static_cast<HFONT>(m_style.font->GetSafeHandle()) : GetFallbackFont());
    dc.DrawText(ShownText(), &text, DT_SINGLELINE | DT_LEFT | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    if (::GetFocus() == m_hWnd && IsKeyboardReachable() &&
        !(SendMessage(WM_QUERYUISTATE) & UISF_HIDEFOCUS)) {
        CRect mark(client.left + 2, client.top + 2, client.right - client.Height(), client.bottom - 2);
        mark.DeflateRect(m_style.borderWidth, m_style.borderWidth);
        dc.SetTextColor(RGB(0, 0, 0));
        dc.SetBkColor(RGB(255, 255, 255));
        ::DrawFocusRect(dc.GetSafeHdc(), &mark);
    }
    // The arrow: lines of 7, 5, 3 and 1 pixels, centred in the square at
    // the right end of the box.
    // A locked box's arrow is greyed: its list does not open now.
    CPen arrow(PS_SOLID, 1, m_locked ? m_style.disabledFontColour : m_style.fontColourHot);
    dc.SelectObject(&arrow);
    const int square = client.Height();
    const int x = client.right - square + (square - 7) / 2;
    const int y = client.top + (square - 6) / 2;
    for (int i = 0; i < 4; ++i) {
        dc.MoveTo(x + i, y + i);
        dc.LineTo(x + i + 7 - 2 * i, y + i);
    }
    dc.SelectStockObject(BLACK_PEN);
}

BOOL CDropdownListItem::OnEraseBkgnd(CDC*) { return TRUE; }

void CDropdownListItem::OnLButtonDblClk(UINT, CPoint) { Default(); }

void CDropdownListItem::OnLButtonDown(UINT, CPoint) { OpenList(); }

bool CDropdownListItem::IsKeyboardReachable() const {
    return m_hWnd && (CStatic::GetStyle() & WS_TABSTOP) != 0;
}

void CDropdownListItem::OnSetFocus(CWnd* oldWnd) {
    CStatic::OnSetFocus(oldWnd);
    Invalidate(false);
}

void CDropdownListItem::OnKillFocus(CWnd* newWnd) {
    CStatic::OnKillFocus(newWnd);
    Invalidate(false);
}

UINT CDropdownListItem::OnGetDlgCode() {
    // Down opens the list instead of moving the focus on.
    return IsKeyboardReachable() ? DLGC_WANTARROWS : CStatic::OnGetDlgCode();
}

void CDropdownListItem::OnKeyDown(UINT key, UINT repeat, UINT flags) {
    if (IsKeyboardReachable() && (key == VK_SPACE || key == VK_F4 || key == VK_DOWN)) {
        if ((flags & KF_REPEAT) == 0)
            OpenList();
        return;
    }
    CStatic::OnKeyDown(key, repeat, flags);
}

LRESULT CDropdownListItem::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SYSKEYDOWN && wParam == VK_DOWN && IsKeyboardReachable()) {
        if ((HIWORD(lParam) & KF_REPEAT) == 0)
            OpenList();
        return 0;
    }
    if (message == WM_UPDATEUISTATE) {
        const LRESULT result = CStatic::WindowProc(message, wParam, lParam);
        Invalidate(false);
        return result;
    }
    return CStatic::WindowProc(message, wParam, lParam);
}

void CDropdownListItem::OpenList() {
    if (m_disabled || m_locked || !m_hWnd)
        return;
    CWnd* parent = GetParent();
    if (parent)
        parent->SendMessage(WM_GUI_QUERY_ITEM, 0, reinterpret_cast<LPARAM>(m_hWnd));
    CRect box;
    GetClientRect(&box);
    ClientToScreen(&box);
    CListPanel panel(g_popupTemplateId, g_panelSkin.IsEmpty() ? nullptr : g_panelSkin.GetString(), parent, m_sorted,
                     true, PopupEntries(), DropRect(box, m_dropHeight), m_style);
    // A short list ends under its last entry instead of covering what lies
    // below, and it opens on the entry already chosen, so Enter keeps it.
    panel.SetFitToEntries(true);
    panel.SetCurrentEntry(GetSelectedIndex());
    m_open = true;
    Invalidate(false);
    const INT_PTR chosen = panel.DoModal();
    m_open = false;
    if (!::IsWindow(m_hWnd))
        return;
    Invalidate(false);
    if (chosen < 0 || !ApplyChoice(static_cast<int>(chosen)))
        return;
    if (parent)
        parent->SendMessage(WM_DROPDOWN_SELCHANGE, static_cast<WPARAM>(chosen), reinterpret_cast<LPARAM>(m_hWnd));
}

#include "gui/widgets/CMacroDisplayItem.h"

#include "gui/core/CGUIItems.h"
#include "gui/core/CRawInputDevices.h"
#include "gui/core/ItemSupport.h"
#include "gui/skin/AttributeReaders.h"
#include "gui/skin/CFontItem.h"
#include "gui/skin/GUIResources.h"
#include "gui/skin/KeyStroke.h"
#include "gui/skin/SymbolTables.h"
#include "gui/widgets/CBitmapWindow.h"
#include "gui/widgets/CGenericPanel.h"
#include "gui/widgets/CListPanelItem.h"
#include "gui/widgets/CVScrollBar.h"
#include "gui/widgets/CXListCtrl.h"
#include "platform/CBitmap.h"
#include "platform/CDC.h"

#include <windowsx.h>

#include <algorithm>
#include <cwchar>

namespace {

// The row pictures' attributes, by row kind.
const char* const kRowPictureAttributes[kMacroRowKinds] = {"MDBMP_KEYDN", "MDBMP_KEYUP", "MDBMP_CLK",
                                                            "MDBMP_CLKH",  "MDBMP_MSE",   "MDBMP_MSEH"};

CString Translate(const wchar_t* key) {
    CString text;
    TranslateSkinText(key, text);
    return text;
}

CString KeyName(uint16_t virtualKey, uint16_t scanCode, bool extended) {
    CString name;
    KeyStroke::GetKeyDisplayName(virtualKey, scanCode, extended, name);
    return name;
}

UINT JustifyFlags(wchar_t justify) {
    return justify == L'C' ? DT_CENTER : justify == L'R' ? DT_RIGHT : DT_LEFT;
}

}  // namespace

CMacroDisplayItem::CMacroDisplayItem() { SetItemFields(-1, kItemMacroDisplay, kNoWindowYet, nullptr); }

CMacroDisplayItem::~CMacroDisplayItem() {
    // The list's own window goes first, while everything it uses is here.
    if (GetSafeHwnd())
        DestroyWindow();
    m_scrollBar.reset();
    m_frame.reset();
    if (m_tooltip.GetSafeHwnd())
        m_tooltip.DestroyWindow();
}

CMacroDisplayItem* CMacroDisplayItem::CreateFromElement(const pugi::xml_node& element, CWnd* parent,
                                                        CGUIItems& items) {
    const int32_t id = ReadNameId(element);
    if (id == -1 || !parent)
        return nullptr;
    auto item = std::make_unique<CMacroDisplayItem>();
    item->m_maximum = std::max(ParseSkinNumber(element.attribute("max").value()), 0);
    item->m_readOnly = IsSkinTrue(element.attribute("readonly").value());
    PictureRecord picture;
    const bool framed = ReadBitmapInfo(element.child("BMPINFO"), picture) && picture.picture;
    int borderWidth = 1;
    if (pugi::xml_attribute border = element.attribute("bdrwidth"))
        borderWidth = std::max(ParseSkinNumber(border.value()), 0);
    item->m_leftMargin = std::max(ParseSkinNumber(element.attribute("lmargin").value()), 0);
    CFontItem* font = ReadFontAttr(element, id, &items);
    std::unique_ptr<CVScrollBar> bar(CreateVScrollBar(element, item.get()));
    if (!bar->HasPictures() || bar->GetBarWidth() <= 0)
        bar.reset();
    ReadColourAttr("fontclr", element, item->m_fontColour);
    ReadColourAttr("fontclrhi", element, item->m_selectedFontColour);
    ReadColourAttr("backclr", element, item->m_backColour);
    ReadColourAttr("backclrhi", element, item->m_selectedBackColour);
    ReadColourAttr("bdrclr", element, item->m_borderColour);
    for (int kind = 0; kind < kMacroRowKinds; ++kind)
        if (pugi::xml_attribute name = element.attribute(kRowPictureAttributes[kind]))
            item->m_rowPictures[kind] = GetSkinPictureByAttribute(name.value());
    const CRect rect = ReadItemRect(id, element);
    if (!item->CreateFrameAndList(rect, parent, static_cast<UINT>(id), borderWidth, framed ? &picture : nullptr,
                                  bar.release(), font))
        return nullptr;
    for (pugi::xml_node column = element.child("LISTCOLUMN"); column; column = column.next_sibling("LISTCOLUMN")) {
        const int32_t columnId = FindListColumnId(SkinText(column.attribute("name")));
        const int32_t type = FindCellType(SkinText(column.attribute("type")));
        int width = columnId == -1 ? 0 : ReadListColumnWidth(columnId, column);
        if (columnId == LCITEM_MCREVENT_DESCRIP)
            width -= 2 * borderWidth;
        if (columnId == -1 || type == -1 || width <= 0)
            continue;
        item->AddColumn(columnId, type, ReadJustify(column), width);
    }
    CString tooltip;
    if (ReadTooltipAttr(element, tooltip))
        SetItemTooltip(item->m_tooltip, item.get(), tooltip);
    item->SetItemFields(id, kItemMacroDisplay, item->GetSafeHwnd(), parent);
    // The list's parent is its frame: its reports go to the loader's parent.
    item->SetOwner(parent);
    return item.release();
}

bool CMacroDisplayItem::CreateFrameAndList(const RECT& rect, CWnd* parent, UINT id, int borderWidth,
                                           const PictureRecord* picture, CVScrollBar* bar, CFontItem* font) {
    m_scrollBar.reset(bar);
    m_borderWidth = std::max(borderWidth, 0);
    const int barWidth = m_scrollBar ? m_scrollBar->GetBarWidth() : 0;
    CRect listRect;
    m_frame = CGenericPanel::CreateListFrame(rect, parent, m_borderWidth, picture, m_backColour, m_borderColour,
                                             barWidth, listRect);
    if (!m_frame)
        return false;
    const CRect inner = m_frame->GetInnerRect();
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_EDITLABELS |
                        LVS_NOCOLUMNHEADER | LVS_SHOWSELALWAYS;
    if (!CListCtrl::Create(style, listRect, m_frame.get(), id))
        return false;
    SetExtendedStyle(GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    if (m_images.Create(kImageWidth, kImageHeight, ILC_COLOR4, 10, 10))
        SetImageList(&m_images, LVSIL_SMALL);
    m_font = font;
    const HFONT shown = font ? static_cast<HFONT>(font->GetSafeHandle()) : GetFallbackFont();
    SetFont(shown, false);
    const int fontHeight = FontHeightOf(shown);
    m_rowHeight = fontHeight < 1 ? 19 : fontHeight + 4;
    if (font) {
        LOGFONTW bold = {};
        if (::GetObjectW(shown, sizeof bold, &bold) == sizeof bold) {
            bold.lfWeight = FW_BOLD;
            m_boldFont.CreateFontIndirect(&bold);
        }
    }
    SetTextColor(m_fontColour);
    SetBkColor(m_backColour);
    SetTextBkColor(m_backColour);
    if (m_scrollBar) {
        const CRect barRect(listRect.right, inner.top, listRect.right + barWidth, inner.bottom);
        if (!m_scrollBar->CreateBeside(m_frame.get(), barRect, m_backColour, m_borderColour))
            m_scrollBar.reset();
    }
    Invalidate();
    return true;
}

int CMacroDisplayItem::AddColumn(int32_t columnId, int32_t type, wchar_t justify, int width) {
    if (columnId == -1 || type == -1 || m_columns.count(columnId) || GetColumnCount() >= kMaxColumns || !m_hWnd)
        return -1;
    const int index = GetColumnCount();
    const int format = justify == L'C' ? LVCFMT_CENTER : justify == L'R' ? LVCFMT_RIGHT : LVCFMT_LEFT;
    if (InsertColumn(index, L"", format, std::max(width, 0)) < 0)
        return -1;
    m_columns[columnId] = Column{index, type, justify};
    return index;
}

const CMacroDisplayItem::Column* CMacroDisplayItem::FindColumn(int32_t columnId) const {
    auto it = m_columns.find(columnId);
    return it == m_columns.end() ? nullptr : &it->second;
}

int32_t CMacroDisplayItem::ColumnIdAt(int index) const {
    for (const auto& entry : m_columns)
        if (entry.second.index == index)
            return entry.first;
    return -1;
}

const CBitmap* CMacroDisplayItem::GetRowPicture(int kind) const {
    return kind >= 0 && kind < kMacroRowKinds ? m_rowPictures[kind] : nullptr;
}

void CMacroDisplayItem::Show(bool show) {
    const int command = show ? SW_SHOW : SW_HIDE;
    if (m_frame && m_frame->GetSafeHwnd())
        m_frame->ShowWindow(command);
    // A recording keeps its bar hidden.
    if (m_scrollBar && m_scrollBar->GetSafeHwnd())
        m_scrollBar->ShowWindow(show && !m_recording ? SW_SHOW : SW_HIDE);
    if (m_hWnd)
        ShowWindow(command);
}

void CMacroDisplayItem::SetStepMenus(CListPanelItem* keyMenu, CListPanelItem* delayMenu, CListPanelItem* mouseMenu) {
    m_menus[0] = keyMenu;
    m_menus[1] = delayMenu;
    m_menus[2] = mouseMenu;
}

LRESULT CMacroDisplayItem::Notify(UINT message) {
    CWnd* target = GetNotifyWindow();
    if (!target || !target->GetSafeHwnd())
        return 0;
    return target->SendMessage(message, 0, static_cast<LPARAM>(m_itemId));
}

CString CMacroDisplayItem::Describe(const MacroStep& step) const {
    return DescribeMacroStep(step, KeyName, Translate);
}

// ---------------------------------------------------------------------------
// Rows and steps

int CMacroDisplayItem::AddEvent(const MacroStep& step, bool repaint, int index) {
    const int kind = MacroRowKindOf(step);
    if (!m_hWnd || kind < 0)
        return -1;
    const int count = static_cast<int>(m_steps.size());
    if (index < 0 || index > count)
        index = count;
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = index;
    CString text = Describe(step);
    item.pszText = const_cast<wchar_t*>(text.GetString());
    item.lParam = kind;
    const int row = InsertItem(&item);
    if (row < 0)
        return -1;
    m_steps.insert(m_steps.begin() + row, step);
    SelectEvent(row);
    if (repaint)
        Invalidate(false);
    return row;
}

bool CMacroDisplayItem::LoadEvents(const std::vector<MacroStep>& steps) {
    if (m_recording || !m_hWnd)
        return false;
    ClearEvents();
    SendMessage(WM_SETREDRAW, FALSE);
    for (const MacroStep& step : steps)
        AddEvent(step, false);
    SendMessage(WM_SETREDRAW, TRUE);
    UpdateBar();
    Invalidate(false);
    return GetItemCount() > 0;
}

void CMacroDisplayItem::ClearEvents() {
    CancelDelayEdit();
    m_steps.clear();
    if (m_hWnd)
        DeleteAllItems();
    UpdateBar();
    if (m_hWnd)
        Invalidate(false);
}

bool CMacroDisplayItem::ReplaceEvent(int index, const MacroStep& step) {
    if (m_readOnly || index < 0 || index >= static_cast<int>(m_steps.size()) || MacroRowKindOf(step) < 0)
        return false;
    DeleteItem(index);
    m_steps.erase(m_steps.begin() + index);
    AddEvent(step, false, index);
    Notify(WM_MACRO_EVENTS_CHANGED);
    Invalidate(false);
    return true;
}

int CMacroDisplayItem::GetSelectedIndex() const {
    if (!m_hWnd)
        return -1;
    const int row = GetNextItem(-1, LVNI_SELECTED);
    return row >= 0 && row < static_cast<int>(m_steps.size()) ? row : -1;
}

void CMacroDisplayItem::SelectEvent(int index) {
    if (!m_hWnd)
        return;
    if (index < 0 || index >= GetItemCount()) {
        SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        Invalidate(false);
        return;
    }
    SetItemState(index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    SetSelectionMark(index);
    EnsureVisible(index, false);
    UpdateBar();
    Invalidate(false);
}

bool CMacroDisplayItem::RunMenuCommand(const wchar_t* command) {
    if (!command || m_readOnly || m_recording)
        return false;
    const int selected = GetSelectedIndex();
    if (CompareNoCase(command, L"$InsertDelay") == 0) {
        const int32_t ms = std::clamp(GetDefaultDelay(), 0, kMaxStepDelay);
        const int row = AddEvent(MacroStep{MacroStepDelay, ms, 0}, true, selected < 0 ? 0 : selected + 1);
        if (row < 0)
            return false;
        Notify(WM_MACRO_EVENTS_CHANGED);
        return true;
    }
    if (CompareNoCase(command, L"$Delete") == 0) {
        if (selected < 0)
            return false;
        DeleteItem(selected);
        m_steps.erase(m_steps.begin() + selected);
        // The step that moved up into its place is the one selected now.
        SelectEvent(selected < static_cast<int>(m_steps.size()) ? selected : -1);
        UpdateBar();
        Notify(WM_MACRO_EVENTS_CHANGED);
        return true;
    }
    if (CompareNoCase(command, L"$Edit") == 0) {
        if (selected < 0)
            return false;
        switch (m_steps[static_cast<size_t>(selected)].type) {
        case MacroStepKey: Notify(WM_MACRO_EDIT_KEY_EVENT); return true;
        case MacroStepDelay: return EditLabel(selected) != nullptr;
        default: return false;
        }
    }
    return false;
}

// ---------------------------------------------------------------------------
// Recording

bool CMacroDisplayItem::ToggleRecording() {
    if (m_readOnly || !m_hWnd)
        return false;
    CRawInputDevices& devices = GetRawInputDevices();
    if (!m_recording) {
        CancelDelayEdit();
        devices.AddUsage(CRawInputDevices::kUsageKeyboard);
        devices.AddUsage(CRawInputDevices::kUsageMouse);
        if (!devices.RegisterAll(m_hWnd))
            return false;
        m_recorder.Start();
        m_recording = true;
        if (m_scrollBar && m_scrollBar->GetSafeHwnd())
            m_scrollBar->ShowWindow(SW_HIDE);
        return true;
    }
    devices.UnregisterAll(m_hWnd);
    m_recording = false;
    AppendRecorded(m_recorder.Stop(::GetTickCount()));
    if (m_scrollBar && m_scrollBar->GetSafeHwnd() && IsWindowVisible())
        m_scrollBar->ShowWindow(SW_SHOW);
    UpdateBar();
    return false;
}

void CMacroDisplayItem::AppendRecorded(const std::vector<MacroStep>& steps) {
    for (const MacroStep& step : steps)
        AddEvent(step, false);
    if (!steps.empty())
        Invalidate(false);
}

bool CMacroDisplayItem::IsOverStopControl(POINT screen) const {
    if (!m_stopControl || !::IsWindow(m_stopControl))
        return false;
    if (::GetCapture() == m_stopControl)
        return true;
    if (!::IsWindowVisible(m_stopControl))
        return false;
    RECT rect;
    return ::GetWindowRect(m_stopControl, &rect) && ::PtInRect(&rect, screen);
}

void CMacroDisplayItem::RecordMouseFlags(USHORT buttonFlags, POINT screen, DWORD time) {
    if (!m_recording || m_readOnly)
        return;
    for (const MouseButtonEvent& event : MouseButtonEvents(buttonFlags)) {
        // A press on the stop button ends the recording and is none of it;
        // nor is its release, since the press was never held.
        if (event.down && IsOverStopControl(screen))
            continue;
        AppendRecorded(m_recorder.Button(event.button, event.down, time));
    }
}

void CMacroDisplayItem::RecordKeyboard(const RAWKEYBOARD& record, DWORD time) {
    if (!m_recording || m_readOnly)
        return;
    // The last stroke is kept: a record without a virtual key takes the
    // one before it.
    KeyStroke& stroke = m_keyStroke;
    if (!KeyStroke::FromRawKeyboard(record, stroke))
        return;
    AppendRecorded(m_recorder.Key(static_cast<uint16_t>(stroke.scanCode), static_cast<uint16_t>(stroke.virtualKey),
                                  (stroke.flags & KeyStroke::kExtended) != 0, stroke.direction == KeyStroke::kDown,
                                  time));
}

void CMacroDisplayItem::OnRawInput(UINT, HRAWINPUT input) {
    if (m_recording && !m_readOnly) {
        std::vector<BYTE> data;
        if (FetchRawInput(input, data)) {
            const UINT size = static_cast<UINT>(data.size());
            const DWORD time = static_cast<DWORD>(::GetMessageTime());
            RAWMOUSE mouse = {};
            RAWKEYBOARD keyboard = {};
            if (ParseRawMouse(data.data(), size, mouse)) {
                const DWORD position = ::GetMessagePos();
                RecordMouseFlags(mouse.usButtonFlags, POINT{GET_X_LPARAM(position), GET_Y_LPARAM(position)}, time);
            } else if (ParseRawKeyboard(data.data(), size, keyboard)) {
                RecordKeyboard(keyboard, time);
            }
        }
        UpdateBar();
    }
    Default();
}

// ---------------------------------------------------------------------------
// Preview

bool CMacroDisplayItem::SetEvents(const std::vector<MacroStep>& steps) {
    if (!m_readOnly || !m_hWnd)
        return false;
    KillTimer(kPreviewTimer);
    m_steps.clear();
    DeleteAllItems();
    m_previewSteps = steps;
    m_previewNext = 0;
    m_previewing = true;
    ShowPreviewSteps();
    return true;
}

void CMacroDisplayItem::ShowPreviewSteps() {
    while (m_previewing && m_previewNext < m_previewSteps.size()) {
        const MacroStep step = m_previewSteps[m_previewNext++];
        if (step.type == MacroStepDelay) {
            SetTimer(kPreviewTimer, static_cast<UINT>(std::max(step.value, 0)));
            Invalidate(false);
            return;
        }
        AddEvent(step, false);
    }
    if (!m_previewing)
        return;
    // The last step was shown: the rows go and the owner hears of the end.
    StopPreview();
    Notify(WM_MACRO_PREVIEW_DONE);
}

void CMacroDisplayItem::StopPreview() {
    if (m_hWnd)
        KillTimer(kPreviewTimer);
    m_previewing = false;
    m_previewSteps.clear();
    m_previewNext = 0;
    ClearEvents();
}

void CMacroDisplayItem::OnTimer(UINT_PTR id) {
    if (id == kPreviewTimer) {
        KillTimer(kPreviewTimer);
        ShowPreviewSteps();
        return;
    }
    Default();
}

// ---------------------------------------------------------------------------
// Editing

bool CMacroDisplayItem::BeginDelayEdit(int row) {
    if (m_readOnly || m_recording || row < 0 || row >= static_cast<int>(m_steps.size()) ||
        m_steps[static_cast<size_t>(row)].type != MacroStepDelay)
        return false;
    HWND edit = GetEditControl();
    if (!edit)
        return false;
    m_editing = true;
    m_editRow = row;
    // The step's own milliseconds, not its rounded seconds.
    CString ms;
    ms.Format(L"%d", m_steps[static_cast<size_t>(row)].value);
    ::SetWindowLongPtrW(edit, GWL_STYLE, ::GetWindowLongPtrW(edit, GWL_STYLE) | ES_NUMBER);
    ::SendMessageW(edit, EM_LIMITTEXT, kDelayEditLimit, 0);
    ::SetWindowTextW(edit, ms);
    ::SendMessageW(edit, EM_SETSEL, 0, -1);
    // Over the description, whichever column the list put its label in.
    if (const Column* description = FindColumn(LCITEM_MCREVENT_DESCRIP)) {
        CRect cell;
        if (GetSubItemRect(row, description->index, LVIR_BOUNDS, &cell))
            ::MoveWindow(edit, cell.left + m_leftMargin, cell.top, cell.Width() - m_leftMargin, cell.Height(), TRUE);
    }
    ::SetFocus(edit);
    return true;
}

void CMacroDisplayItem::CancelDelayEdit() {
    if (!m_editing)
        return;
    if (m_hWnd)
        SendMessage(LVM_CANCELEDITLABEL);
    EndDelayEdit(nullptr);
}

void CMacroDisplayItem::EndDelayEdit(const wchar_t* text) {
    const int row = m_editRow;
    m_editing = false;
    m_editRow = -1;
    if (::GetFocus() != m_hWnd && m_hWnd && IsWindowVisible())
        SetFocus();
    if (!text || row < 0 || row >= static_cast<int>(m_steps.size()))
        return;
    // Digits only; empty, 0 or no number keeps the delay as it was.
    long long value = 0;
    for (const wchar_t* p = text; *p >= L'0' && *p <= L'9'; ++p)
        value = std::min<long long>(value * 10 + (*p - L'0'), kMaxStepDelay + 1LL);
    if (value <= 0)
        return;
    MacroStep& step = m_steps[static_cast<size_t>(row)];
    step.value = static_cast<int32_t>(std::min<long long>(value, kMaxStepDelay));
    SetItemText(row, 0, Describe(step));
    Invalidate(false);
    Notify(WM_MACRO_EVENTS_CHANGED);
}

BOOL CMacroDisplayItem::OnReflectedNotify(NMHDR* header, LRESULT* result) {
    switch (header->code) {
    case LVN_BEGINLABELEDITW: {
        const auto* info = reinterpret_cast<NMLVDISPINFOW*>(header);
        // TRUE refuses: only a delay row of an editable list is edited.
        *result = BeginDelayEdit(info->item.iItem) ? FALSE : TRUE;
        return TRUE;
    }
    case LVN_ENDLABELEDITW: {
        const auto* info = reinterpret_cast<NMLVDISPINFOW*>(header);
        if (m_editing)
            EndDelayEdit(info->item.pszText);
        // The row's text is set here, never by the list.
        *result = FALSE;
        return TRUE;
    }
    case NM_CUSTOMDRAW: break;
    default: return FALSE;
    }
    auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(header);
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT: {
        CDC dc;
        if (dc.Attach(draw->nmcd.hdc)) {
            PaintBackground(dc);
            dc.Detach();
        }
        *result = m_steps.empty() ? CDRF_SKIPDEFAULT : CDRF_NOTIFYITEMDRAW;
        return TRUE;
    }
    case CDDS_ITEMPREPAINT: *result = CDRF_NOTIFYSUBITEMDRAW; return TRUE;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        CDC dc;
        if (dc.Attach(draw->nmcd.hdc)) {
            PaintCell(dc, static_cast<int>(draw->nmcd.dwItemSpec), draw->iSubItem);
            dc.Detach();
        }
        *result = CDRF_SKIPDEFAULT;
        return TRUE;
    }
    default: *result = CDRF_DODEFAULT; return TRUE;
    }
}

void CMacroDisplayItem::OnLButtonDown(UINT, CPoint point) {
    if (m_readOnly || m_recording)
        return;
    const int row = HitTest(point);
    // A second click on a key or mouse row starts no label edit.
    if (row >= 0 && row < static_cast<int>(m_steps.size()) &&
        m_steps[static_cast<size_t>(row)].type != MacroStepDelay && (GetItemState(row, LVIS_FOCUSED) & LVIS_FOCUSED) &&
        ::GetFocus() == m_hWnd)
        return;
    Default();
}

void CMacroDisplayItem::OnLButtonDblClk(UINT, CPoint) {
    if (m_readOnly || m_recording)
        return;
    Default();
}

void CMacroDisplayItem::OnRButtonDown(UINT, CPoint point) {
    if (m_readOnly || m_recording || m_editing)
        return;
    const int row = HitTest(point);
    if (row < 0 || row >= static_cast<int>(m_steps.size()))
        return;
    SelectEvent(row);
    SetFocus();
    const int32_t type = m_steps[static_cast<size_t>(row)].type;
    CListPanelItem* menu = type == MacroStepKey           ? m_menus[0]
                           : type == MacroStepDelay       ? m_menus[1]
                           : type == MacroStepMouseButton ? m_menus[2]
                                                          : nullptr;
    if (!menu)
        return;
    const HWND self = m_hWnd;
    const int chosen = menu->PlaceList(0, this, point.x, point.y);
    if (!::IsWindow(self) || chosen < 0)
        return;
    RunMenuCommand(menu->GetEntryText(chosen));
}

BOOL CMacroDisplayItem::PreTranslateMessage(MSG* msg) {
    RelayToTooltip(m_tooltip, msg);
    if (msg->message == WM_KEYDOWN && !m_editing && !m_readOnly) {
        const auto key = static_cast<UINT>(msg->wParam);
        // The keys that work the dialog go on to it.
        if (key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE)
            return CListCtrl::PreTranslateMessage(msg);
        m_lastKey = key;
        return TRUE;
    }
    return CListCtrl::PreTranslateMessage(msg);
}

// ---------------------------------------------------------------------------
// Scrolling

void CMacroDisplayItem::UpdateBar() {
    if (m_scrollBar && m_scrollBar->GetSafeHwnd())
        m_scrollBar->UpdateThumbPosition();
}

LRESULT CMacroDisplayItem::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) {
    RemoveSystemScrollBars(*this);
    return 0;
}

void CMacroDisplayItem::OnMouseMove(UINT flags, CPoint point) {
    if (!m_readOnly && !m_recording)
        HandCaptureToBar(*this, m_scrollBar.get(), flags, point);
    Default();
}

BOOL CMacroDisplayItem::OnMouseWheel(UINT, short delta, CPoint) {
    UpdateBar();
    PostWheelSteps(*this, delta);
    return TRUE;
}

void CMacroDisplayItem::OnVScroll(UINT code, UINT pos, CWnd*) {
    if (!ScrollListBy(*this, code, pos, m_rowHeight))
        Default();
    UpdateBar();
}

// ---------------------------------------------------------------------------
// Drawing

BOOL CMacroDisplayItem::OnEraseBkgnd(CDC* dc) {
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(&client, m_backColour);
    return TRUE;
}

void CMacroDisplayItem::PaintBackground(CDC& dc) {
    CRect client;
    GetClientRect(&client);
    const int count = GetItemCount();
    CRect last;
    if (count > 0 && GetItemRect(count - 1, &last, LVIR_BOUNDS))
        client.top = std::max(client.top, last.bottom);
    if (client.top < client.bottom)
        dc.FillSolidRect(&client, m_backColour);
}

void CMacroDisplayItem::PaintCell(CDC& dc, int row, int columnIndex) {
    CRect cell;
    if (!GetSubItemRect(row, columnIndex, LVIR_BOUNDS, &cell))
        return;
    if (columnIndex == 0 && GetColumnCount() >= 2) {
        CRect next;
        if (GetSubItemRect(row, 1, LVIR_BOUNDS, &next))
            cell.right = next.left;
    }
    CRect client;
    GetClientRect(&client);
    CRect area = cell;
    area.OffsetRect(m_leftMargin, 0);
    area.right = std::min<LONG>(area.right, client.right - m_borderWidth);
    const bool selected = (GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    const int32_t columnId = ColumnIdAt(columnIndex);
    // The description's row is marked; the icon keeps the list's colour.
    const bool marked = selected && columnId == LCITEM_MCREVENT_DESCRIP;
    dc.FillSolidRect(&cell, m_backColour);
    if (marked)
        dc.FillSolidRect(&area, m_selectedBackColour);
    const int kind = static_cast<int>(GetItemData(row));
    if (columnId == LCITEM_MCREVENT_ICON) {
        const CBitmap* picture = GetRowPicture(MacroRowPicture(kind, selected));
        if (picture && picture->GetSafeHandle()) {
            const CSize size = BitmapSize(picture);
            const int saved = dc.SaveDC();
            dc.IntersectClipRect(area.left, area.top, area.right, area.bottom);
            DrawBitmapAt(dc, *picture, area.left + (area.Width() - size.cx) / 2,
                         area.top + (area.Height() - size.cy) / 2, size.cx, size.cy);
            dc.RestoreDC(saved);
        }
        return;
    }
    if (columnId != LCITEM_MCREVENT_DESCRIP)
        return;
    const Column* column = FindColumn(columnId);
    dc.SetTextColor(DrawnTextColour(marked ? m_selectedFontColour : m_fontColour));
    dc.SetBkMode(TRANSPARENT);
    const HFONT font = m_boldFont.GetSafeHandle() ? m_boldFont.GetSafeHandle() : GetFont();
    HGDIOBJ old = ::SelectObject(dc.GetSafeHdc(), font);
    CRect text = area;
    text.left += 4;
    text.right -= 4;
    dc.DrawText(GetItemText(row, 0), &text,
                DT_END_ELLIPSIS | DT_NOCLIP | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX |
                    JustifyFlags(column ? column->justify : L'L'));
    ::SelectObject(dc.GetSafeHdc(), old);
}

void CMacroDisplayItem::OnDestroy() {
    KillTimer(kPreviewTimer);
    m_previewing = false;
    if (m_recording)
        GetRawInputDevices().UnregisterAll(m_hWnd);
    m_recording = false;
    m_editing = false;
    Default();
}

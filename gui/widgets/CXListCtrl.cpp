#include "gui/widgets/CXListCtrl.h"

#include "gui/core/CGUIItems.h"
#include "gui/core/ItemSupport.h"
#include "gui/skin/AttributeReaders.h"
#include "gui/skin/CFontItem.h"
#include "gui/skin/CLangTable.h"
#include "gui/widgets/CBitmapWindow.h"
#include "gui/widgets/CGenericPanel.h"
#include "gui/widgets/CListPanelItem.h"
#include "gui/widgets/CVScrollBar.h"
#include "platform/CBitmap.h"
#include "platform/CDC.h"
#include "platform/CPen.h"

#include <commdlg.h>

#include <algorithm>

namespace {

constexpr UINT kEditId = 1;

void DrawMasked(CDC& dc, const CBitmap& picture, const CBitmap* mask, int x, int y, int width, int height) {
    CDC source;
    if (!source.CreateCompatibleDC(&dc))
        return;
    source.SelectObject(&picture);
    if (!mask || !mask->GetSafeHandle()) {
        dc.BitBlt(x, y, width, height, &source, 0, 0, SRCCOPY);
        return;
    }
    // What is under the picture stays where the mask is white.
    CDC maskDc;
    if (!maskDc.CreateCompatibleDC(&dc))
        return;
    maskDc.SelectObject(mask);
    dc.BitBlt(x, y, width, height, &source, 0, 0, SRCINVERT);
    dc.BitBlt(x, y, width, height, &maskDc, 0, 0, SRCAND);
    dc.BitBlt(x, y, width, height, &source, 0, 0, SRCINVERT);
}

// The drop arrow: lines of 5, 3 and 1 pixels, centred in the square.
void DrawArrow(CDC& dc, const CRect& square, COLORREF colour) {
    CPen pen(PS_SOLID, 1, colour);
    dc.SelectObject(&pen);
    const int x = square.left + (square.Width() - 5) / 2;
    const int y = square.top + (square.Height() - 3) / 2;
    for (int i = 0; i < 3; ++i) {
        dc.MoveTo(x + i, y + i);
        dc.LineTo(x + 5 - i, y + i);
    }
    dc.SelectStockObject(BLACK_PEN);
}

}  // namespace

void RemoveSystemScrollBars(CWnd& list) { list.ModifyStyle(WS_VSCROLL | WS_HSCROLL, 0); }

CXListCtrl::CXListCtrl() {
    SetItemFields(-1, kItemListCtrl, kNoWindowYet, nullptr);
    m_edit.SetFocusLostHandler([this] { EndEdit(true); });
}

CXListCtrl::~CXListCtrl() {
    // The list's own window goes first, while everything it uses is here.
    if (GetSafeHwnd())
        DestroyWindow();
    m_dropList.reset();
    m_scrollBar.reset();
    m_frame.reset();
    if (m_titleTip.GetSafeHwnd())
        m_titleTip.DestroyWindow();
}

CXListCtrl* CXListCtrl::CreateFromElement(const pugi::xml_node& element, CWnd* parent, CGUIItems& items) {
    const int32_t id = ReadNameId(element);
    if (id == -1 || !parent)
        return nullptr;
    auto list = std::make_unique<CXListCtrl>();
    std::unique_ptr<CVScrollBar> bar(CreateVScrollBar(element, list.get()));
    // The bar's width counts only for a bar there is: one of pictures.
    int width = bar->HasPictures() ? std::max(bar->GetBarWidth(), 0) : 0;
    if (width == 0)
        bar.reset();
    DWORD style = WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL;
    if (pugi::xml_node header = element.child("LISTHDR")) {
        COLORREF colour = 0;
        if (ReadColourAttr("backclr", header, colour))
            list->m_header.SetBackColours(colour);
        if (ReadColourAttr("fontclr", header, colour))
            list->m_header.SetTextColour(colour);
    } else {
        style |= LVS_NOCOLUMNHEADER;
    }
    PictureRecord picture;
    const bool framed = ReadBitmapInfo(element.child("BMPINFO"), picture) && picture.picture;
    int borderWidth = 1;
    if (pugi::xml_attribute border = element.attribute("bdrwidth"))
        borderWidth = std::max(ParseSkinNumber(border.value()), 0);
    width += borderWidth;
    // First pass: the columns' widths make the list's width.
    int seen = 0;
    std::map<int32_t, int> widths;
    for (pugi::xml_node column = element.child("LISTCOLUMN"); column; column = column.next_sibling("LISTCOLUMN")) {
        ++seen;
        const int32_t columnId = FindListColumnId(SkinText(column.attribute("name")));
        if (columnId == -1)
            continue;
        widths[columnId] = ReadListColumnWidth(columnId, column);
        width += widths[columnId];
    }
    CRect rect = ReadItemRect(id, element);
    rect.right = rect.left + width;
    CFontItem* font = ReadFontAttr(element, id, &items);
    if (!list->CreateFrameAndList(rect, parent, static_cast<UINT>(id), style, borderWidth, framed ? &picture : nullptr,
                                  bar.release(), font))
        return nullptr;
    const struct {
        const char* name;
        void (CXListCtrl::*set)(COLORREF);
    } colours[] = {
        {"fontclr", &CXListCtrl::SetFontColour},         {"fontclrhi", &CXListCtrl::SetSelectedFontColour},
        {"backclr", &CXListCtrl::SetBackColour},         {"backclrhi", &CXListCtrl::SetSelectedBackColour},
        {"bdrclr", &CXListCtrl::SetBorderColour},
    };
    for (const auto& colour : colours) {
        COLORREF value = 0;
        if (ReadColourAttr(colour.name, element, value))
            (list.get()->*colour.set)(value);
    }
    // Second pass: a column counts when it is whole, whether or not the
    // list takes it (a duplicate or an eleventh is dropped).
    int counted = 0;
    for (pugi::xml_node column = element.child("LISTCOLUMN"); column; column = column.next_sibling("LISTCOLUMN")) {
        const int32_t columnId = FindListColumnId(SkinText(column.attribute("name")));
        const int32_t type = FindCellType(SkinText(column.attribute("type")));
        if (columnId == -1 || type == -1 || widths[columnId] == 0)
            continue;
        bool exclusive = false;
        const CBitmap *off = nullptr, *on = nullptr, *mask = nullptr;
        if (type == kCellCheckbox || type == kCellIcon) {
            exclusive = IsSkinTrue(column.attribute("exclusive").value());
            off = ReadPictureElement("SBMN", column);
            on = ReadPictureElement("SBMD", column);
            mask = ReadPictureElement("SBMM", column);
        }
        CString title = SkinText(column);
        list->AddColumn(columnId, type, widths[columnId], title.Trim(), exclusive, off, on, mask);
        ++counted;
    }
    if (seen == 0 || counted != seen)
        return nullptr;
    list->SetItemFields(id, kItemListCtrl, list->GetSafeHwnd(), parent);
    // The list's parent is its frame: its reports go to the loader's parent.
    list->SetOwner(parent);
    return list.release();
}

bool CXListCtrl::CreateFrameAndList(const RECT& rect, CWnd* parent, UINT id, DWORD style, int borderWidth,
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
    if (!CListCtrl::Create(style, listRect, m_frame.get(), id))
        return false;
    SubclassHeader();
    SetExtendedStyle(GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB | LVS_EX_DOUBLEBUFFER);
    m_font = font;
    const HFONT shown = font ? static_cast<HFONT>(font->GetSafeHandle()) : GetFallbackFont();
    SetFont(shown, false);
    m_edit.SetEditFont(shown);
    SetTextColor(m_fontColour);
    SetBkColor(m_backColour);
    SetTextBkColor(m_backColour);
    m_rowSizer.Fit(*this, kRowHeight);
    m_scrollRowHeight = std::max(kRowHeight, ScrollRowHeight(FontHeightOf(shown)));
    if (m_scrollBar) {
        const int header = HeaderHeight();
        CRect barRect(listRect.right, inner.top, listRect.right + barWidth, inner.bottom);
        // Beside the rows only, its arrows inside the frame.
        if (picture)
            barRect.top += header;
        if (!m_scrollBar->CreateBeside(m_frame.get(), barRect, m_backColour, m_borderColour))
            m_scrollBar.reset();
    }
    Invalidate();
    return true;
}

void CXListCtrl::SubclassHeader() {
    if (m_headerSubclassed || !m_hWnd)
        return;
    if (HWND header = GetHeaderCtrl())
        m_headerSubclassed = m_header.SubclassWindow(header);
    // The list lays its header out again, now at the header's own height.
    if (m_headerSubclassed)
        SetWindowPos(static_cast<HWND>(nullptr), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

int CXListCtrl::HeaderHeight() const {
    if (!m_header.GetSafeHwnd() || (GetStyle() & LVS_NOCOLUMNHEADER) || !m_header.IsWindowVisible())
        return 0;
    CRect rect;
    m_header.GetWindowRect(&rect);
    return rect.Height();
}

bool CXListCtrl::AddColumn(int32_t id, int32_t type, int width, const wchar_t* title, bool exclusive,
                           const CBitmap* off, const CBitmap* on, const CBitmap* mask) {
    if (id == -1 || type == -1 || m_columns.count(id) || GetColumnCount() >= kMaxColumns || !m_hWnd)
        return false;
    CString shown;
    TranslateSkinText(title, shown);
    const int index = GetColumnCount();
    if (InsertColumn(index, shown, LVCFMT_LEFT, std::max(width, 0)) < 0)
        return false;
    ColumnEntry& entry = m_columns[id];
    entry.type = type;
    entry.off = off;
    entry.on = on;
    entry.mask = mask;
    entry.exclusive = exclusive;
    entry.index = index;
    entry.title = shown;
    SubclassHeader();
    return true;
}

const CXListCtrl::ColumnEntry* CXListCtrl::FindColumn(int32_t columnId) const {
    auto it = m_columns.find(columnId);
    return it == m_columns.end() ? nullptr : &it->second;
}

const CXListCtrl::ColumnEntry* CXListCtrl::ColumnAt(int index) const {
    for (const auto& entry : m_columns)
        if (entry.second.index == index)
            return &entry.second;
    return nullptr;
}

int32_t CXListCtrl::GetColumnId(int index) const {
    if (index < 0)
        return -1;
    for (const auto& entry : m_columns)
        if (entry.second.index == index)
            return entry.first;
    return -1;
}

int32_t CXListCtrl::GetColumnType(int32_t columnId) const {
    const ColumnEntry* column = FindColumn(columnId);
    return column ? column->type : -1;
}

int CXListCtrl::GetColumnIndex(int32_t columnId) const {
    const ColumnEntry* column = FindColumn(columnId);
    return column ? column->index : -1;
}

int CXListCtrl::FirstEditColumn() const {
    int first = -1;
    for (const auto& entry : m_columns)
        if (entry.second.type == kCellEdit && (first < 0 || entry.second.index < first))
            first = entry.second.index;
    return first;
}

CXListCtrl::Row* CXListCtrl::RowData(int row) const {
    if (!m_hWnd || row < 0 || row >= GetItemCount())
        return nullptr;
    return reinterpret_cast<Row*>(GetItemData(row));
}

XListCell* CXListCtrl::CellAt(int row, int columnIndex) const {
    Row* data = RowData(row);
    if (!data || columnIndex < 0 || columnIndex >= static_cast<int>(data->cells.size()))
        return nullptr;
    return &data->cells[static_cast<size_t>(columnIndex)];
}

const XListCell* CXListCtrl::GetCell(int row, int columnIndex) const { return CellAt(row, columnIndex); }

int32_t CXListCtrl::RowKey(int row) const {
    const XListCell* first = CellAt(row, 0);
    return first ? first->rowKey : -1;
}

int CXListCtrl::FindRowByKey(int32_t key) const {
    if (!m_hWnd)
        return -1;
    for (int row = 0, count = GetItemCount(); row < count; ++row)
        if (RowData(row) && RowKey(row) == key)
            return row;
    return -1;
}

int CXListCtrl::SelectedRow() const { return m_hWnd ? GetNextItem(-1, LVNI_SELECTED) : -1; }

int32_t CXListCtrl::GetSelectedKey() const {
    const int row = SelectedRow();
    return row < 0 ? -1 : RowKey(row);
}

int CXListCtrl::AddRow(int32_t key) {
    if (key < 0 || !m_hWnd)
        return -1;
    auto* data = new Row;
    data->cells.resize(std::max<size_t>(m_columns.size(), 1));
    XListCell& first = data->cells.front();
    first.textColour = m_fontColour;
    first.backColour = m_backColour;
    first.selectedTextColour = m_selectedFontColour;
    first.selectedBackColour = m_selectedBackColour;
    first.rowKey = key;
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = key;
    item.pszText = const_cast<wchar_t*>(L"");
    item.lParam = reinterpret_cast<LPARAM>(data);
    const int row = InsertItem(&item);
    if (row < 0) {
        delete data;
        return -1;
    }
    EnsureVisible(row, false);
    UpdateBar();
    return row;
}

bool CXListCtrl::DeleteRow(int32_t key) {
    const int row = FindRowByKey(key);
    if (row < 0)
        return false;
    if (m_editKey == key)
        EndEdit(false);
    if (m_pressedKey == key)
        CloseDropList(true);
    Row* data = RowData(row);
    SetItemData(row, 0);
    DeleteItem(row);
    delete data;
    UpdateBar();
    Invalidate(false);
    return true;
}

bool CXListCtrl::SelectRow(int32_t key) {
    const int row = FindRowByKey(key);
    if (row < 0)
        return false;
    EndEdit(true);
    CloseDropList(true);
    SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    SetSelectionMark(row);
    EnsureVisible(row, false);
    UpdateBar();
    Invalidate(false);
    return true;
}

int CXListCtrl::SetCellText(int32_t key, int32_t columnId, const wchar_t* text) {
    const int row = FindRowByKey(key), index = GetColumnIndex(columnId);
    if (row < 0 || index < 0)
        return 0;
    SetItemText(row, index, text);
    RedrawCell(row, index);
    return 1;
}

CString CXListCtrl::GetCellText(int32_t key, int32_t columnId) const {
    const int row = FindRowByKey(key), index = GetColumnIndex(columnId);
    return row < 0 || index < 0 ? CString() : GetItemText(row, index);
}

int CXListCtrl::SetCellCheck(int32_t key, int32_t columnId, int state) {
    const int row = FindRowByKey(key), index = GetColumnIndex(columnId);
    XListCell* cell = CellAt(row, index);
    if (!cell)
        return 0;
    cell->checkState = state < 0 ? -1 : (state > 0 ? 1 : 0);
    RedrawCell(row, index);
    UpdateHeaderImage(index);
    return 1;
}

int CXListCtrl::GetCellCheck(int32_t key, int32_t columnId) const {
    const XListCell* cell = CellAt(FindRowByKey(key), GetColumnIndex(columnId));
    return cell ? cell->checkState : -1;
}

bool CXListCtrl::SetCellDropList(int32_t key, int32_t columnId, const std::vector<CString>& entries, int dropRows,
                                 int defaultEntry) {
    const int row = FindRowByKey(key), index = GetColumnIndex(columnId);
    XListCell* cell = CellAt(row, index);
    if (!cell)
        return false;
    cell->hasDropList = 1;
    cell->entries = entries;
    cell->dropRows = std::max(dropRows, 1);
    cell->defaultEntry = defaultEntry >= 0 && defaultEntry < static_cast<int>(entries.size()) ? defaultEntry : 0;
    if (GetItemText(row, index).IsEmpty() && !entries.empty())
        SetItemText(row, index, entries[static_cast<size_t>(cell->defaultEntry)]);
    RedrawCell(row, index);
    return true;
}

bool CXListCtrl::SetRowEnabled(int32_t key, bool enabled) {
    const int row = FindRowByKey(key);
    XListCell* first = CellAt(row, 0);
    if (!first)
        return false;
    first->enabled = enabled ? 1 : 0;
    return true;
}

void CXListCtrl::SetRowColours(int row, COLORREF text, COLORREF back, COLORREF selectedText, COLORREF selectedBack) {
    XListCell* first = CellAt(row, 0);
    if (!first)
        return;
    first->textColour = text;
    first->backColour = back;
    first->selectedTextColour = selectedText;
    first->selectedBackColour = selectedBack;
    RedrawItems(row, row);
}

int CXListCtrl::CountChecked(int32_t columnId) const {
    const int index = GetColumnIndex(columnId);
    if (index < 0 || !m_hWnd)
        return 0;
    int checked = 0;
    for (int row = 0, count = GetItemCount(); row < count; ++row)
        if (const XListCell* cell = CellAt(row, index))
            checked += cell->checkState == 1 ? 1 : 0;
    return checked;
}

void CXListCtrl::SetFontColour(COLORREF colour) {
    m_fontColour = colour;
    if (m_hWnd) {
        SetTextColor(colour);
        Invalidate(false);
    }
}

void CXListCtrl::SetSelectedFontColour(COLORREF colour) {
    m_selectedFontColour = colour;
    if (m_hWnd)
        Invalidate(false);
}

void CXListCtrl::SetBackColour(COLORREF colour) {
    m_backColour = colour;
    if (m_frame)
        m_frame->SetBackgroundColour(colour);
    if (m_scrollBar)
        m_scrollBar->SetBackgroundColour(colour);
    if (m_hWnd) {
        SetBkColor(colour);
        SetTextBkColor(colour);
        Invalidate(false);
    }
}

void CXListCtrl::SetSelectedBackColour(COLORREF colour) {
    m_selectedBackColour = colour;
    if (m_hWnd)
        Invalidate(false);
}

void CXListCtrl::SetBorderColour(COLORREF colour) {
    m_borderColour = colour;
    if (m_frame)
        m_frame->SetBorderColour(colour);
    if (m_scrollBar)
        m_scrollBar->SetBorderColour(colour);
    if (m_frame && m_frame->GetSafeHwnd())
        m_frame->Invalidate(false);
}

void CXListCtrl::Show(bool show) {
    const int command = show ? SW_SHOW : SW_HIDE;
    if (!show) {
        EndEdit(true);
        CloseDropList(true);
    }
    if (m_scrollBar && m_scrollBar->GetSafeHwnd())
        m_scrollBar->ShowWindow(command);
    if (m_frame && m_frame->GetSafeHwnd())
        m_frame->ShowWindow(command);
    if (m_hWnd)
        ShowWindow(command);
}

CRect CXListCtrl::GetCellRect(int row, int columnIndex) const {
    CRect cell;
    if (!m_hWnd || !GetSubItemRect(row, columnIndex, LVIR_BOUNDS, &cell))
        return CRect(0, 0, 0, 0);
    if (columnIndex == 0 && GetColumnCount() >= 2) {
        CRect next;
        if (GetSubItemRect(row, 1, LVIR_BOUNDS, &next))
            cell.right = next.left;
    }
    return cell;
}

bool CXListCtrl::InCheckZone(const RECT& cell, int x) {
    const int middle = (cell.left + cell.right) / 2;
    return x >= middle - kCheckHalfWidth && x <= middle + kCheckHalfWidth;
}

bool CXListCtrl::InArrowZone(const RECT& cell, int x) {
    return x >= cell.right - (cell.bottom - cell.top) && x <= cell.right;
}

void CXListCtrl::RedrawCell(int row, int columnIndex) {
    const CRect cell = GetCellRect(row, columnIndex);
    if (!cell.IsRectEmpty())
        InvalidateRect(&cell, false);
}

void CXListCtrl::UpdateHeaderImage(int columnIndex) {
    if (!m_header.GetSafeHwnd() || columnIndex < 0)
        return;
    HDITEMW item = {};
    item.mask = HDI_FORMAT | HDI_IMAGE;
    if (!m_header.GetItem(columnIndex, &item) || !(item.fmt & HDF_IMAGE))
        return;
    bool all = GetItemCount() > 0;
    for (int row = 0, count = GetItemCount(); all && row < count; ++row) {
        const XListCell* cell = CellAt(row, columnIndex);
        all = cell && cell->checkState == 1;
    }
    item.mask = HDI_IMAGE;
    item.iImage = all ? 1 : 0;
    m_header.SetItem(columnIndex, &item);
}

void CXListCtrl::UpdateBar() {
    if (m_scrollBar && m_scrollBar->GetSafeHwnd())
        m_scrollBar->UpdateThumbPosition();
}

LRESULT CXListCtrl::Notify(UINT message, int32_t key, int32_t column, const void* value) {
    CWnd* target = GetNotifyWindow();
    if (!target || !target->GetSafeHwnd())
        return 0;
    const XListNotify record = {key, column, value};
    return target->SendMessage(message, reinterpret_cast<WPARAM>(m_hWnd), reinterpret_cast<LPARAM>(&record));
}

HWND CXListCtrl::ReportSender(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_XLIST_ASSIGN_APPLICATION:
    case WM_XLIST_CHECK_CHANGED:
    case WM_XLIST_ITEM_ACTIVATED:
    case WM_XLIST_ROW_SELECTED:
    case WM_XLIST_MENU_COMMAND:
    case WM_XLIST_LABEL_EDITED: return reinterpret_cast<HWND>(wParam);
    // The row-key message names its row in wParam and the list in lParam.
    case WM_XLIST_CELL_CLICKED: return reinterpret_cast<HWND>(lParam);
    default: return nullptr;
    }
}

BOOL CXListCtrl::PreTranslateMessage(MSG* msg) {
    RelayToTooltip(m_titleTip, msg);
    if (msg->message == WM_KEYDOWN) {
        if (IsEditing() && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) {
            // The dialog never sees these: Enter is not its OK, nor Escape its Cancel.
            EndEdit(msg->wParam == VK_RETURN);
            return TRUE;
        }
        if (!IsEditing() && msg->wParam == VK_SPACE && msg->hwnd == m_hWnd)
            return TRUE;
    }
    return CListCtrl::PreTranslateMessage(msg);
}

LRESULT CXListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (HandleComboListMessage(message))
        return 0;
    return CListCtrl::WindowProc(message, wParam, lParam);
}

bool CXListCtrl::HandleComboListMessage(UINT message) {
    const ComboListMessages& messages = GetComboListMessages();
    if (IsComboListMessage(message, messages.vkEscape)) {
        // Closed a moment later, once the drop list's own message is done.
        KillTimer(kArrowTimer);
        if (m_dropList)
            SetTimer(kCloseDropTimer, kCloseDropMs);
        return true;
    }
    if (IsComboListMessage(message, messages.vkReturn) || IsComboListMessage(message, messages.lButtonUp)) {
        KillTimer(kArrowTimer);
        SetTimer(kCommitDropTimer, kDropMs);
        return true;
    }
    if (IsComboListMessage(message, messages.keyDown)) {
        SetTimer(kFollowDropTimer, kDropMs);
        return true;
    }
    return false;
}

LRESULT CXListCtrl::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) {
    RemoveSystemScrollBars(*this);
    return 0;
}

BOOL CXListCtrl::OnEraseBkgnd(CDC*) { return TRUE; }

BOOL CXListCtrl::OnReflectedNotify(NMHDR* header, LRESULT* result) {
    if (header->code == LVN_DELETEITEM) {
        // A row deleted by the list view itself takes its cells along.
        auto* deleted = reinterpret_cast<NMLISTVIEW*>(header);
        delete reinterpret_cast<Row*>(deleted->lParam);
        return FALSE;
    }
    if (header->code != NM_CUSTOMDRAW)
        return FALSE;
    auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(header);
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT: {
        CDC dc;
        if (dc.Attach(draw->nmcd.hdc)) {
            PaintBackground(dc);
            dc.Detach();
        }
        *result = CDRF_NOTIFYITEMDRAW;
        return TRUE;
    }
    case CDDS_ITEMPREPAINT:
        *result = CDRF_NOTIFYSUBITEMDRAW;
        return TRUE;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        CDC dc;
        if (dc.Attach(draw->nmcd.hdc)) {
            PaintCell(dc, static_cast<int>(draw->nmcd.dwItemSpec), draw->iSubItem);
            dc.Detach();
        }
        *result = CDRF_SKIPDEFAULT;
        return TRUE;
    }
    default:
        *result = CDRF_DODEFAULT;
        return TRUE;
    }
}

void CXListCtrl::PaintBackground(CDC& dc) {
    // Nothing erases the list: what no row covers is filled here.
    CRect client;
    GetClientRect(&client);
    const int count = GetItemCount();
    CRect last;
    if (count > 0 && GetItemRect(count - 1, &last, LVIR_BOUNDS))
        client.top = std::max(client.top, last.bottom);
    else
        client.top += HeaderHeight();
    if (client.top < client.bottom)
        dc.FillSolidRect(&client, m_backColour);
    int right = 0;
    for (int i = 0; i < GetColumnCount(); ++i)
        right += GetColumnWidth(i);
    CRect beside;
    GetClientRect(&beside);
    if (right < beside.right) {
        beside.left = right;
        dc.FillSolidRect(&beside, m_backColour);
    }
}

void CXListCtrl::PaintCell(CDC& dc, int row, int columnIndex) {
    const CRect cell = GetCellRect(row, columnIndex);
    if (cell.IsRectEmpty())
        return;
    const bool selected = row == SelectedRow();
    const XListCell* data = CellAt(row, columnIndex);
    const ColumnEntry* column = ColumnAt(columnIndex);
    if (data && data->hasDropList && selected) {
        PaintDropCell(dc, cell, GetItemText(row, columnIndex), data->arrowPressed != 0);
        return;
    }
    if (data && column && data->checkState != -1) {
        PaintCheckCell(dc, cell, *column, *data, selected);
        return;
    }
    PaintTextCell(dc, cell, row, columnIndex, selected);
}

void CXListCtrl::PaintTextCell(CDC& dc, const CRect& cell, int row, int columnIndex, bool selected) {
    const XListCell* first = CellAt(row, 0);
    const COLORREF back = first ? (selected ? first->selectedBackColour : first->backColour)
                                : (selected ? m_selectedBackColour : m_backColour);
    const COLORREF text = first ? (selected ? first->selectedTextColour : first->textColour)
                                : (selected ? m_selectedFontColour : m_fontColour);
    dc.FillSolidRect(&cell, back);
    dc.SelectObject(GetFont());
    dc.SetTextColor(text);
    dc.SetBkMode(TRANSPARENT);
    UINT align = DT_LEFT;
    LVCOLUMNW info = {};
    info.mask = LVCF_FMT;
    if (GetColumn(columnIndex, &info))
        align = (info.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_RIGHT    ? DT_RIGHT
                : (info.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_CENTER ? DT_CENTER
                                                                   : DT_LEFT;
    CRect area = cell;
    area.left += kTextIndent;
    dc.DrawText(GetItemText(row, columnIndex), &area,
                align | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
}

void CXListCtrl::PaintCheckCell(CDC& dc, const CRect& cell, const ColumnEntry& column, const XListCell& data,
                                bool selected) {
    dc.FillSolidRect(&cell, selected ? m_selectedBackColour : m_backColour);
    const CBitmap* picture = data.checkState == 1 ? column.on : column.off;
    if (!picture || !picture->GetSafeHandle())
        return;
    const CSize size = BitmapSize(picture);
    const int saved = dc.SaveDC();
    dc.IntersectClipRect(cell.left, cell.top, cell.right, cell.bottom);
    DrawMasked(dc, *picture, column.mask, cell.left + (cell.Width() - size.cx) / 2,
               cell.top + (cell.Height() - size.cy) / 2, size.cx, size.cy);
    dc.RestoreDC(saved);
}

void CXListCtrl::PaintDropCell(CDC& dc, const CRect& cell, const CString& text, bool pressed) {
    dc.FillSolidRect(&cell, m_backColour);
    dc.Draw3dRect(&cell, m_fontColour, m_fontColour);
    const int square = cell.Height();
    CRect arrow(cell.right - square, cell.top, cell.right, cell.bottom);
    arrow.DeflateRect(2, 2);
    CRect label(cell.left + 2, cell.top, arrow.left, cell.bottom);
    dc.SelectObject(GetFont());
    dc.SetTextColor(m_fontColour);
    dc.SetBkMode(TRANSPARENT);
    dc.DrawText(text, &label, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    if (pressed) {
        dc.FillSolidRect(&arrow, m_backColour);
        dc.Draw3dRect(&arrow, m_fontColour, m_fontColour);
        DrawArrow(dc, arrow, m_fontColour);
    } else {
        CRect edge = arrow;
        dc.DrawEdge(&edge, EDGE_RAISED, BF_RECT | BF_ADJUST);
        dc.FillSolidRect(&edge, m_backColour);
        CRect shifted = edge;
        shifted.OffsetRect(-1, -1);
        DrawArrow(dc, shifted, m_fontColour);
    }
}

bool CXListCtrl::ToggleCheck(int row, int columnIndex) {
    XListCell* cell = CellAt(row, columnIndex);
    const ColumnEntry* column = ColumnAt(columnIndex);
    if (!cell || !column)
        return false;
    if (!column->exclusive) {
        cell->checkState = cell->checkState == 1 ? 0 : 1;
        RedrawCell(row, columnIndex);
        return true;
    }
    if (cell->checkState == 1)
        return false;
    // A radio column: the one set cell moves to this row.
    for (int other = 0, count = GetItemCount(); other < count; ++other) {
        XListCell* each = CellAt(other, columnIndex);
        if (each && each->checkState == 1) {
            each->checkState = 0;
            RedrawCell(other, columnIndex);
        }
    }
    cell->checkState = 1;
    RedrawCell(row, columnIndex);
    return true;
}

void CXListCtrl::OnLButtonDown(UINT, CPoint point) {
    EndEdit(true);
    KillTimer(kEditTimer);
    m_pendingEditKey = -1;
    LVHITTESTINFO hit = {};
    hit.pt = point;
    const int row = SubItemHitTest(&hit) >= 0 ? hit.iItem : -1;
    if (row < 0) {
        KillTimer(kArrowTimer);
        CloseDropList(true);
        return;
    }
    const XListCell* first = CellAt(row, 0);
    if (!first || !first->enabled)
        return;
    const HWND self = m_hWnd;
    const int32_t key = first->rowKey;
    const int index = hit.iSubItem;
    const ColumnEntry* column = ColumnAt(index);
    const int32_t columnId = GetColumnId(index);
    const bool wasSelected = row == SelectedRow();
    const CRect cell = GetCellRect(row, index);
    XListCell* data = CellAt(row, index);
    bool quiet = false, checkChanged = false, openDrop = false;
    if (data && data->checkState != -1 && InCheckZone(cell, point.x)) {
        checkChanged = ToggleCheck(row, index);
        // A press on the set cell of a radio column changes nothing and says nothing.
        quiet = !checkChanged;
    }
    if (data && data->hasDropList) {
        CloseDropList(true);
        openDrop = InArrowZone(cell, point.x);
    } else if (m_dropList) {
        CloseDropList(true);
    }
    // The press selects and focuses the row before anyone hears of it.
    Default();
    if (!::IsWindow(self) || FromHandlePermanent(self) != this)
        return;
    if (checkChanged) {
        const XListCell* changed = CellAt(FindRowByKey(key), index);
        const bool state = changed && changed->checkState == 1;
        Notify(WM_XLIST_CHECK_CHANGED, key, columnId, &state);
        if (!::IsWindow(self))
            return;
        UpdateHeaderImage(index);
    }
    if (openDrop) {
        const int now = FindRowByKey(key);
        if (XListCell* drop = CellAt(now, index)) {
            drop->arrowPressed = 1;
            m_arrowPressed = 1;
            m_pressedKey = key;
            m_pressedColumn = index;
            m_pressedRect = GetCellRect(now, index);
            RedrawCell(now, index);
            OpenDropList(now, index);
            SetTimer(kArrowTimer, kArrowMs);
        }
    }
    if (!quiet) {
        if (CWnd* target = GetNotifyWindow())
            target->SendMessage(WM_XLIST_CELL_CLICKED, static_cast<WPARAM>(key), reinterpret_cast<LPARAM>(m_hWnd));
        if (!::IsWindow(self))
            return;
    }
    // A second press on the selected row's editable cell edits it, once
    // it is clear that the press is not half of a double click.
    if (wasSelected && column && column->type == kCellEdit && !openDrop && !checkChanged && !quiet) {
        m_pendingEditKey = key;
        m_pendingEditColumn = index;
        SetTimer(kEditTimer, ::GetDoubleClickTime());
    }
}

void CXListCtrl::OnLButtonDblClk(UINT, CPoint point) {
    KillTimer(kEditTimer);
    m_pendingEditKey = -1;
    LVHITTESTINFO hit = {};
    hit.pt = point;
    const int row = SubItemHitTest(&hit) >= 0 ? hit.iItem : -1;
    const XListCell* first = CellAt(row, 0);
    if (!first) {
        Default();
        return;
    }
    if (!first->enabled)
        return;
    const int32_t key = first->rowKey;
    const int32_t columnId = GetColumnId(hit.iSubItem);
    const HWND self = m_hWnd;
    Default();
    if (::IsWindow(self))
        Notify(WM_XLIST_ITEM_ACTIVATED, key, columnId, nullptr);
}

void CXListCtrl::OnRButtonDown(UINT, CPoint point) {
    EndEdit(true);
    CloseDropList(true);
    const HWND self = m_hWnd;
    Default();
    if (!::IsWindow(self) || !m_cellMenu)
        return;
    LVHITTESTINFO hit = {};
    hit.pt = point;
    const int row = SubItemHitTest(&hit) >= 0 ? hit.iItem : -1;
    if (!CellAt(row, 0))
        return;
    const int32_t key = RowKey(row);
    Notify(WM_XLIST_ROW_SELECTED, key, 0, nullptr);
    if (!::IsWindow(self))
        return;
    const int chosen = m_cellMenu->PlaceList(0, this, point.x, point.y);
    if (!::IsWindow(self) || chosen < 0)
        return;
    const CString text = m_cellMenu->GetEntryText(chosen);
    if (CompareNoCase(text, L"$AssignApplication") == 0)
        AssignApplication(key);
    else if (CompareNoCase(text, L"$UnassignApplication") == 0)
        UnassignApplication(key);
    else
        Notify(WM_XLIST_MENU_COMMAND, key, 0, text.GetString());
}

void CXListCtrl::AssignApplication(int32_t key) {
    wchar_t path[MAX_PATH] = {};
    OPENFILENAMEW open = {};
    open.lStructSize = sizeof open;
    CWnd* owner = GetNotifyWindow();
    open.hwndOwner = owner ? owner->GetSafeHwnd() : m_hWnd;
    open.lpstrFilter = L"*.exe\0*.exe\0\0";
    open.lpstrFile = path;
    open.nMaxFile = MAX_PATH;
    open.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    const HWND self = m_hWnd;
    if (!::GetOpenFileNameW(&open) || !::IsWindow(self))
        return;
    const CString full = path;
    const int slash = full.ReverseFind(L'\\');
    SetCellText(key, LCITEM_PROFILEEXE, slash < 0 ? full : full.Mid(slash + 1));
    Notify(WM_XLIST_ASSIGN_APPLICATION, key, LCITEM_PROFILEEXE, full.GetString());
}

void CXListCtrl::UnassignApplication(int32_t key) {
    const HWND self = m_hWnd;
    SetCellText(key, LCITEM_PROFILEEXE, L"");
    Notify(WM_XLIST_ASSIGN_APPLICATION, key, LCITEM_PROFILEEXE, L"");
    if (!::IsWindow(self))
        return;
    if (GetCellCheck(key, LCITEM_AUTOSWITCH) != -1)
        SetCellCheck(key, LCITEM_AUTOSWITCH, 0);
    const bool state = false;
    Notify(WM_XLIST_CHECK_CHANGED, key, LCITEM_AUTOSWITCH, &state);
}

int CXListCtrl::ColumnAtX(int x) const {
    int left = 0;
    for (int index = 0; index < GetColumnCount(); ++index) {
        const int right = left + GetColumnWidth(index);
        if (x >= left && x < right)
            return index;
        left = right;
    }
    return -1;
}

void CXListCtrl::ShowColumnTitle(int columnIndex) {
    if (columnIndex < 0 || columnIndex == m_titleColumn)
        return;
    const ColumnEntry* column = ColumnAt(columnIndex);
    if (!column)
        return;
    m_titleColumn = columnIndex;
    if (!m_titleTip.GetSafeHwnd()) {
        if (!m_titleTip.Create(this, 0))
            return;
        CRect client;
        GetClientRect(&client);
        m_titleTip.AddTool(this, column->title, &client, 1);
        m_titleTip.Activate(true);
    }
    m_titleTip.UpdateTipText(column->title, this, 1);
}

void CXListCtrl::OnMouseMove(UINT flags, CPoint point) {
    ShowColumnTitle(ColumnAtX(point.x));
    // The bar hands the mouse back to the list when it leaves the bar:
    // the list keeps it only on its way back to the bar.
    HandCaptureToBar(*this, m_scrollBar.get(), flags, point);
    Default();
}

BOOL CXListCtrl::OnMouseWheel(UINT, short delta, CPoint) {
    EndEdit(true);
    CloseDropList(true);
    UpdateBar();
    PostWheelSteps(*this, delta);
    return TRUE;
}

void CXListCtrl::OnVScroll(UINT code, UINT pos, CWnd*) {
    EndEdit(true);
    CloseDropList(true);
    if (!ScrollListBy(*this, code, pos, m_scrollRowHeight))
        Default();
    UpdateBar();
}

void CXListCtrl::OnKeyDown(UINT key, UINT repeat, UINT flags) {
    if (key == VK_F2 && !(flags & KF_REPEAT)) {
        BeginEdit(SelectedRow(), FirstEditColumn());
        return;
    }
    CListCtrl::OnKeyDown(key, repeat, flags);
    UpdateBar();
}

void CXListCtrl::OnTimer(UINT_PTR id) {
    switch (id) {
    case kArrowTimer: {
        if (m_arrowPressed) {
            CPoint cursor;
            ::GetCursorPos(&cursor);
            ScreenToClient(&cursor);
            if (!m_pressedRect.PtInRect(cursor))
                ReleaseArrow();
        } else if (m_dropList) {
            m_dropList->Show();
        } else {
            KillTimer(kArrowTimer);
        }
        return;
    }
    case kCloseDropTimer:
        KillTimer(kCloseDropTimer);
        CloseDropList(true);
        return;
    case kCommitDropTimer: {
        KillTimer(kCommitDropTimer);
        if (!m_dropList)
            return;
        TakeDropSelection();
        const int32_t key = m_pressedKey;
        const int index = m_pressedColumn;
        const CString before = m_dropOriginalText;
        CloseDropList(false);
        const int row = FindRowByKey(key);
        if (row >= 0 && index >= 0) {
            const CString now = GetItemText(row, index);
            if (now != before)
                Notify(WM_XLIST_LABEL_EDITED, key, GetColumnId(index), now.GetString());
        }
        return;
    }
    case kFollowDropTimer:
        KillTimer(kFollowDropTimer);
        TakeDropSelection();
        return;
    case kEditTimer: {
        KillTimer(kEditTimer);
        const int32_t key = m_pendingEditKey;
        m_pendingEditKey = -1;
        // Not when the user has gone on to something else meanwhile.
        if (key >= 0 && key == GetSelectedKey() && !m_dropList && ::GetFocus() == m_hWnd)
            BeginEdit(FindRowByKey(key), m_pendingEditColumn);
        return;
    }
    default:
        Default();
    }
}

void CXListCtrl::OpenDropList(int row, int columnIndex) {
    XListCell* cell = CellAt(row, columnIndex);
    if (!cell)
        return;
    CRect place = GetCellRect(row, columnIndex);
    ClientToScreen(&place);
    const int height = std::max(place.Height() - 2, 1) * cell->dropRows;
    const CRect rect(place.left, place.bottom - 1, place.left + std::max(place.Width() - 1, 1),
                     place.bottom - 1 + height);
    auto list = std::make_unique<CXComboList>(this);
    // One that cannot be made leaves the arrow down until the timer lets go.
    if (!list->CreatePopup(rect))
        return;
    if (!m_dropFont.GetSafeHandle()) {
        LOGFONTW info = {};
        const HFONT font = GetFont();
        if (font && ::GetObjectW(font, sizeof info, &info) == sizeof info)
            m_dropFont.CreateFontIndirect(&info);
    }
    if (m_dropFont.GetSafeHandle())
        list->SetListFont(static_cast<HFONT>(m_dropFont.GetSafeHandle()));
    for (const CString& entry : cell->entries)
        if (!entry.IsEmpty())
            list->AddString(entry);
    CString text = GetItemText(row, columnIndex);
    m_dropOriginalText = text;
    if (text.IsEmpty() && list->GetCount() > 0) {
        text = list->GetText(0);
        SetItemText(row, columnIndex, text);
        RedrawCell(row, columnIndex);
    }
    const int found = list->FindExact(text);
    list->SetCurSel(found >= 0 ? found : 0);
    m_dropSelectedText = list->GetSelectedText();
    m_dropList = std::move(list);
    m_dropList->Show();
}

void CXListCtrl::TakeDropSelection() {
    if (!m_dropList)
        return;
    m_dropSelectedText = m_dropList->GetSelectedText();
    const int row = FindRowByKey(m_pressedKey);
    if (row < 0 || m_pressedColumn < 0 || m_dropList->GetCurSel() < 0)
        return;
    SetItemText(row, m_pressedColumn, m_dropSelectedText);
    RedrawCell(row, m_pressedColumn);
}

void CXListCtrl::ReleaseArrow() {
    if (!m_arrowPressed)
        return;
    m_arrowPressed = 0;
    const int row = FindRowByKey(m_pressedKey);
    if (XListCell* cell = CellAt(row, m_pressedColumn)) {
        cell->arrowPressed = 0;
        RedrawCell(row, m_pressedColumn);
    }
}

void CXListCtrl::CloseDropList(bool cancel) {
    KillTimer(kCloseDropTimer);
    KillTimer(kCommitDropTimer);
    KillTimer(kFollowDropTimer);
    ReleaseArrow();
    if (!m_dropList)
        return;
    KillTimer(kArrowTimer);
    std::unique_ptr<CXComboList> list = std::move(m_dropList);
    const int row = FindRowByKey(m_pressedKey);
    if (cancel && row >= 0 && m_pressedColumn >= 0) {
        SetItemText(row, m_pressedColumn, m_dropOriginalText);
        RedrawCell(row, m_pressedColumn);
    }
    m_pressedKey = -1;
    m_pressedColumn = -1;
    if (list->GetSafeHwnd())
        list->DestroyWindow();
}

bool CXListCtrl::BeginEdit(int row, int columnIndex) {
    const ColumnEntry* column = ColumnAt(columnIndex);
    const XListCell* first = CellAt(row, 0);
    if (!column || column->type != kCellEdit || !first || !first->enabled)
        return false;
    const int32_t key = first->rowKey;
    EndEdit(true);
    CloseDropList(true);
    row = FindRowByKey(key);
    if (row < 0)
        return false;
    EnsureVisible(row, false);
    UpdateBar();
    const CRect cell = GetCellRect(row, columnIndex);
    m_edit.SetColours(m_fontColour, m_backColour, m_borderColour);
    if (!m_edit.GetSafeHwnd() &&
        !m_edit.Create(WS_CHILD | WS_BORDER | ES_AUTOHSCROLL | ES_LEFT, cell, this, kEditId))
        return false;
    m_edit.SetLimitText(kEditLimit);
    m_edit.SetWindowText(GetItemText(row, columnIndex));
    m_edit.MoveWindow(cell);
    m_editKey = key;
    m_editColumn = columnIndex;
    m_edit.ShowWindow(SW_SHOW);
    m_edit.SetFocus();
    m_edit.SetSel(0, -1);
    return true;
}

void CXListCtrl::EndEdit(bool commit) {
    if (::GetCapture() == m_hWnd && m_hWnd)
        ::ReleaseCapture();
    if (m_editColumn < 0)
        return;
    // Forgotten first: whatever the report leads to, this edit ends once.
    const int32_t key = m_editKey;
    const int index = m_editColumn;
    m_editKey = -1;
    m_editColumn = -1;
    CString text;
    if (m_edit.GetSafeHwnd()) {
        m_edit.GetWindowText(text);
        if (::GetFocus() == m_edit.GetSafeHwnd())
            SetFocus();
        m_edit.ShowWindow(SW_HIDE);
    }
    Invalidate(false);
    const int row = FindRowByKey(key);
    if (!commit || row < 0 || text == GetItemText(row, index))
        return;
    SetItemText(row, index, text);
    RedrawCell(row, index);
    Notify(WM_XLIST_LABEL_EDITED, key, GetColumnId(index), text.GetString());
}

void CXListCtrl::OnDestroy() {
    // Nobody is told of what goes with the window.
    m_editKey = -1;
    m_editColumn = -1;
    for (UINT_PTR timer : {kArrowTimer, kCloseDropTimer, kCommitDropTimer, kFollowDropTimer, kEditTimer})
        KillTimer(timer);
    if (m_dropList) {
        if (m_dropList->GetSafeHwnd())
            m_dropList->DestroyWindow();
        m_dropList.reset();
    }
    for (int row = 0, count = GetItemCount(); row < count; ++row) {
        delete RowData(row);
        SetItemData(row, 0);
    }
    if (m_edit.GetSafeHwnd())
        m_edit.DestroyWindow();
    Default();
}

#include "platform/CListCtrl.h"

#include "platform/CImageList.h"

bool CListCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    EnsureCommonControls(ICC_LISTVIEW_CLASSES);
    return CWnd::Create(WC_LISTVIEWW, nullptr, style, rect, parent, id);
}

HIMAGELIST CListCtrl::SetImageList(CImageList* list, int kind) {
    return SetImageList(list ? list->GetSafeHandle() : nullptr, kind);
}

int CListCtrl::InsertColumn(int column, const wchar_t* heading, int format, int width, int subItem) {
    LVCOLUMNW info = {};
    info.mask = LVCF_FMT | LVCF_TEXT;
    info.fmt = format;
    info.pszText = const_cast<wchar_t*>(heading ? heading : L"");
    if (width >= 0) {
        info.mask |= LVCF_WIDTH;
        info.cx = width;
    }
    if (subItem >= 0) {
        info.mask |= LVCF_SUBITEM;
        info.iSubItem = subItem;
    }
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info)));
}

int CListCtrl::InsertItem(int item, const wchar_t* text, int image) {
    LVITEMW info = {};
    info.mask = LVIF_TEXT;
    info.iItem = item;
    info.pszText = const_cast<wchar_t*>(text ? text : L"");
    if (image >= 0) {
        info.mask |= LVIF_IMAGE;
        info.iImage = image;
    }
    return InsertItem(&info);
}

bool CListCtrl::SetItemText(int item, int subItem, const wchar_t* text) {
    LVITEMW info = {};
    info.iSubItem = subItem;
    info.pszText = const_cast<wchar_t*>(text ? text : L"");
    return SendMessage(LVM_SETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&info)) != 0;
}

CString CListCtrl::GetItemText(int item, int subItem) const {
    // The control copies at most the buffer's size and says how much it
    // copied; a full buffer means the text may be longer.
    CString text;
    for (int size = 256;; size *= 2) {
        LVITEMW info = {};
        info.iSubItem = subItem;
        info.cchTextMax = size;
        info.pszText = text.GetBuffer(size);
        int copied = static_cast<int>(
            SendMessage(LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&info)));
        if (copied < 0)
            copied = 0;
        text.ReleaseBuffer(copied < size ? copied : size - 1);
        if (copied < size - 1 || size >= (1 << 20))
            return text;
    }
}

DWORD_PTR CListCtrl::GetItemData(int item) const {
    LVITEMW info = {};
    info.mask = LVIF_PARAM;
    info.iItem = item;
    return GetItem(&info) ? static_cast<DWORD_PTR>(info.lParam) : 0;
}

bool CListCtrl::SetItemData(int item, DWORD_PTR data) {
    LVITEMW info = {};
    info.mask = LVIF_PARAM;
    info.iItem = item;
    info.lParam = static_cast<LPARAM>(data);
    return SetItem(&info);
}

bool CListCtrl::SetItemState(int item, UINT state, UINT mask) {
    LVITEMW info = {};
    info.state = state;
    info.stateMask = mask;
    return SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&info)) != 0;
}

bool CListCtrl::GetItemRect(int item, RECT* rect, UINT area) const {
    rect->left = static_cast<LONG>(area);
    return SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(rect)) != 0;
}

bool CListCtrl::GetSubItemRect(int item, int subItem, int area, RECT* rect) const {
    rect->top = subItem;
    rect->left = area;
    return SendMessage(LVM_GETSUBITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(rect)) != 0;
}

int CListCtrl::HitTest(POINT point, UINT* flags) const {
    LVHITTESTINFO info = {};
    info.pt = point;
    int item = static_cast<int>(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
    if (flags)
        *flags = info.flags;
    return item;
}

#pragma once
// The system list view.  Its notifications (custom draw, clicks, label
// editing) come back to the object through OnReflectedNotify.

#include "platform/CString.h"
#include "platform/CWnd.h"

#include <commctrl.h>

class CImageList;

class CListCtrl : public CWnd {
public:
    virtual bool Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    DWORD GetExtendedStyle() const { return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
    DWORD SetExtendedStyle(DWORD style) {
        return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(style)));
    }
    HIMAGELIST SetImageList(CImageList* list, int kind);
    HIMAGELIST SetImageList(HIMAGELIST list, int kind) {
        return reinterpret_cast<HIMAGELIST>(SendMessage(LVM_SETIMAGELIST, static_cast<WPARAM>(kind),
                                                        reinterpret_cast<LPARAM>(list)));
    }
    HIMAGELIST GetImageList(int kind) const {
        return reinterpret_cast<HIMAGELIST>(SendMessage(LVM_GETIMAGELIST, static_cast<WPARAM>(kind)));
    }
    bool SetTextColor(COLORREF colour) { return SendMessage(LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(colour)) != 0; }
    bool SetBkColor(COLORREF colour) { return SendMessage(LVM_SETBKCOLOR, 0, static_cast<LPARAM>(colour)) != 0; }
    bool SetTextBkColor(COLORREF colour) {
        return SendMessage(LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(colour)) != 0;
    }
    HWND GetHeaderCtrl() const { return reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER)); }
    HWND GetEditControl() const { return reinterpret_cast<HWND>(SendMessage(LVM_GETEDITCONTROL)); }
    HWND EditLabel(int item) { return reinterpret_cast<HWND>(SendMessage(LVM_EDITLABELW, static_cast<WPARAM>(item))); }

    int InsertColumn(int column, const wchar_t* heading, int format = LVCFMT_LEFT, int width = -1, int subItem = -1);
    bool DeleteColumn(int column) { return SendMessage(LVM_DELETECOLUMN, static_cast<WPARAM>(column)) != 0; }
    int GetColumnWidth(int column) const {
        return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
    }
    bool SetColumnWidth(int column, int width) {
        return SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(width, 0)) != 0;
    }
    bool GetColumn(int column, LVCOLUMNW* info) const {
        return SendMessage(LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(info)) != 0;
    }

    int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
    // Index of the new row, -1 when refused.
    int InsertItem(const LVITEMW* item) {
        return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(item)));
    }
    int InsertItem(int item, const wchar_t* text, int image = -1);
    bool DeleteItem(int item) { return SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(item)) != 0; }
    bool DeleteAllItems() { return SendMessage(LVM_DELETEALLITEMS) != 0; }
    bool GetItem(LVITEMW* item) const { return SendMessage(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(item)) != 0; }
    bool SetItem(const LVITEMW* item) { return SendMessage(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(item)) != 0; }
    bool SetItemText(int item, int subItem, const wchar_t* text);
    CString GetItemText(int item, int subItem) const;
    DWORD_PTR GetItemData(int item) const;
    bool SetItemData(int item, DWORD_PTR data);
    UINT GetItemState(int item, UINT mask) const {
        return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(item), static_cast<LPARAM>(mask)));
    }
    // item -1: every row.
    bool SetItemState(int item, UINT state, UINT mask);
    int GetNextItem(int start, UINT flags) const {
        return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(start), MAKELPARAM(flags, 0)));
    }
    int GetSelectionMark() const { return static_cast<int>(SendMessage(LVM_GETSELECTIONMARK)); }
    int SetSelectionMark(int item) { return static_cast<int>(SendMessage(LVM_SETSELECTIONMARK, 0, item)); }
    int FindItem(const LVFINDINFOW* find, int start = -1) const {
        return static_cast<int>(SendMessage(LVM_FINDITEMW, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(find)));
    }
    bool SortItemsEx(PFNLVCOMPARE compare, LPARAM data) {
        return SendMessage(LVM_SORTITEMSEX, static_cast<WPARAM>(data), reinterpret_cast<LPARAM>(compare)) != 0;
    }

    // area: LVIR_BOUNDS, LVIR_ICON, LVIR_LABEL.
    bool GetItemRect(int item, RECT* rect, UINT area) const;
    bool GetSubItemRect(int item, int subItem, int area, RECT* rect) const;
    int HitTest(POINT point, UINT* flags = nullptr) const;
    int SubItemHitTest(LVHITTESTINFO* info) const {
        return static_cast<int>(SendMessage(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(info)));
    }
    bool EnsureVisible(int item, bool partialOk) {
        return SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), partialOk) != 0;
    }
    bool Scroll(SIZE by) { return SendMessage(LVM_SCROLL, static_cast<WPARAM>(by.cx), by.cy) != 0; }
    int GetTopIndex() const { return static_cast<int>(SendMessage(LVM_GETTOPINDEX)); }
    int GetCountPerPage() const { return static_cast<int>(SendMessage(LVM_GETCOUNTPERPAGE)); }
    bool RedrawItems(int first, int last) { return SendMessage(LVM_REDRAWITEMS, static_cast<WPARAM>(first), last) != 0; }
    bool Update(int item) { return SendMessage(LVM_UPDATE, static_cast<WPARAM>(item)) != 0; }
};

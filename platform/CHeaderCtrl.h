#pragma once
// The system header control (a list view's column header).

#include "platform/CWnd.h"

#include <commctrl.h>

class CHeaderCtrl : public CWnd {
public:
    virtual bool Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        EnsureCommonControls(ICC_LISTVIEW_CLASSES);
        return CWnd::Create(WC_HEADERW, nullptr, style, rect, parent, id);
    }
    int GetItemCount() const { return static_cast<int>(SendMessage(HDM_GETITEMCOUNT)); }
    bool GetItem(int index, HDITEMW* item) const {
        return SendMessage(HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)) != 0;
    }
    bool SetItem(int index, HDITEMW* item) {
        return SendMessage(HDM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)) != 0;
    }
    int InsertItem(int index, HDITEMW* item) {
        return static_cast<int>(SendMessage(HDM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)));
    }
    bool DeleteItem(int index) { return SendMessage(HDM_DELETEITEM, static_cast<WPARAM>(index)) != 0; }
    bool GetItemRect(int index, RECT* rect) const {
        return SendMessage(HDM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)) != 0;
    }
    bool Layout(HDLAYOUT* layout) { return SendMessage(HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(layout)) != 0; }
    HIMAGELIST SetImageList(HIMAGELIST list) {
        return reinterpret_cast<HIMAGELIST>(SendMessage(HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(list)));
    }
    HIMAGELIST GetImageList() const { return reinterpret_cast<HIMAGELIST>(SendMessage(HDM_GETIMAGELIST)); }
    int OrderToIndex(int order) const { return static_cast<int>(SendMessage(HDM_ORDERTOINDEX, static_cast<WPARAM>(order))); }

    // Owner-drawn items (HDF_OWNERDRAW), reflected from the header's parent.
    virtual void DrawItem(DRAWITEMSTRUCT* draw);

protected:
    BOOL OnReflectedDrawItem(DRAWITEMSTRUCT* draw) override;
};

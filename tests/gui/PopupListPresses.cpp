#include "tests/gui/PopupListPresses.h"

CListPanelList* OpenList() {
    HWND window = ::GetCapture();
    if (!window)
        window = ::GetFocus();
    return dynamic_cast<CListPanelList*>(CWnd::FromHandlePermanent(window));
}

LPARAM RowPoint(const CListPanelList& list, int row) {
    CRect rect;
    list.GetItemRect(row, &rect, LVIR_BOUNDS);
    return MAKELPARAM(10, (rect.top + rect.bottom) / 2);
}

std::function<void()> PressRow(int row, UINT message) {
    return [row, message] {
        if (CListPanelList* list = OpenList())
            list->SendMessage(message, message == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON, RowPoint(*list, row));
    };
}

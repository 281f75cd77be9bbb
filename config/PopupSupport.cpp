#include "config/PopupSupport.h"

#include "config/ItemLookup.h"
#include "gui/skin/SymbolIds.h"

void CentrePopup(CWnd& popup, CWnd* owner) {
    CRect own;
    popup.GetWindowRect(&own);
    CRect around;
    if (owner && owner->GetSafeHwnd())
        owner->GetWindowRect(&around);
    else
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &around, 0);
    const int x = around.left + (around.Width() - own.Width()) / 2;
    const int y = around.top + (around.Height() - own.Height()) / 2;
    popup.SetWindowPos(static_cast<const CWnd*>(nullptr), x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int32_t PopupSenderId(CPopupBox& popup, LPARAM senderWindow) {
    CGUIItem* item = FindItemByWindow(reinterpret_cast<HWND>(senderWindow), &popup.GetItems());
    return item ? item->m_itemId : -1;
}

bool RouteOkCancel(CPopupBox& popup, int32_t senderId) {
    if (senderId == BUTTON_POPUP_OK) {
        popup.OnOK();
        return true;
    }
    if (senderId == BUTTON_POPUP_CANCEL) {
        popup.OnCancel();
        return true;
    }
    return false;
}

HWND ArrangeTabOrder(CPopupBox& popup, std::initializer_list<int32_t> ids) {
    HWND first = nullptr;
    HWND previous = HWND_TOP;
    for (int32_t id : ids) {
        CGUIItem* item = popup.GetItems().FindById(id);
        if (!item || item->m_itemWindow == CGUIItem::kNoWindowYet || !::IsWindow(item->m_itemWindow))
            continue;
        const HWND control = item->m_itemWindow;
        // A control inside a frame or a picture takes its place among the
        // popup's children through them; Tab looks into them only when they
        // say they hold controls.
        HWND place = control;
        while (::GetParent(place) && ::GetParent(place) != popup.m_hWnd) {
            place = ::GetParent(place);
            ::SetWindowLongPtrW(place, GWL_EXSTYLE, ::GetWindowLongPtrW(place, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
        }
        if (::GetParent(place) != popup.m_hWnd)
            continue;
        ::SetWindowLongPtrW(control, GWL_STYLE, ::GetWindowLongPtrW(control, GWL_STYLE) | WS_TABSTOP);
        ::SetWindowPos(place, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = place;
        if (!first)
            first = control;
    }
    return first;
}

BOOL FocusFirst(HWND first) {
    if (!first)
        return TRUE;
    ::SetFocus(first);
    return FALSE;
}

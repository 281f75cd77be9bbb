#include "config/PopupSupport.h"

#include "config/ItemLookup.h"
#include "gui/SymbolIds.h"

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

#pragma once
// What every popup of the program shares: centred over the window it
// belongs to, its buttons found by their window, OK and Cancel routed.

#include "gui/CPopupBox.h"

// Places the popup at the centre of its owner (or of the screen).
void CentrePopup(CWnd& popup, CWnd* owner);

// The symbolic id of the popup's item whose window sent a command; -1 when
// the sender is none of them.
int32_t PopupSenderId(CPopupBox& popup, LPARAM senderWindow);

// BUTTON_POPUP_OK runs OnOK, BUTTON_POPUP_CANCEL OnCancel; true when the
// sender was one of them.
bool RouteOkCancel(CPopupBox& popup, int32_t senderId);

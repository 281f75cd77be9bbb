#pragma once
// What every popup of the program shares: centred over the window it
// belongs to, its buttons found by their window, OK and Cancel routed, and
// its controls in the order Tab visits them.

#include "gui/core/CPopupBox.h"

#include <cstdint>
#include <initializer_list>

// Places the popup at the centre of its owner (or of the screen).
void CentrePopup(CWnd& popup, CWnd* owner);

// The symbolic id of the popup's item whose window sent a command; -1 when
// the sender is none of them.
int32_t PopupSenderId(CPopupBox& popup, LPARAM senderWindow);

// BUTTON_POPUP_OK runs OnOK, BUTTON_POPUP_CANCEL OnCancel; true when the
// sender was one of them.
bool RouteOkCancel(CPopupBox& popup, int32_t senderId);

// Makes the items with these ids the popup's tab stops, visited in this
// order; items the skin lacks are passed over.  Returns the first one's
// window (the one to focus first), null when there is none.
HWND ArrangeTabOrder(CPopupBox& popup, std::initializer_list<int32_t> ids);
// Focuses the first tab stop ArrangeTabOrder gave; the popup's
// OnInitDialog result: FALSE once the focus is set.
BOOL FocusFirst(HWND first);

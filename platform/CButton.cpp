#include "platform/CButton.h"

void CButton::DrawItem(DRAWITEMSTRUCT*) {}

BOOL CButton::OnReflectedDrawItem(DRAWITEMSTRUCT* draw) {
    DrawItem(draw);
    return TRUE;
}

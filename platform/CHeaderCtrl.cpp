#include "platform/CHeaderCtrl.h"

void CHeaderCtrl::DrawItem(DRAWITEMSTRUCT*) {}

BOOL CHeaderCtrl::OnReflectedDrawItem(DRAWITEMSTRUCT* draw) {
    DrawItem(draw);
    return TRUE;
}

#include "platform/CStatic.h"

void CStatic::DrawItem(DRAWITEMSTRUCT*) {}

BOOL CStatic::OnReflectedDrawItem(DRAWITEMSTRUCT* draw) {
    DrawItem(draw);
    return TRUE;
}

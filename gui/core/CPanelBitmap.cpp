#include "gui/core/CPanelBitmap.h"

#include "gui/core/BitmapUtils.h"
#include "platform/CClientDC.h"

CPanelBitmap::CPanelBitmap(const CBitmap* source, CWnd* parent) {
    BITMAP info = {};
    if (source && source->GetBitmap(&info)) {
        CClientDC dc(parent);
        StretchBitmap(this, &dc, source, RECT{0, 0, info.bmWidth, info.bmHeight});
    }
    m_regionSource = GetSafeHandle();
}

#include "platform/CBitmap.h"

#include "platform/CDC.h"

bool CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height) {
    return dc != nullptr && Attach(::CreateCompatibleBitmap(dc->m_hDC, width, height));
}

#pragma once
// A panel's own picture (BACKGROUND or MASK): a copy of the cached skin
// picture, so the panel may delete it when its window goes while the cache
// keeps the original for other panels.

#include "gui/core/CGUIItem.h"
#include "platform/CBitmap.h"

class CWnd;

class CPanelBitmap : public CBitmap, public CGUIItem {
public:
    // Copies the whole source with a DC of the parent window; no source, no
    // bitmap.
    CPanelBitmap(const CBitmap* source, CWnd* parent);

    // The bitmap a window region is made from (the copy's own handle).
    HBITMAP m_regionSource = nullptr;
};

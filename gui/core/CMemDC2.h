#pragma once
// An off-screen drawing surface over part of a target DC: drawing goes to a
// memory bitmap in the target's own coordinates and is copied back in one
// piece when the surface goes, so a widget never flickers.  A printer DC is
// drawn on directly.

#include "platform/CBitmap.h"
#include "platform/CDC.h"
#include "platform/CRect.h"

class CMemDC2 : public CDC {
public:
    // rect null: the target's clip box.  The rectangle is filled with the
    // target's background colour.
    explicit CMemDC2(CDC* target, const RECT* rect = nullptr);
    ~CMemDC2() override;
    CMemDC2(const CMemDC2&) = delete;
    CMemDC2& operator=(const CMemDC2&) = delete;

    const CRect& GetRect() const noexcept { return m_rect; }

private:
    CDC* m_target;
    CBitmap m_bitmap;
    HGDIOBJ m_oldBitmap = nullptr;
    CRect m_rect;
    bool m_memory = false;
};

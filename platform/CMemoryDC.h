#pragma once
// A memory DC compatible with another (the screen's when null) holding a
// bitmap of the given size to draw on.  The bitmap is selected out before
// the DC is deleted and deleted after it.

#include "platform/CBitmap.h"
#include "platform/CDC.h"

class CMemoryDC : public CDC {
public:
    // width or height 0: no bitmap of its own (the caller selects one).
    CMemoryDC(CDC* compatibleWith, int width, int height);
    ~CMemoryDC() override;

    CBitmap& GetBitmap() noexcept { return m_bitmap; }

private:
    CBitmap m_bitmap;
};

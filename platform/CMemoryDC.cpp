#include "platform/CMemoryDC.h"

CMemoryDC::CMemoryDC(CDC* compatibleWith, int width, int height) {
    if (!CreateCompatibleDC(compatibleWith) || width <= 0 || height <= 0)
        return;
    // A bitmap compatible with the memory DC itself would be monochrome.
    HDC reference = compatibleWith ? compatibleWith->m_hDC : ::GetDC(nullptr);
    m_bitmap.Attach(::CreateCompatibleBitmap(reference, width, height));
    if (compatibleWith == nullptr)
        ::ReleaseDC(nullptr, reference);
    SelectObject(&m_bitmap);
}

CMemoryDC::~CMemoryDC() { DeleteDC(); }

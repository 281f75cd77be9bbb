#pragma once

#include "platform/CGdiObject.h"

class CDC;

class CBitmap : public CGdiObject {
public:
    bool CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
        return Attach(::CreateBitmap(width, height, planes, bitsPerPixel, bits));
    }
    bool CreateCompatibleBitmap(CDC* dc, int width, int height);
    bool LoadBitmap(UINT resourceId) {
        return Attach(::LoadBitmapW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId)));
    }
    // Size and format of the held bitmap; false when none is held.
    bool GetBitmap(BITMAP* info) const { return GetObject(sizeof(BITMAP), info) == sizeof(BITMAP); }

    HBITMAP GetSafeHandle() const noexcept { return static_cast<HBITMAP>(m_hObject); }
    operator HBITMAP() const noexcept { return static_cast<HBITMAP>(m_hObject); }
};

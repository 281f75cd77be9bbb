#pragma once
// The system static control.  With SS_OWNERDRAW its WM_DRAWITEM, sent to the
// parent, comes back to the object's DrawItem.

#include "platform/CWnd.h"

class CStatic : public CWnd {
public:
    virtual bool Create(const wchar_t* text, DWORD style, const RECT& rect, CWnd* parent, UINT id = 0xFFFF) {
        return CWnd::Create(L"STATIC", text, style, rect, parent, id);
    }
    HBITMAP SetBitmap(HBITMAP bitmap) {
        return reinterpret_cast<HBITMAP>(SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    }
    HBITMAP GetBitmap() const { return reinterpret_cast<HBITMAP>(SendMessage(STM_GETIMAGE, IMAGE_BITMAP)); }

    virtual void DrawItem(DRAWITEMSTRUCT* draw);

protected:
    BOOL OnReflectedDrawItem(DRAWITEMSTRUCT* draw) override;
};

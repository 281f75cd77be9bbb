#pragma once
// The system button.  With BS_OWNERDRAW its WM_DRAWITEM, sent to the parent,
// comes back to the object's DrawItem.

#include "platform/CWnd.h"

class CButton : public CWnd {
public:
    virtual bool Create(const wchar_t* caption, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
        return CWnd::Create(L"BUTTON", caption, style, rect, parent, id);
    }
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int check) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(check)); }
    UINT GetState() const { return static_cast<UINT>(SendMessage(BM_GETSTATE)); }
    void SetState(bool highlight) { SendMessage(BM_SETSTATE, highlight); }
    UINT GetButtonStyle() const { return GetStyle() & 0xFFFF; }
    void SetButtonStyle(UINT style, bool redraw = true) { SendMessage(BM_SETSTYLE, style, redraw); }

    virtual void DrawItem(DRAWITEMSTRUCT* draw);

protected:
    BOOL OnReflectedDrawItem(DRAWITEMSTRUCT* draw) override;
};

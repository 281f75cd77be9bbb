#pragma once
// The system tooltip, a pop-up owned by the window it serves.  Tool records
// are always sized with sizeof(TOOLINFOW) for this build, whatever size the
// caller had in mind.

#include "platform/CWnd.h"

#include <commctrl.h>

class CToolTipCtrl : public CWnd {
public:
    // A WS_POPUP tooltip with these further styles, owned by 'owner'.
    virtual bool Create(CWnd* owner, DWORD style = 0) { return CreateEx(owner, style, 0); }
    bool CreateEx(CWnd* owner, DWORD style, DWORD exStyle);

    void RelayEvent(MSG* msg) { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg)); }
    void Activate(bool activate) { SendMessage(TTM_ACTIVATE, activate); }
    // id 0: the tool is the whole window; otherwise the rectangle (client
    // coordinates of 'wnd', its client area when null) with that id.
    bool AddTool(CWnd* wnd, const wchar_t* text, const RECT* rect = nullptr, UINT_PTR id = 0);
    bool AddTool(TOOLINFOW* info);
    void DelTool(CWnd* wnd, UINT_PTR id = 0);
    void UpdateTipText(const wchar_t* text, CWnd* wnd, UINT_PTR id = 0);
    void SetToolRect(CWnd* wnd, UINT_PTR id, const RECT* rect);
    int GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }
    void SetDelayTime(UINT which, int ms) { SendMessage(TTM_SETDELAYTIME, which, MAKELPARAM(ms, 0)); }
    int SetMaxTipWidth(int width) { return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, width)); }
    void TrackActivate(bool activate, TOOLINFOW* info);
    void TrackPosition(int x, int y) { SendMessage(TTM_TRACKPOSITION, 0, MAKELPARAM(x, y)); }
    void Pop() { SendMessage(TTM_POP); }

private:
    static TOOLINFOW Tool(CWnd* wnd, UINT_PTR id);
};

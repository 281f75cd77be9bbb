#include "platform/CToolTipCtrl.h"

bool CToolTipCtrl::CreateEx(CWnd* owner, DWORD style, DWORD exStyle) {
    EnsureCommonControls(ICC_WIN95_CLASSES);
    return CWnd::CreateEx(exStyle, TOOLTIPS_CLASSW, nullptr, WS_POPUP | style, CW_USEDEFAULT, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, owner ? owner->m_hWnd : nullptr, nullptr);
}

TOOLINFOW CToolTipCtrl::Tool(CWnd* wnd, UINT_PTR id) {
    TOOLINFOW info = {};
    info.cbSize = sizeof(TOOLINFOW);
    info.hwnd = wnd ? wnd->m_hWnd : nullptr;
    if (id == 0 && wnd != nullptr) {
        info.uFlags = TTF_IDISHWND;
        info.uId = reinterpret_cast<UINT_PTR>(wnd->m_hWnd);
    } else {
        info.uId = id;
    }
    return info;
}

bool CToolTipCtrl::AddTool(CWnd* wnd, const wchar_t* text, const RECT* rect, UINT_PTR id) {
    TOOLINFOW info = Tool(wnd, id);
    if (rect != nullptr)
        info.rect = *rect;
    else if (wnd != nullptr)
        ::GetClientRect(wnd->m_hWnd, &info.rect);
    info.lpszText = const_cast<wchar_t*>(text ? text : LPSTR_TEXTCALLBACKW);
    return AddTool(&info);
}

bool CToolTipCtrl::AddTool(TOOLINFOW* info) {
    info->cbSize = sizeof(TOOLINFOW);
    return SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(info)) != 0;
}

void CToolTipCtrl::DelTool(CWnd* wnd, UINT_PTR id) {
    TOOLINFOW info = Tool(wnd, id);
    SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::UpdateTipText(const wchar_t* text, CWnd* wnd, UINT_PTR id) {
    TOOLINFOW info = Tool(wnd, id);
    info.lpszText = const_cast<wchar_t*>(text ? text : L"");
    SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::SetToolRect(CWnd* wnd, UINT_PTR id, const RECT* rect) {
    TOOLINFOW info = Tool(wnd, id);
    info.rect = *rect;
    SendMessage(TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::TrackActivate(bool activate, TOOLINFOW* info) {
    info->cbSize = sizeof(TOOLINFOW);
    SendMessage(TTM_TRACKACTIVATE, activate, reinterpret_cast<LPARAM>(info));
}

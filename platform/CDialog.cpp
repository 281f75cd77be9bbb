#include "platform/CDialog.h"

#include "platform/CWinApp.h"
#include "platform/CWndBinding.h"
#include "platform/Debug.h"

namespace {

const DLGTEMPLATE* FindTemplate(UINT id) {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    HRSRC found = ::FindResourceW(instance, MAKEINTRESOURCEW(id), reinterpret_cast<LPCWSTR>(RT_DIALOG));
    HGLOBAL loaded = found ? ::LoadResource(instance, found) : nullptr;
    return loaded ? static_cast<const DLGTEMPLATE*>(::LockResource(loaded)) : nullptr;
}

}  // namespace

INT_PTR CALLBACK CDialog::DialogProc(HWND, UINT message, WPARAM, LPARAM) {
    // Everything reaches the object through the trampoline first; what comes
    // here is left to the dialog manager's defaults.
    return message == WM_INITDIALOG;
}

HWND CDialog::CreateFromTemplate(HWND owner) {
    const DLGTEMPLATE* dialogTemplate = FindTemplate(m_nIDTemplate);
    if (dialogTemplate == nullptr) {
        TRACE(L"dialog template %u not found", m_nIDTemplate);
        return nullptr;
    }
    CWndBinding binding(this, true);
    return ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr), dialogTemplate, owner, &DialogProc, 0);
}

HWND CDialog::ModalOwner() const {
    HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    if (owner == nullptr) {
        CWinApp* app = AfxGetApp();
        if (app && app->m_pMainWnd && app->m_pMainWnd != this)
            owner = app->m_pMainWnd->m_hWnd;
    }
    return owner ? ::GetAncestor(owner, GA_ROOT) : nullptr;
}

INT_PTR CDialog::DoModal() {
    if (!CHECK_INVARIANT(m_hWnd == nullptr))
        return -1;
    HWND owner = ModalOwner();
    bool disabledOwner = owner != nullptr && ::IsWindowEnabled(owner);
    if (disabledOwner)
        ::EnableWindow(owner, FALSE);
    m_nModalResult = -1;
    m_modalRunning = true;
    HWND hwnd = CreateFromTemplate(owner);
    // EndDialog in OnInitDialog ends the dialog before it is shown.
    if (hwnd != nullptr && m_hWnd == hwnd && m_modalRunning) {
        if (!::IsWindowVisible(hwnd))
            ::ShowWindow(hwnd, SW_SHOWNORMAL);
        RunModalLoop();
    }
    m_modalRunning = false;
    INT_PTR result = m_nModalResult;
    if (hwnd != nullptr && m_hWnd == hwnd) {
        ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        // The owner comes back before the dialog goes, so activation returns to it.
        if (disabledOwner)
            ::EnableWindow(owner, TRUE);
        disabledOwner = false;
        if (owner && ::GetActiveWindow() == hwnd)
            ::SetActiveWindow(owner);
        DestroyWindow();
    }
    if (disabledOwner)
        ::EnableWindow(owner, TRUE);
    return result;
}

void CDialog::RunModalLoop() {
    EnterMessageLoop();
    while (m_modalRunning && m_hWnd != nullptr) {
        MSG msg;
        if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE))
            OnMessageLoopIdle();
        BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == -1)
            break;
        if (got == 0) {
            // The application is ending: the outer loop must see it too.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (WalkPreTranslateTree(m_hWnd, &msg))
            continue;
        if (m_hWnd != nullptr && ::IsDialogMessageW(m_hWnd, &msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    LeaveMessageLoop();
}

bool CDialog::Create(UINT templateId, CWnd* parent) {
    if (!CHECK_INVARIANT(m_hWnd == nullptr))
        return false;
    m_nIDTemplate = templateId;
    m_pParentWnd = parent;
    m_modalRunning = false;
    return CreateFromTemplate(parent ? parent->m_hWnd : nullptr) != nullptr;
}

void CDialog::EndDialog(int result) {
    m_nModalResult = result;
    if (m_modalRunning) {
        m_modalRunning = false;
        // Wakes the loop when the call came from outside a message.
        if (m_hWnd != nullptr)
            ::PostMessageW(m_hWnd, WM_NULL, 0, 0);
    } else if (m_hWnd != nullptr) {
        ::ShowWindow(m_hWnd, SW_HIDE);
    }
}

BOOL CDialog::OnInitDialog() { return TRUE; }
void CDialog::OnOK() { EndDialog(IDOK); }
void CDialog::OnCancel() { EndDialog(IDCANCEL); }

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG)
        return OnInitDialog();
    return CWnd::WindowProc(message, wParam, lParam);
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
        case IDOK: OnOK(); return TRUE;
        case IDCANCEL: OnCancel(); return TRUE;
        default: break;
        }
    }
    return CWnd::OnCommand(wParam, lParam);
}

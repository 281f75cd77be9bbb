#include "tray/CPoldSysTrayApp.h"

#include "tray/CPoldSysTrayDlg.h"
#include "tray/TrayResources.h"

#include <commctrl.h>

BOOL CPoldSysTrayApp::InitInstance() {
    // The handle stays open for the life of the process, so the name exists
    // as long as this instance runs; a second instance ends without a word.
    HANDLE mutex = CreateMutexW(nullptr, FALSE, InstanceMutexName());
    if (mutex && GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return FALSE;
    }

    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof controls;
    controls.dwICC = 0xFF;
    InitCommonControlsEx(&controls);
    CWinApp::InitInstance();
    SetRegistryKey(L"Local AppWizard-Generated Applications");

    auto* dialog = new CPoldSysTrayDlg;
    m_pMainWnd = dialog;
    return dialog->Create(IDD_POLDSYSTRAY_DIALOG, nullptr) ? TRUE : FALSE;
}

int CPoldSysTrayApp::ExitInstance() {
    // A dialog still here never got a window, or kept it past the loop: its
    // window's end deletes it (PostNcDestroy); without a window it is
    // deleted here.  Either way exactly once.
    if (CWnd* main = m_pMainWnd) {
        m_pMainWnd = nullptr;
        if (main->GetSafeHwnd())
            main->DestroyWindow();
        else
            delete main;
    }
    return CWinApp::ExitInstance();
}

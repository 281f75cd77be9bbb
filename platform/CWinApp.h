#pragma once
// The application object: one per process, reached with AfxGetApp.  The
// program's entry point hands over to AfxWinMain, which runs InitInstance
// and then, when it succeeded, the message loop (Run) until WM_QUIT.
//
// The loop walks PreTranslateMessage from each message's target window up
// to its top-level window, then lets a top-level dialog's IsDialogMessage
// see it.  When the main window is destroyed, m_pMainWnd is cleared and
// WM_QUIT posted.

#include "platform/CString.h"

#include <windows.h>

class CWnd;

class CWinApp {
public:
    explicit CWinApp(const wchar_t* appName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance();
    // The process's exit code: WM_QUIT's wParam, 0 when the loop never ran.
    virtual int ExitInstance();
    virtual int Run();
    virtual BOOL PreTranslateMessage(MSG* msg);

    // Kept for the program's registry settings; nothing is written here.
    void SetRegistryKey(const wchar_t* key) { m_registryKey = key; }
    const CString& GetRegistryKey() const noexcept { return m_registryKey; }
    const wchar_t* GetAppName() const noexcept { return m_appName; }

    CWnd* m_pMainWnd = nullptr;
    HINSTANCE m_hInstance = nullptr;
    const wchar_t* m_lpCmdLine = L"";
    int m_nCmdShow = SW_SHOWNORMAL;

protected:
    int m_exitCode = 0;

private:
    CString m_appName;
    CString m_registryKey;
};

CWinApp* AfxGetApp();
// The entry point's work: InitInstance, then Run or, when it failed,
// ExitInstance (after destroying a main window it left behind).
int AfxWinMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int show);
// A system message box owned by the main window, captioned with the
// application's name.
int AfxMessageBox(const wchar_t* text, UINT type = MB_OK, UINT helpId = 0);

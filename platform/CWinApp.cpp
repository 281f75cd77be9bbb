#include "platform/CWinApp.h"

#include "platform/CDialog.h"
#include "platform/CWnd.h"
#include "platform/Debug.h"

namespace {
CWinApp* g_app = nullptr;

CString ModuleBaseName() {
    wchar_t path[MAX_PATH] = {};
    DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    CString name(path, length < MAX_PATH ? static_cast<int>(length) : 0);
    int slash = name.ReverseFind(L'\\');
    name = name.Mid(slash + 1);
    int dot = name.ReverseFind(L'.');
    return dot > 0 ? name.Left(dot) : name;
}
}  // namespace

CWinApp* AfxGetApp() { return g_app; }

CWinApp::CWinApp(const wchar_t* appName) : m_appName(appName ? CString(appName) : ModuleBaseName()) {
    if (CHECK_INVARIANT(g_app == nullptr))
        g_app = this;
    m_hInstance = ::GetModuleHandleW(nullptr);
}

CWinApp::~CWinApp() {
    if (g_app == this)
        g_app = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return m_exitCode; }

int CWinApp::Run() {
    CWnd::EnterMessageLoop();
    for (;;) {
        MSG msg;
        if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE))
            CWnd::OnMessageLoopIdle();
        BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            m_exitCode = static_cast<int>(msg.wParam);
            break;
        }
        if (got == -1) {
            m_exitCode = -1;
            break;
        }
        if (!PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    CWnd::LeaveMessageLoop();
    return ExitInstance();
}

BOOL CWinApp::PreTranslateMessage(MSG* msg) {
    if (msg->hwnd == nullptr)
        return FALSE;
    if (CWnd::WalkPreTranslateTree(nullptr, msg))
        return TRUE;
    HWND root = ::GetAncestor(msg->hwnd, GA_ROOT);
    return dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(root)) != nullptr && ::IsDialogMessageW(root, msg);
}

int AfxWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int show) {
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return -1;
    app->m_hInstance = instance;
    app->m_lpCmdLine = commandLine ? commandLine : L"";
    app->m_nCmdShow = show;
    if (!app->InitInstance()) {
        if (app->m_pMainWnd != nullptr && app->m_pMainWnd->m_hWnd != nullptr)
            app->m_pMainWnd->DestroyWindow();
        return app->ExitInstance();
    }
    return app->Run();
}

int AfxMessageBox(const wchar_t* text, UINT type, UINT) {
    CWinApp* app = AfxGetApp();
    HWND owner = app && app->m_pMainWnd ? app->m_pMainWnd->m_hWnd : nullptr;
    return ::MessageBoxW(owner, text, app ? app->GetAppName() : L"", type);
}

// The application object: AfxWinMain's order, the loop walking
// PreTranslateMessage and a top-level dialog's IsDialogMessage, and the end
// of the loop when the main window goes.

#include "platform/CDialog.h"
#include "platform/CEdit.h"
#include "platform/CWinApp.h"
#include "tests/platform/WindowTestResources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> g_log;

class KeyWatchingEdit : public CEdit {
public:
    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->message == WM_KEYDOWN)
            g_log.push_back("edit key");
        return FALSE;
    }
};

// The hidden main dialog of a tray-like program: Escape reaches OnCancel
// through the dialog manager, and it ends by destroying itself.
class MainDialog : public CDialog {
public:
    ~MainDialog() override { g_log.push_back("deleted"); }

protected:
    BOOL OnInitDialog() override {
        m_edit.SubclassDlgItem(IDC_TEST_EDIT, this);
        m_edit.PostMessage(WM_KEYDOWN, VK_ESCAPE, 1);
        return TRUE;
    }
    void OnCancel() override {
        g_log.push_back("cancel");
        DestroyWindow();
    }
    void PostNcDestroy() override { delete this; }

private:
    KeyWatchingEdit m_edit;
};

class TestApp : public CWinApp {
public:
    bool initSucceeds = true;

    BOOL InitInstance() override {
        g_log.push_back("init");
        auto* dialog = new MainDialog;
        m_pMainWnd = dialog;
        if (!dialog->Create(IDD_TEST_HIDDEN, nullptr))
            return FALSE;
        return initSucceeds;
    }
    int Run() override {
        g_log.push_back("run");
        return CWinApp::Run();
    }
    int ExitInstance() override {
        g_log.push_back(m_pMainWnd ? "exit with main window" : "exit");
        return CWinApp::ExitInstance() + 10;
    }
};

TEST(WinApp, LoopRunsUntilTheMainWindowIsDestroyed) {
    g_log.clear();
    {
        TestApp app;
        EXPECT_EQ(AfxGetApp(), &app);
        EXPECT_EQ(AfxWinMain(GetModuleHandleW(nullptr), nullptr, nullptr, SW_SHOWNORMAL), 10);
        EXPECT_EQ(app.m_pMainWnd, nullptr);
    }
    EXPECT_EQ(AfxGetApp(), nullptr);
    EXPECT_EQ(g_log, (std::vector<std::string>{"init", "run", "edit key", "cancel", "deleted", "exit"}));
}

TEST(WinApp, FailedInitialisationEndsWithoutTheLoop) {
    g_log.clear();
    TestApp app;
    app.initSucceeds = false;
    EXPECT_EQ(AfxWinMain(GetModuleHandleW(nullptr), nullptr, nullptr, SW_SHOWNORMAL), 10);
    // The main window left behind is destroyed (and deletes itself) first.
    EXPECT_EQ(g_log, (std::vector<std::string>{"init", "deleted", "exit"}));
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
}

}  // namespace

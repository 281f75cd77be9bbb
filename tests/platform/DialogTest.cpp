// Dialogs from templates: the object bound before the first message (so
// WM_CREATE reaches it), the modal loop of our own with its order of
// PreTranslateMessage and IsDialogMessage, the results of each way a dialog
// ends, the owner disabled while a modal dialog runs, modeless dialogs.

#include "platform/CDialog.h"
#include "platform/CEdit.h"
#include "platform/CLockTimeoutException.h"
#include "tests/platform/WindowTestResources.h"
#include "tests/support/MessagePump.h"
#include "tests/support/MessageRecorder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const UINT kEnd = WM_USER + 9;
const UINT kEndTimer = 1, kDestroyTimer = 2, kNestTimer = 3;

enum class Ending { EndInInit, Escape, Enter, Close, EndFromTimer, DestroyedFromTimer, Quit, Nested };

class TestDialog : public CDialog {
public:
    TestDialog(Ending ending, CWnd* parent, UINT templateId = IDD_TEST_MODAL)
        : CDialog(templateId, parent), m_ending(ending) {}

    MessageRecorder recorder{{WM_NCCREATE, WM_CREATE, WM_INITDIALOG, WM_DESTROY, WM_NCDESTROY}};
    int shown = 0;
    bool ownerEnabledWhileRunning = true;
    INT_PTR nestedResult = 0;
    bool nestedOwnerRuleHeld = false;  // disabled under the inner dialog, enabled after

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        recorder.Record(m_hWnd, message, wParam, lParam);
        if (message == WM_SHOWWINDOW && wParam)
            ++shown;
        return CDialog::WindowProc(message, wParam, lParam);
    }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        if (m_pParentWnd)
            ownerEnabledWhileRunning = m_pParentWnd->IsWindowEnabled();
        HWND edit = ::GetDlgItem(m_hWnd, IDC_TEST_EDIT);
        switch (m_ending) {
        case Ending::EndInInit: EndDialog(77); break;
        case Ending::Escape: ::PostMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 1); break;
        case Ending::Enter: ::PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 1); break;
        case Ending::Close: PostMessage(WM_CLOSE); break;
        case Ending::EndFromTimer: SetTimer(kEndTimer, 10); break;
        case Ending::DestroyedFromTimer: SetTimer(kDestroyTimer, 10); break;
        case Ending::Quit: ::PostQuitMessage(3); break;
        case Ending::Nested: SetTimer(kNestTimer, 10); break;
        }
        return TRUE;
    }
    void OnTimer(UINT_PTR id) override {
        KillTimer(id);
        if (id == kEndTimer) {
            EndDialog(5);
        } else if (id == kDestroyTimer) {
            DestroyWindow();
        } else if (id == kNestTimer) {
            TestDialog inner(Ending::EndFromTimer, this);
            nestedResult = inner.DoModal();
            nestedOwnerRuleHeld = !inner.ownerEnabledWhileRunning && IsWindowEnabled();
            EndDialog(8);
        }
    }

private:
    Ending m_ending;
};

class Frame : public CWnd {};

// What a dialog run by DoModal receives of its life, however it ends
// (EndDialog in its initialisation or later, a nested dialog, WM_QUIT).
const std::vector<ExpectedMessage> kModalDialogLife = {
    {WM_NCCREATE}, {WM_CREATE}, {WM_INITDIALOG}, {WM_DESTROY}, {WM_NCDESTROY},
};

TEST(Dialog, ModalResultForEachWayOfEnding) {
    struct Case {
        Ending ending;
        INT_PTR result;
        bool shown;
    };
    const Case cases[] = {
        {Ending::EndInInit, 77, false},
        {Ending::Escape, IDCANCEL, true},
        {Ending::Enter, IDOK, true},
        {Ending::Close, IDCANCEL, true},
        {Ending::EndFromTimer, 5, true},
        {Ending::DestroyedFromTimer, -1, true},
        {Ending::Quit, -1, true},
        {Ending::Nested, 8, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.ending));
        Frame owner;
        ASSERT_TRUE(owner.CreateEx(0, nullptr, L"owner", WS_POPUP, CRect(0, 0, 100, 100), nullptr, 0));
        TestDialog dialog(c.ending, &owner);
        EXPECT_EQ(dialog.DoModal(), c.result);
        EXPECT_EQ(dialog.m_hWnd, nullptr);
        EXPECT_EQ(dialog.shown > 0, c.shown);
        EXPECT_FALSE(dialog.ownerEnabledWhileRunning);
        EXPECT_TRUE(owner.IsWindowEnabled());
        // The object is there for WM_CREATE, before the dialog's initialisation.
        EXPECT_EQ(dialog.recorder.Compare(kModalDialogLife), "");
        if (c.ending == Ending::Nested) {
            EXPECT_EQ(dialog.nestedResult, 5);
            EXPECT_TRUE(dialog.nestedOwnerRuleHeld);
        }
        if (c.ending == Ending::Quit) {
            // The quit request is handed on to the loop outside.
            MSG msg;
            ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
            EXPECT_EQ(msg.wParam, 3u);
        }
    }
}

TEST(Dialog, MissingTemplateFailsAndLeavesTheOwnerEnabled) {
    Frame owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, L"owner", WS_POPUP, CRect(0, 0, 100, 100), nullptr, 0));
    TestDialog dialog(Ending::Escape, &owner, IDD_TEST_MISSING);
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_EQ(dialog.recorder.Log().size(), 0u);
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_FALSE(dialog.Create(IDD_TEST_MISSING, &owner));
}

// Each window on the way from the key's target up to the dialog writes its
// name; one of them may consume the key, or fail on a lock.
struct Walk {
    std::vector<std::string> log;
    std::string consumer;
    bool consumerThrows = false;

    BOOL Visit(const std::string& name, const MSG* msg) {
        if (msg->message != WM_KEYDOWN)
            return FALSE;
        log.push_back(name);
        if (name != consumer)
            return FALSE;
        if (consumerThrows)
            throw CLockTimeoutException();
        return TRUE;
    }
};

class WalkedEdit : public CEdit {
public:
    explicit WalkedEdit(Walk& walk) : m_walk(walk) {}
    BOOL PreTranslateMessage(MSG* msg) override { return m_walk.Visit("edit", msg); }

private:
    Walk& m_walk;
};

class WalkedPanel : public CWnd {
public:
    explicit WalkedPanel(Walk& walk) : m_walk(walk) {}
    BOOL PreTranslateMessage(MSG* msg) override { return m_walk.Visit("panel", msg); }

private:
    Walk& m_walk;
};

class WalkDialog : public CDialog {
public:
    explicit WalkDialog(Walk& walk) : CDialog(IDD_TEST_MODAL), m_walk(walk), m_panel(walk), m_edit(walk) {}
    BOOL PreTranslateMessage(MSG* msg) override { return m_walk.Visit("dialog", msg); }

protected:
    BOOL OnInitDialog() override {
        m_panel.Create(nullptr, L"", WS_CHILD | WS_VISIBLE, CRect(0, 80, 200, 120), this, 50);
        m_edit.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(5, 5, 100, 25), &m_panel, 51);
        m_edit.PostMessage(WM_KEYDOWN, VK_ESCAPE, 1);
        PostMessage(kEnd);
        return TRUE;
    }
    void OnCancel() override {
        m_walk.log.push_back("cancel");
        CDialog::OnCancel();
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kEnd) {
            EndDialog(99);
            return 0;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }

private:
    Walk& m_walk;
    WalkedPanel m_panel;
    WalkedEdit m_edit;
};

TEST(Dialog, ModalLoopWalksFromTheTargetUpBeforeTheDialogManager) {
    struct Case {
        const char* consumer;
        bool throws;
        std::vector<std::string> log;
        INT_PTR result;
    };
    const Case cases[] = {
        {"", false, {"edit", "panel", "dialog", "cancel"}, IDCANCEL},
        {"edit", false, {"edit"}, 99},
        {"panel", false, {"edit", "panel"}, 99},
        {"dialog", false, {"edit", "panel", "dialog"}, 99},
        {"panel", true, {"edit", "panel"}, 99},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.consumer) + (c.throws ? " throwing" : ""));
        Walk walk;
        walk.consumer = c.consumer;
        walk.consumerThrows = c.throws;
        WalkDialog dialog(walk);
        EXPECT_EQ(dialog.DoModal(), c.result);
        EXPECT_EQ(walk.log, c.log);
    }
}

class HiddenDialog : public CDialog {
public:
    explicit HiddenDialog(bool& deleted) : m_deleted(deleted) {}
    ~HiddenDialog() override { m_deleted = true; }
    MessageRecorder recorder{{WM_CREATE, WM_INITDIALOG}};
    int cancels = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        recorder.Record(m_hWnd, message, wParam, lParam);
        return CDialog::WindowProc(message, wParam, lParam);
    }
    void OnCancel() override {
        ++cancels;
        CDialog::OnCancel();
    }
    void PostNcDestroy() override { delete this; }

private:
    bool& m_deleted;
};

TEST(Dialog, ModelessDialogLivesUntilDestroyedAndThenDeletesItself) {
    bool deleted = false;
    auto* dialog = new HiddenDialog(deleted);
    ASSERT_TRUE(dialog->Create(IDD_TEST_HIDDEN, nullptr));
    HWND hwnd = dialog->m_hWnd;
    ASSERT_NE(hwnd, nullptr);
    EXPECT_FALSE(IsWindowVisible(hwnd));  // its template does not make it visible
    EXPECT_EQ(dialog->recorder.Compare({{WM_CREATE}, {WM_INITDIALOG}}), "");

    // Ending a modeless dialog hides it, as the system does; it stays.
    dialog->ShowWindow(SW_SHOW);
    dialog->EndDialog(3);
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_FALSE(IsWindowVisible(hwnd));
    SendMessageW(hwnd, WM_CLOSE, 0, 0);
    PumpUntilIdle(100);
    EXPECT_EQ(dialog->cancels, 1);
    EXPECT_TRUE(IsWindow(hwnd));
    EXPECT_FALSE(deleted);

    dialog->DestroyWindow();
    EXPECT_TRUE(deleted);
    EXPECT_FALSE(IsWindow(hwnd));
}

}  // namespace

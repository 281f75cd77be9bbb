// The trampoline: binding an object to its window before the window's first
// message, unbinding after its last, subclassing of existing windows, the one
// handle map, Default() answering the message being handled, and the guard
// that turns a lock time-out into the end of one message.

#include "platform/CButton.h"
#include "platform/CLockTimeoutException.h"
#include "platform/CWnd.h"
#include "platform/Debug.h"
#include "tests/support/MessagePump.h"
#include "tests/support/MessageRecorder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const CRect kRect(20, 20, 220, 120);
const UINT kThrow = WM_USER + 1;
const UINT kAnswer = WM_USER + 2;
const UINT kNested = WM_USER + 3;

// Records everything the object receives, ahead of its own handling.
class RecordingWnd : public CWnd {
public:
    explicit RecordingWnd(MessageRecorder& recorder) : m_recorder(recorder) {}
    int postNcDestroys = 0;
    bool boundInPostNcDestroy = true;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        m_recorder.Record(m_hWnd, message, wParam, lParam);
        return CWnd::WindowProc(message, wParam, lParam);
    }
    void PostNcDestroy() override {
        ++postNcDestroys;
        boundInPostNcDestroy = m_hWnd != nullptr;
    }

private:
    MessageRecorder& m_recorder;
};

const std::vector<UINT> kLifeMessages = {WM_NCCREATE, WM_CREATE, WM_DESTROY, WM_NCDESTROY};

class Frame : public CWnd {};

TEST(WndTrampoline, ObjectSeesItsWindowFromFirstMessageToLast) {
    Frame frame;
    ASSERT_TRUE(frame.CreateEx(0, nullptr, L"frame", WS_POPUP, kRect, nullptr, 0));

    struct Case {
        const wchar_t* className;  // null: the platform's own class
        DWORD style;
    };
    const Case cases[] = {
        {nullptr, WS_POPUP},
        {nullptr, WS_CHILD | WS_VISIBLE},
        {L"BUTTON", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON},
        {L"EDIT", WS_CHILD | WS_VISIBLE},
        {L"STATIC", WS_CHILD},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.className ? c.className : L"(own class)");
        MessageRecorder recorder(kLifeMessages);
        RecordingWnd wnd(recorder);
        bool child = (c.style & WS_CHILD) != 0;
        ASSERT_TRUE(wnd.Create(c.className, L"x", c.style, CRect(0, 0, 80, 20), child ? &frame : nullptr, 7));
        HWND hwnd = wnd.m_hWnd;
        EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), &wnd);
        EXPECT_EQ(recorder.Compare({{WM_NCCREATE}, {WM_CREATE}}), "");
        for (const RecordedMessage& m : recorder.Log())
            EXPECT_EQ(m.hwnd, hwnd) << MessageRecorder::MessageName(m.message);
        if (child) {
            EXPECT_EQ(wnd.GetDlgCtrlID(), 7);
        }

        recorder.Clear();
        EXPECT_TRUE(wnd.DestroyWindow());
        EXPECT_EQ(recorder.Compare({{WM_DESTROY}, {WM_NCDESTROY}}), "");
        EXPECT_EQ(wnd.postNcDestroys, 1);
        EXPECT_FALSE(wnd.boundInPostNcDestroy);
        EXPECT_EQ(wnd.m_hWnd, nullptr);
        EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
        EXPECT_FALSE(IsWindow(hwnd));
    }
}

// A heap object that ends with its window, as the programs' modeless windows do.
class SelfDeleting : public CWnd {
public:
    explicit SelfDeleting(bool& deleted) : m_deleted(deleted) {}
    ~SelfDeleting() override { m_deleted = true; }

protected:
    void PostNcDestroy() override { delete this; }
    // Destroying itself from inside a handler: nothing may touch the object
    // once its window is gone.
    void OnClose() override { DestroyWindow(); }
    BOOL OnCommand(WPARAM, LPARAM) override {
        DestroyWindow();
        return FALSE;
    }

private:
    bool& m_deleted;
};

TEST(WndTrampoline, PostNcDestroyMayDeleteTheObjectHoweverTheWindowEnds) {
    enum Ending { DestroyCall, ParentDestroyed, CloseHandler, CommandHandlerDeclining };
    for (Ending ending : {DestroyCall, ParentDestroyed, CloseHandler, CommandHandlerDeclining}) {
        SCOPED_TRACE(ending);
        Frame frame;
        ASSERT_TRUE(frame.CreateEx(0, nullptr, L"frame", WS_POPUP, kRect, nullptr, 0));
        bool deleted = false;
        auto* wnd = new SelfDeleting(deleted);
        ASSERT_TRUE(wnd->Create(nullptr, L"child", WS_CHILD, CRect(0, 0, 10, 10), &frame, 1));
        HWND hwnd = wnd->m_hWnd;
        switch (ending) {
        case DestroyCall: wnd->DestroyWindow(); break;
        case ParentDestroyed: frame.DestroyWindow(); break;
        case CloseHandler: SendMessageW(hwnd, WM_CLOSE, 0, 0); break;
        case CommandHandlerDeclining: SendMessageW(hwnd, WM_COMMAND, 5, 0); break;
        }
        EXPECT_TRUE(deleted);
        EXPECT_FALSE(IsWindow(hwnd));
        EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
    }
}

TEST(WndTrampoline, DestroyingTheObjectDestroysItsWindow) {
    HWND hwnd;
    {
        CWnd wnd;
        ASSERT_TRUE(wnd.Create(nullptr, L"x", WS_POPUP, kRect, nullptr, 0));
        hwnd = wnd.m_hWnd;
    }
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
}

TEST(WndTrampoline, SubclassedControlKeepsWorkingUntilUnsubclassed) {
    Frame frame;
    ASSERT_TRUE(frame.CreateEx(0, nullptr, L"frame", WS_POPUP, kRect, nullptr, 0));
    HWND button = CreateWindowExW(0, L"BUTTON", L"b", WS_CHILD | BS_AUTOCHECKBOX, 0, 0, 50, 20, frame.m_hWnd,
                                  reinterpret_cast<HMENU>(42), GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(button), nullptr);

    MessageRecorder recorder({BM_SETCHECK, BM_GETCHECK});
    RecordingWnd wnd(recorder);
    ASSERT_TRUE(wnd.SubclassDlgItem(42, &frame));
    EXPECT_EQ(wnd.m_hWnd, button);
    EXPECT_EQ(CWnd::FromHandlePermanent(button), &wnd);

    // The object sees the message and the button's own procedure still runs.
    SendMessageW(button, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(SendMessageW(button, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(recorder.Compare({{BM_SETCHECK}, {BM_GETCHECK}}), "");

    // One window, one object.
    long asserts = PlatformAssertCount();
    CWnd second;
    EXPECT_FALSE(second.SubclassWindow(button));
    EXPECT_GT(PlatformAssertCount(), asserts);

    // A procedure placed over the trampoline since cannot be cut out.
    MessageRecorder over;
    over.Attach(button);
    EXPECT_EQ(wnd.UnsubclassWindow(), nullptr);
    EXPECT_EQ(wnd.m_hWnd, button);
    over.Clear();
    recorder.Clear();
    SendMessageW(button, BM_GETCHECK, 0, 0);
    EXPECT_EQ(over.Count(BM_GETCHECK), 1u);
    EXPECT_EQ(recorder.Count(BM_GETCHECK), 1u);
    wnd.DestroyWindow();  // while both procedures are still there
}

TEST(WndTrampoline, UnsubclassGivesTheWindowBackItsOwnProcedure) {
    Frame frame;
    ASSERT_TRUE(frame.CreateEx(0, nullptr, L"frame", WS_POPUP, kRect, nullptr, 0));
    HWND button = CreateWindowExW(0, L"BUTTON", L"b", WS_CHILD | BS_AUTOCHECKBOX, 0, 0, 50, 20, frame.m_hWnd,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    auto original = GetWindowLongPtrW(button, GWLP_WNDPROC);
    MessageRecorder recorder({BM_GETCHECK});
    RecordingWnd wnd(recorder);
    ASSERT_TRUE(wnd.SubclassWindow(button));
    EXPECT_NE(GetWindowLongPtrW(button, GWLP_WNDPROC), original);

    EXPECT_EQ(wnd.UnsubclassWindow(), button);
    EXPECT_EQ(GetWindowLongPtrW(button, GWLP_WNDPROC), original);
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(button), nullptr);
    SendMessageW(button, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(SendMessageW(button, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(recorder.Count(BM_GETCHECK), 0u);
    // Detaching a subclassed window also hands its procedure back.
    ASSERT_TRUE(wnd.SubclassWindow(button));
    EXPECT_EQ(wnd.Detach(), button);
    EXPECT_EQ(GetWindowLongPtrW(button, GWLP_WNDPROC), original);
}

TEST(WndTrampoline, FromHandleGivesBoundObjectsOrOneStandInPerWindow) {
    Frame frame;
    ASSERT_TRUE(frame.CreateEx(0, nullptr, L"frame", WS_POPUP, kRect, nullptr, 0));
    CButton bound;
    ASSERT_TRUE(bound.Create(L"bound", WS_CHILD, CRect(0, 0, 10, 10), &frame, 1));
    HWND plain = CreateWindowExW(0, L"STATIC", L"plain", WS_CHILD, 0, 0, 10, 10, frame.m_hWnd, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);

    EXPECT_EQ(CWnd::FromHandle(bound.m_hWnd), &bound);
    EXPECT_EQ(bound.GetParent(), &frame);
    CWnd* stand = CWnd::FromHandle(plain);
    ASSERT_NE(stand, nullptr);
    EXPECT_EQ(stand->m_hWnd, plain);
    EXPECT_EQ(CWnd::FromHandle(plain), stand);
    EXPECT_EQ(CWnd::FromHandlePermanent(plain), nullptr);
    EXPECT_EQ(stand->GetParent(), &frame);
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
}

// Answers kAnswer with 42, throws a lock time-out on kThrow, and on kNested
// sends itself kThrow and carries on.
class LockingWnd : public CWnd {
public:
    std::vector<std::string> log;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case kThrow: log.push_back("throw"); throw CLockTimeoutException();
        case kAnswer: return 42;
        case kNested: {
            LRESULT inner = SendMessage(kThrow);
            log.push_back("continued after " + std::to_string(inner));
            return 7;
        }
        default: return CWnd::WindowProc(message, wParam, lParam);
        }
    }
    void OnTimer(UINT_PTR id) override {
        KillTimer(id);
        log.push_back("timer");
        throw CLockTimeoutException();
    }
};

TEST(WndTrampoline, LockTimeOutEndsOneMessageNotTheProgram) {
    LockingWnd wnd;
    ASSERT_TRUE(wnd.Create(nullptr, L"x", WS_POPUP, kRect, nullptr, 0));
    EXPECT_EQ(wnd.SendMessage(kThrow), 0);
    EXPECT_EQ(wnd.SendMessage(kAnswer), 42);
    EXPECT_EQ(wnd.SendMessage(kNested), 7);
    wnd.PostMessage(kThrow);
    wnd.SetTimer(1, 10);
    PumpUntil([&] { return wnd.log.size() >= 5; });
    EXPECT_EQ(wnd.log, (std::vector<std::string>{"throw", "throw", "continued after 0", "throw", "timer"}));
    EXPECT_EQ(wnd.SendMessage(kAnswer), 42);
}

// Dragged from anywhere: what the window's own processing calls the client
// area becomes the caption.  Before it asks, another window handles a
// message of its own.
class CaptionEverywhere : public CWnd {
public:
    CWnd* other = nullptr;

protected:
    LRESULT OnNcHitTest(CPoint) override {
        other->SendMessage(WM_GETTEXTLENGTH);
        LRESULT hit = Default();
        return hit == HTCLIENT ? HTCAPTION : hit;
    }
};

TEST(WndTrampoline, DefaultAnswersTheMessageBeingHandled) {
    CWnd other;
    ASSERT_TRUE(other.Create(nullptr, L"other", WS_POPUP, CRect(300, 300, 350, 350), nullptr, 0));
    CaptionEverywhere wnd;
    wnd.other = &other;
    // Were the nested message left as the current one, Default would answer
    // its text length (3, not HTCLIENT) instead.
    ASSERT_TRUE(wnd.Create(nullptr, L"abc", WS_POPUP, kRect, nullptr, 0));
    CPoint inside = kRect.CenterPoint();
    EXPECT_EQ(wnd.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(inside.x, inside.y)), HTCAPTION);
    EXPECT_EQ(wnd.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(-5000, -5000)), HTNOWHERE);
}

}  // namespace

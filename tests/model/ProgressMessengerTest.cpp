#include "model/store/CCritSec.h"
#include "model/device/CProgressMessenger.h"
#include "platform/CLockTimeoutException.h"
#include "platform/CThread.h"
#include "tests/support/MessageRecorder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// A small hidden window that runs a handler for the progress messages.
class Observer {
public:
    using Handler = std::function<void(UINT message, WPARAM wParam, LPARAM lParam)>;

    explicit Observer(Handler onProgress = {}) : handler(std::move(onProgress)) {
        static const ATOM atom = [] {
            WNDCLASSW wc{};
            wc.lpfnWndProc = Proc;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = L"ModelTestProgressObserver";
            return RegisterClassW(&wc);
        }();
        hwnd = CreateWindowExW(0, MAKEINTATOM(atom), L"", WS_POPUP, 0, 0, 16, 16, nullptr, nullptr,
                               GetModuleHandleW(nullptr), this);
    }
    ~Observer() {
        if (IsWindow(hwnd))
            DestroyWindow(hwnd);
    }
    Observer(const Observer&) = delete;
    Observer& operator=(const Observer&) = delete;

    HWND hwnd = nullptr;
    Handler handler;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE)
            SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
        auto* self = reinterpret_cast<Observer*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self && self->handler && (message == WM_PROGRESS_PERCENT || message == WM_PROGRESS_TEXT)) {
            self->handler(message, wParam, lParam);
            return 0;
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
};

// Runs a function on a thread of its own.
class Worker {
public:
    explicit Worker(std::function<void()> body) : m_body(std::move(body)) { m_thread.Start(Run, this); }
    ~Worker() { m_thread.Wait(INFINITE); }
    bool Wait(DWORD ms) { return m_thread.Wait(ms); }

private:
    static DWORD WINAPI Run(void* self) {
        static_cast<Worker*>(self)->m_body();
        return 0;
    }
    std::function<void()> m_body;
    CThread m_thread;
};

// Counts how often it is taken and whether it is held.
class CountingLock : public CSyncObject {
public:
    bool Lock(DWORD) override { ++locks; return true; }
    bool Unlock() override { ++unlocks; return true; }
    bool Held() const { return locks > unlocks; }
    int locks = 0;
    int unlocks = 0;
};

std::vector<HWND> Receivers(const MessageRecorder& recorder) {
    std::vector<HWND> hwnds;
    for (const RecordedMessage& m : recorder.Log())
        hwnds.push_back(m.hwnd);
    return hwnds;
}

}  // namespace

TEST(ProgressMessenger, BroadcastsReachEachObserverOnceInTheOrderAdded) {
    EXPECT_EQ(WM_PROGRESS_PERCENT, 0x41Eu);
    EXPECT_EQ(WM_PROGRESS_TEXT, 0x41Fu);
    CProgressMessenger messenger;
    messenger.BroadcastProgress(10);  // no observers yet: nothing to send

    std::vector<std::wstring> texts;
    Observer first, second([&](UINT message, WPARAM, LPARAM lParam) {
        if (message == WM_PROGRESS_TEXT)
            texts.push_back(reinterpret_cast<const wchar_t*>(lParam));
    });
    ASSERT_TRUE(first.hwnd && second.hwnd);
    MessageRecorder recorder({WM_PROGRESS_PERCENT, WM_PROGRESS_TEXT});
    recorder.Attach(first.hwnd);
    recorder.Attach(second.hwnd);

    messenger.AddWindow(second.hwnd);
    messenger.AddWindow(first.hwnd);
    messenger.AddWindow(second.hwnd);  // already an observer
    messenger.RemoveWindow(reinterpret_cast<HWND>(0x1234));  // never added
    messenger.BroadcastProgress(42);
    messenger.BroadcastText(L"Loading fonts");

    // One percentage, then one text, each to both observers once.
    const WPARAM sender = reinterpret_cast<WPARAM>(&messenger);
    using E = ExpectedMessage;
    const std::vector<ExpectedMessage> percentThenTextToTwo = {
        {WM_PROGRESS_PERCENT, E::WParam | E::LParam, sender, 42},
        {WM_PROGRESS_PERCENT, E::WParam | E::LParam, sender, 42},
        {WM_PROGRESS_TEXT, E::WParam, sender},
        {WM_PROGRESS_TEXT, E::WParam, sender},
    };
    EXPECT_EQ(recorder.Compare(percentThenTextToTwo), "");
    EXPECT_EQ(Receivers(recorder), (std::vector<HWND>{second.hwnd, first.hwnd, second.hwnd, first.hwnd}));
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"Loading fonts"}));

    recorder.Clear();
    messenger.RemoveWindow(second.hwnd);
    messenger.BroadcastProgress(100);
    EXPECT_EQ(Receivers(recorder), (std::vector<HWND>{first.hwnd}));
}

TEST(ProgressMessenger, AnObserverThatRemovesItselfDuringABroadcastIsSafe) {
    CProgressMessenger messenger;
    Observer first, leaving, last;
    leaving.handler = [&](UINT, WPARAM, LPARAM) { messenger.RemoveWindow(leaving.hwnd); };
    MessageRecorder recorder({WM_PROGRESS_PERCENT});
    for (Observer* o : {&first, &leaving, &last}) {
        recorder.Attach(o->hwnd);
        messenger.AddWindow(o->hwnd);
    }
    messenger.BroadcastProgress(1);
    EXPECT_EQ(Receivers(recorder), (std::vector<HWND>{first.hwnd, leaving.hwnd, last.hwnd}))
        << "the observer after the one that left still hears this broadcast";
    recorder.Clear();
    messenger.BroadcastProgress(2);
    EXPECT_EQ(Receivers(recorder), (std::vector<HWND>{first.hwnd, last.hwnd}));
}

TEST(ProgressMessenger, TheExtraLockIsHeldAroundTheChangeAndAroundEachSend) {
    CProgressMessenger messenger;
    CountingLock lock;
    std::vector<bool> heldDuringSend;
    auto check = [&](UINT, WPARAM, LPARAM) { heldDuringSend.push_back(lock.Held()); };
    Observer a(check), b(check);
    messenger.AddWindow(a.hwnd, &lock);
    messenger.AddWindow(b.hwnd, &lock);
    EXPECT_EQ(lock.locks, 2);
    messenger.BroadcastProgress(5, &lock);
    EXPECT_EQ(heldDuringSend, (std::vector<bool>{true, true}));
    EXPECT_EQ(lock.locks, 4) << "taken once per send";
    EXPECT_EQ(lock.unlocks, lock.locks);
    messenger.RemoveWindow(a.hwnd, &lock);
    messenger.SetCaption(&lock);
    EXPECT_EQ(lock.locks, 6);
    EXPECT_FALSE(lock.Held());
}

TEST(ProgressMessenger, AWaitLongerThanTheTimeOutThrowsAndAddsNothing) {
    CProgressMessenger messenger;
    HANDLE holding = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    // Another thread is inside a broadcast, which keeps the mutex for 6 s.
    Worker busy([&] {
        Observer slow([&](UINT, WPARAM, LPARAM) {
            SetEvent(holding);
            Sleep(6000);
        });
        messenger.AddWindow(slow.hwnd);
        messenger.BroadcastProgress(1);
    });
    ASSERT_EQ(WaitForSingleObject(holding, 5000), WAIT_OBJECT_0);

    Observer late;
    DWORD start = GetTickCount();
    try {
        messenger.AddWindow(late.hwnd);
        ADD_FAILURE() << "no exception";
    } catch (const CLockTimeoutException& e) {
        EXPECT_STREQ(e.Text(), L"Waiting Lock Exception\n");
    }
    EXPECT_GE(GetTickCount() - start, 4500u);
    ASSERT_TRUE(busy.Wait(10000));

    MessageRecorder recorder({WM_PROGRESS_PERCENT});
    recorder.Attach(late.hwnd);
    messenger.BroadcastProgress(2);
    EXPECT_EQ(recorder.Count(WM_PROGRESS_PERCENT), 0u) << "the window was not added";
    CloseHandle(holding);
}

TEST(ProgressMessenger, AnAbandonedMutexIsNotLeftHeldByTheNextWaiter) {
    CProgressMessenger messenger;
    // A thread dies in the middle of a broadcast, still owning the mutex.
    Worker dying([&] {
        Observer fatal([](UINT, WPARAM, LPARAM) { ExitThread(0); });
        messenger.AddWindow(fatal.hwnd);
        messenger.BroadcastProgress(1);
    });
    ASSERT_TRUE(dying.Wait(5000));

    Observer here;
    EXPECT_THROW(messenger.AddWindow(here.hwnd), CLockTimeoutException) << "the abandoned wait is reported";

    // Had that wait kept the mutex, no other thread could take it again.
    bool added = false;
    Worker other([&] {
        try {
            messenger.AddWindow(reinterpret_cast<HWND>(0x5678));
            added = true;
        } catch (const CLockTimeoutException&) {
        }
    });
    ASSERT_TRUE(other.Wait(8000));
    EXPECT_TRUE(added);
    // And this thread can still use it normally.
    EXPECT_NO_THROW(messenger.AddWindow(here.hwnd));
}

TEST(ProgressMessengerRegistry, RegisteringSetsTheCaptionOnceAndKeepsOneEntry) {
    CProgressMessenger messenger;
    EXPECT_STREQ(messenger.GetCaption(), L"");
    RegisterProgressMessenger(nullptr);
    RegisterProgressMessenger(&messenger);
    EXPECT_STREQ(messenger.GetCaption(), L"Loading UI components ...");
    EXPECT_TRUE(IsProgressMessengerRegistered(&messenger));
    RegisterProgressMessenger(&messenger);
    UnregisterProgressMessenger(&messenger);
    EXPECT_FALSE(IsProgressMessengerRegistered(&messenger)) << "registered once only";
    UnregisterProgressMessenger(&messenger);
}

TEST(ProgressMessengerRegistry, AttachAndDetachActOnTheCurrentMessenger) {
    ASSERT_EQ(GetCurrentProgressMessenger(), nullptr);
    AttachProgressMessenger();
    DetachProgressMessenger();

    CProgressMessenger messenger;
    SetCurrentProgressMessenger(&messenger);
    AttachProgressMessenger();
    EXPECT_TRUE(IsProgressMessengerRegistered(&messenger));
    EXPECT_STREQ(messenger.GetCaption(), L"Loading UI components ...");
    DetachProgressMessenger();
    EXPECT_FALSE(IsProgressMessengerRegistered(&messenger));
    SetCurrentProgressMessenger(nullptr);
}

TEST(CCritSec, HoldsItsCriticalSectionForItsLifetime) {
    CCritSec scope;
    bool otherGotIt = true;
    {
        Worker other([&] { otherGotIt = scope.TryLock(); });
    }
    EXPECT_FALSE(otherGotIt);
    EXPECT_TRUE(scope.TryLock()) << "the owner may enter again";
    scope.Unlock();
}

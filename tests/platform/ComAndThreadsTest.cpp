#include "platform/CComPtr.h"
#include "platform/CCriticalSection.h"
#include "platform/CMutex.h"
#include "platform/CSingleLock.h"
#include "platform/CThread.h"
#include "platform/Debug.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

class CountedObject : public IUnknown {
public:
    long refs = 1;
    bool destroyed = false;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown) {
            *out = this;
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs); }
    ULONG STDMETHODCALLTYPE Release() override {
        if (--refs == 0)
            destroyed = true;
        return static_cast<ULONG>(refs);
    }
};

TEST(CComPtr, ReferencesAreBalancedOnEveryPath) {
    CountedObject obj;
    {
        CComPtr<IUnknown> a(&obj);
        EXPECT_EQ(obj.refs, 2);
        CComPtr<IUnknown> b = a;
        EXPECT_EQ(obj.refs, 3);
        CComPtr<IUnknown> c = std::move(b);
        EXPECT_EQ(obj.refs, 3);
        CComPtr<IUnknown> q;
        EXPECT_EQ(a.QueryInterface(&q), S_OK);
        EXPECT_EQ(obj.refs, 4);
        // Using the holder as an out-parameter again drops what it held.
        IUnknown** slot = &q;
        EXPECT_EQ(*slot, nullptr);
        EXPECT_EQ(obj.refs, 3);
        a = a;  // self-assignment keeps the reference
        EXPECT_EQ(obj.refs, 3);
    }
    EXPECT_EQ(obj.refs, 1);
    EXPECT_FALSE(obj.destroyed);
}

TEST(CComHeapPtr, FreesItsBlockAndRefusesOverflowingCounts) {
    CComHeapPtr<wchar_t> text;
    ASSERT_TRUE(text.Allocate(16));
    wcscpy(text, L"abc");
    EXPECT_STREQ(text, L"abc");
    EXPECT_FALSE(text.Allocate(static_cast<size_t>(-1) / 2));
    EXPECT_EQ(text.Get(), nullptr);
    wchar_t* raw = static_cast<wchar_t*>(CoTaskMemAlloc(8));
    text.Attach(raw);
    EXPECT_EQ(text.Detach(), raw);
    CoTaskMemFree(raw);
}

DWORD WINAPI TakeMutexAndDie(void* p) {
    static_cast<CMutex*>(p)->Lock();
    return 0;  // ends while owning the mutex: it becomes abandoned
}

TEST(CMutex, AbandonedWaitOwnsTheMutexUntilUnlock) {
    CMutex mutex;
    CThread t;
    ASSERT_TRUE(t.Start(TakeMutexAndDie, &mutex));
    ASSERT_TRUE(t.Wait(5000));
    EXPECT_TRUE(mutex.Lock(1000));
    EXPECT_TRUE(mutex.Unlock());
    // Released: another thread can take it now.
    std::atomic<bool> took{false};
    struct Ctx { CMutex* m; std::atomic<bool>* took; } ctx{&mutex, &took};
    CThread u;
    ASSERT_TRUE(u.Start([](void* p) -> DWORD {
        auto* c = static_cast<Ctx*>(p);
        if (c->m->Lock(1000)) {
            *c->took = true;
            c->m->Unlock();
        }
        return 0;
    }, &ctx));
    ASSERT_TRUE(u.Wait(5000));
    EXPECT_TRUE(took);
}

TEST(CThread, StartsOnceAndReportsItsExitCode) {
    CThread t;
    ASSERT_TRUE(t.Start([](void*) -> DWORD { return 42; }, nullptr));
    EXPECT_FALSE(t.Start([](void*) -> DWORD { return 0; }, nullptr));
    ASSERT_TRUE(t.Wait(5000));
    EXPECT_EQ(t.ExitCode(), 42u);
    EXPECT_FALSE(t.IsRunning());
    t.Close();
    EXPECT_FALSE(t.IsStarted());
    EXPECT_TRUE(t.Wait(0));
}

TEST(CSingleLock, ReleasesOnScopeExit) {
    CCriticalSection cs;
    {
        CSingleLock lock(&cs, true);
        EXPECT_TRUE(lock.IsLocked());
    }
    std::atomic<bool> free_{false};
    struct Ctx { CCriticalSection* cs; std::atomic<bool>* free_; } ctx{&cs, &free_};
    CThread t;
    ASSERT_TRUE(t.Start([](void* p) -> DWORD {
        auto* c = static_cast<Ctx*>(p);
        if (c->cs->TryLock()) {
            *c->free_ = true;
            c->cs->Unlock();
        }
        return 0;
    }, &ctx));
    ASSERT_TRUE(t.Wait(5000));
    EXPECT_TRUE(free_);
}

}  // namespace

TEST(InvariantCheck, HandsBackTheConditionAndReportsOnlyWhatDoesNotHold) {
    // Callers leave a path on a failed check, so the truth it hands back
    // matters as much as the report.
    const long before = PlatformAssertCount();
    int* missing = nullptr;
    int value = 3;
    EXPECT_TRUE(CHECK_INVARIANT(&value));
    EXPECT_EQ(PlatformAssertCount(), before);
    EXPECT_FALSE(CHECK_INVARIANT(missing));
    EXPECT_EQ(PlatformAssertCount(), before + 1);
}

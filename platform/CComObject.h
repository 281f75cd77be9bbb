#pragma once
// The IUnknown half of a COM object made in this process.  T derives from
// its interfaces and answers Find(iid) with the interface pointer it hands
// out for iid (null for one it does not have); this class adds the
// reference count, and the object deletes itself when the count reaches 0.
// Hooks::Made() and Hooks::Gone() are told of each object's life (an object
// counter, say).

#include <windows.h>
#include <unknwn.h>

#include <new>
#include <utility>

struct CComObjectNoHooks {
    static void Made() noexcept {}
    static void Gone() noexcept {}
};

template <typename T, typename Hooks = CComObjectNoHooks>
class CComObject final : public T {
public:
    // A new object holding one reference; null when out of memory.
    template <typename... Args>
    static CComObject* New(Args&&... args) {
        return new (std::nothrow) CComObject(std::forward<Args>(args)...);
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out)
            return E_POINTER;
        *out = T::Find(iid);
        if (!*out)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&m_refs)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG refs = InterlockedDecrement(&m_refs);
        if (refs == 0)
            delete this;
        return static_cast<ULONG>(refs);
    }
    LONG GetRefCount() const noexcept { return m_refs; }

private:
    template <typename... Args>
    explicit CComObject(Args&&... args) : T(std::forward<Args>(args)...) {
        Hooks::Made();
    }
    ~CComObject() { Hooks::Gone(); }

    LONG m_refs = 1;
};

#pragma once
// The IUnknown half of every emulator object.  T derives from its interfaces
// and provides Find(iid), which answers the interface pointers it hands out;
// this class adds the reference count and keeps CObjectCount.

#include "emulator/CObjectCount.h"

#include <windows.h>
#include <unknwn.h>

#include <new>
#include <utility>

template <typename T>
class CServiceObject final : public T {
public:
    // A new object holding one reference, as interface I; null when out of memory.
    template <typename I, typename... Args>
    static I* Create(Args&&... args) {
        CServiceObject* object = new (std::nothrow) CServiceObject(std::forward<Args>(args)...);
        return object ? static_cast<I*>(object) : nullptr;
    }
    // The same, for an out-parameter of a service call.
    template <typename I, typename... Args>
    static HRESULT CreateInto(I** out, Args&&... args) {
        if (!out)
            return E_POINTER;
        *out = Create<I>(std::forward<Args>(args)...);
        return *out ? S_OK : E_OUTOFMEMORY;
    }

    // A new object, answered as interface iid (for features asked for by id).
    template <typename I, typename... Args>
    static HRESULT CreateAs(REFIID iid, void** out, Args&&... args) {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        I* object = Create<I>(std::forward<Args>(args)...);
        if (!object)
            return E_OUTOFMEMORY;
        HRESULT hr = object->QueryInterface(iid, out);
        object->Release();
        return hr;
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
        LONG refs = InterlockedDecrement(&m_refs);
        if (refs == 0)
            delete this;
        return static_cast<ULONG>(refs);
    }

private:
    template <typename... Args>
    explicit CServiceObject(Args&&... args) : T(std::forward<Args>(args)...) { CObjectCount::Add(); }
    ~CServiceObject() { CObjectCount::Remove(); }

    LONG m_refs = 1;
};

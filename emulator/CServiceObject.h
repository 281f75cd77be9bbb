#pragma once
// Every emulator object: a CComObject whose life CObjectCount counts (the
// server ends once no client holds any), with the ways the service's calls
// hand a new object out.  T derives from its interfaces and provides
// Find(iid).

#include "emulator/CObjectCount.h"
#include "platform/CComObject.h"

#include <utility>

struct CCountedObjectHooks {
    static void Made() noexcept { CObjectCount::Add(); }
    static void Gone() noexcept { CObjectCount::Remove(); }
};

template <typename T>
class CServiceObject {
public:
    using Object = CComObject<T, CCountedObjectHooks>;

    // A new object holding one reference, as interface I; null when out of memory.
    template <typename I, typename... Args>
    static I* Create(Args&&... args) {
        Object* object = Object::New(std::forward<Args>(args)...);
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
};

#pragma once
// Owning pointers for COM: an interface pointer that releases what it holds,
// and a holder of a CoTaskMem block that frees it.

#include <objbase.h>
#include <memory>
#include <unknwn.h>

#include "platform/Debug.h"

template <typename T>
class CComPtr {
public:
    CComPtr() noexcept = default;
    CComPtr(T* p) noexcept : m_p(p) { if (m_p) m_p->AddRef(); }
    CComPtr(const CComPtr& other) noexcept : CComPtr(other.m_p) {}
    CComPtr(CComPtr&& other) noexcept : m_p(other.m_p) { other.m_p = nullptr; }
    ~CComPtr() { Release(); }

    CComPtr& operator=(T* p) noexcept {
        if (p != m_p) {
            if (p) p->AddRef();
            T* old = m_p;
            m_p = p;
            if (old) old->Release();
        }
        return *this;
    }
    CComPtr& operator=(const CComPtr& other) noexcept { return *this = other.m_p; }
    CComPtr& operator=(CComPtr&& other) noexcept {
        // operator& is the out-parameter accessor, so take the real address.
        if (this != std::addressof(other)) {
            Release();
            m_p = other.m_p;
            other.m_p = nullptr;
        }
        return *this;
    }

    operator T*() const noexcept { return m_p; }
    T* operator->() const noexcept { CHECK_INVARIANT(m_p != nullptr); return m_p; }
    // For out-parameters: whatever was held is released first, so an
    // out-parameter never leaks the previous object.
    T** operator&() noexcept { Release(); return &m_p; }
    T* Get() const noexcept { return m_p; }
    bool operator!() const noexcept { return m_p == nullptr; }

    void Release() noexcept {
        T* old = m_p;
        m_p = nullptr;
        if (old) old->Release();
    }
    void Attach(T* p) noexcept { Release(); m_p = p; }
    T* Detach() noexcept { T* p = m_p; m_p = nullptr; return p; }
    HRESULT CopyTo(T** out) const noexcept {
        if (!out) return E_POINTER;
        *out = m_p;
        if (m_p) m_p->AddRef();
        return S_OK;
    }
    template <typename Q>
    HRESULT QueryInterface(Q** out) const noexcept {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (!m_p) return E_POINTER;
        return m_p->QueryInterface(__uuidof(Q), reinterpret_cast<void**>(out));
    }
    HRESULT QueryFrom(IUnknown* from, REFIID iid) noexcept {
        Release();
        if (!from) return E_POINTER;
        return from->QueryInterface(iid, reinterpret_cast<void**>(&m_p));
    }
    HRESULT CoCreateInstance(REFCLSID clsid, REFIID iid, DWORD context = CLSCTX_ALL) noexcept {
        Release();
        return ::CoCreateInstance(clsid, nullptr, context, iid, reinterpret_cast<void**>(&m_p));
    }

private:
    T* m_p = nullptr;
};

// A block from CoTaskMemAlloc, freed when the holder goes.
template <typename T>
class CComHeapPtr {
public:
    CComHeapPtr() noexcept = default;
    explicit CComHeapPtr(T* p) noexcept : m_p(p) {}
    CComHeapPtr(const CComHeapPtr&) = delete;
    CComHeapPtr& operator=(const CComHeapPtr&) = delete;
    ~CComHeapPtr() { Free(); }

    bool Allocate(size_t count = 1) noexcept {
        Free();
        if (count == 0 || count > static_cast<size_t>(-1) / sizeof(T)) return false;
        m_p = static_cast<T*>(CoTaskMemAlloc(count * sizeof(T)));
        return m_p != nullptr;
    }
    void Free() noexcept {
        if (m_p) CoTaskMemFree(m_p);
        m_p = nullptr;
    }
    void Attach(T* p) noexcept { Free(); m_p = p; }
    T* Detach() noexcept { T* p = m_p; m_p = nullptr; return p; }
    T** operator&() noexcept { Free(); return &m_p; }
    operator T*() const noexcept { return m_p; }
    T* Get() const noexcept { return m_p; }

private:
    T* m_p = nullptr;
};

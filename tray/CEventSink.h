#pragma once
// The COM object the service calls for one event interface.  It forwards to
// a handler it does not own; its life is its reference count, so a call
// that the service is still making when the connection goes finds a live
// object with no handler rather than freed memory.

#include "service/ServiceInterfaces.h"

template <typename EventInterface, typename Handler, const IID* EventIid>
class CEventSink : public EventInterface {
public:
    using Interface = EventInterface;
    using HandlerType = Handler;
    static constexpr const IID* kEventIid = EventIid;

    explicit CEventSink(Handler* handler) noexcept : m_handler(handler) {}
    CEventSink(const CEventSink&) = delete;
    CEventSink& operator=(const CEventSink&) = delete;

    // From now on events reach nobody.
    void DetachHandler() noexcept { m_handler = nullptr; }
    LONG GetRefCount() const noexcept { return m_refs; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, *EventIid)) {
            *out = static_cast<EventInterface*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&m_refs)); }
    ULONG STDMETHODCALLTYPE Release() override {
        LONG refs = InterlockedDecrement(&m_refs);
        if (refs == 0)
            delete this;
        return static_cast<ULONG>(refs);
    }

protected:
    virtual ~CEventSink() = default;

    LONG m_refs = 1;
    Handler* m_handler;
};

#pragma once
// Advises a sink on an event source for the life of the object.  Whether
// advising worked is not reported: a connection that could not advise
// simply never receives events.

#include "platform/CComObject.h"
#include "platform/CComPtr.h"
#include "platform/Debug.h"
#include "service/ServiceInterfaces.h"

// The sink type names the handler and the event interface id.
template <typename Sink>
class CEventConnection {
public:
    using Handler = typename Sink::HandlerType;

    CEventConnection(Handler* handler, IUnknown* source) : m_source(source) {
        m_sink = CComObject<Sink>::New(handler);
        Advise();
    }
    virtual ~CEventConnection() {
        Unadvise();
        // A sink that could not be made (out of memory) was never advised.
        if (!m_sink)
            return;
        // The service may still hold the sink for a call under way: cut it
        // off from the handler and drop this reference only.
        m_sink->DetachHandler();
        m_sink->Release();
        m_sink = nullptr;
    }
    CEventConnection(const CEventConnection&) = delete;
    CEventConnection& operator=(const CEventConnection&) = delete;

    DWORD GetCookie() const noexcept { return m_cookie; }
    CComObject<Sink>* GetSink() const noexcept { return m_sink; }

protected:
    bool Advise() {
        CComPtr<IConnectionPoint> point = FindPoint();
        if (!point || FAILED(point->Advise(static_cast<IUnknown*>(static_cast<typename Sink::Interface*>(m_sink)),
                                           &m_cookie)))
            m_cookie = 0;
        return m_cookie != 0;
    }
    void Unadvise() {
        CComPtr<IConnectionPoint> point = FindPoint();
        if (point)
            point->Unadvise(m_cookie);
        m_cookie = 0;
    }
    CComPtr<IConnectionPoint> FindPoint() const {
        CComPtr<IConnectionPoint> point;
        if (!m_sink || !m_source)
            return point;
        CComPtr<IConnectionPointContainer> container;
        if (SUCCEEDED(m_source->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container))) &&
            CHECK_INVARIANT(container))
            container->FindConnectionPoint(*Sink::kEventIid, &point);
        return point;
    }

    CComObject<Sink>* m_sink = nullptr;
    CComPtr<IUnknown> m_source;
    DWORD m_cookie = 0;
};

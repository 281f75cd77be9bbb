#pragma once
// The COM object the service calls for one event interface.  It forwards to
// a handler it does not own; made as a CComObject, its life is its
// reference count, so a call that the service is still making when the
// connection goes finds a live object with no handler rather than freed
// memory.

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

    void* Find(REFIID iid) {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, *EventIid))
            return static_cast<EventInterface*>(this);
        return nullptr;
    }

protected:
    virtual ~CEventSink() = default;

    Handler* m_handler;
};

#pragma once
// _IProfileManagerEvents: the active profile changed.

#include "tray/CEventSink.h"
#include "tray/EventHandlers.h"

class CProfileEventSink
    : public CEventSink<_IProfileManagerEvents, IProfileEventHandler, &IID__IProfileManagerEvents> {
public:
    using CEventSink::CEventSink;
    HRESULT STDMETHODCALLTYPE OnProfileChanged(ULONG value) override {
        if (m_handler)
            m_handler->OnProfileChanged(value);
        return S_OK;
    }
};

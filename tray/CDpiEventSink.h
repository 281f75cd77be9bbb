#pragma once
// _IDPIEvents: the mouse resolution changed.  The tray program never
// connects it; it exists with the others' mechanics.

#include "tray/CEventSink.h"
#include "tray/EventHandlers.h"

class CDpiEventSink : public CEventSink<_IDPIEvents, IDpiEventHandler, &IID__IDPIEvents> {
public:
    using CEventSink::CEventSink;
    HRESULT STDMETHODCALLTYPE OnDpiChanged(LONG x, LONG y) override {
        if (m_handler)
            m_handler->OnDpiChanged(x, y);
        return S_OK;
    }
};

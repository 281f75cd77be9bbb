#pragma once
// _IApplicationEvent: a key asks to start a program.

#include "tray/CEventSink.h"
#include "tray/EventHandlers.h"

class CLaunchAppEventSink
    : public CEventSink<_IApplicationEvent, ILaunchAppEventHandler, &IID__IApplicationEvent> {
public:
    using CEventSink::CEventSink;
    HRESULT STDMETHODCALLTYPE OnLaunchApplication(ULONG kind, const WCHAR* path) override {
        if (m_handler)
            m_handler->OnLaunchApplication(kind, path);
        return S_OK;
    }
};

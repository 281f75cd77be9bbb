#pragma once
// _IOTFMacroRecordingEvents: the keyboard's on-the-fly recording stages.

#include "tray/CEventSink.h"
#include "tray/EventHandlers.h"

class CMacroEventSink
    : public CEventSink<_IOTFMacroRecordingEvents, IMacroEventHandler, &IID__IOTFMacroRecordingEvents> {
public:
    using CEventSink::CEventSink;
    HRESULT STDMETHODCALLTYPE OnMacroRecordingStarted() override {
        if (m_handler)
            m_handler->OnMacroRecordingStarted();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnMacroRecordingStopped() override {
        if (m_handler)
            m_handler->OnMacroRecordingStopped();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnMacroRecordingSaved(ULONG first, ULONG keyId) override {
        if (m_handler)
            m_handler->OnMacroRecordingSaved(first, keyId);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnMacroRecordingCanceled() override {
        if (m_handler)
            m_handler->OnMacroRecordingCanceled();
        return S_OK;
    }
};

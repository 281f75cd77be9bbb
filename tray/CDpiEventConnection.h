#pragma once
// The DPI events of a profile's DPI event source; after advising it reads
// the source's current values.

#include "tray/CDpiEventSink.h"
#include "tray/CEventConnection.h"

class CDpiEventConnection : public CEventConnection<CDpiEventSink> {
public:
    CDpiEventConnection(IDpiEventHandler* handler, IUnknown* source) : CEventConnection(handler, source) {
        CComPtr<IDpiEventSource> dpi;
        if (source && SUCCEEDED(source->QueryInterface(IID_IDpiEventSource, reinterpret_cast<void**>(&dpi))))
            dpi->GetDpi(&m_x, &m_y, &m_stage);
    }

    LONG m_x = 0;
    LONG m_y = 0;
    LONG m_stage = 0;
};

#pragma once
// The recording events of the device's on-the-fly recording feature.

#include "tray/CEventConnection.h"
#include "tray/CMacroEventSink.h"

class CMacroEventConnection : public CEventConnection<CMacroEventSink> {
public:
    using CEventConnection::CEventConnection;
};

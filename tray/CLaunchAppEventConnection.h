#pragma once
// The launch events of the device's application manager.

#include "tray/CEventConnection.h"
#include "tray/CLaunchAppEventSink.h"

class CLaunchAppEventConnection
    : public CEventConnection<CLaunchAppEventSink, ILaunchAppEventHandler, &IID__IApplicationEvent> {
public:
    using CEventConnection::CEventConnection;
};

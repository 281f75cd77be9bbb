#pragma once
// The launch events of the device's application manager.

#include "tray/CEventConnection.h"
#include "tray/CLaunchAppEventSink.h"

class CLaunchAppEventConnection : public CEventConnection<CLaunchAppEventSink> {
public:
    using CEventConnection::CEventConnection;
};

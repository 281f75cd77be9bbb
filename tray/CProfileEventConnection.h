#pragma once
// The profile-changed events of the profile manager.

#include "tray/CEventConnection.h"
#include "tray/CProfileEventSink.h"

class CProfileEventConnection
    : public CEventConnection<CProfileEventSink, IProfileEventHandler, &IID__IProfileManagerEvents> {
public:
    using CEventConnection::CEventConnection;
};

#pragma once
// The profile-changed events of the profile manager.

#include "tray/CEventConnection.h"
#include "tray/CProfileEventSink.h"

class CProfileEventConnection : public CEventConnection<CProfileEventSink> {
public:
    using CEventConnection::CEventConnection;
};

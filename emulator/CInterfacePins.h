#pragma once
// Keeps every interface the server hands out registered with Wine's RPC for
// the server's whole life.  Wine unregisters an interface when the last stub
// of it in the process goes, and waits there for the interface's calls to
// end; a call that has just answered can still count as running then, and
// the wait never ends: the server's apartment hangs inside the client's
// Release, and every later client with it.  One stub of each interface that
// no client ever reaches keeps the registration, so the wait never happens.

#include <windows.h>

#include <vector>

class CInterfacePins {
public:
    CInterfacePins();
    ~CInterfacePins();
    CInterfacePins(const CInterfacePins&) = delete;
    CInterfacePins& operator=(const CInterfacePins&) = delete;

private:
    std::vector<IStream*> m_streams;
};

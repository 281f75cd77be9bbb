#pragma once
// Base of the synchronisation objects that a caller may pass as "a lock".

#include <windows.h>

class CSyncObject {
public:
    virtual ~CSyncObject() = default;
    virtual bool Lock(DWORD timeoutMs = INFINITE) = 0;
    virtual bool Unlock() = 0;
};

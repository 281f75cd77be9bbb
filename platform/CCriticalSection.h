#pragma once

#include "platform/CSyncObject.h"

class CCriticalSection : public CSyncObject {
public:
    CCriticalSection() { InitializeCriticalSection(&m_section); }
    ~CCriticalSection() override { DeleteCriticalSection(&m_section); }
    CCriticalSection(const CCriticalSection&) = delete;
    CCriticalSection& operator=(const CCriticalSection&) = delete;

    // A critical section cannot time out: the wait is always unbounded.
    bool Lock(DWORD timeoutMs = INFINITE) override;
    bool Unlock() override;
    bool TryLock();

private:
    CRITICAL_SECTION m_section;
};

#include "platform/CCriticalSection.h"

bool CCriticalSection::Lock(DWORD) {
    EnterCriticalSection(&m_section);
    return true;
}

bool CCriticalSection::Unlock() {
    LeaveCriticalSection(&m_section);
    return true;
}

bool CCriticalSection::TryLock() { return TryEnterCriticalSection(&m_section) != FALSE; }

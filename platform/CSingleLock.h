#pragma once
// Holds a synchronisation object for the lifetime of a scope.

#include "platform/CSyncObject.h"

class CSingleLock {
public:
    explicit CSingleLock(CSyncObject* object, bool lockNow = false) : m_object(object) {
        if (lockNow)
            Lock();
    }
    ~CSingleLock() { Unlock(); }
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;

    bool Lock(DWORD timeoutMs = INFINITE) {
        if (!m_object || m_locked)
            return m_locked;
        m_locked = m_object->Lock(timeoutMs);
        return m_locked;
    }
    bool Unlock() {
        if (m_object && m_locked)
            m_locked = !m_object->Unlock();
        return !m_locked;
    }
    bool IsLocked() const noexcept { return m_locked; }

private:
    CSyncObject* m_object;
    bool m_locked = false;
};

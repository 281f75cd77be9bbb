#include "platform/CMutex.h"

CMutex::CMutex(bool initiallyOwn, const wchar_t* name) {
    m_handle = CreateMutexW(nullptr, initiallyOwn ? TRUE : FALSE, name);
    m_existed = m_handle && GetLastError() == ERROR_ALREADY_EXISTS;
}

CMutex::~CMutex() {
    if (m_handle)
        CloseHandle(m_handle);
}

bool CMutex::Lock(DWORD timeoutMs) {
    if (!m_handle)
        return false;
    DWORD r = WaitForSingleObject(m_handle, timeoutMs);
    return r == WAIT_OBJECT_0 || r == WAIT_ABANDONED;
}

bool CMutex::Unlock() { return m_handle && ReleaseMutex(m_handle) != FALSE; }

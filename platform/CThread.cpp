#include "platform/CThread.h"

bool CThread::Start(LPTHREAD_START_ROUTINE routine, void* parameter) {
    if (m_handle || !routine)
        return false;
    m_handle = CreateThread(nullptr, 0, routine, parameter, 0, &m_id);
    if (!m_handle)
        m_id = 0;
    return m_handle != nullptr;
}

bool CThread::Wait(DWORD timeoutMs) const {
    return !m_handle || WaitForSingleObject(m_handle, timeoutMs) == WAIT_OBJECT_0;
}

bool CThread::IsRunning() const { return m_handle && !Wait(0); }

DWORD CThread::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (m_handle)
        GetExitCodeThread(m_handle, &code);
    return code;
}

void CThread::Close() noexcept {
    if (m_handle)
        CloseHandle(m_handle);
    m_handle = nullptr;
    m_id = 0;
}

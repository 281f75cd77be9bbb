#pragma once
// Owns one Win32 thread handle: started once, waited on, closed on every path.

#include <windows.h>

class CThread {
public:
    CThread() = default;
    ~CThread() { Close(); }
    CThread(const CThread&) = delete;
    CThread& operator=(const CThread&) = delete;

    // False when a thread is already held or CreateThread fails.
    bool Start(LPTHREAD_START_ROUTINE routine, void* parameter);
    // True when the thread has ended (or none is held) within the time.
    bool Wait(DWORD timeoutMs) const;
    bool IsRunning() const;
    bool IsStarted() const noexcept { return m_handle != nullptr; }
    DWORD ExitCode() const;
    DWORD Id() const noexcept { return m_id; }
    HANDLE Handle() const noexcept { return m_handle; }
    void Close() noexcept;

private:
    HANDLE m_handle = nullptr;
    DWORD m_id = 0;
};

#pragma once

#include "platform/CSyncObject.h"

class CMutex : public CSyncObject {
public:
    explicit CMutex(bool initiallyOwn = false, const wchar_t* name = nullptr);
    ~CMutex() override;
    CMutex(const CMutex&) = delete;
    CMutex& operator=(const CMutex&) = delete;

    // An abandoned mutex is owned by the caller after the wait: it counts
    // as locked, so the matching Unlock releases it.
    bool Lock(DWORD timeoutMs = INFINITE) override;
    bool Unlock() override;
    HANDLE Handle() const noexcept { return m_handle; }
    bool AlreadyExisted() const noexcept { return m_existed; }

private:
    HANDLE m_handle = nullptr;
    bool m_existed = false;
};

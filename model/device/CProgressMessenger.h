#pragma once
// Broadcasts the progress of a long operation to observer windows.  The
// observer list is guarded by a mutex, so the transfer worker and the
// user-interface thread can share one messenger; a wait longer than the
// time-out throws CLockTimeoutException.
//
// Every operation takes an optional extra lock, held around the change of
// the list or around each send.

#include "platform/CString.h"
#include "platform/CSyncObject.h"

#include <windows.h>

#include <vector>

// wParam: the sending CProgressMessenger; lParam: progress 0 to 100.
constexpr UINT WM_PROGRESS_PERCENT = WM_USER + 30;
// wParam: the sending CProgressMessenger; lParam: a UTF-16 text, valid only
// during the call.
constexpr UINT WM_PROGRESS_TEXT = WM_USER + 31;

class CProgressMessenger {
public:
    static constexpr DWORD kWaitTimeoutMs = 5000;

    CProgressMessenger();
    CProgressMessenger(const CProgressMessenger&) = delete;
    CProgressMessenger& operator=(const CProgressMessenger&) = delete;
    virtual ~CProgressMessenger();

    // Appends hwnd unless it is already an observer.
    void AddWindow(HWND hwnd, CSyncObject* lock = nullptr);
    void RemoveWindow(HWND hwnd, CSyncObject* lock = nullptr);
    void SetCaption(CSyncObject* lock = nullptr);
    const CString& GetCaption() const noexcept { return m_caption; }
    // Sent, not posted: each observer handles the message before the next
    // one gets it.  An observer may add or remove windows from its handler.
    void BroadcastProgress(int percent, CSyncObject* lock = nullptr);
    void BroadcastText(const wchar_t* text, CSyncObject* lock = nullptr);

private:
    class MutexHold;
    void Broadcast(UINT message, LPARAM lParam, CSyncObject* lock);

    std::vector<HWND> m_observers;
    CString m_caption;
    HANDLE m_mutex;
    DWORD m_waitTimeout = kWaitTimeoutMs;
};

// The messengers that are currently reporting.  Used from the user-interface
// thread only; the lock, when given, is held around the change.
void RegisterProgressMessenger(CProgressMessenger* messenger, CSyncObject* lock = nullptr);
void UnregisterProgressMessenger(CProgressMessenger* messenger, CSyncObject* lock = nullptr);
bool IsProgressMessengerRegistered(const CProgressMessenger* messenger);
// The messenger that the skin loader reports through while it loads.
void SetCurrentProgressMessenger(CProgressMessenger* messenger);
CProgressMessenger* GetCurrentProgressMessenger();
// Register or unregister the current messenger, when one is set.
void AttachProgressMessenger();
void DetachProgressMessenger();

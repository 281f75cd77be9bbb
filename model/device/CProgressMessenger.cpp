#include "model/device/CProgressMessenger.h"

#include "model/store/CCritSec.h"
#include "platform/CLockTimeoutException.h"
#include "platform/CSingleLock.h"

#include <algorithm>

// Owns the messenger's mutex for one operation.  A wait that ends any other
// way than by plain success ends the operation with the time-out exception;
// an abandoned wait has handed this thread the mutex, so it is given back
// first, or no other thread could ever take it again.
class CProgressMessenger::MutexHold {
public:
    MutexHold(HANDLE mutex, DWORD timeoutMs) : m_mutex(mutex) {
        DWORD result = WaitForSingleObject(mutex, timeoutMs);
        if (result == WAIT_OBJECT_0)
            return;
        if (result == WAIT_ABANDONED)
            ReleaseMutex(mutex);
        throw CLockTimeoutException();
    }
    ~MutexHold() { ReleaseMutex(m_mutex); }
    MutexHold(const MutexHold&) = delete;
    MutexHold& operator=(const MutexHold&) = delete;

private:
    HANDLE m_mutex;
};

CProgressMessenger::CProgressMessenger() : m_mutex(CreateMutexW(nullptr, FALSE, nullptr)) {}

CProgressMessenger::~CProgressMessenger() {
    if (m_mutex)
        CloseHandle(m_mutex);
}

void CProgressMessenger::AddWindow(HWND hwnd, CSyncObject* lock) {
    MutexHold hold(m_mutex, m_waitTimeout);
    CSingleLock extra(lock, true);
    if (std::find(m_observers.begin(), m_observers.end(), hwnd) == m_observers.end())
        m_observers.push_back(hwnd);
}

void CProgressMessenger::RemoveWindow(HWND hwnd, CSyncObject* lock) {
    MutexHold hold(m_mutex, m_waitTimeout);
    CSingleLock extra(lock, true);
    m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), hwnd), m_observers.end());
}

void CProgressMessenger::SetCaption(CSyncObject* lock) {
    CSingleLock extra(lock, true);
    m_caption = L"Loading UI components ...";
}

void CProgressMessenger::BroadcastProgress(int percent, CSyncObject* lock) {
    Broadcast(WM_PROGRESS_PERCENT, static_cast<LPARAM>(percent), lock);
}

void CProgressMessenger::BroadcastText(const wchar_t* text, CSyncObject* lock) {
    Broadcast(WM_PROGRESS_TEXT, reinterpret_cast<LPARAM>(text), lock);
}

void CProgressMessenger::Broadcast(UINT message, LPARAM lParam, CSyncObject* lock) {
    MutexHold hold(m_mutex, m_waitTimeout);
    // A handler may add or remove observers (the mutex is re-entrant for
    // this thread), so the sends walk a copy of the list.
    const std::vector<HWND> observers = m_observers;
    for (HWND hwnd : observers) {
        CSingleLock extra(lock, true);
        SendMessageW(hwnd, message, reinterpret_cast<WPARAM>(this), lParam);
    }
}

namespace {

std::vector<CProgressMessenger*>& Registry() {
    static std::vector<CProgressMessenger*> registry;
    return registry;
}

// Built during static initialisation, before the program starts.
[[maybe_unused]] std::vector<CProgressMessenger*>& g_registry = Registry();

CProgressMessenger* g_current = nullptr;

}  // namespace

void RegisterProgressMessenger(CProgressMessenger* messenger, CSyncObject* lock) {
    if (!messenger || IsProgressMessengerRegistered(messenger))
        return;
    messenger->SetCaption(lock);
    CSingleLock extra(lock, true);
    Registry().push_back(messenger);
}

void UnregisterProgressMessenger(CProgressMessenger* messenger, CSyncObject* lock) {
    CSingleLock extra(lock, true);
    std::vector<CProgressMessenger*>& registry = Registry();
    registry.erase(std::remove(registry.begin(), registry.end(), messenger), registry.end());
}

bool IsProgressMessengerRegistered(const CProgressMessenger* messenger) {
    const std::vector<CProgressMessenger*>& registry = Registry();
    return messenger && std::find(registry.begin(), registry.end(), messenger) != registry.end();
}

void SetCurrentProgressMessenger(CProgressMessenger* messenger) { g_current = messenger; }

CProgressMessenger* GetCurrentProgressMessenger() { return g_current; }

void AttachProgressMessenger() {
    if (!g_current)
        return;
    CCritSec lock;
    RegisterProgressMessenger(g_current, &lock);
}

void DetachProgressMessenger() {
    if (!g_current)
        return;
    CCritSec lock;
    UnregisterProgressMessenger(g_current, &lock);
}

#include "emulator/CSinkList.h"

#include <olectl.h>

HRESULT CSinkList::Advise(IUnknown* sink, DWORD* cookie) {
    if (!cookie)
        return E_POINTER;
    *cookie = 0;
    if (!sink)
        return E_POINTER;
    IUnknown* events = nullptr;
    if (FAILED(sink->QueryInterface(m_iid, reinterpret_cast<void**>(&events))) || !events)
        return CONNECT_E_CANNOTCONNECT;
    Sink entry{m_nextCookie++, events};
    if (m_nextCookie == 0)
        m_nextCookie = 1;
    m_sinks.push_back(entry);
    *cookie = entry.cookie;
    return S_OK;
}

HRESULT CSinkList::Unadvise(DWORD cookie) {
    for (auto it = m_sinks.begin(); it != m_sinks.end(); ++it) {
        if (it->cookie == cookie) {
            IUnknown* sink = it->ptr;
            m_sinks.erase(it);
            sink->Release();
            return S_OK;
        }
    }
    return CONNECT_E_NOCONNECTION;
}

CSinkList::CSinkList(CSinkList&& other) noexcept
    : m_iid(other.m_iid), m_sinks(std::move(other.m_sinks)), m_nextCookie(other.m_nextCookie) {
    other.m_sinks.clear();
}

void CSinkList::Clear() {
    std::vector<Sink> sinks;
    sinks.swap(m_sinks);
    for (const Sink& sink : sinks)
        sink.ptr->Release();
}

bool CSinkList::IsGone(HRESULT hr) noexcept {
    return hr == RPC_E_DISCONNECTED || hr == CO_E_OBJNOTCONNECTED ||
           hr == HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE) || hr == HRESULT_FROM_WIN32(RPC_S_CALL_FAILED) ||
           hr == RPC_E_SERVER_DIED || hr == RPC_E_SERVER_DIED_DNE;
}

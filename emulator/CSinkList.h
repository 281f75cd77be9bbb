#pragma once
// The sinks advised on one event interface.  Sinks are called through a
// snapshot of the list, so a sink that advises or unadvises from inside its
// event does not disturb the others; a sink whose process has gone is
// dropped (nothing else would ever release it).

#include <windows.h>
#include <unknwn.h>

#include <vector>

class CSinkList {
public:
    explicit CSinkList(REFIID iid) : m_iid(iid) {}
    ~CSinkList() { Clear(); }
    CSinkList(const CSinkList& other) = delete;
    CSinkList& operator=(const CSinkList&) = delete;
    CSinkList(CSinkList&& other) noexcept;

    const IID& Iid() const noexcept { return m_iid; }
    size_t Count() const noexcept { return m_sinks.size(); }

    // CONNECT_E_CANNOTCONNECT when the sink does not answer the event interface.
    HRESULT Advise(IUnknown* sink, DWORD* cookie);
    // CONNECT_E_NOCONNECTION for a cookie this list did not give.
    HRESULT Unadvise(DWORD cookie);
    void Clear();

    // call(sink) gets the event interface as IUnknown and returns the
    // event's HRESULT.
    template <typename Call>
    void Fire(Call call) {
        std::vector<Sink> snapshot = m_sinks;
        for (const Sink& sink : snapshot)
            sink.ptr->AddRef();
        for (const Sink& sink : snapshot) {
            if (IsGone(call(sink.ptr)))
                Unadvise(sink.cookie);
            sink.ptr->Release();
        }
    }

private:
    // Each sink holds one reference, released when it leaves the list.
    struct Sink {
        DWORD cookie;
        IUnknown* ptr;
    };
    static bool IsGone(HRESULT hr) noexcept;

    IID m_iid;
    std::vector<Sink> m_sinks;
    DWORD m_nextCookie = 1;
};

#include "emulator/CInterfacePins.h"

#include "service/ProxyDllData.h"

#include <ocidl.h>

namespace {

// Stands for an object of every pinned interface.  Its stubs are marshalled
// into streams nobody reads, so no call ever reaches them.  It answers only
// for the pinned interfaces: COM asks it for others (its own marshalling,
// for one) that an empty object must not claim.
class CPinnedObject : public IUnknown {
public:
    explicit CPinnedObject(const std::vector<const IID*>& iids) : m_iids(iids) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        bool pinned = IsEqualIID(riid, IID_IUnknown);
        for (const IID* iid : m_iids)
            pinned = pinned || IsEqualIID(riid, *iid);
        if (!pinned)
            return E_NOINTERFACE;
        *out = static_cast<IUnknown*>(this);
        return S_OK;
    }
    // Lives as long as the process.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

private:
    const std::vector<const IID*>& m_iids;
};

std::vector<const IID*> PinnedInterfaces() {
    std::vector<const IID*> iids = {&IID_IConnectionPointContainer, &IID_IConnectionPoint,
                                    &IID_IEnumConnectionPoints, &IID_IEnumConnections};
    for (unsigned i = 0; const IID* iid = KeyboardServiceProxyInterface(i); ++i)
        iids.push_back(iid);
    return iids;
}

const std::vector<const IID*> g_iids = PinnedInterfaces();
CPinnedObject g_pinned(g_iids);

}  // namespace

CInterfacePins::CInterfacePins() {
    for (const IID* iid : g_iids) {
        IStream* stream = nullptr;
        if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)))
            continue;
        if (SUCCEEDED(CoMarshalInterface(stream, *iid, &g_pinned, MSHCTX_LOCAL, nullptr, MSHLFLAGS_TABLESTRONG)))
            m_streams.push_back(stream);
        else
            stream->Release();
    }
}

CInterfacePins::~CInterfacePins() {
    // Ends with the process: releasing the marshalled data would unregister
    // the interfaces, the very wait the pins are there to avoid.
    for (IStream* stream : m_streams)
        stream->Release();
}

// The proxy/stub factory of both IDL files, linked into each program rather
// than a DLL: CProxyStubRegistration registers it per apartment.  Its class
// id is its own, so it never collides with an interface id.
#define ENTRY_PREFIX KeyboardServicePrx
#define PROXY_CLSID_IS { 0x1d4df2fc, 0x924f, 0x4df6, { 0x84, 0x90, 0x72, 0x8f, 0xc4, 0x93, 0x83, 0xba } }
#include "dlldata.c"

#include "ProxyDllData.h"

const CLSID* KeyboardServiceProxyClsid(void) { return &CLSID_PSFactoryBuffer; }

const IID* KeyboardServiceProxyInterface(unsigned index) {
    const ProxyFileInfo** file;
    for (file = aProxyFileList; *file; ++file) {
        if (index < (*file)->TableSize)
            return (*file)->pStubVtblList[index]->header.piid;
        index -= (*file)->TableSize;
    }
    return NULL;
}

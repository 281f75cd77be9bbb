#pragma once
// Small pieces every emulator object's calls share.

#include "platform/Guid.h"
#include "service/ServiceInterfaces.h"

#include <windows.h>

inline HRESULT PutGuidWords(const GUID& guid, ULONG* w0, ULONG* w1, ULONG* w2, ULONG* w3) {
    if (!w0 || !w1 || !w2 || !w3)
        return E_POINTER;
    uint32_t words[4];
    GuidToWords(guid, words);
    *w0 = words[0];
    *w1 = words[1];
    *w2 = words[2];
    *w3 = words[3];
    return S_OK;
}

inline GUID GuidOfWords(ULONG w0, ULONG w1, ULONG w2, ULONG w3) {
    const uint32_t words[4] = {w0, w1, w2, w3};
    return GuidFromWords(words);
}

// Clears a text or block out-parameter pair so that every failure leaves it
// empty.
inline HRESULT ClearOut(ULONG* cb, BYTE** block) {
    if (!cb || !block)
        return E_POINTER;
    *cb = 0;
    *block = nullptr;
    return S_OK;
}

// Clears an interface out-parameter so that every failure leaves it null.
template <typename I>
inline HRESULT ClearOut(I** out) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    return S_OK;
}

#include "service/ServiceText.h"

#include <objbase.h>

#include <cstring>

HRESULT AllocServiceText(const std::wstring& text, ULONG* cb, BYTE** block) {
    if (!cb || !block)
        return E_POINTER;
    *cb = 0;
    *block = nullptr;
    if (text.size() > 0x7FFFFFFE / sizeof(wchar_t))
        return E_INVALIDARG;
    ULONG bytes = static_cast<ULONG>((text.size() + 1) * sizeof(wchar_t));
    BYTE* p = static_cast<BYTE*>(CoTaskMemAlloc(bytes));
    if (!p)
        return E_OUTOFMEMORY;
    std::memcpy(p, text.c_str(), bytes);
    *cb = bytes;
    *block = p;
    return S_OK;
}

bool TakeServiceText(ULONG cb, BYTE* block, CString& text) {
    bool ok = block && cb >= sizeof(wchar_t) && cb % sizeof(wchar_t) == 0 &&
              reinterpret_cast<const wchar_t*>(block)[cb / sizeof(wchar_t) - 1] == 0;
    if (ok)
        text = reinterpret_cast<const wchar_t*>(block);
    if (block)
        CoTaskMemFree(block);
    return ok;
}

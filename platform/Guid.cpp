#include "platform/Guid.h"

#include <objbase.h>

#include <cstring>
#include <cwchar>

bool IsNullGuid(const GUID& guid) noexcept { return guid == GUID_NULL; }

GUID NewGuid() {
    GUID g = GUID_NULL;
    if (FAILED(CoCreateGuid(&g)))
        g = GUID_NULL;
    return g;
}

CString GuidToString(const GUID& g) {
    CString s;
    s.Format(L"{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
             static_cast<unsigned long>(g.Data1), g.Data2, g.Data3, g.Data4[0], g.Data4[1],
             g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return s;
}

static int HexValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

bool GuidFromString(const wchar_t* text, GUID& out) {
    if (!text)
        return false;
    size_t len = wcslen(text);
    bool braced = len == 38 && text[0] == L'{' && text[37] == L'}';
    if (!braced && len != 36)
        return false;
    const wchar_t* p = braced ? text + 1 : text;
    unsigned char bytes[16];
    int b = 0;
    for (int i = 0; i < 36; ++i) {
        if (i == 8 || i == 13 || i == 18 || i == 23) {
            if (p[i] != L'-')
                return false;
            continue;
        }
        int hi = HexValue(p[i]), lo = HexValue(p[i + 1]);
        if (hi < 0 || lo < 0)
            return false;
        bytes[b++] = static_cast<unsigned char>(hi * 16 + lo);
        ++i;
    }
    GUID g;
    g.Data1 = (uint32_t(bytes[0]) << 24) | (uint32_t(bytes[1]) << 16) | (uint32_t(bytes[2]) << 8) | bytes[3];
    g.Data2 = static_cast<unsigned short>((bytes[4] << 8) | bytes[5]);
    g.Data3 = static_cast<unsigned short>((bytes[6] << 8) | bytes[7]);
    std::memcpy(g.Data4, bytes + 8, 8);
    out = g;
    return true;
}

void GuidToWords(const GUID& guid, uint32_t words[4]) noexcept {
    static_assert(sizeof(GUID) == 16, "GUID is four words");
    std::memcpy(words, &guid, sizeof guid);
}

GUID GuidFromWords(const uint32_t words[4]) noexcept {
    GUID g;
    std::memcpy(&g, words, sizeof g);
    return g;
}

bool GuidLess::operator()(const GUID& a, const GUID& b) const noexcept {
    return std::memcmp(&a, &b, sizeof(GUID)) < 0;
}

#pragma once
// GUID helpers: the null test, text forms and ordering for maps.

#include "platform/CString.h"

#include <windows.h>

#include <cstdint>

bool IsNullGuid(const GUID& guid) noexcept;
GUID NewGuid();
// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"
CString GuidToString(const GUID& guid);
// Accepts the braced form above, braces optional; false leaves out unchanged.
bool GuidFromString(const wchar_t* text, GUID& out);

// The GUID as the four 32-bit words that travel in records, and back.
void GuidToWords(const GUID& guid, uint32_t words[4]) noexcept;
GUID GuidFromWords(const uint32_t words[4]) noexcept;

struct GuidLess {
    bool operator()(const GUID& a, const GUID& b) const noexcept;
};

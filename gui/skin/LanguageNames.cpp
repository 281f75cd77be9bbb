#include "gui/skin/LanguageNames.h"

#include "platform/CString.h"

#include <iterator>

namespace {

const wchar_t* const kLanguageNames[] = {
    L"English", L"ChineseSimplified", L"ChineseTraditional", L"French", L"FrenchCanadian",
    L"German",  L"Korean",            L"Russian",            L"Japanese", L"Spanish",
    // Thai, Nordic, UK, Turkish and Greek show the English texts.
    L"English", L"English",           L"English",            L"English", L"English",
};

// Index: the keyboard's layout code.
const int32_t kLayoutIds[] = {15, 15, 29, 20, 18, 22, 27, 26, 17, 21, 28, 25, 23};

}  // namespace

int32_t LanguageIdFromName(const wchar_t* name) {
    if (!name)
        return -1;
    for (size_t id = 0; id < std::size(kLanguageNames); ++id)
        if (CompareNoCase(kLanguageNames[id], name) == 0)
            return static_cast<int32_t>(id);
    return -1;
}

int32_t LayoutIndexFromDeviceCode(int32_t code) {
    return code >= 0 && static_cast<size_t>(code) < std::size(kLayoutIds) ? kLayoutIds[code] : -1;
}

LONG ReadRegistryValue(HKEY key, const wchar_t* valueName, wchar_t (&buffer)[kRegistryValueUnits]) {
    DWORD type = 0;
    DWORD bytes = sizeof buffer;
    LONG status = ::RegQueryValueExW(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &bytes);
    if (status == ERROR_SUCCESS && type != REG_SZ)
        status = ERROR_UNSUPPORTED_TYPE;
    if (status == ERROR_SUCCESS) {
        // The stored text need not end with a terminator; it gets one here,
        // or the value counts as too long.
        DWORD units = bytes / sizeof(wchar_t);
        while (units > 0 && buffer[units - 1] == 0)
            --units;
        if (units >= kRegistryValueUnits)
            status = ERROR_MORE_DATA;
        else
            buffer[units] = 0;
    }
    if (status != ERROR_SUCCESS)
        buffer[0] = 0;
    return status;
}

#include "model/store/ProfileFiles.h"

#include <windows.h>

#include <cstdarg>
#include <cwchar>

const wchar_t kProfileExtension[] = L"vqp";
const wchar_t kSettingsSection[] = L"SETTINGS";
const wchar_t kActiveProfileKey[] = L"ActiveProfileName";

namespace {
wchar_t g_settingsFile[kPathUnits];
wchar_t g_profileFolder[kPathUnits];
}

bool FormatPath(wchar_t* buffer, size_t units, const wchar_t* format, ...) {
    if (!buffer || units == 0)
        return false;
    buffer[0] = L'\0';
    if (!format)
        return false;
    CString text;
    va_list args;
    va_start(args, format);
    text.FormatV(format, args);
    va_end(args);
    if (static_cast<size_t>(text.GetLength()) >= units)
        return false;
    wmemcpy(buffer, text, static_cast<size_t>(text.GetLength()) + 1);
    return true;
}

CString ReadIniString(const wchar_t* file, const wchar_t* section, const wchar_t* key, const wchar_t* defaultValue) {
    CString value;
    wchar_t* buffer = value.GetBuffer(static_cast<int>(kIniReadUnits));
    DWORD length = GetPrivateProfileStringW(section, key, defaultValue ? defaultValue : L"", buffer,
                                            static_cast<DWORD>(kIniReadUnits), file);
    value.ReleaseBuffer(static_cast<int>(length));
    return value;
}

bool WriteIniString(const wchar_t* file, const wchar_t* section, const wchar_t* key, const wchar_t* value) {
    return WritePrivateProfileStringW(section, key, value, file) != FALSE;
}

bool SetStorePaths(const wchar_t* applicationFolder) {
    const wchar_t* folder = applicationFolder ? applicationFolder : L"";
    bool settings = FormatPath(g_settingsFile, kPathUnits, L"%s%s%s.%s", folder, L"save\\", L"Kespa", L"vqc");
    bool profiles = FormatPath(g_profileFolder, kPathUnits, L"%s%s", folder, L"save\\");
    return settings && profiles;
}

const wchar_t* GetSettingsFilePath() { return g_settingsFile; }

const wchar_t* GetProfileFolder() { return g_profileFolder; }

CString GetModuleFolder() {
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return CString();
    CString folder(path, static_cast<int>(length));
    return folder.Left(folder.ReverseFind(L'\\') + 1);
}

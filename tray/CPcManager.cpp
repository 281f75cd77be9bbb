#include "tray/CPcManager.h"

#include "platform/ProcessList.h"

#include <shellapi.h>

const wchar_t* TraySettingsKey() {
    static wchar_t key[MAX_PATH];
    if (!key[0]) {
        wcscpy_s(key, L"Software\\Mobek");
        wcscat_s(key, L"\\");
        wcscat_s(key, L"Tilvor");
    }
    return key;
}

const wchar_t* ConfigProgramExeName() { return L"MobekTilvorConfig.exe"; }

bool GetProcessExeName(DWORD processId, CString& name) {
    return AnyProcess([&](const PROCESSENTRY32W& entry) {
        if (entry.th32ProcessID != processId)
            return false;
        name = entry.szExeFile;
        return true;
    });
}

bool IsForegroundApplication(const CString& name) {
    HWND foreground = GetForegroundWindow();
    if (!foreground)
        return false;
    DWORD processId = 0;
    GetWindowThreadProcessId(foreground, &processId);
    CString exe;
    return GetProcessExeName(processId, exe) && exe == name;
}

bool EnableDebugPrivilege() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token))
        return false;
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    bool ok = LookupPrivilegeValueW(nullptr, L"SeDebugPrivilege", &privileges.Privileges[0].Luid) &&
              AdjustTokenPrivileges(token, FALSE, &privileges, sizeof privileges, nullptr, nullptr) &&
              GetLastError() == ERROR_SUCCESS;
    CloseHandle(token);
    return ok;
}

bool IsConfigProgramRunning() {
    EnableDebugPrivilege();
    return AnyProcess(
        [](const PROCESSENTRY32W& entry) { return wcscmp(entry.szExeFile, ConfigProgramExeName()) == 0; });
}

bool ReadTraySetting(const wchar_t* valueName, CString& value) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, TraySettingsKey(), 0, nullptr, 0, KEY_READ, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    wchar_t buffer[MAX_PATH] = {};
    DWORD type = 0;
    // One unit short of the buffer, so the text always has its end in it.
    DWORD bytes = sizeof buffer - sizeof(wchar_t);
    LONG status = RegQueryValueExW(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &bytes);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    buffer[bytes / sizeof(wchar_t)] = L'\0';
    value = buffer;
    return true;
}

bool ReadLanguageSetting(CString& language) { return ReadTraySetting(L"Language", language); }

CString WithoutTrailingBackslash(const CString& folder) {
    if (!folder.IsEmpty() && folder[folder.GetLength() - 1] == L'\\')
        return folder.Left(folder.GetLength() - 1);
    return folder;
}

CString ConfigProgramPath(const CString& installDir) {
    const CString folder = WithoutTrailingBackslash(installDir);
    if (folder.IsEmpty())
        return CString();
    return folder + L"\\" + ConfigProgramExeName();
}

bool LaunchConfigProgram() {
    CString folder;
    if (!ReadTraySetting(L"InstallDir", folder))
        return false;
    const CString program = ConfigProgramPath(folder);
    if (program.IsEmpty())
        return false;
    SetCurrentDirectoryW(WithoutTrailingBackslash(folder));
    // The user asked for it from the menu or the icon, yet the tray is not
    // in front (the menu gave the front back): the program may take it.
    AllowSetForegroundWindow(ASFW_ANY);
    auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", program, nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

const wchar_t* GetModuleDirectory() {
    static wchar_t directory[MAX_PATH];
    wchar_t path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return directory;
    wchar_t drive[_MAX_DRIVE] = {}, folder[_MAX_DIR] = {};
    _wsplitpath_s(path, drive, _MAX_DRIVE, folder, _MAX_DIR, nullptr, 0, nullptr, 0);
    wcscpy_s(directory, drive);
    wcscat_s(directory, folder);
    return directory;
}

#include "config/StartupSettings.h"

#include "gui/skin/LanguageNames.h"
#include "gui/skin/SymbolIds.h"

HKEY OpenProgramKey(HKEY root, const wchar_t* path) {
    HKEY key = nullptr;
    LONG status = RegOpenKeyExW(root, path, 0, KEY_READ, &key);
    if (status == ERROR_SUCCESS)
        return key;
    if (status != ERROR_FILE_NOT_FOUND)
        return nullptr;
    key = nullptr;
    if (RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_READ, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

StartupSettings ReadStartupSettings(HKEY key) {
    StartupSettings settings;
    if (!key)
        return settings;
    settings.haveKey = true;
    wchar_t buffer[kRegistryValueUnits] = {};
    settings.languageId = ReadRegistryValue(key, L"Language", buffer) == ERROR_SUCCESS ? LanguageIdFromName(buffer) : 0;
    wchar_t dir[kRegistryValueUnits] = {};
    if (ReadRegistryValue(key, L"InstallDir", dir) == ERROR_SUCCESS)
        settings.installDir = NormaliseInstallDir(dir);
    return settings;
}

CString NormaliseInstallDir(const CString& value) {
    CString dir = value;
    if (!dir.IsEmpty() && dir[dir.GetLength() - 1] == L'\\')
        dir = dir.Left(dir.GetLength() - 1);
    return dir;
}

int32_t ChooseLayoutId(IGenDevice* device) {
    int code = 0;
    if (device && device->IsConnected() && device->GetLayoutCode(code))
        return LayoutIndexFromDeviceCode(code);
    return KBLAYOUT_ENGLISH;
}

CString FolderOfPath(const wchar_t* path) {
    wchar_t drive[_MAX_DRIVE] = {}, dir[_MAX_DIR] = {};
    if (!path || _wsplitpath_s(path, drive, _MAX_DRIVE, dir, _MAX_DIR, nullptr, 0, nullptr, 0) != 0)
        return CString();
    CString folder = CString(drive) + dir;
    if (!folder.IsEmpty() && folder[folder.GetLength() - 1] != L'\\')
        folder += L"\\";
    return folder;
}

bool BringRunningInstanceForward() {
    HWND window = FindWindowW(kSingleInstanceName, nullptr);
    if (!window)
        return false;
    HWND popup = GetLastActivePopup(window);
    BringWindowToTop(window);
    if (IsIconic(popup))
        ShowWindow(popup, SW_RESTORE);
    else
        SetForegroundWindow(popup);
    return true;
}

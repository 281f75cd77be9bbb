#pragma once
// What start-up reads before the main dialog opens: the program's registry
// key, the user's language and the install folder, the keyboard layout to
// show, and the single-instance check.

#include "model/device/IGenDevice.h"
#include "platform/CString.h"

#include <windows.h>

#include <cstdint>

constexpr wchar_t kProgramRegistryKey[] = L"Software\\Mobek\\Tilvor";
constexpr wchar_t kSingleInstanceName[] = L"SINGLE_INSTANCE_APP_DULCORE";
constexpr wchar_t kTrayProgram[] = L"MobekTilvorSysTray.exe";

// Opens the key for reading; only a key that does not exist yet is created.
// Null when neither works.
HKEY OpenProgramKey(HKEY root, const wchar_t* path);

struct StartupSettings {
    bool haveKey = false;
    int32_t languageId = 0;
    CString installDir;  // empty when the value is missing or too long
};

// The "Language" and "InstallDir" values of an open key.  A value that is
// missing or longer than 39 characters counts as absent.
StartupSettings ReadStartupSettings(HKEY key);

// The install folder with one trailing backslash removed.
CString NormaliseInstallDir(const CString& value);

// KBLAYOUT_ENGLISH unless a connected keyboard gives its layout code; then
// the layout of that code (-1 for a code not in the table).
int32_t ChooseLayoutId(IGenDevice* device);

// The folder of a module's full path, with its trailing backslash.
CString FolderOfPath(const wchar_t* path);

// A running instance's main window (found by its class), brought forward
// with its open popup; false when there is none.
bool BringRunningInstanceForward();

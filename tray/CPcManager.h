#pragma once
// Process and registry helpers of the tray program: which program is in
// front, whether the configuration program runs, starting it, and the
// settings the installer leaves in the registry.

#include "platform/CString.h"

#include <windows.h>

class CPcManager {
public:
    CPcManager() = default;
    ~CPcManager() = default;
};

// The installer's key under HKEY_LOCAL_MACHINE.
const wchar_t* TraySettingsKey();
// The configuration program's executable file name.
const wchar_t* ConfigProgramExeName();

// True when the foreground window's process runs an executable named
// exactly name (letter case counts).
bool IsForegroundApplication(const CString& name);
// The executable file name of a running process.
bool GetProcessExeName(DWORD processId, CString& name);
// True when a process runs "MobekTilvorConfig.exe" (exactly that case).
bool IsConfigProgramRunning();
bool EnableDebugPrivilege();
// The registry value "Language".
bool ReadLanguageSetting(CString& language);
// "InstallDir" less one trailing backslash becomes the current folder, then
// the configuration program is started from it.  False when the value
// cannot be read or is empty, or the program does not start.
bool LaunchConfigProgram();
// The folder of the running executable, with its trailing backslash.
const wchar_t* GetModuleDirectory();

// Reads a text value of the installer's key into a 260-unit buffer; the
// text always ends within the buffer.
bool ReadTraySetting(const wchar_t* valueName, CString& value);
// Removes one trailing backslash.
CString WithoutTrailingBackslash(const CString& folder);
// The configuration program in the installation folder (with or without
// its trailing backslash); empty for an empty folder.  A full path: a bare
// file name would be looked for in the tray program's own folder first.
CString ConfigProgramPath(const CString& installDir);

#pragma once
// The settings file and the profile folder of the configuration store, and
// the small file helpers they use.

#include "platform/CString.h"

#include <cstddef>

constexpr size_t kPathUnits = 260;          // path buffers, terminator included
constexpr size_t kIniReadUnits = 4096;      // longer values are cut to 4095 units
extern const wchar_t kProfileExtension[];   // "vqp"
extern const wchar_t kSettingsSection[];    // "SETTINGS"
extern const wchar_t kActiveProfileKey[];   // "ActiveProfileName"

// Formats into a buffer of 'units' units.  A result that does not fit is
// refused: the buffer is left empty and the result is false, so a cut path
// never names some other file.
bool FormatPath(wchar_t* buffer, size_t units, const wchar_t* format, ...);

CString ReadIniString(const wchar_t* file, const wchar_t* section, const wchar_t* key,
                      const wchar_t* defaultValue = L"");
bool WriteIniString(const wchar_t* file, const wchar_t* section, const wchar_t* key, const wchar_t* value);

// The process-wide paths, formatted from the application folder (which ends
// in a backslash) when the store is made.  False when a path does not fit:
// that path is then empty and the operations that need it fail.
bool SetStorePaths(const wchar_t* applicationFolder);
// "<application folder>save\Kespa.vqc"
const wchar_t* GetSettingsFilePath();
// "<application folder>save\"
const wchar_t* GetProfileFolder();
// The folder of the running program, with its trailing backslash.
CString GetModuleFolder();

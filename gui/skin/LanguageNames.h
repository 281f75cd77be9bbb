#pragma once
// The fixed tables that tie the user's language and the keyboard's layout
// to the skin: language ids to the names the registry stores, and the
// keyboard's layout codes to layout ids.

#include <windows.h>

#include <cstdint>

// The first id, in ascending order, whose name equals the argument ignoring
// case; -1 when none.
int32_t LanguageIdFromName(const wchar_t* name);
// The layout id of a keyboard layout code; -1 for a code not in the table.
int32_t LayoutIndexFromDeviceCode(int32_t code);

// A registry text value in 40 UTF-16 units (80 bytes).  The result is the
// system's status; on success the buffer always holds a terminated text of
// at most 39 characters.  A value of another type, or one that leaves no
// room for the terminator, fails (ERROR_UNSUPPORTED_TYPE, ERROR_MORE_DATA)
// with the buffer emptied.
constexpr DWORD kRegistryValueUnits = 40;
LONG ReadRegistryValue(HKEY key, const wchar_t* valueName, wchar_t (&buffer)[kRegistryValueUnits]);

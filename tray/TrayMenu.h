#pragma once
// The tray icon's popup menu and the texts it shows.

#include "platform/CString.h"
#include "platform/CStringArray.h"

#include <windows.h>

// At most this many profiles are listed (commands 32771 to 32790).
constexpr int kMaxMenuProfiles = 20;

// Fills the popup of a freshly loaded menu 129: the translated texts of the
// "Load" and "Close" items when given (null keeps the resource's), then a
// separator and one item per profile name, the active one checked (exact
// comparison), the unused profile items removed, and "Load" as the default
// item.
void FillTrayMenu(HMENU popup, const CStringArray& names, const CString& activeName, const wchar_t* loadText,
                  const wchar_t* closeText);

// The translation of a "$" key in the current language table; false (and
// out untouched) when there is no current table or no translation.
bool TranslateTrayText(const wchar_t* key, CString& out);

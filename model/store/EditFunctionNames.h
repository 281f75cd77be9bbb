#pragma once
// The names of the seventeen edit functions (ids 1-17), which are also the
// language keys of the predefined macros.  Filled once before the program
// starts; every lookup by name ignores case.

#include "platform/CString.h"

#include <cstdint>

// 1-17, or -1 for a name that is not in the table.
int32_t FindEditFunctionId(const wchar_t* name);
// The name stored for the id; the empty text for an id without an entry.
CString EditFunctionNameAt(int32_t id);

#pragma once
// Process-wide tables that turn the words of skin files into numbers and
// back: symbolic item ids, colour names, list-column ids, cell types and
// macro-display column types.  Every lookup by name ignores letter case; of
// two names equal but for case, the one with the lower number wins.
//
// The edit-function names are the model's table (model/EditFunctionNames.h),
// shared with the predefined macros.

#include "gui/SymbolIds.h"
#include "model/EditFunctionNames.h"

#include <windows.h>

#include <cstdint>

// Fills every table; the tables fill themselves during static
// initialisation, so a later call changes nothing.
void InitSymbolTables();

// -1 when no id has that name (also for a null name).
int32_t FindSymbolId(const wchar_t* name);
// Null when the id has no entry.
const wchar_t* GetSymbolName(int32_t id);

// 0xFFFFFFFF when no colour has that name.
COLORREF FindColour(const wchar_t* name);

int32_t FindListColumnId(const wchar_t* name);
int32_t FindCellType(const wchar_t* name);
int32_t FindMacroColumnType(const wchar_t* name);

constexpr COLORREF kUnknownColour = 0xFFFFFFFF;

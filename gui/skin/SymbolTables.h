#pragma once
// Process-wide tables that turn the words of skin files into numbers and
// back: symbolic item ids, colour names, list-column ids, cell types and
// macro-display column types.  Every lookup by name ignores letter case; of
// two names equal but for case, the one with the lower number wins.
//
// The edit-function names are the model's table (model/store/EditFunctionNames.h),
// shared with the predefined macros.

#include "gui/skin/SymbolIds.h"
#include "model/store/EditFunctionNames.h"

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

// The numbers of the list-column table (FindListColumnId), as code names them.
enum ListColumnId : int32_t {
    LCITEM_PROFILECURRENT = 0,
    LCITEM_PROFILEID = 1,
    LCITEM_PROFILENAME = 2,
    LCITEM_PROFILEEXE = 3,
    LCITEM_AUTOSWITCH = 4,
    LCITEM_MCREVENT_ICON = 5,
    LCITEM_MCREVENT_DESCRIP = 6,
};

// The numbers of the cell-type table (FindCellType).
enum ListCellType : int32_t {
    kCellIcon = 0,
    kCellStatic = 1,
    kCellEdit = 2,
    kCellCombo = 3,
    kCellCheckbox = 4,
    kCellFileDialog = 5,
};

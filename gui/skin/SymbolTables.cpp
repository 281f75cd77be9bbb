#include "gui/skin/SymbolTables.h"

#include "platform/CString.h"

#include <map>

namespace {

using NameMap = std::map<int32_t, CString>;

struct Row {
    int32_t key;
    const wchar_t* name;
};

template <size_t N>
NameMap MakeMap(const Row (&rows)[N]) {
    NameMap map;
    // A later row with a key already present replaces the name.
    for (const Row& row : rows)
        map[row.key] = row.name;
    return map;
}

const Row kSymbolRows[] = {
#define GUI_SYMBOL_ROW(id, name) {id, L## #name},
    GUI_SYMBOL_IDS(GUI_SYMBOL_ROW)
#undef GUI_SYMBOL_ROW
};

const Row kColourRows[] = {
    {0x0000FF, L"RED"},
    {0x00FF00, L"GREEN"},
    {0xFF0000, L"BLUE"},
    {0x00FFFF, L"YELLOW"},
    {0x007EFF, L"ORANGE"},
    {0x8080FF, L"PINK"},
    {0x000000, L"BLACK"},
    {0xFFFFFF, L"WHITE"},
    {0x3A3A3A, L"DARKGREY"},
    {0x777069, L"MIDGREY"},
    {0x067401, L"GREEN2"},
    {0x014709, L"GREEN3"},
    {0x021E00, L"GREEN4"},
    {0xC57700, L"BLUE2"},
    {0x0B0B0B, L"BLACK2"},
    {0x2B2B2B, L"DARKGREY2"},
    {0x677079, L"MIDGREY2"},
    {0x505050, L"GREY_DROPDOWN"},
    {0x623300, L"NAVY_BORDER"},
    {0xEDD8FF, L"NAVY_HIGHLIGHT"},
    {0x3D1B00, L"NAVY_PROFILE_HIGHLIGHT"},
    {0xFDAE00, L"NAVY_TAB_SELECT"},
    {0xD6C2B1, L"NAVY_GREY_HEADING"},
    {0x007CD0, L"NAVY_GOLD_HIGHTLIGHT"},
    {0x554909, L"TEAL_BORDER"},
    {0xFEFEFE, L"TEAL_HIGHLIGHT"},
    {0x362E04, L"TEAL_PROFILE_HIGHLIGHT"},
    {0xEDE86F, L"TEAL_TAB_SELECT"},
    {0x1C1803, L"TEAL_COMBO_BK"},
    {0x483D06, L"TEAL_DROPDOWN_BORDER"},
    {0x816E0B, L"TEAL_PANEL_BORDER"},
    {0x362E05, L"TEAL_PANEL_BACKGROUND"},
    {0x5E510A, L"TEAL_PANEL_HIGHLIGHT"},
};

const Row kListColumnRows[] = {
    {0, L"LCITEM_PROFILECURRENT"}, {1, L"LCITEM_PROFILEID"},       {2, L"LCITEM_PROFILENAME"},
    {3, L"LCITEM_PROFILEEXE"},     {4, L"LCITEM_AUTOSWITCH"},      {5, L"LCITEM_MCREVENT_ICON"},
    {6, L"LCITEM_MCREVENT_DESCRIP"},
};

const Row kCellTypeRows[] = {
    {0, L"ICON"}, {1, L"STATIC"}, {2, L"EDIT"}, {3, L"COMBO"}, {4, L"CHECKBOX"}, {5, L"FILEDIALOG"},
};

const Row kMacroColumnRows[] = {
    {0, L"ICON"},
    {1, L"STATIC"},
};

struct Tables {
    NameMap symbols = MakeMap(kSymbolRows);
    NameMap colours = MakeMap(kColourRows);
    NameMap listColumns = MakeMap(kListColumnRows);
    NameMap cellTypes = MakeMap(kCellTypeRows);
    NameMap macroColumns = MakeMap(kMacroColumnRows);
};

const Tables& GetTables() {
    static const Tables tables;
    return tables;
}

// Filled during static initialisation, before any skin file is read.
[[maybe_unused]] const Tables& g_tables = GetTables();

int32_t FindByName(const NameMap& map, const wchar_t* name) {
    if (!name)
        return -1;
    for (const auto& entry : map)
        if (CompareNoCase(entry.second, name) == 0)
            return entry.first;
    return -1;
}

const wchar_t* FindById(const NameMap& map, int32_t id) {
    auto it = map.find(id);
    return it == map.end() ? nullptr : it->second.GetString();
}

}  // namespace

void InitSymbolTables() { GetTables(); }

int32_t FindSymbolId(const wchar_t* name) { return FindByName(GetTables().symbols, name); }

const wchar_t* GetSymbolName(int32_t id) { return FindById(GetTables().symbols, id); }

COLORREF FindColour(const wchar_t* name) {
    return static_cast<COLORREF>(FindByName(GetTables().colours, name));
}

int32_t FindListColumnId(const wchar_t* name) { return FindByName(GetTables().listColumns, name); }

int32_t FindCellType(const wchar_t* name) { return FindByName(GetTables().cellTypes, name); }

int32_t FindMacroColumnType(const wchar_t* name) { return FindByName(GetTables().macroColumns, name); }

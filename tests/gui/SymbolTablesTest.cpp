// The name tables of the skin vocabulary: names to numbers and back,
// letter case ignored, the lower number winning where two names collide.

#include "gui/skin/SymbolTables.h"

#include <gtest/gtest.h>

namespace {

struct NameCase {
    const wchar_t* name;
    int32_t id;
};

TEST(SymbolTables, SymbolIdsByNameIgnoreCase) {
    const NameCase cases[] = {
        {L"button_popup_ok", 52},       {L"BUTTON_POPUP_OK", BUTTON_POPUP_OK},
        {L"LANGUAGE_DEFAULT", 0},       {L"LANGUAGE_ENGLISH", -1},  // replaced by the later row of id 0
        {L"KBLAYOUT_ENGLISH", 15},      {L"FONT_ARIAL12", 30},
        {L"BUTTON_KB_ESC", 95},         {L"BUTTON_KB_INTL5_MUHENKAN", 216},
        {L"BITMAP_PROFILE_RECT", 218},  {L"ASST_ICON_DEFAULT", 346},
        {L"ASST_ICON_MACRO_ONCE", 354}, {L"ASST_ICON_DISABLE", 359},
        {L"KBDDEF_WINDOWS", 405},       {L"SCROLL_LEDOFF", 427},
        {L"", -1},                      {L"BUTTON_POPUP_OK ", -1},
        {nullptr, -1},
    };
    for (const NameCase& c : cases)
        EXPECT_EQ(FindSymbolId(c.name), c.id) << (c.name ? c.name : L"(null)");
}

TEST(SymbolTables, EveryUsedIdHasOneNameAndTheGapsHaveNone) {
    int named = 0;
    for (int32_t id = -5; id < 440; ++id) {
        const wchar_t* name = GetSymbolName(id);
        if (!name)
            continue;
        ++named;
        EXPECT_EQ(FindSymbolId(name), id) << name;
    }
    EXPECT_EQ(named, 418);
    for (int32_t gap : {217, 345, 347, 348, 349, 350, 351, 352, 353, 358, 428, -1})
        EXPECT_EQ(GetSymbolName(gap), nullptr) << gap;
    EXPECT_STREQ(GetSymbolName(0), L"LANGUAGE_DEFAULT");
}

TEST(SymbolTables, ColourNames) {
    EXPECT_EQ(FindColour(L"teal_border"), 0x554909u);
    EXPECT_EQ(FindColour(L"BLACK"), 0x000000u);
    EXPECT_EQ(FindColour(L"White"), 0xFFFFFFu);
    EXPECT_EQ(FindColour(L"TEAL_HIGHLIGHT"), 0xFEFEFEu);
    EXPECT_EQ(FindColour(L"NAVY_GOLD_HIGHTLIGHT"), 0x007CD0u);
    EXPECT_EQ(FindColour(L"PURPLE"), kUnknownColour);
    EXPECT_EQ(FindColour(nullptr), kUnknownColour);
}

TEST(SymbolTables, ColumnCellAndMacroColumnKeywords) {
    EXPECT_EQ(FindListColumnId(L"lcitem_profilecurrent"), 0);
    EXPECT_EQ(FindListColumnId(L"LCITEM_MCREVENT_DESCRIP"), 6);
    EXPECT_EQ(FindListColumnId(L"LCITEM_NONE"), -1);
    EXPECT_EQ(FindCellType(L"FileDialog"), 5);
    EXPECT_EQ(FindCellType(L"icon"), 0);
    EXPECT_EQ(FindCellType(L"LIST"), -1);
    EXPECT_EQ(FindMacroColumnType(L"Static"), 1);
    EXPECT_EQ(FindMacroColumnType(L"EDIT"), -1);
}

TEST(SymbolTables, EditFunctionNamesComeFromTheModelAndUnknownIdsAddNothing) {
    EXPECT_EQ(FindEditFunctionId(L"$ZoomOut"), 17);
    EXPECT_EQ(EditFunctionNameAt(1), CString(L"$cut"));
    EXPECT_TRUE(EditFunctionNameAt(99).IsEmpty());
    // An unknown id looked up must not leave an unnamed entry behind that a
    // lookup of the empty name would then find.
    EXPECT_EQ(FindEditFunctionId(L""), -1);
}

}  // namespace

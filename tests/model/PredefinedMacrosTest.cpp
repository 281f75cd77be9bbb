#include "model/store/CPredefinedMacroList.h"
#include "model/store/EditFunctionNames.h"

#include <gtest/gtest.h>

#include <vector>

TEST(EditFunctionNames, LookUpIgnoringCase) {
    struct Case { const wchar_t* name; int32_t id; };
    const Case cases[] = {
        {L"$cut", 1}, {L"$CUT", 1}, {L"$LockPC", 12}, {L"$zoomout", 17},
        {L"cut", -1}, {L"$cut ", -1}, {L"", -1}, {nullptr, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindEditFunctionId(c.name), c.id) << (c.name ? CString(c.name).ToUtf8() : "null");
    EXPECT_STREQ(EditFunctionNameAt(1), L"$cut");
    EXPECT_STREQ(EditFunctionNameAt(10), L"$swapwindows");
    EXPECT_STREQ(EditFunctionNameAt(17), L"$zoomout");
    EXPECT_TRUE(EditFunctionNameAt(18).IsEmpty());
    EXPECT_EQ(FindEditFunctionId(L""), -1);  // the unknown id left no unnamed entry
}

TEST(PredefinedMacros, EachShortcutIsModifierDownKeyDownKeyUpModifierUp) {
    struct Case { const wchar_t* name; int32_t modifier; int32_t key; int32_t extended; };
    const Case cases[] = {
        {L"$cut", 0xA2001D, 0x58002D, 0},
        {L"$save", 0xA2001D, 0x53001F, 0},
        {L"$swapwindows", 0xA40038, 0x09000F, 0},
        {L"$closewindow", 0xA40038, 0x73003E, 0},
        {L"$LOCKPC", 0x5B005B, 0x4C0026, kStepExtended},
        {L"$showdesktop", 0x5B005B, 0x440020, kStepExtended},
        {L"$zoomin", 0xA2001D, 0xBB000D, 0},
        {L"$zoomout", 0xA2001D, 0xBD000C, 0},
    };
    const CPredefinedMacroList& list = CPredefinedMacroList::Instance();
    for (const Case& c : cases) {
        std::vector<MacroStep> steps;
        ASSERT_TRUE(list.FindById(c.name, steps)) << CString(c.name).ToUtf8();
        const std::vector<MacroStep> expected{
            {MacroStepKey, c.modifier, kStepPress | c.extended},
            {MacroStepKey, c.key, kStepPress},
            {MacroStepKey, c.key, kStepRelease},
            {MacroStepKey, c.modifier, kStepRelease | c.extended},
        };
        EXPECT_EQ(steps, expected) << CString(c.name).ToUtf8();
    }
}

TEST(PredefinedMacros, AnUnknownNameIsReportedAndLeavesTheStepsAlone) {
    const std::vector<MacroStep> before{{MacroStepDelay, 10, 0}};
    for (const wchar_t* name : {L"$nothing", L"", L"cut"}) {
        std::vector<MacroStep> steps = before;
        EXPECT_FALSE(CPredefinedMacroList::Instance().FindById(name, steps)) << CString(name).ToUtf8();
        EXPECT_EQ(steps, before);
    }
    std::vector<MacroStep> steps = before;
    EXPECT_FALSE(CPredefinedMacroList::Instance().FindById(nullptr, steps));
    EXPECT_EQ(steps, before);
}

TEST(PredefinedMacros, NameListsHoldTheBasicAndAdvancedGroupsInIdOrder) {
    CStringArray basic, advanced;
    basic.Add(L"stale");
    CPredefinedMacroList::Instance().FillBasicList(basic);
    CPredefinedMacroList::Instance().FillAdvancedList(advanced);
    ASSERT_EQ(basic.GetSize(), 9);
    ASSERT_EQ(advanced.GetSize(), 8);
    EXPECT_STREQ(basic[0], L"$cut");
    EXPECT_STREQ(basic[8], L"$save");
    EXPECT_STREQ(advanced[0], L"$swapwindows");
    EXPECT_STREQ(advanced[7], L"$zoomout");
}

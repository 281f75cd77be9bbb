// The popups' rules: swallowed keys, number entry, play modes, presets.

#include "config/PopupRules.h"
#include "gui/skin/SymbolIds.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

MSG Message(UINT message, WPARAM wParam = 0) {
    MSG msg = {};
    msg.message = message;
    msg.wParam = wParam;
    return msg;
}

TEST(SwallowFlag, EscapeAndEnterSetItOtherKeysAndClicksClearIt) {
    struct Case {
        bool before;
        MSG msg;
        bool after;
    } cases[] = {
        {false, Message(WM_KEYDOWN, VK_ESCAPE), true}, {false, Message(WM_KEYDOWN, VK_RETURN), true},
        {true, Message(WM_KEYDOWN, 'A'), false},       {true, Message(WM_LBUTTONDOWN), false},
        {true, Message(WM_KEYUP, VK_ESCAPE), true},    {false, Message(WM_MOUSEMOVE), false},
        {true, Message(WM_TIMER), true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NextSwallowFlag(c.before, c.msg), c.after) << c.msg.message << " " << c.msg.wParam;
}

TEST(SwallowFlag, OkNeedsNoSwallowAndAKeyOrModifier) {
    EXPECT_TRUE(SingleKeyOkAllowed(false, L"A", 0));
    EXPECT_TRUE(SingleKeyOkAllowed(false, L"", 0x04));
    EXPECT_FALSE(SingleKeyOkAllowed(true, L"A", 0));
    EXPECT_FALSE(SingleKeyOkAllowed(false, L"", 0));
}

TEST(NumberEntry, LeadingDigitsClampedInsteadOfOverflowing) {
    struct Case {
        const wchar_t* text;
        int value;
    } cases[] = {{L"", 0}, {nullptr, 0}, {L"12", 12}, {L"7x3", 7}, {L"x3", 0}, {L"0005", 5},
                 {L"2147483647", INT_MAX}, {L"2147483648", INT_MAX}, {L"99999999999999999999", INT_MAX}};
    for (const Case& c : cases)
        EXPECT_EQ(ParseLeadingNumber(c.text), c.value) << (c.text ? c.text : L"(null)");
}

TEST(PlayModes, ButtonsAndModesMatchBothWays) {
    EXPECT_EQ(PlayModeButton(1), BUTTON_MACRO_PLAY_ONCE);
    EXPECT_EQ(PlayModeButton(2), BUTTON_MACRO_PLAY_MULTIPLE);
    EXPECT_EQ(PlayModeButton(3), BUTTON_MACRO_PLAY_UNTILPRESSED);
    EXPECT_EQ(PlayModeButton(4), BUTTON_MACRO_PLAY_WHILEPRESSED);
    for (int mode = 1; mode <= 4; ++mode)
        EXPECT_EQ(PlayModeOfButton(PlayModeButton(mode)), mode);
    EXPECT_EQ(PlayModeOfButton(BUTTON_POPUP_OK), 0);
    for (int mode : {0, 5, 7, -1})
        EXPECT_EQ(NormalisePlayMode(mode), 1);
    EXPECT_EQ(NormalisePlayMode(3), 3);
}

TEST(Preselect, LastEqualEntryElseFirst) {
    const std::vector<CString> names = {L"A", L"B", L"A", L"C"};
    EXPECT_EQ(PreselectIndex(names, L"A"), 2);
    EXPECT_EQ(PreselectIndex(names, L"C"), 3);
    EXPECT_EQ(PreselectIndex(names, L"Z"), 0);
    EXPECT_EQ(PreselectIndex(names, L""), 0);
    EXPECT_EQ(PreselectIndex({}, L"A"), -1);
}

}  // namespace

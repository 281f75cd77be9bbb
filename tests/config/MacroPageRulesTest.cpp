// The macros page's rules without windows: the delay edits, names taken in
// any letter case, where inserted steps go, an edited key step with its
// other half and its modifiers, and keys that follow a renamed macro.

#include "config/MacroPageRules.h"
#include "model/store/CKespaConfig.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

MacroStep Key(uint16_t vk, uint16_t scan, bool down, bool extended = false) {
    return MacroStep{MacroStepKey, vk << 16 | scan, (down ? kStepPress : kStepRelease) | (extended ? kStepExtended : 0)};
}
const MacroStep kDelay{MacroStepDelay, 50, 0};
const MacroStep kADown = Key('A', 0x1E, true), kAUp = Key('A', 0x1E, false);
const MacroStep kShiftDown = Key(0xA0, 0x2A, true), kShiftUp = Key(0xA0, 0x2A, false);
const MacroStep kCtrlDown = Key(0xA2, 0x1D, true), kCtrlUp = Key(0xA2, 0x1D, false);
const MacroStep kAltDown = Key(0xA4, 0x38, true), kAltUp = Key(0xA4, 0x38, false);

KeyEntryResult Entry(uint16_t vk, uint16_t scan, uint8_t modifiers) {
    KeyEntryResult result;
    result.text = L"key";
    result.firstKey = scan;
    result.secondKey = vk;
    result.modifiers = modifiers;
    return result;
}

TEST(DelayText, OnlyWholeNumbersFromOneToTheLongestDelay) {
    struct Case {
        const wchar_t* text;
        bool valid;
        int32_t ms;
    };
    const Case cases[] = {
        {L"50", true, 50},          {L"1", true, 1},           {L"16777215", true, 0xFFFFFF},
        {L"0050", true, 50},        {L"16777216", false, 0},   {L"99999999999999999999", false, 0},
        {L"0", false, 0},           {L"", false, 0},           {L"abc", false, 0},
        {L"12a", false, 0},         {L"-5", false, 0},         {L" 5", false, 0},
    };
    for (const Case& c : cases) {
        int32_t ms = -1;
        EXPECT_EQ(ParseDelayText(c.text, ms), c.valid) << c.text;
        EXPECT_EQ(ms, c.valid ? c.ms : -1) << c.text << ": unchanged when refused";
    }
    int32_t ms = 7;
    EXPECT_FALSE(ParseDelayText(nullptr, ms));
}

TEST(MacroNames, AnotherMacroOfTheNameInAnyLetterCaseTakesIt) {
    CKespaConfig config(L"Z:\\nonexistent\\");
    CMacro* combo = config.AddMacro(L"Combo");
    CMacro* other = config.AddMacro(L"Other");
    EXPECT_EQ(FindOtherMacroNamed(config, L"COMBO", nullptr), combo);
    EXPECT_EQ(FindOtherMacroNamed(config, L"combo", other), combo);
    // A macro renamed to its own name in other letters takes nothing from itself.
    EXPECT_EQ(FindOtherMacroNamed(config, L"COMBO", combo), nullptr);
    EXPECT_EQ(FindOtherMacroNamed(config, L"New", nullptr), nullptr);
}

TEST(InsertedSteps, GoAfterTheChosenStepOrFirstWithoutOne) {
    struct Case {
        const char* what;
        int after;
        std::vector<MacroStep> expected;
        int last;
    };
    const std::vector<MacroStep> start = {kADown, kAUp};
    const Case cases[] = {
        {"after the first", 0, {kADown, kCtrlDown, kCtrlUp, kAUp}, 2},
        {"after the last", 1, {kADown, kAUp, kCtrlDown, kCtrlUp}, 3},
        {"no step chosen", -1, {kCtrlDown, kCtrlUp, kADown, kAUp}, 1},
        {"an index past the end", 9, {kADown, kAUp, kCtrlDown, kCtrlUp}, 3},
    };
    for (const Case& c : cases) {
        std::vector<MacroStep> steps = start;
        EXPECT_EQ(InsertStepsAfter(steps, c.after, {kCtrlDown, kCtrlUp}), c.last) << c.what;
        EXPECT_EQ(steps, c.expected) << c.what;
    }
    std::vector<MacroStep> steps = start;
    EXPECT_EQ(InsertStepsAfter(steps, 0, {}), -1);
    EXPECT_EQ(steps, start);
}

TEST(KeyEdit, TheKeyChangesWithItsOtherHalfAndTickedModifiersWrapThePair) {
    const MacroStep bDown = Key('B', 0x30, true), bUp = Key('B', 0x30, false);
    const MacroStep rCtrlDown = Key(0xA3, 0x1D, true, true), rCtrlUp = Key(0xA3, 0x1D, false, true);
    struct Case {
        const char* what;
        std::vector<MacroStep> steps;
        int index;
        KeyEntryResult result;
        bool changed;
        std::vector<MacroStep> expected;
        int selected;
    };
    const Case cases[] = {
        {"the press and its release", {kADown, kDelay, kAUp}, 0, Entry('B', 0x30, 0), true, {bDown, kDelay, bUp}, 0},
        {"edited from the release", {kADown, kDelay, kAUp}, 2, Entry('B', 0x30, 0), true, {bDown, kDelay, bUp}, 2},
        {"the same key changes nothing", {kADown, kAUp}, 0, Entry('A', 0x1E, 0), false, {kADown, kAUp}, -1},
        {"only the extended flag is a change", {kCtrlDown, kCtrlUp}, 1, Entry(0xA3, 0x1D, kModifierExtended), true,
         {rCtrlDown, rCtrlUp}, 1},
        {"modifiers become their own steps round the pair", {kADown, kDelay, kAUp}, 0,
         Entry('A', 0x1E, kModifierShift | kModifierAlt), true,
         {kShiftDown, kAltDown, kADown, kDelay, kAUp, kAltUp, kShiftUp}, 2},
        {"a new key and Ctrl", {kADown, kAUp}, 1, Entry('B', 0x30, kModifierCtrl), true,
         {kCtrlDown, bDown, bUp, kCtrlUp}, 2},
        {"a press never released is wrapped alone", {kDelay, kADown}, 1, Entry('A', 0x1E, kModifierCtrl), true,
         {kDelay, kCtrlDown, kADown, kCtrlUp}, 2},
        {"no key captured keeps the key", {kADown, kAUp}, 0, Entry(0, 0, kModifierShift), true,
         {kShiftDown, kADown, kAUp, kShiftUp}, 1},
        {"a delay is no key step", {kDelay}, 0, Entry('B', 0x30, 0), false, {kDelay}, -1},
        {"an index outside the steps", {kADown}, 3, Entry('B', 0x30, 0), false, {kADown}, -1},
    };
    for (const Case& c : cases) {
        std::vector<MacroStep> steps = c.steps;
        int selected = -1;
        EXPECT_EQ(ApplyKeyEdit(steps, c.index, c.result, &selected), c.changed) << c.what;
        EXPECT_EQ(steps, c.expected) << c.what;
        EXPECT_EQ(selected, c.selected) << c.what;
        for (const MacroStep& step : steps)
            EXPECT_EQ(step.flags & ~(0xFF | kStepExtended), 0) << c.what << ": no other bit reaches a step";
    }
}

TEST(KeyEdit, ThePopupStartsWithTheStepsKey) {
    const KeyEntryResult entry = KeyEntryOfStep(Key(0xA3, 0x1D, false, true), L"Right Ctrl");
    EXPECT_EQ(entry.text, CString(L"Right Ctrl"));
    EXPECT_EQ(entry.firstKey, 0x1D);
    EXPECT_EQ(entry.secondKey, 0xA3);
    EXPECT_EQ(entry.modifiers, kModifierExtended);
    std::vector<MacroStep> steps = {Key(0xA3, 0x1D, true, true)};
    EXPECT_FALSE(ApplyKeyEdit(steps, 0, entry)) << "taken back unchanged, it changes nothing";
}

TEST(RenamedMacro, KeysThatPlayItByNameFollowWithTheirPlayMode) {
    CKespaConfig config(L"Z:\\nonexistent\\");
    IKeyboardProfile* first = config.CreateProfile(L"Work");
    IKeyboardProfile* second = config.CreateProfile(L"Play");
    const int32_t esc = 0x1001, other = 0x1002, untouched = 0x1003;
    first->SetKeyAssignment(esc, KeyAssignment::ByName(AssignmentMacroByName, L"combo", 2, 7));
    second->SetKeyAssignment(other, KeyAssignment::ByName(AssignmentMacroByName, L"Combo", 3));
    first->SetKeyAssignment(untouched, KeyAssignment::ByName(AssignmentProfileSwitchByName, L"Combo"));
    const std::vector<int32_t> changed = RenameMacroAssignments(config, {esc, other, untouched}, L"Combo", L"Jump");
    EXPECT_EQ(changed, (std::vector<int32_t>{esc, other}));
    const KeyAssignment renamed = first->GetKeyAssignment(esc);
    EXPECT_EQ(renamed.type, AssignmentMacroByName);
    EXPECT_EQ(renamed.GetName(), CString(L"Jump"));
    EXPECT_EQ(renamed.playMode, 2);
    EXPECT_EQ(renamed.repeatCount, 7);
    EXPECT_EQ(second->GetKeyAssignment(other).GetName(), CString(L"Jump"));
    EXPECT_EQ(first->GetKeyAssignment(untouched).GetName(), CString(L"Combo")) << "a profile switch is no macro";
}

}  // namespace

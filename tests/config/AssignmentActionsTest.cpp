// The key-assignment page's records and texts, against a real store.

#include "config/AssignmentActions.h"
#include "model/store/CKespaConfig.h"

#include <gtest/gtest.h>

namespace {

const GUID kGuidA = {0x11111111, 0x2222, 0x3333, {1, 2, 3, 4, 5, 6, 7, 8}};
const GUID kGuidB = {0x99999999, 0x2222, 0x3333, {1, 2, 3, 4, 5, 6, 7, 8}};

CString NoName(uint16_t, uint16_t, bool) { return L"?"; }

class AssignmentFixture : public ::testing::Test {
protected:
    AssignmentFixture() : config(L"Z:\\nonexistent\\") {
        first = config.CreateProfile(L"Work");
        second = config.CreateProfile(L"Play");
        config.SetActiveProfile(first);
    }
    AssignmentText Text(const KeyAssignment& record, const CString& caption = L"F1") {
        return FormatAssignmentText(record, config, caption, [](uint16_t scan, uint16_t vk, bool ext) {
            CString name;
            name.Format(L"<%u,%u,%d>", scan, vk, ext ? 1 : 0);
            return name;
        });
    }
    CKespaConfig config;
    IKeyboardProfile* first;
    IKeyboardProfile* second;
};

TEST_F(AssignmentFixture, RecordsUseTheNameUntilTheKeyboardKnowsTheObject) {
    CMacro* macro = config.AddMacro(L"Combo");
    KeyAssignment byName = MakeMacroRecord(*macro, 2, 0x1234);
    EXPECT_EQ(byName.type, AssignmentMacroByName);
    EXPECT_EQ(byName.GetName(), CString(L"Combo"));
    EXPECT_EQ(byName.playMode, 2);
    EXPECT_EQ(byName.repeatCount, 0x34) << "only the low 8 bits of the count are kept";
    macro->guid = kGuidA;
    KeyAssignment byGuid = MakeMacroRecord(*macro, 3, 0);
    EXPECT_EQ(byGuid.type, AssignmentMacro);
    EXPECT_TRUE(IsEqualGUID(byGuid.GetGuid(), kGuidA));

    EXPECT_EQ(MakeProfileRecord(*second).type, AssignmentProfileSwitchByName);
    second->SetGuid(kGuidB);
    KeyAssignment profile = MakeProfileRecord(*second);
    EXPECT_EQ(profile.type, AssignmentProfileSwitch);
    EXPECT_TRUE(IsEqualGUID(profile.GetGuid(), kGuidB));

    CVqApp* app = config.AddApplication(L"C:\\Games\\run.exe");
    EXPECT_EQ(MakeProgramRecord(*app, L"C:\\Games\\run.exe").type, AssignmentLaunchProgramByPath);
    app->guid = kGuidA;
    EXPECT_EQ(MakeProgramRecord(*app, L"C:\\Games\\run.exe").type, AssignmentLaunchProgram);
}

TEST_F(AssignmentFixture, LongPathsAreCutToTheRecordAndStayTerminated) {
    CVqApp app(L"x.exe");
    const CString longPath = CString(L'a', 400);
    KeyAssignment record = MakeProgramRecord(app, longPath);
    EXPECT_EQ(record.GetName().GetLength(), KeyAssignment::kNameUnits - 1);
}

TEST(SingleKeyResult, CountsWithAKeyOrAModifier) {
    struct Case {
        const wchar_t* text;
        uint16_t key;
        uint8_t modifiers;
        bool counts;
    } cases[] = {
        {L"", 0, 0, false},         {L"A", 0x1E, 0, true},     {L"A", 0, 0, false},
        {L"", 0x1E, 0, false},      {L"", 0, kModifierCtrl, true}, {L"", 0, kModifierExtended, true},
    };
    for (const Case& c : cases) {
        KeyEntryResult r;
        r.text = c.text;
        r.firstKey = c.key;
        r.modifiers = c.modifiers;
        EXPECT_EQ(SingleKeyResultCounts(r), c.counts) << (const wchar_t*)c.text << " " << c.key << " " << int(c.modifiers);
    }
    KeyEntryResult ctrlOnly;
    ctrlOnly.modifiers = kModifierCtrl;
    KeyAssignment record = MakeSingleKeyRecord(ctrlOnly);
    EXPECT_EQ(record.type, AssignmentSingleKey);
    EXPECT_EQ(record.GetKeyCode(), 0);
    EXPECT_EQ(record.GetFlagByte(), kModifierCtrl);
}

TEST(ProgramName, ShortNamesWholeLongNamesCutBeforeTheExtension) {
    struct Case {
        const wchar_t* path;
        const wchar_t* shown;
    } cases[] = {
        {L"C:\\Games\\run.exe", L" run.exe"},
        {L"C:\\x\\abcdefghijklmnop.exe", L" abcdefghijklmnop.exe"},      // 20 characters: whole
        {L"C:\\x\\abcdefghijklmnopq.exe", L"abcdefghijklmnop...exe"},    // 21: cut
        {L"C:\\x\\abcdefghijklmnopqrstuvwxyz", L"abcdefghijklmnopqrst..."},  // no extension
        {L"D:/tools/short", L" short"},
        {L"C:\\x\\a.extensionlongerthantwentyunits", L"...extensionlongerthantwentyunits"},
        {L"", L" "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShortProgramName(c.path), CString(c.shown)) << (const wchar_t*)c.path;
}

TEST_F(AssignmentFixture, TextAndIconOfEachKind) {
    CMacro* macro = config.AddMacro(L"Combo");
    macro->guid = kGuidA;
    second->SetGuid(kGuidB);
    CVqApp* app = config.AddApplication(L"C:\\Games\\run.exe");
    app->guid = kGuidB;
    struct Case {
        KeyAssignment record;
        const wchar_t* text;
        int icon;
    } cases[] = {
        {KeyAssignment::DefaultKey(0x3B), L"F1", 0},
        {KeyAssignment::None(), L"F1", 0},
        {KeyAssignment::SingleKey(0x1E, 0x41, kModifierShift | kModifierAlt), L"Shift+Alt+<30,65,0>", 5},
        {KeyAssignment::SingleKey(0x1D, 0xA3, kModifierExtended), L"<29,163,1>", 5},
        {KeyAssignment::SingleKey(0, 0, kModifierCtrl), L"Ctrl", 5},
        {KeyAssignment::ByGuid(AssignmentMacro, kGuidA, 1), L" Combo", 100},
        {KeyAssignment::ByGuid(AssignmentMacro, kGuidA, 4), L" Combo", 103},
        {KeyAssignment::ByGuid(AssignmentMacro, kGuidA, 9), L" Combo", 6},
        {KeyAssignment::ByGuid(AssignmentMacro, kGuidB, 1), L"", 100},
        {KeyAssignment::ByName(AssignmentMacroByName, L"Later", 2), L" Later", 101},
        {KeyAssignment::Disabled(), L" ", 8},
        {KeyAssignment::ByGuid(AssignmentProfileSwitch, kGuidB), L" Play", 22},
        {KeyAssignment::ByName(AssignmentProfileSwitchByName, L"New"), L" New", 23},
        {KeyAssignment::ByGuid(AssignmentLaunchProgram, kGuidB), L" run.exe", 63},
        // The program is no longer listed: nothing is shown.
        {KeyAssignment::ByGuid(AssignmentLaunchProgram, kGuidA), L"", 63},
        {KeyAssignment::ByName(AssignmentLaunchProgramByPath, L"C:\\a\\tool.exe"), L" tool.exe", 64},
    };
    for (const Case& c : cases) {
        AssignmentText shown = Text(c.record);
        EXPECT_EQ(shown.text, CString(c.text)) << "kind " << c.record.type;
        EXPECT_EQ(shown.icon, c.icon) << "kind " << c.record.type;
    }
}

TEST_F(AssignmentFixture, DeletingAMacroOrProfileResetsEveryKeyThatPointsAtIt) {
    const int32_t esc = 0x1001, other = 0x1002, untouched = 0x1003;
    CMacro* macro = config.AddMacro(L"Combo");
    macro->guid = kGuidA;
    first->SetKeyAssignment(esc, KeyAssignment::ByGuid(AssignmentMacro, kGuidA, 1));
    second->SetKeyAssignment(other, KeyAssignment::ByName(AssignmentMacroByName, L"COMBO", 1));
    first->SetKeyAssignment(untouched, KeyAssignment::ByName(AssignmentMacroByName, L"Other", 1));
    second->SetKeyAssignment(esc, KeyAssignment::ByName(AssignmentProfileSwitchByName, L"combo"));

    auto defaultOf = [](int32_t key) { return KeyAssignment::DefaultKey(static_cast<uint32_t>(key & 0xFF)); };
    std::vector<int32_t> changed =
        ClearAssignmentsTo(config, {esc, other, untouched}, {DeletedTarget::Macro, kGuidA, L"Combo"}, defaultOf);
    EXPECT_EQ(changed, (std::vector<int32_t>{esc, other}));
    EXPECT_EQ(first->GetKeyAssignment(esc).type, AssignmentDefaultKey) << "the first key of the table too";
    EXPECT_EQ(first->GetKeyAssignment(esc).GetKeyCode(), 0x01);
    EXPECT_EQ(second->GetKeyAssignment(other).type, AssignmentDefaultKey);
    EXPECT_EQ(first->GetKeyAssignment(untouched).type, AssignmentMacroByName);
    EXPECT_EQ(second->GetKeyAssignment(esc).type, AssignmentProfileSwitchByName) << "a profile switch is no macro";

    changed = ClearAssignmentsTo(config, {esc}, {DeletedTarget::Profile, GUID_NULL, L"Combo"}, defaultOf);
    EXPECT_EQ(changed, std::vector<int32_t>{esc});
    EXPECT_EQ(second->GetKeyAssignment(esc).type, AssignmentDefaultKey);
}

TEST(PointsTo, GuidRecordsNeedARealGuid) {
    DeletedTarget unsent{DeletedTarget::Macro, GUID_NULL, L"M"};
    EXPECT_FALSE(PointsTo(KeyAssignment::ByGuid(AssignmentMacro, GUID_NULL, 1), unsent));
    EXPECT_TRUE(PointsTo(KeyAssignment::ByName(AssignmentMacroByName, L"m", 1), unsent));
    EXPECT_FALSE(PointsTo(KeyAssignment::Disabled(), unsent));
}

}  // namespace

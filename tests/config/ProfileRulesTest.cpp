// The profiles page's rules against a real store: names judged exactly,
// the names of copies, which rows and drop-down choices stand for which
// profile, and which profiles may go.

#include "config/FileChoice.h"
#include "config/ProfileRules.h"
#include "model/store/CKespaConfig.h"
#include "model/store/ProfileFiles.h"

#include <gtest/gtest.h>

namespace {

const GUID kFirstGuid = {0x11111111, 0x2222, 0x3333, {1, 2, 3, 4, 5, 6, 7, 8}};
const GUID kOtherGuid = {0x99999999, 0x2222, 0x3333, {1, 2, 3, 4, 5, 6, 7, 8}};

class ProfileRules : public ::testing::Test {
protected:
    ProfileRules() : config(L"Z:\\nonexistent\\") {
        for (const wchar_t* name : {L"Work", L"Game", L"GAME"})
            config.CreateProfile(name);
        config.GetProfile(0)->SetGuid(kFirstGuid);
    }
    CKespaConfig config;
};

TEST_F(ProfileRules, NamesAreJudgedExactlyAndLanguageKeysAreRefused) {
    const struct {
        const wchar_t* name;
        NameVerdict verdict;
    } cases[] = {
        {L"", NameVerdict::Empty},
        {L"Game", NameVerdict::Taken},
        {L"GAME", NameVerdict::Taken},
        {L"game", NameVerdict::Accepted},  // another profile's name in other letter case
        {L"Work ", NameVerdict::Accepted},
        {L"$New", NameVerdict::Reserved},
        {L"#Stop", NameVerdict::Reserved},
        {L"Price $5", NameVerdict::Accepted},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(CString(c.name).ToUtf8());
        EXPECT_EQ(JudgeProfileName(config, c.name), c.verdict);
    }
    EXPECT_EQ(FindProfileExactly(config, L"GAME"), config.GetProfile(2));
    EXPECT_EQ(FindProfileExactly(config, L"Game"), config.GetProfile(1));
    EXPECT_EQ(FindProfileExactly(config, L"game"), nullptr);
}

TEST_F(ProfileRules, ACopyTakesTheFirstFreeNumberAfterAtMostEighteenCharacters) {
    EXPECT_EQ(CopyProfileName(config, L"Work"), CString(L"Work(2)"));
    config.CreateProfile(L"Work(2)");
    EXPECT_EQ(CopyProfileName(config, L"Work"), CString(L"Work(3)"));
    // Another letter case is another name.
    config.CreateProfile(L"WORK(4)");
    config.CreateProfile(L"Work(3)");
    EXPECT_EQ(CopyProfileName(config, L"Work"), CString(L"Work(4)"));

    EXPECT_EQ(CopyProfileName(config, L"ABCDEFGHIJKLMNOPQRSTUVWXY"), CString(L"ABCDEFGHIJKLMNOPQR(2)"));
    EXPECT_EQ(CopyProfileName(config, L"ABCDEFGHIJKLMNOPQRS"), CString(L"ABCDEFGHIJKLMNOPQR(2)"));
    EXPECT_EQ(CopyProfileName(config, L"ABCDEFGHIJKLMNOPQR"), CString(L"ABCDEFGHIJKLMNOPQR(2)"));

    for (int n = 2; n <= 99; ++n) {
        CString taken;
        taken.Format(L"Full(%d)", n);
        config.CreateProfile(taken);
    }
    EXPECT_TRUE(CopyProfileName(config, L"Full").IsEmpty()) << "every number is taken";
}

TEST_F(ProfileRules, RowsAndChoicesFindTheirProfileOnlyWhileItIsThere) {
    EXPECT_EQ(ProfileOfRow(config, 1), config.GetProfile(1));
    EXPECT_EQ(ProfileOfRow(config, -1), nullptr) << "no row";
    EXPECT_EQ(ProfileOfRow(config, 3), nullptr);
    EXPECT_EQ(IndexOfProfile(config, config.GetProfile(2)), 2);
    EXPECT_EQ(IndexOfProfile(config, nullptr), -1);

    EXPECT_EQ(ProfileOfChoice(config, 2, L"GAME"), config.GetProfile(2));
    EXPECT_EQ(ProfileOfChoice(config, 1, L"GAME"), nullptr) << "the drop-down is older than the store";
    config.DeleteProfile(config.GetProfile(2));
    EXPECT_EQ(ProfileOfChoice(config, 2, L"GAME"), nullptr) << "the chosen profile has gone";

    const std::vector<CString> names = ProfileNames(config);
    EXPECT_EQ(names, (std::vector<CString>{L"Work", L"Game"}));
    EXPECT_EQ(ActiveProfileIndex(config), 0) << "none is active";
    config.SetActiveProfile(config.GetProfile(1));
    EXPECT_EQ(ActiveProfileIndex(config), 1);
}

TEST_F(ProfileRules, TheFirstProfileAndItsGuidStayAndUnwrittenProfilesMayGo) {
    IKeyboardProfile* first = config.GetProfile(0);
    IKeyboardProfile* unwritten = config.GetProfile(1);
    IKeyboardProfile* twin = config.GetProfile(2);
    EXPECT_FALSE(IsProfileDeletable(config, first));
    EXPECT_FALSE(IsProfileDeletable(config, nullptr));
    EXPECT_TRUE(IsProfileDeletable(config, unwritten));
    twin->SetGuid(kFirstGuid);
    EXPECT_FALSE(IsProfileDeletable(config, twin)) << "the first profile's GUID";
    twin->SetGuid(kOtherGuid);
    EXPECT_TRUE(IsProfileDeletable(config, twin));
    // Neither written yet: the null GUIDs are no likeness.
    first->SetGuid(GUID_NULL);
    EXPECT_TRUE(IsProfileDeletable(config, unwritten));
}

TEST(ProfileFileRules, LinkedNamesAndChosenFilesAreMeasuredWithoutTheirFolders) {
    const CString longest(L'a', kMaxLinkedNameChars - 4);
    EXPECT_TRUE(LinkedProgramFits(L"C:\\Some\\Very\\Deep\\Folder\\" + longest + L".exe"));
    EXPECT_FALSE(LinkedProgramFits(L"C:\\" + longest + L"a.exe"));
    EXPECT_TRUE(LinkedProgramFits(L""));
    EXPECT_TRUE(LinkedProgramFits(nullptr));

    EXPECT_FALSE(ChosenFileCounts(L".vqp", kProfileExtension)) << "the dialog's own preset";
    EXPECT_FALSE(ChosenFileCounts(nullptr, kProfileExtension));
    EXPECT_TRUE(ChosenFileCounts(L"a.vqp", kProfileExtension));
}

}  // namespace

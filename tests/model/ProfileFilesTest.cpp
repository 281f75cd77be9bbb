#include "model/store/CKespaConfig.h"
#include "model/store/ProfileFiles.h"
#include "tests/support/TestPaths.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

// A fresh application folder with its "save\" folder, for one test.
class AppFolder : public testing::Test {
protected:
    void SetUp() override {
        root = MakeTempFolder(L"model-files") + L"\\";
        ASSERT_NE(root, L"\\");
        ASSERT_TRUE(CreateDirectoryW((root + L"save").c_str(), nullptr));
    }
    std::wstring SettingsFile() const { return root + L"save\\Kespa.vqc"; }
    bool Exists(const std::wstring& path) const { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
    void Touch(const std::wstring& path) const {
        HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(h, "x", 1, &written, nullptr);
        CloseHandle(h);
    }

    std::wstring root;
};

}  // namespace

TEST(FormatPath, RefusesAResultThatDoesNotFit) {
    wchar_t buffer[8];
    struct Case { const wchar_t* text; bool fits; };
    for (Case c : {Case{L"", true}, Case{L"abcdefg", true}, Case{L"abcdefgh", false}, Case{L"abcdefghijkl", false}}) {
        wmemset(buffer, L'#', 8);
        EXPECT_EQ(FormatPath(buffer, 8, L"%s", c.text), c.fits) << CString(c.text).ToUtf8();
        EXPECT_STREQ(buffer, c.fits ? c.text : L"") << "a refused path is left empty, never cut";
    }
    EXPECT_TRUE(FormatPath(buffer, 8, L"%s*.%s", L"d\\", L"vqp"));
    EXPECT_STREQ(buffer, L"d\\*.vqp");
    EXPECT_FALSE(FormatPath(buffer, 0, L"x"));
    EXPECT_FALSE(FormatPath(nullptr, 8, L"x"));
}

TEST_F(AppFolder, StorePathsAreFormedFromTheApplicationFolder) {
    CKespaConfig store(root.c_str());
    EXPECT_EQ(std::wstring(GetSettingsFilePath()), SettingsFile());
    EXPECT_EQ(std::wstring(GetProfileFolder()), root + L"save\\");
}

TEST_F(AppFolder, IniValuesRoundTripAndMissingOnesGiveTheDefault) {
    std::wstring file = root + L"save\\test.ini";
    EXPECT_TRUE(WriteIniString(file.c_str(), L"SETTINGS", L"ActiveProfileName", L"Game"));
    EXPECT_STREQ(ReadIniString(file.c_str(), L"SETTINGS", L"ActiveProfileName"), L"Game");
    EXPECT_STREQ(ReadIniString(file.c_str(), L"SETTINGS", L"Missing"), L"");
    EXPECT_STREQ(ReadIniString(file.c_str(), L"SETTINGS", L"Missing", L"fallback"), L"fallback");

    std::wstring longValue(5000, L'v');
    EXPECT_TRUE(WriteIniString(file.c_str(), L"SETTINGS", L"Long", longValue.c_str()));
    EXPECT_EQ(ReadIniString(file.c_str(), L"SETTINGS", L"Long").GetLength(), 4095);
}

TEST_F(AppFolder, SaveSettingsWritesTheActiveProfilesNameOnly) {
    CKespaConfig store(root.c_str());
    IKeyboardConfig& config = store;
    config.CreateProfile(L"Work");
    EXPECT_FALSE(config.SaveSettings()) << "no active profile";
    EXPECT_FALSE(Exists(SettingsFile()));

    config.SetActiveProfile(config.GetProfile(0));
    EXPECT_TRUE(config.SaveSettings());
    EXPECT_STREQ(ReadIniString(SettingsFile().c_str(), L"SETTINGS", L"ActiveProfileName"), L"Work");
    EXPECT_TRUE(config.SaveProfile(nullptr));
    EXPECT_FALSE(config.SaveProfile(config.GetProfile(0)));
}

TEST_F(AppFolder, LoadingProfileFilesNeverEmptiesTheStoreWhenNothingLoads) {
    CKespaConfig store(root.c_str());
    IKeyboardConfig& config = store;
    IKeyboardProfile* work = config.CreateProfile(L"Work");
    config.CreateProfile(L"Play");
    config.SetActiveProfile(work);

    EXPECT_EQ(config.EnumerateProfileFiles(), 0) << "an empty folder";
    EXPECT_EQ(config.GetProfileCount(), 2);

    // Files this program cannot read: the store keeps what it has.
    Touch(root + L"save\\Old.vqp");
    Touch(root + L"save\\Older.vqp");
    WriteIniString(SettingsFile().c_str(), L"SETTINGS", L"ActiveProfileName", L"Play");
    EXPECT_EQ(config.EnumerateProfileFiles(), 0);
    ASSERT_EQ(config.GetProfileCount(), 2);
    EXPECT_EQ(config.GetActiveProfile(), work);

    EXPECT_FALSE(config.LoadSettings());
    EXPECT_EQ(config.GetProfileCount(), 2);
    EXPECT_EQ(config.GetActiveProfile(), work) << "nothing loaded, so the settings file chooses nothing";
}

TEST_F(AppFolder, AnApplicationFolderTooLongForThePathsIsRefusedNotCut) {
    std::wstring longFolder = root + std::wstring(250, L'd') + L"\\";
    CKespaConfig store(longFolder.c_str());
    IKeyboardConfig& config = store;
    EXPECT_STREQ(GetSettingsFilePath(), L"");
    EXPECT_STREQ(GetProfileFolder(), L"");
    config.SetActiveProfile(config.CreateProfile(L"Work"));
    EXPECT_FALSE(config.SaveSettings());
    EXPECT_EQ(config.EnumerateProfileFiles(), 0);
    EXPECT_EQ(config.GetProfileCount(), 1);
    EXPECT_FALSE(config.LoadSettings());
    EXPECT_EQ(config.GetProfileCount(), 1);
}

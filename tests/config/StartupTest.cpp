// Start-up's reading of the registry, the install folder, the layout
// choice, the version text and the keyboard-removal test.

#include "config/CFileVersions.h"
#include "config/CKespaAppDlg.h"
#include "config/StartupSettings.h"
#include "gui/skin/LanguageNames.h"
#include "gui/skin/SymbolIds.h"
#include "model/device/CNullKeyboard.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const wchar_t kTestKey[] = L"Software\\MobekTilvorTests\\Startup";

class RegistryFixture : public ::testing::Test {
protected:
    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey); }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey); }
    void Write(const wchar_t* name, const wchar_t* value) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                       static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }
    StartupSettings Read() {
        HKEY key = OpenProgramKey(HKEY_CURRENT_USER, kTestKey);
        EXPECT_NE(key, nullptr);
        StartupSettings settings = ReadStartupSettings(key);
        if (key)
            RegCloseKey(key);
        return settings;
    }
};

TEST_F(RegistryFixture, AMissingKeyIsCreatedAndGivesLanguageZero) {
    StartupSettings settings = Read();
    EXPECT_TRUE(settings.haveKey);
    EXPECT_EQ(settings.languageId, 0);
    EXPECT_TRUE(settings.installDir.IsEmpty());
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kTestKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    if (key)
        RegCloseKey(key);
}

TEST_F(RegistryFixture, KeyIsOpenedForReadingOnly) {
    Write(L"Language", L"German");
    HKEY key = OpenProgramKey(HKEY_CURRENT_USER, kTestKey);
    ASSERT_NE(key, nullptr);
    const wchar_t value[] = L"x";
    EXPECT_EQ(RegSetValueExW(key, L"Probe", 0, REG_SZ, reinterpret_cast<const BYTE*>(value), sizeof value),
              ERROR_ACCESS_DENIED);
    RegCloseKey(key);
}

TEST_F(RegistryFixture, LanguageAndInstallFolder) {
    struct Case {
        const wchar_t* language;
        const wchar_t* dir;
        int32_t languageId;
        const wchar_t* shownDir;
    } cases[] = {
        {L"German", L"C:\\Tilvor\\", LanguageIdFromName(L"German"), L"C:\\Tilvor"},
        {L"german", L"C:\\Tilvor", LanguageIdFromName(L"German"), L"C:\\Tilvor"},
        {L"Klingon", L"C:\\", -1, L"C:"},
        // Longer than 39 characters: taken as absent.
        {L"English", L"C:\\a\\very\\long\\folder\\name\\beyond\\forty\\units", 0, L""},
    };
    for (const Case& c : cases) {
        Write(L"Language", c.language);
        Write(L"InstallDir", c.dir);
        StartupSettings settings = Read();
        EXPECT_EQ(settings.languageId, c.languageId) << (const wchar_t*)c.language;
        EXPECT_EQ(settings.installDir, CString(c.shownDir)) << (const wchar_t*)c.dir;
    }
}

TEST(Startup, FolderOfThePrograms) {
    EXPECT_EQ(FolderOfPath(L"C:\\Program Files\\Tilvor\\MobekTilvorConfig.exe"), CString(L"C:\\Program Files\\Tilvor\\"));
    EXPECT_EQ(FolderOfPath(L"Z:\\a.exe"), CString(L"Z:\\"));
    EXPECT_EQ(NormaliseInstallDir(L"C:\\x\\\\"), CString(L"C:\\x\\"));
}

TEST(Startup, LayoutIsEnglishWithoutAKeyboard) {
    EXPECT_EQ(ChooseLayoutId(nullptr), KBLAYOUT_ENGLISH);
    CNullKeyboard none;
    EXPECT_EQ(ChooseLayoutId(&none), KBLAYOUT_ENGLISH) << "the null keyboard gives no layout code";
}

TEST(FileVersions, OwnResourceAndDefaults) {
    CFileVersions missing;
    EXPECT_FALSE(missing.Read());
    missing.SetModulePath(L"Z:\\no\\such\\file.exe");
    EXPECT_FALSE(missing.Read());
    EXPECT_EQ(missing.GetProductVersion(), CString(L"0.0.0.0"));
    EXPECT_EQ(missing.ProductMajorMinor(), CString(L"0.00"));

    wchar_t kernel[MAX_PATH];
    GetSystemDirectoryW(kernel, MAX_PATH);
    CFileVersions system;
    system.SetModulePath(CString(kernel) + L"\\kernel32.dll");
    ASSERT_TRUE(system.Read());
    CString whole;
    whole.Format(L"%s.%s.%s.%s", system.GetFilePart(0).GetString(), system.GetFilePart(1).GetString(),
                 system.GetFilePart(2).GetString(), system.GetFilePart(3).GetString());
    EXPECT_EQ(system.GetFileVersion(), whole);
    EXPECT_NE(system.GetFileVersion(), CString(L"0.0.0.0"));
}

std::vector<BYTE> Broadcast(const wchar_t* path, DWORD type = DBT_DEVTYP_DEVICEINTERFACE) {
    const size_t units = wcslen(path) + 1;
    std::vector<BYTE> bytes(offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name) + units * sizeof(wchar_t));
    auto* header = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(bytes.data());
    header->dbcc_size = static_cast<DWORD>(bytes.size());
    header->dbcc_devicetype = type;
    memcpy(header->dbcc_name, path, units * sizeof(wchar_t));
    return bytes;
}

TEST(KeyboardRemoval, OnlyTheKeyboardsPathLeavingCounts) {
    const uint32_t vendor = 0x7E57;
    auto hdr = [](std::vector<BYTE>& b) { return reinterpret_cast<DEV_BROADCAST_HDR*>(b.data()); };
    auto keyboard = Broadcast(L"\\\\?\\hid#vid_7e57&pid_010f#1&2#{378de44c}");
    auto otherVendor = Broadcast(L"\\\\?\\HID#VID_1234&PID_010F#1");
    auto otherProduct = Broadcast(L"\\\\?\\HID#VID_7E57&PID_0110#1");
    auto port = Broadcast(L"\\\\?\\HID#VID_7E57&PID_010F#1", DBT_DEVTYP_PORT);
    EXPECT_TRUE(IsKeyboardRemoval(DBT_DEVICEREMOVECOMPLETE, hdr(keyboard), vendor));
    EXPECT_FALSE(IsKeyboardRemoval(DBT_DEVICEARRIVAL, hdr(keyboard), vendor));
    EXPECT_FALSE(IsKeyboardRemoval(DBT_DEVICEREMOVECOMPLETE, hdr(otherVendor), vendor));
    EXPECT_FALSE(IsKeyboardRemoval(DBT_DEVICEREMOVECOMPLETE, hdr(otherProduct), vendor));
    EXPECT_FALSE(IsKeyboardRemoval(DBT_DEVICEREMOVECOMPLETE, hdr(port), vendor));
    EXPECT_FALSE(IsKeyboardRemoval(DBT_DEVICEREMOVECOMPLETE, nullptr, vendor));
    // A record that claims less than its header is not read.
    hdr(keyboard)->dbch_size = 8;
    EXPECT_FALSE(IsKeyboardRemoval(DBT_DEVICEREMOVECOMPLETE, hdr(keyboard), vendor));
}

}  // namespace

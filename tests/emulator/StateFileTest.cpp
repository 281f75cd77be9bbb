// The emulated keyboard's state file: what survives a restart, and that a
// file it cannot read is kept, never written over.

#include "emulator/CKeyboardState.h"
#include "emulator/CKeyTable.h"
#include "platform/CString.h"
#include "tests/service/CEmulatorSession.h"
#include "tests/support/MessagePump.h"
#include "tests/support/TestPaths.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

int CountFiles(const std::wstring& folder, const wchar_t* pattern) {
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder + L"\\" + pattern).c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    int n = 0;
    do
        ++n;
    while (FindNextFileW(find, &found));
    FindClose(find);
    return n;
}

bool IsFactoryKeyboard(const KeyboardData& data) {
    return data.profiles.size() == 3 && data.profiles[0].name == L"Profile 1" &&
           data.activeProfile == data.profiles[0].guid && data.macros.empty();
}

class StateFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = MakeTempFolder(L"emulator-state");
        ASSERT_FALSE(m_folder.empty());
        m_path = m_folder + L"\\state.xml";
    }
    std::wstring m_folder;
    std::wstring m_path;
};

TEST_F(StateFileTest, EverythingSurvivesARestartOfTheKeyboard) {
    CEmulatorSession session(KeyboardMode::InProcess, m_path);
    ASSERT_HRESULT_SUCCEEDED(session.Connect());
    CComPtr<IDeviceProfile> profile = session.Profile(1);
    ASSERT_HRESULT_SUCCEEDED(profile->SetName(L"Kept \u00E9"));
    auto leds = CEmulatorSession::ProfileFeature<ILedCollection>(profile, IID_ILedCollection);
    CComPtr<ILed> led;
    ASSERT_HRESULT_SUCCEEDED(leds->GetLed(4, &led));
    ASSERT_HRESULT_SUCCEEDED(led->Off());
    auto macros = session.DeviceFeature<IMacroManager>(IID_IMacroManager);
    CComPtr<IDeviceMacro> macro;
    ASSERT_HRESULT_SUCCEEDED(macros->CreateMacro(&macro));
    const BYTE steps[24] = {0, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 0x1E, 0, 0, 0};
    ASSERT_HRESULT_SUCCEEDED(macro->SetSteps(sizeof steps, steps));
    auto applications = session.DeviceFeature<IApplicationManager>(IID_IApplicationManager);
    CComPtr<IDeviceApplication> application;
    ASSERT_HRESULT_SUCCEEDED(applications->CreateApplication(&application));
    ASSERT_HRESULT_SUCCEEDED(application->SetName(L"C:\\Tools\\a.exe"));
    auto mode = session.DeviceFeature<IDeviceMode>(IID_IDeviceMode);
    ASSERT_HRESULT_SUCCEEDED(mode->SetMode(2));
    ASSERT_HRESULT_SUCCEEDED(session.Profiles()->SetActiveProfile(profile));
    const std::string before = session.Keyboard()->Dump();

    profile.Release();
    led.Release();
    leds.Release();
    macro.Release();
    macros.Release();
    application.Release();
    applications.Release();
    mode.Release();
    ASSERT_HRESULT_SUCCEEDED(session.Restart());
    EXPECT_EQ(session.Keyboard()->Dump(), before);
    EXPECT_EQ(NameOf(session.Profile(1)), L"Kept \u00E9");
    EXPECT_EQ(CountFiles(m_folder, L"*.tmp"), 0) << "a temporary file was left behind";
}

TEST_F(StateFileTest, AChangeIsSavedShortlyAfterwards) {
    CEmulatorSession session(KeyboardMode::InProcess, m_path);
    ASSERT_HRESULT_SUCCEEDED(session.Connect());
    ASSERT_HRESULT_SUCCEEDED(session.Profile(0)->SetName(L"Saved soon"));
    EXPECT_TRUE(PumpUntil([&] { return ReadBytes(m_path).find("Saved soon") != std::string::npos; }, 3000));
}

TEST_F(StateFileTest, ABurstOfChangesIsSavedOnceItIsOver) {
    CEmulatorSession session(KeyboardMode::InProcess, m_path);
    ASSERT_HRESULT_SUCCEEDED(session.Connect());
    CComPtr<IDeviceProfile> profile = session.Profile(0);
    const std::string before = ReadBytes(m_path);
    // A change every 40 ms for about half a second: the file stays as it was
    // while the burst goes on, and holds its end soon after.
    for (int i = 0; i < 12; ++i) {
        ASSERT_HRESULT_SUCCEEDED(profile->SetName((L"Burst " + std::to_wstring(i)).c_str()));
        PumpUntil([] { return false; }, 40);
        ASSERT_EQ(ReadBytes(m_path), before) << "saved in the middle of the burst, after change " << i;
    }
    EXPECT_TRUE(PumpUntil([&] { return ReadBytes(m_path).find("Burst 11") != std::string::npos; }, 3000));
}

TEST_F(StateFileTest, AStreamOfChangesThatNeverPausesIsStillSaved) {
    CEmulatorSession session(KeyboardMode::InProcess, m_path);
    ASSERT_HRESULT_SUCCEEDED(session.Connect());
    CComPtr<IDeviceProfile> profile = session.Profile(0);
    bool saved = false;
    const DWORD start = GetTickCount();
    for (int i = 0; !saved && GetTickCount() - start < 6000; ++i) {
        ASSERT_HRESULT_SUCCEEDED(profile->SetName((L"Stream " + std::to_wstring(i)).c_str()));
        PumpUntil([] { return false; }, 20);
        saved = ReadBytes(m_path).find("Stream ") != std::string::npos;
    }
    EXPECT_TRUE(saved) << "a change every 20 ms kept the state from being saved for 6 s";
}

TEST_F(StateFileTest, UnreadableFileIsKeptAsideAndAFactoryKeyboardStarts) {
    const std::string valid = CKeyboardState(std::wstring()).Dump();
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"not XML at all", "\xFF\xFE garbage \x01"},
        {"cut short", valid.substr(0, valid.size() / 2)},
        {"another version", "<keyboard-state version=\"2\"/>"},
        {"another root", "<profile-file version=\"1\"/>"},
        {"a GUID that is no GUID", "<keyboard-state version=\"1\"><profile guid=\"{nope}\"/></keyboard-state>"},
        {"two profiles with one GUID",
         "<keyboard-state version=\"1\"><profile guid=\"{11111111-2222-3333-4444-555555555555}\"/>"
         "<profile guid=\"{11111111-2222-3333-4444-555555555555}\"/></keyboard-state>"},
        {"a key the keyboard lacks", "<keyboard-state version=\"1\"><profile><key id=\"0x9999\"/></profile></keyboard-state>"},
        {"an active profile that is not there",
         "<keyboard-state version=\"1\" active-profile=\"{11111111-2222-3333-4444-555555555555}\"><profile/></keyboard-state>"},
        {"an LED id past 11", "<keyboard-state version=\"1\"><profile><led id=\"12\"/></profile></keyboard-state>"},
        {"a flag that is not 0 or 1", "<keyboard-state version=\"1\" present=\"yes\"/>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteFileW(m_path.c_str());
        DeleteFileW((m_path + L".corrupt").c_str());
        WriteBytes(m_path, c.bytes);
        {
            CKeyboardState keyboard(m_path);
            EXPECT_TRUE(IsFactoryKeyboard(keyboard.Data()));
            EXPECT_EQ(keyboard.KeptAside(), m_path + L".corrupt");
        }
        EXPECT_EQ(ReadBytes(m_path + L".corrupt"), c.bytes);
        // What replaced it is a good state file.
        CKeyboardState again(m_path);
        EXPECT_TRUE(again.KeptAside().empty());
    }
}

TEST_F(StateFileTest, ASecondUnreadableFileNeverReplacesTheFirstOneKept) {
    WriteBytes(m_path, "first bad file");
    { CKeyboardState keyboard(m_path); }
    WriteBytes(m_path, "second bad file");
    {
        CKeyboardState keyboard(m_path);
        EXPECT_EQ(keyboard.KeptAside(), m_path + L".corrupt.2");
    }
    EXPECT_EQ(ReadBytes(m_path + L".corrupt"), "first bad file");
    EXPECT_EQ(ReadBytes(m_path + L".corrupt.2"), "second bad file");
}

TEST_F(StateFileTest, MissingFileStartsAFactoryKeyboardAndIsWritten) {
    CKeyboardState keyboard(m_path);
    EXPECT_TRUE(IsFactoryKeyboard(keyboard.Data()));
    EXPECT_TRUE(keyboard.KeptAside().empty());
    EXPECT_NE(ReadBytes(m_path).find("<keyboard-state version=\"1\""), std::string::npos);
}

// A test can describe the keyboard it needs in a few lines; the rest is factory.
TEST_F(StateFileTest, AShortFixtureGetsFactoryValuesForWhatItLeavesOut) {
    WriteBytes(m_path,
               "<keyboard-state version=\"1\" product-id=\"0x0110\" first-version=\"2.07\">"
               "<profile name=\"Game\"><led id=\"7\" effect=\"9\" on=\"0\"/></profile>"
               "</keyboard-state>");
    CKeyboardState keyboard(m_path);
    ASSERT_TRUE(keyboard.KeptAside().empty());
    const KeyboardData& data = keyboard.Data();
    ASSERT_EQ(data.profiles.size(), 1u);
    const ProfileState& game = data.profiles[0];
    EXPECT_EQ(game.name, L"Game");
    EXPECT_EQ(data.activeProfile, game.guid);
    EXPECT_EQ(data.productId, 0x0110u);
    EXPECT_EQ(data.vendorId, static_cast<uint32_t>(KEYBOARD_VENDOR_ID));
    EXPECT_EQ(data.firstVersionMajor, 2u);
    EXPECT_EQ(data.firstVersionMinor, 7u);
    ASSERT_EQ(game.keys.size(), CKeyTable::Instance().KeyCount());
    EXPECT_EQ(game.keys[0].actionType, 5u);
    // Values a client must cope with, though the service never sets them so.
    EXPECT_EQ(game.leds[6].effect, 9u);
    EXPECT_FALSE(game.leds[6].on);
    EXPECT_TRUE(game.leds[5].on);
}

}  // namespace

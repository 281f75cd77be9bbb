// The tray program's decisions as functions of their inputs: macro names,
// device paths, session and device events, automatic switching, the records
// sent to the keyboard, the icon record and the on-screen display's strip.

#include "platform/Guid.h"
#include "tray/CPcManager.h"
#include "tray/TrayDecisions.h"

#include <gtest/gtest.h>

#include <dbt.h>
#include <wtsapi32.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<CString> Names(std::initializer_list<const wchar_t*> names) {
    std::vector<CString> out;
    for (const wchar_t* n : names)
        out.emplace_back(n);
    return out;
}

TEST(NewMacroName, FollowsTheHighestNumberedNewMacro) {
    struct Case {
        std::vector<CString> existing;
        const wchar_t* expected;
    } cases[] = {
        {{}, L"New Macro1"},
        {Names({L"Copy", L"Paste"}), L"New Macro1"},
        {Names({L"New Macro3", L"New Macro10"}), L"New Macro11"},
        {Names({L"New Macro10", L"New Macro3"}), L"New Macro11"},
        // The trim stops at the first character outside "New Macro".
        {Names({L"Old New Macro7"}), L"New Macro1"},
        // A name carrying the text without digits after it counts as 0.
        {Names({L"New Macro"}), L"New Macro1"},
        {Names({L"New Macro 4"}), L"New Macro5"},
        // Letters of the set are trimmed too: "New Macroca2" leaves "2".
        {Names({L"New Macroca2"}), L"New Macro3"},
        // Lower-case "m" is not in the set: the rest "m2" is no number.
        {Names({L"New Macrom2"}), L"New Macro1"},
        {Names({L"new macro9"}), L"New Macro1"},
        // A number too large for 32 bits does not wrap round to a small one.
        {Names({L"New Macro99999999999"}), L"New Macro2147483647"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(NextNewMacroName(c.existing), c.expected) << "first: "
            << (c.existing.empty() ? "" : CString(c.existing[0]).ToUtf8());
}

TEST(DevicePath, NamesTheKeyboardByVendorAndProduct) {
    const uint32_t vendor = 0x7E57;
    struct Case {
        const wchar_t* path;
        bool expected;
    } cases[] = {
        {L"\\\\?\\HID#VID_7E57&PID_010F&MI_01#7&1#{378de44c-56ef-11d1-bc8c-00a0c91405dd}", true},
        {L"\\\\?\\hid#vid_7e57&pid_010f&mi_01#7&1#{378de44c}", true},
        {L"\\\\?\\HID#VID_7E57&PID_0110#x", false},
        {L"\\\\?\\HID#VID_1234&PID_010F#x", false},
        {L"", false},
        {nullptr, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsKeyboardDevicePath(c.path, vendor), c.expected) << (c.path ? CString(c.path).ToUtf8() : "null");
}

std::vector<BYTE> InterfaceRecord(const std::wstring& path) {
    size_t size = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name) + (path.size() + 1) * sizeof(wchar_t);
    std::vector<BYTE> bytes(size, 0);
    auto* record = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(bytes.data());
    record->dbcc_size = static_cast<DWORD>(size);
    record->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    std::memcpy(record->dbcc_name, path.c_str(), (path.size() + 1) * sizeof(wchar_t));
    return bytes;
}

TEST(DeviceChange, OnlyTheKeyboardsInterfaceStartsOrStops) {
    const uint32_t vendor = 0x7E57;
    std::vector<BYTE> keyboard = InterfaceRecord(L"\\\\?\\hid#vid_7e57&pid_010f#1");
    std::vector<BYTE> other = InterfaceRecord(L"\\\\?\\HID#VID_7E57&PID_0200#1");
    auto* k = reinterpret_cast<const DEV_BROADCAST_HDR*>(keyboard.data());
    auto* o = reinterpret_cast<const DEV_BROADCAST_HDR*>(other.data());
    DEV_BROADCAST_HDR volume = {sizeof(DEV_BROADCAST_HDR), DBT_DEVTYP_VOLUME, 0};

    EXPECT_EQ(DeviceChangeAction(DBT_DEVICEARRIVAL, k, vendor), ServiceAction::Start);
    EXPECT_EQ(DeviceChangeAction(DBT_DEVICEREMOVECOMPLETE, k, vendor), ServiceAction::StopAndEnd);
    EXPECT_EQ(DeviceChangeAction(DBT_DEVICEARRIVAL, o, vendor), ServiceAction::None);
    EXPECT_EQ(DeviceChangeAction(DBT_DEVICEARRIVAL, &volume, vendor), ServiceAction::None);
    EXPECT_EQ(DeviceChangeAction(DBT_DEVICEQUERYREMOVE, k, vendor), ServiceAction::None);
    EXPECT_EQ(DeviceChangeAction(DBT_DEVICEARRIVAL, nullptr, vendor), ServiceAction::None);
    EXPECT_EQ(DeviceChangeAction(DBT_DEVNODES_CHANGED, nullptr, vendor), ServiceAction::CheckPresence);

    // A record whose size ends before its path's terminator is read no
    // further than its size: the cut path lacks the product id.
    std::vector<BYTE> cut = keyboard;
    reinterpret_cast<DEV_BROADCAST_HDR*>(cut.data())->dbch_size =
        static_cast<DWORD>(offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name) + 12 * sizeof(wchar_t));
    EXPECT_EQ(DeviceChangeAction(DBT_DEVICEARRIVAL, reinterpret_cast<const DEV_BROADCAST_HDR*>(cut.data()), vendor),
              ServiceAction::None);
}

TEST(SessionChange, ConnectLogonUnlockStartAndTheirOppositesStop) {
    struct Case {
        UINT code;
        ServiceAction expected;
    } cases[] = {
        {WTS_CONSOLE_CONNECT, ServiceAction::Start},     {WTS_SESSION_LOGON, ServiceAction::Start},
        {WTS_SESSION_UNLOCK, ServiceAction::Start},      {WTS_CONSOLE_DISCONNECT, ServiceAction::StopAndCancel},
        {WTS_SESSION_LOGOFF, ServiceAction::StopAndCancel}, {WTS_SESSION_LOCK, ServiceAction::StopAndCancel},
        {WTS_REMOTE_CONNECT, ServiceAction::None},       {WTS_REMOTE_DISCONNECT, ServiceAction::None},
        {0, ServiceAction::None},                        {9, ServiceAction::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SessionChangeAction(c.code), c.expected) << "code " << c.code;
}

_Profile_Setting_ Setting(const wchar_t* name, const wchar_t* application, int autoSwitch, int showOsd = 0) {
    _Profile_Setting_ s;
    s.name = name;
    s.application = application;
    s.autoSwitch = autoSwitch;
    s.showOsd = showOsd;
    return s;
}

TEST(ServiceFault, ADeadServerOrAMissingKeyboardIsToldFromARefusal) {
    struct Case {
        HRESULT result;
        ServiceFault expected;
    } cases[] = {
        {RPC_E_DISCONNECTED, ServiceFault::ServiceGone},
        {RPC_E_SERVER_DIED, ServiceFault::ServiceGone},
        {RPC_E_SERVER_DIED_DNE, ServiceFault::ServiceGone},
        {CO_E_OBJNOTCONNECTED, ServiceFault::ServiceGone},
        {HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE), ServiceFault::ServiceGone},
        {HRESULT_FROM_WIN32(RPC_S_CALL_FAILED), ServiceFault::ServiceGone},
        {HRESULT_FROM_WIN32(ERROR_DEVICE_NOT_CONNECTED), ServiceFault::KeyboardGone},
        // What the service answers about the request, not about itself.
        {HRESULT_FROM_WIN32(ERROR_NO_MORE_ITEMS), ServiceFault::None},
        {HRESULT_FROM_WIN32(ERROR_NOT_FOUND), ServiceFault::None},
        {E_INVALIDARG, ServiceFault::None},
        {E_FAIL, ServiceFault::None},
        {RPC_E_CALL_REJECTED, ServiceFault::None},
        // Win32 code 1722 as a bare number is no HRESULT of a dead server.
        {static_cast<HRESULT>(RPC_S_SERVER_UNAVAILABLE), ServiceFault::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ServiceFaultOf(c.result), c.expected) << std::hex << static_cast<unsigned long>(c.result);
}

TEST(AutoSwitch, TheFirstLinkedProfileOfTheForegroundProgramWins) {
    std::vector<_Profile_Setting_> settings = {
        Setting(L"Office", L"word.exe", 0),
        Setting(L"Game A", L"game.exe", 1),
        Setting(L"Game B", L"game.exe", 1),
        Setting(L"Empty", L"", 1),
        Setting(L"Editor", L"Edit.exe", 1),
    };
    struct Case {
        const wchar_t* foreground;
        const wchar_t* expected;  // null: no switch
    } cases[] = {
        {L"game.exe", L"Game A"},
        // Without automatic switching a link is ignored.
        {L"word.exe", nullptr},
        // Letter case counts.
        {L"edit.exe", nullptr},
        {L"Edit.exe", L"Editor"},
        {L"other.exe", nullptr},
    };
    for (const Case& c : cases) {
        std::vector<CString> asked;
        const _Profile_Setting_* chosen = FindAutoSwitchProfile(settings, [&](const CString& application) {
            asked.push_back(application);
            return application == c.foreground;
        });
        if (c.expected)
            ASSERT_TRUE(chosen) << CString(c.foreground).ToUtf8();
        if (!c.expected)
            EXPECT_EQ(chosen, nullptr) << CString(c.foreground).ToUtf8();
        else
            EXPECT_STREQ(chosen->name, c.expected);
        // Profiles without automatic switching never cost a process snapshot.
        for (const CString& a : asked)
            EXPECT_NE(a, CString(L"word.exe"));
    }
}

TEST(MacroSteps, OnlyACaptureWithAKeyOrAButtonIsStored) {
    struct Case {
        const char* what;
        std::vector<CaptureEvent> events;
        bool stored;
    } cases[] = {
        {"nothing captured", {}, false},
        {"a pause alone", {{kCaptureDelay, 500}}, false},
        {"a key release alone", {{kCaptureKey, 0x1001E}}, true},
        {"one mouse button", {{kCaptureMouseButton, RI_MOUSE_LEFT_BUTTON_DOWN}}, true},
        {"keys with a pause between", {{kCaptureKey, 0x1E}, {kCaptureDelay, 80}, {kCaptureKey, 0x1001E}}, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HoldsMacroSteps(c.events), c.stored) << c.what;
}

TEST(MacroStepsBlock, HeaderStepsAndTrailingZeros) {
    std::vector<CaptureEvent> events = {{2, 0x1E}, {3, 120}, {2, 0x1001E}};
    std::vector<BYTE> block = BuildMacroStepsBlock(events);
    ASSERT_EQ(block.size(), 3u * 8 + 16);
    uint32_t words[10];
    std::memcpy(words, block.data(), sizeof words);
    EXPECT_EQ(words[0], 0u);
    EXPECT_EQ(words[1], 3u);
    EXPECT_EQ(words[2], 2u);
    EXPECT_EQ(words[3], 0x1Eu);
    EXPECT_EQ(words[4], 3u);
    EXPECT_EQ(words[5], 120u);
    EXPECT_EQ(words[7], 0x1001Eu);
    EXPECT_EQ(words[8], 0u);
    EXPECT_EQ(words[9], 0u);

    std::vector<BYTE> empty = BuildMacroStepsBlock({});
    EXPECT_EQ(empty, std::vector<BYTE>(16, 0));
}

TEST(MacroKeyRecord, CarriesTheKeyTheKindAndTheMacro) {
    GUID macro = NewGuid();
    DeviceKeyRecord record = MakeMacroKeyRecord(0x3B, macro);
    EXPECT_EQ(record.header, 0u);
    EXPECT_EQ(record.keyId, 0x3Bu);
    EXPECT_EQ(record.actionType, 8u);
    uint32_t words[4];
    std::memcpy(words, record.data, sizeof words);
    EXPECT_TRUE(IsEqualGUID(GuidFromWords(words), macro));
    EXPECT_EQ(record.data[16], 1);
    EXPECT_EQ(record.data[17], 0);
}

TEST(NotifyIcon, VersionAndRecordSizeFollowTheTarget) {
    EXPECT_EQ(ChooseNotifyIconVersion(6, 0), 3);
    EXPECT_EQ(ChooseNotifyIconVersion(5, 6), 2);
    EXPECT_EQ(ChooseNotifyIconVersion(5, 5), 1);
    EXPECT_EQ(ChooseNotifyIconVersion(5, 4), 0);
    EXPECT_EQ(ChooseNotifyIconVersion(4, 0), 0);
    // The sizes of this build's records, not the numbers of a 32-bit build.
    EXPECT_EQ(NotifyIconDataSize(3), sizeof(NOTIFYICONDATAW));
    EXPECT_EQ(NotifyIconDataSize(2), NOTIFYICONDATAW_V3_SIZE);
    EXPECT_EQ(NotifyIconDataSize(1), NOTIFYICONDATAW_V2_SIZE);
    EXPECT_EQ(NotifyIconDataSize(0), NOTIFYICONDATAW_V1_SIZE);
    EXPECT_NE(NotifyIconDataSize(3), 956u);
}

TEST(MenuForeground, TheWindowInFrontBeforeTheMenuGetsItBack) {
    const HWND user = reinterpret_cast<HWND>(0x1010);
    const HWND owner = reinterpret_cast<HWND>(0x2020);
    const HWND other = reinterpret_cast<HWND>(0x3030);
    struct Case {
        const char* what;
        HWND before, now;
        bool beforeExists;
        HWND expected;
    } cases[] = {
        {"an item chosen", user, owner, true, user},
        {"a click into another window closed the menu", user, other, true, nullptr},
        {"the user's window went meanwhile", user, owner, false, nullptr},
        {"nothing was in front", nullptr, owner, false, nullptr},
        {"the owner was in front already", owner, owner, true, nullptr},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ForegroundAfterMenu(c.before, owner, c.now, c.beforeExists), c.expected) << c.what;
}

TEST(ConfigProgram, StartedFromTheInstallationFolderByItsFullPath) {
    struct Case {
        const wchar_t* installDir;
        const wchar_t* expected;
    } cases[] = {
        {L"C:\\Program Files\\Mobek\\", L"C:\\Program Files\\Mobek\\MobekTilvorConfig.exe"},
        {L"C:\\Program Files\\Mobek", L"C:\\Program Files\\Mobek\\MobekTilvorConfig.exe"},
        {L"\\", L""},
        {L"", L""},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(ConfigProgramPath(c.installDir), c.expected) << CString(c.installDir).ToUtf8();
}

TEST(OsdStrip, HeightFromResolutionAndPlaceFromTheMonitor) {
    EXPECT_EQ(OsdTextHeight(96), 26);
    EXPECT_EQ(OsdTextHeight(72), 20);
    EXPECT_EQ(OsdTextHeight(144), 40);
    RECT strip = OsdPlacement(RECT{0, 0, 1280, 1024}, 26);
    EXPECT_EQ(strip.left, 0);
    EXPECT_EQ(strip.right, 1270);
    EXPECT_EQ(strip.bottom, 974);
    EXPECT_EQ(strip.bottom - strip.top, 26);
    RECT moved = OsdPlacement(RECT{-1920, 0, 0, 1080}, 40);
    EXPECT_EQ(moved.left, -1920);
    EXPECT_EQ(moved.right - moved.left, 1910);
    EXPECT_EQ(moved.top, 1080 - 40 - 50);
}

TEST(CopyBounded, CutsToTheBufferAndTerminates) {
    wchar_t buffer[8];
    std::wmemset(buffer, L'x', 8);
    CopyBounded(buffer, 8, L"A long profile name");
    EXPECT_STREQ(buffer, L"A long ");
    CopyBounded(buffer, 8, L"Short");
    EXPECT_STREQ(buffer, L"Short");
    CopyBounded(buffer, 8, nullptr);
    EXPECT_STREQ(buffer, L"");
}

}  // namespace

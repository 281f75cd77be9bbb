// The profiles page as a user works it, with the real mouse and keyboard,
// judged by the emulated keyboard's dump: profiles made, renamed, copied,
// deleted and made active reach the keyboard on Apply (and only then), a
// linked program and its flags reach the profile's properties, profile
// files go out and come back in, and every refusal leaves the keyboard as
// it was.

#include "gui/widgets/CXHeaderCtrl.h"
#include "gui/widgets/CXListCtrl.h"
#include "platform/Guid.h"
#include "tests/e2e/CEndToEndTest.h"
#include "tests/e2e/CKeyboardDump.h"
#include "tests/support/KeyInput.h"
#include "tests/support/MessagePump.h"
#include "tests/support/Screenshot.h"
#include "tests/support/TestPaths.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const wchar_t kProfiles[] = L"ManageProfiles.xml";

const char kFirstGuid[] = "{0A0B0C01-1111-4222-8333-444455556601}";
const char kSecondGuid[] = "{0A0B0C01-1111-4222-8333-444455556602}";
const char kThirdGuid[] = "{0A0B0C01-1111-4222-8333-444455556603}";

// A GUID's bytes as a key record holds them (its memory form), in hex.
std::string GuidBytesHex(const char* text) {
    GUID guid;
    const std::string narrow = text;
    if (!GuidFromString(std::wstring(narrow.begin(), narrow.end()).c_str(), guid))
        return std::string();
    uint32_t words[4];
    GuidToWords(guid, words);
    std::string hex;
    char digits[3];
    for (uint32_t word : words)
        for (int byte = 0; byte < 4; ++byte) {
            std::snprintf(digits, sizeof digits, "%02X", static_cast<unsigned>(word >> (8 * byte) & 0xFF));
            hex += digits;
        }
    return hex;
}

// A key record of the dump that switches to a profile: sub-action 3, then
// the profile's GUID.
std::string SwitchKey(const char* id, const char* guid) {
    return std::string("    <key id=\"") + id + "\" header=\"1\" type=\"3\" data=\"03000000" + GuidBytesHex(guid) +
           "\"/>\n";
}

// Three profiles; the first one's Esc and F7 switch to the third, and the
// second one's F2 is disabled and its LED 4 blue, so that a copy shows
// whether it took them along.
std::string ThreeProfiles() {
    return std::string("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                       "<keyboard-state version=\"1\" present=\"1\" active-profile=\"") +
           kFirstGuid + "\">\n  <profile guid=\"" + kFirstGuid + "\" name=\"Desk\">\n" + SwitchKey("0x00001", kThirdGuid) +
           SwitchKey("0x00041", kThirdGuid) + "  </profile>\n  <profile guid=\"" + kSecondGuid +
           "\" name=\"Game\">\n    <key id=\"0x0003C\" header=\"1\" type=\"1\" data=\"" + std::string(40, '0') +
           "\"/>\n    <led id=\"4\" on=\"1\" color=\"0x0000FF\" brightness=\"60\" effect=\"1\"/>\n  </profile>\n"
           "  <profile guid=\"" + kThirdGuid + "\" name=\"Travel\"/>\n</keyboard-state>\n";
}

std::string TwentyProfiles() {
    std::string xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<keyboard-state version=\"1\" present=\"1\">\n";
    for (int i = 1; i <= 20; ++i)
        xml += "  <profile name=\"P" + std::to_string(i) + "\"/>\n";
    return xml + "</keyboard-state>\n";
}

// Typed into the window that has the focus in the program of 'window', once
// it shows what was typed.
bool TypeText(HWND window, const std::wstring& text) {
    SendText(text);
    return PumpUntil([&] { return TextOf(FocusInThreadOf(window)).find(text) != std::wstring::npos; }, 5000);
}

// Presses and releases sent together: two of them are a double click.
void MouseButton(DWORD down, DWORD up, int times = 1) {
    std::vector<INPUT> inputs;
    for (int i = 0; i < times; ++i)
        for (DWORD flags : {down, up}) {
            INPUT input = {};
            input.type = INPUT_MOUSE;
            input.mi.dwFlags = flags;
            inputs.push_back(input);
        }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    PumpUntilIdle(150, 2000);
}

// The row menu's entries, in the skin's order.
enum MenuEntry { kMenuNew, kMenuRename, kMenuCopy, kMenuDelete, kMenuSetActive, kMenuRestore, kMenuAssign, kMenuUnassign,
                 kMenuImport, kMenuExport };

class ProfilesPageTest : public CEndToEndTest {
protected:
    void Start(const std::string& fixture) {
        ASSERT_NO_FATAL_FAILURE(StartKeyboard(L"e2e-profiles", fixture.c_str()));
        ASSERT_TRUE(SetInstallDir(folder + L"\\"));
        main = StartProgram();
        ASSERT_NE(main, nullptr) << "the main page did not show";
        ASSERT_TRUE(program->Click(main, kMain, "BUTTON_MANAGEPROFILES"));
        ASSERT_TRUE(ReadListPlace());
        PumpUntilIdle(200, 2000);
    }

    // Where the list's rows and columns lie: its rectangle in the skin, the
    // header's and the rows' fixed heights, the columns' widths.
    bool ReadListPlace() {
        if (!CConfigProgram::ItemRect(kProfiles, "LIST_PROFILELIST", listRect))
            return false;
        pugi::xml_document document;
        if (!document.load_file(DistPath(std::wstring(L"xml\\") + kProfiles).c_str()))
            return false;
        pugi::xml_node list = document.find_node(
            [](const pugi::xml_node& node) { return std::string(node.attribute("name").value()) == "LIST_PROFILELIST"; });
        int left = listRect.left;
        for (pugi::xml_node column : list.children("LISTCOLUMN")) {
            const int width = column.attribute("width").as_int();
            columns.push_back({left, left + width});
            left += width;
        }
        return columns.size() == 5;
    }
    POINT Cell(int row, int column) const {
        const int top = listRect.top + CXHeaderCtrl::kHeight + row * CXListCtrl::kRowHeight;
        return {(columns[column].first + columns[column].second) / 2, top + CXListCtrl::kRowHeight / 2};
    }
    void MoveTo(POINT client) {
        ClientToScreen(main, &client);
        SetCursorPos(client.x - 2, client.y - 2);
        PumpUntilIdle(60, 500);
        SetCursorPos(client.x, client.y);
        PumpUntilIdle(60, 500);
    }
    // A name cell's in-place edit: the list's visible edit child.
    bool NameEditShown() {
        RECT place = listRect;
        POINT inside = {place.left + 4, place.top + 4};
        HWND frame = ChildWindowFromPointEx(main, inside, CWP_SKIPINVISIBLE);
        HWND list = frame ? FindWindowExW(frame, nullptr, L"SysListView32", nullptr) : nullptr;
        HWND edit = list ? FindWindowExW(list, nullptr, L"Edit", nullptr) : nullptr;
        return edit && IsWindowVisible(edit) && FocusInThreadOf(main) == edit;
    }
    // A second click on the selected row's name, once it cannot make a
    // double click of the first, edits the name.
    void EditNameInPlace(int row) {
        ClickCell(row, 2);
        const DWORD clicked = GetTickCount();
        PumpUntil([&] { return GetTickCount() - clicked > GetDoubleClickTime() + 50; }, 3000);
        ClickCell(row, 2);
        ASSERT_TRUE(PumpUntil([&] { return NameEditShown(); }, 3000)) << "the name is not edited";
    }
    void ClickCell(int row, int column, int times = 1) {
        MoveTo(Cell(row, column));
        MouseButton(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, times);
    }
    // A right click on a row and a click on an entry of the menu it opens.
    void Menu(int row, MenuEntry entry) {
        const std::vector<HWND> before = program->Popups();
        MoveTo(Cell(row, 2));
        MouseButton(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
        HWND menu = NewPopup(before);
        ASSERT_NE(menu, nullptr) << "the row's menu did not open";
        HWND rows = FindWindowExW(menu, nullptr, L"SysListView32", nullptr);
        RECT place;
        GetWindowRect(rows ? rows : menu, &place);
        ClickAt({place.left + 30, place.top + entry * 18 + 9});
        EXPECT_TRUE(WaitUntilClosed(menu, 3000)) << "the menu stayed open";
    }
    HWND NewPopup(const std::vector<HWND>& before, DWORD timeoutMs = 8000) {
        for (const DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs; Pause(50))
            for (HWND popup : program->Popups())
                if (std::find(before.begin(), before.end(), popup) == before.end())
                    return WaitUntilAnswering(popup) ? popup : nullptr;
        return nullptr;
    }
    // Types a name into the name popup that opens, and takes OK.
    void EnterName(const std::wstring& name, const wchar_t* skinFile = L"ProfileNamePopup.xml") {
        HWND popup = program->WaitForPopup();
        ASSERT_NE(popup, nullptr) << "no name popup";
        ASSERT_TRUE(WaitForFocusIn(popup));
        ASSERT_TRUE(TypeText(popup, name));
        ASSERT_TRUE(program->Click(popup, skinFile, "BUTTON_POPUP_OK"));
        ASSERT_TRUE(WaitUntilClosed(popup, 3000));
    }
    // The popup that opens shows the skin file's picture; OK closes it.
    void ExpectWarning(const wchar_t* skinFile, const char* why) {
        HWND popup = program->WaitForPopup(5000);
        ASSERT_NE(popup, nullptr) << why << ": no warning";
        EXPECT_TRUE(program->Click(popup, skinFile, "BUTTON_POPUP_OK")) << why;
        EXPECT_TRUE(WaitUntilClosed(popup, 3000)) << why;
    }
    HWND WaitForFileDialog() {
        for (const DWORD start = GetTickCount(); GetTickCount() - start < 10000; Pause(100))
            for (HWND popup : program->Popups())
                if (GetDlgItem(popup, 0x47C) || GetDlgItem(popup, 0x480))
                    return popup;
        return nullptr;
    }
    void ChooseInFileDialog(const std::wstring& path) {
        HWND dialog = WaitForFileDialog();
        ASSERT_NE(dialog, nullptr) << "no file dialog";
        ASSERT_TRUE(ChooseFile(dialog, path));
        ASSERT_TRUE(WaitUntilClosed(dialog, 5000));
    }
    void Apply() {
        ASSERT_TRUE(PumpUntil([&] { return IsApplyEnabled(main); }, 5000)) << "nothing to apply";
        ASSERT_TRUE(program->Click(main, kMain, "BUTTON_APPLY"));
        ASSERT_TRUE(PumpUntil([&] { return !IsApplyEnabled(main); }, 15000)) << "Apply stayed enabled";
        ASSERT_TRUE(WaitForQuietKeyboard(800));
    }
    std::vector<std::string> Names() { return CKeyboardDump(Dump()).ProfileNames(); }
    CKeyboardDump::ProfileEntry ProfileNamed(const std::string& name) {
        for (const auto& profile : CKeyboardDump(Dump()).Profiles())
            if (profile.name == name)
                return profile;
        return {};
    }

    HWND main = nullptr;
    RECT listRect = {};
    std::vector<std::pair<int, int>> columns;
};

using NameList = std::vector<std::string>;

TEST_F(ProfilesPageTest, NewAndRenamedProfilesReachTheKeyboardOnApplyKeepingTheirGuids) {
    ASSERT_NO_FATAL_FAILURE(Start(ThreeProfiles()));
    EXPECT_TRUE(SaveWindowScreenshot(main, ArtifactPath(L"profiles-page.png")));

    ASSERT_TRUE(program->Click(main, kProfiles, "BUTTON_NEWPROFILE"));
    ASSERT_NO_FATAL_FAILURE(EnterName(L"Work"));
    // A name that is there already, and a language key, are refused.
    ASSERT_TRUE(program->Click(main, kProfiles, "BUTTON_NEWPROFILE"));
    ASSERT_NO_FATAL_FAILURE(EnterName(L"Work"));
    ASSERT_NO_FATAL_FAILURE(ExpectWarning(L"DuplicateProfileWarningPopup.xml", "a duplicate name"));
    ASSERT_TRUE(program->Click(main, kProfiles, "BUTTON_NEWPROFILE"));
    ASSERT_NO_FATAL_FAILURE(EnterName(L"$New"));
    ASSERT_NO_FATAL_FAILURE(ExpectWarning(L"ProfileNameRefusedPopup.xml", "a language key"));
    EXPECT_EQ(Names(), (NameList{"Desk", "Game", "Travel"})) << "before Apply the keyboard has no new profile";
    ASSERT_NO_FATAL_FAILURE(Apply());
    EXPECT_EQ(Names(), (NameList{"Desk", "Game", "Travel", "Work"}));
    EXPECT_EQ(CKeyboardDump(Dump()).ActiveProfileName(), "Work") << "a new profile is the active one";
    const std::string workGuid = ProfileNamed("Work").guid;

    // By the menu's popup, in place (a second click on the selected name),
    // and a rename in letter case only (F2).
    ASSERT_NO_FATAL_FAILURE(Menu(1, kMenuRename));
    ASSERT_NO_FATAL_FAILURE(EnterName(L"Arena", L"ProfileRenamePopup.xml"));
    ASSERT_NO_FATAL_FAILURE(EditNameInPlace(3));
    ASSERT_TRUE(TypeText(main, L"Office"));
    TypeVirtualKey(VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return !NameEditShown(); }, 3000));
    EXPECT_TRUE(program->Popups().empty()) << "Enter in the name reached the dialog: " << program->DescribePopups();
    ClickCell(2, 1);
    TypeVirtualKey(VK_F2);
    ASSERT_TRUE(PumpUntil([&] { return NameEditShown(); }, 3000)) << "F2 did not edit the name";
    ASSERT_TRUE(TypeText(main, L"TRAVEL"));
    TypeVirtualKey(VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return !NameEditShown(); }, 3000));
    ASSERT_NO_FATAL_FAILURE(Apply());
    EXPECT_EQ(Names(), (NameList{"Desk", "Arena", "TRAVEL", "Office"}));
    EXPECT_EQ(ProfileNamed("Arena").guid, kSecondGuid);
    EXPECT_EQ(ProfileNamed("TRAVEL").guid, kThirdGuid);
    EXPECT_EQ(ProfileNamed("Office").guid, workGuid);
}

TEST_F(ProfilesPageTest, CopiesTakeTheNextNumberWithNewGuidsAndTheSourcesKeysAndLighting) {
    ASSERT_NO_FATAL_FAILURE(Start(ThreeProfiles()));
    ASSERT_NO_FATAL_FAILURE(Menu(1, kMenuCopy));
    ASSERT_NO_FATAL_FAILURE(Menu(1, kMenuCopy));
    ASSERT_NO_FATAL_FAILURE(Apply());
    const std::vector<CKeyboardDump::ProfileEntry> profiles = CKeyboardDump(Dump()).Profiles();
    ASSERT_EQ(profiles.size(), 5u);
    EXPECT_EQ(profiles[3].name, "Game(2)");
    EXPECT_EQ(profiles[4].name, "Game(3)");
    for (size_t i : {3u, 4u}) {
        EXPECT_NE(profiles[i].guid, kSecondGuid) << profiles[i].name;
        EXPECT_EQ(profiles[i].content, profiles[1].content) << profiles[i].name << " has other keys or lighting";
    }
    EXPECT_NE(profiles[3].guid, profiles[4].guid);
    EXPECT_EQ(CKeyboardDump(Dump()).ActiveProfileName(), "Game(3)");

    // The source, not active, back on its defaults; its copies keep theirs.
    ASSERT_NO_FATAL_FAILURE(Menu(1, kMenuRestore));
    ASSERT_NO_FATAL_FAILURE(ExpectWarning(L"RestorePopup.xml", "the question"));
    ASSERT_NO_FATAL_FAILURE(Apply());
    CKeyboardDump dump(Dump());
    EXPECT_EQ(dump.KeyType("Game", "F2"), KeyAction::Key) << "F2 is still disabled";
    EXPECT_TRUE(dump.KeyRecord("Game(2)", "F2").IsDisabled());
}

TEST_F(ProfilesPageTest, DeletingClearsTheKeysThatSwitchedToTheProfileAndTheFirstProfileStays) {
    ASSERT_NO_FATAL_FAILURE(Start(ThreeProfiles()));
    ClickCell(0, 2);
    ASSERT_TRUE(program->Click(main, kProfiles, "BUTTON_DELETEPROFILE"));
    ASSERT_NO_FATAL_FAILURE(ExpectWarning(L"DisallowDeletePopup.xml", "the first profile"));
    EXPECT_FALSE(IsApplyEnabled(main)) << "a refused delete changed something";

    // Cancel in the question deletes nothing.
    ClickCell(2, 2);
    ASSERT_TRUE(program->Click(main, kProfiles, "BUTTON_DELETEPROFILE"));
    HWND question = program->WaitForPopup();
    ASSERT_NE(question, nullptr);
    ASSERT_TRUE(program->Click(question, L"ConfirmDeletePopup.xml", "BUTTON_POPUP_CANCEL"));
    ASSERT_TRUE(WaitUntilClosed(question, 3000));
    EXPECT_FALSE(IsApplyEnabled(main));

    ASSERT_NO_FATAL_FAILURE(Menu(2, kMenuDelete));
    ASSERT_NO_FATAL_FAILURE(ExpectWarning(L"ConfirmDeletePopup.xml", "the question"));
    ASSERT_NO_FATAL_FAILURE(Apply());
    EXPECT_EQ(Names(), (NameList{"Desk", "Game"}));
    CKeyboardDump dump(Dump());
    EXPECT_EQ(dump.KeyType("Desk", "F7"), KeyAction::Key) << "F7 still switches to the deleted profile";
    EXPECT_EQ(dump.KeyType("Desk", "Esc"), KeyAction::Key) << "Esc still switches to the deleted profile";
}

TEST_F(ProfilesPageTest, AProfileIsMadeActiveByDoubleClickByItsMarkerAndByTheKeysPagesDropDown) {
    ASSERT_NO_FATAL_FAILURE(Start(ThreeProfiles()));
    ClickCell(1, 2, 2);
    ASSERT_NO_FATAL_FAILURE(Apply());
    EXPECT_EQ(CKeyboardDump(Dump()).ActiveProfileName(), "Game") << "the double click";

    ClickCell(2, 0);
    ASSERT_NO_FATAL_FAILURE(Apply());
    EXPECT_EQ(CKeyboardDump(Dump()).ActiveProfileName(), "Travel") << "the marker";

    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_ASSIGNKEYS"));
    const std::vector<HWND> before = program->Popups();
    ASSERT_TRUE(program->Click(main, kAssign, "LIST_GLOBALPROFILELIST"));
    HWND list = NewPopup(before);
    ASSERT_NE(list, nullptr) << "the drop-down did not open";
    TypeVirtualKey(VK_UP);
    TypeVirtualKey(VK_UP);
    TypeVirtualKey(VK_RETURN);
    ASSERT_TRUE(WaitUntilClosed(list, 3000));
    ASSERT_NO_FATAL_FAILURE(Apply());
    EXPECT_EQ(CKeyboardDump(Dump()).ActiveProfileName(), "Desk") << "the drop-down";
}

TEST_F(ProfilesPageTest, ALinkedProgramAndItsFlagsReachTheProfilesProperties) {
    ASSERT_NO_FATAL_FAILURE(Start(ThreeProfiles()));
    // Automatic switching without a program is refused with a warning.
    ClickCell(1, 4);
    ASSERT_NO_FATAL_FAILURE(ExpectWarning(L"SelectApplicationWarningPopup.xml", "switching without a program"));

    ASSERT_NO_FATAL_FAILURE(Menu(1, kMenuAssign));
    ASSERT_NO_FATAL_FAILURE(ChooseInFileDialog(DistPath(L"MobekTilvorConfig.exe")));
    ClickCell(1, 4);
    ASSERT_TRUE(program->Click(main, kProfiles, "BUTTON_ENABLE_PROFILE_OSD"));
    ASSERT_NO_FATAL_FAILURE(Apply());
    ASSERT_TRUE(WaitUntilDrawn(main));
    EXPECT_TRUE(SaveWindowScreenshot(main, ArtifactPath(L"profiles-page-linked.png")));
    CKeyboardDump::ProfileEntry game = ProfileNamed("Game");
    EXPECT_EQ(game.linkedProgram, "MobekTilvorConfig.exe");
    EXPECT_EQ(game.options & 1u, 1u) << "automatic switching";
    for (const auto& profile : CKeyboardDump(Dump()).Profiles())
        EXPECT_EQ(profile.options & 4u, 4u) << profile.name << ": the on-screen display is for every profile";
    EXPECT_EQ(ProfileNamed("Desk").options & 1u, 0u);

    ASSERT_NO_FATAL_FAILURE(Menu(1, kMenuUnassign));
    ASSERT_NO_FATAL_FAILURE(Apply());
    game = ProfileNamed("Game");
    EXPECT_EQ(game.linkedProgram, "");
    EXPECT_EQ(game.options & 1u, 0u) << "automatic switching stayed on without its program";
}

TEST_F(ProfilesPageTest, AnExportedProfileComesBackInAndBadFilesAndUnappliedChangesAreRefused) {
    ASSERT_NO_FATAL_FAILURE(Start(ThreeProfiles()));
    const std::wstring file = folder + L"\\game.vqp";
    ASSERT_NO_FATAL_FAILURE(Menu(1, kMenuExport));
    ASSERT_NO_FATAL_FAILURE(ChooseInFileDialog(file));
    ASSERT_TRUE(PumpUntil([&] { return GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES; }, 5000))
        << "no file was written";

    ASSERT_TRUE(program->Click(main, kProfiles, "BUTTON_IMPORTPROFILE"));
    ASSERT_NO_FATAL_FAILURE(ChooseInFileDialog(file));
    ASSERT_TRUE(WaitForDump([](const std::string& dump) { return CKeyboardDump(dump).Profiles().size() == 4; }))
        << "the keyboard did not take the file";
    std::vector<CKeyboardDump::ProfileEntry> profiles = CKeyboardDump(Dump()).Profiles();
    EXPECT_EQ(profiles[3].name, "Game");
    EXPECT_NE(profiles[3].guid, kSecondGuid);
    EXPECT_EQ(profiles[3].content, profiles[1].content);

    // The import itself is a change; with a change not applied, neither goes.
    ASSERT_TRUE(PumpUntil([&] { return IsApplyEnabled(main); }, 5000));
    ASSERT_TRUE(program->Click(main, kProfiles, "BUTTON_IMPORTPROFILE"));
    ASSERT_NO_FATAL_FAILURE(ExpectWarning(L"ImporttProfileWarningPopup.xml", "an import with changes"));
    ASSERT_NO_FATAL_FAILURE(Menu(0, kMenuExport));
    ASSERT_NO_FATAL_FAILURE(ExpectWarning(L"ExportProfileWarningPopup.xml", "an export with changes"));
    ASSERT_NO_FATAL_FAILURE(Apply());

    // A file that is no profile changes nothing; a keyboard that fails the
    // export is told.
    const std::wstring corrupt = folder + L"\\corrupt.vqp";
    WriteBytes(corrupt, "<profile-file version=\"1\"><profile name=");
    ASSERT_TRUE(program->Click(main, kProfiles, "BUTTON_IMPORTPROFILE"));
    ASSERT_NO_FATAL_FAILURE(ChooseInFileDialog(corrupt));
    ASSERT_NO_FATAL_FAILURE(ExpectWarning(L"FileErrorPopUp.xml", "a corrupt file"));
    EXPECT_EQ(CKeyboardDump(Dump()).Profiles().size(), 4u);
    EXPECT_FALSE(IsApplyEnabled(main)) << "a refused file changed the dialog";

    ASSERT_TRUE(RunControl(L"fail IDeviceProfile.Export 0x80004005"));
    ASSERT_NO_FATAL_FAILURE(Menu(1, kMenuExport));
    ASSERT_NO_FATAL_FAILURE(ChooseInFileDialog(folder + L"\\failed.vqp"));
    ASSERT_NO_FATAL_FAILURE(ExpectWarning(L"FileErrorPopUp.xml", "a failed export"));
}

TEST_F(ProfilesPageTest, TwentyProfilesAreTheMostForNewCopyAndImport) {
    ASSERT_NO_FATAL_FAILURE(Start(TwentyProfiles()));
    ASSERT_TRUE(program->Click(main, kProfiles, "BUTTON_NEWPROFILE"));
    ASSERT_NO_FATAL_FAILURE(ExpectWarning(L"ProfileLimitReachedPopup.xml", "new"));
    ASSERT_NO_FATAL_FAILURE(Menu(19, kMenuCopy));
    ASSERT_NO_FATAL_FAILURE(ExpectWarning(L"ProfileLimitReachedPopup.xml", "copy"));
    ASSERT_NO_FATAL_FAILURE(Menu(0, kMenuImport));
    ASSERT_NO_FATAL_FAILURE(ExpectWarning(L"ProfileLimitReachedPopup.xml", "import"));
    EXPECT_FALSE(IsApplyEnabled(main));
    EXPECT_EQ(Names().size(), 20u);
}

TEST_F(ProfilesPageTest, AFailedCreateKeepsApplyAndTheNextApplyMakesOneProfile) {
    ASSERT_NO_FATAL_FAILURE(Start(ThreeProfiles()));
    ASSERT_TRUE(program->Click(main, kProfiles, "BUTTON_NEWPROFILE"));
    ASSERT_NO_FATAL_FAILURE(EnterName(L"Extra"));
    ASSERT_TRUE(RunControl(L"fail IProfileManager.CreateProfile 0x80004005"));
    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_APPLY"));
    ASSERT_NO_FATAL_FAILURE(ExpectWarning(L"WriteFailedPopup.xml", "the failed write"));
    EXPECT_TRUE(IsApplyEnabled(main)) << "the failed write was taken as done";
    ASSERT_NO_FATAL_FAILURE(Apply());
    EXPECT_EQ(Names(), (NameList{"Desk", "Game", "Travel", "Extra"}));
}

TEST_F(ProfilesPageTest, OkWritesTheProfilesAndCancelLeavesTheKeyboardAsItWas) {
    ASSERT_NO_FATAL_FAILURE(Start(ThreeProfiles()));
    const std::string before = Dump();
    ASSERT_TRUE(program->Click(main, kProfiles, "BUTTON_NEWPROFILE"));
    ASSERT_NO_FATAL_FAILURE(EnterName(L"Dropped"));
    ASSERT_NO_FATAL_FAILURE(Menu(1, kMenuRename));
    ASSERT_NO_FATAL_FAILURE(EnterName(L"Renamed", L"ProfileRenamePopup.xml"));
    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_CANCEL"));
    ASSERT_TRUE(program->WaitForExit(20000));
    ASSERT_TRUE(WaitForQuietKeyboard(800));
    EXPECT_EQ(CKeyboardDump(Dump()).ProfileNames(), CKeyboardDump(before).ProfileNames());
    EXPECT_EQ(CKeyboardDump(Dump()).ActiveProfileName(), "Desk");

    main = StartProgram();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_MANAGEPROFILES"));
    PumpUntilIdle(200, 2000);
    ASSERT_TRUE(program->Click(main, kProfiles, "BUTTON_NEWPROFILE"));
    ASSERT_NO_FATAL_FAILURE(EnterName(L"Kept"));
    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_OK"));
    ASSERT_TRUE(program->WaitForExit(30000));
    EXPECT_EQ(Names(), (NameList{"Desk", "Game", "Travel", "Kept"}));
}

}  // namespace

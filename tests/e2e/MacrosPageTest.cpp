// The macros page as a user works it, with the real keyboard and mouse:
// macros made, recorded, edited, renamed, deleted, exported and imported,
// each judged by what the emulated keyboard holds once Apply (or Cancel)
// has done its work.

#include "tests/e2e/CEndToEndTest.h"
#include "tests/e2e/CKeyboardDump.h"
#include "tests/support/KeyInput.h"
#include "tests/support/MessagePump.h"
#include "tests/support/Screenshot.h"
#include "tests/support/TestPaths.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

namespace {

const wchar_t kMacros[] = L"ManageMacros.xml";

// The keyboard's macro steps (MacroStepsBlock kinds and values).
constexpr unsigned kMouseStep = 1, kKeyStep = 2, kDelayStep = 3;
constexpr unsigned kRelease = 0x10000;
constexpr unsigned kExtended = 0x20000;
constexpr unsigned kLeftDown = 1, kLeftUp = 2;

// A keyboard that holds one macro, "Combo": A pressed, 50 ms, A released,
// played by F1 and by Esc.
const char kKeyboardWithCombo[] =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    "<keyboard-state version=\"1\" present=\"1\">\n"
    "  <profile name=\"Profile 1\">\n"
    "    <key id=\"0x0003B\" name=\"F1\" type=\"8\" data=\"443C1D5A7E0B594C9E7A0E6C1D2B3A4101000000\"/>\n"
    "    <key id=\"0x00001\" name=\"Esc\" type=\"8\" data=\"443C1D5A7E0B594C9E7A0E6C1D2B3A4101000000\"/>\n"
    "  </profile>\n"
    "  <profile name=\"Profile 2\"/>\n"
    "  <macro guid=\"{5A1D3C44-0B7E-4C59-9E7A-0E6C1D2B3A41}\" name=\"Combo\">\n"
    "    <step kind=\"2\" value=\"0x0000001E\"/>\n"
    "    <step kind=\"3\" value=\"0x00000032\"/>\n"
    "    <step kind=\"2\" value=\"0x0001001E\"/>\n"
    "  </macro>\n"
    "</keyboard-state>\n";

struct Step {
    unsigned kind;
    unsigned value;
    bool operator==(const Step& other) const { return kind == other.kind && value == other.value; }
};

std::ostream& operator<<(std::ostream& out, const Step& step) {
    return out << "{" << step.kind << ", 0x" << std::hex << step.value << std::dec << "}";
}

Step KeyDown(unsigned scan) { return {kKeyStep, scan}; }
Step KeyUp(unsigned scan) { return {kKeyStep, scan | kRelease}; }
Step Delay(unsigned ms) { return {kDelayStep, ms}; }

// The steps of the keyboard's macro of that name; false when it has none.
bool MacroSteps(const std::string& dump, const std::string& name, std::vector<Step>& steps) {
    pugi::xml_document document;
    if (!document.load_string(dump.c_str()))
        return false;
    for (pugi::xml_node macro : document.first_child().children("macro"))
        if (name == macro.attribute("name").value()) {
            steps.clear();
            for (pugi::xml_node step : macro.children("step"))
                steps.push_back({step.attribute("kind").as_uint(),
                                 static_cast<unsigned>(std::stoul(step.attribute("value").value(), nullptr, 16))});
            return true;
        }
    return false;
}

// The steps without their delays, and the delays alone.
std::vector<Step> WithoutDelays(const std::vector<Step>& steps) {
    std::vector<Step> out;
    std::copy_if(steps.begin(), steps.end(), std::back_inserter(out), [](const Step& s) { return s.kind != kDelayStep; });
    return out;
}

// Characters typed as a hand types them: each key pressed and released
// (with Shift for a capital), one after the other.  The pauses here and
// in the recordings below are the user's pace, which a recording measures.
void Type(const std::wstring& text) {
    for (wchar_t ch : text) {
        const SHORT scan = VkKeyScanW(ch);
        const WORD vk = LOBYTE(scan);
        const bool shift = (HIBYTE(scan) & 1) != 0;
        if (shift)
            SendKeys({{VK_LSHIFT, true}});
        SendKeys({{vk, true}});
        Pause(60);
        SendKeys({{vk, false}});
        if (shift)
            SendKeys({{VK_LSHIFT, false}});
        Pause(60);
    }
}

void Press(WORD vk) { SendKeys({{vk, true}, {vk, false}}); }

class MacrosPageTest : public CEndToEndTest {
protected:
    void Open(const char* fixture = nullptr) {
        ASSERT_NO_FATAL_FAILURE(StartKeyboard(L"e2e-macros", fixture));
        ASSERT_TRUE(SetInstallDir(folder + L"\\"));
        main = StartProgram();
        ASSERT_NE(main, nullptr) << "the main page did not show";
        ASSERT_TRUE(program->Click(main, kMain, "BUTTON_MANAGEMACROS"));
    }
    bool Click(const char* item) { return program->Click(main, kMacros, item); }

    // The popup that opens now, once the keyboard's focus is on a control
    // of it (a popup takes the focus itself first, then gives it on).
    HWND FocusedPopup() {
        HWND popup = program->WaitForPopup();
        if (!popup || !PumpUntil([&] {
                HWND focus = FocusInThreadOf(popup);
                return focus && IsChild(popup, focus);
            }))
            return nullptr;
        return popup;
    }
    // Answers the name popup with a name and Enter.
    bool Name(const std::wstring& name) {
        HWND popup = FocusedPopup();
        if (!popup)
            return false;
        Type(name);
        Press(VK_RETURN);
        return WaitUntilClosed(popup);
    }
    // Opens a drop-down of the page and takes the entry at index, worked
    // from the keyboard: Down marks a row when none is, Up goes to the top.
    bool Choose(const char* dropdown, int index) {
        if (!Click(dropdown))
            return false;
        if (!FocusedPopup())
            return false;
        MarkEntry(index);
        return program->WaitForNoPopups() && WaitUntilAnswering(main);
    }
    // A recording runs once Stop answers, and has ended once it does not:
    // keys typed before that are no part of it.
    bool Record() {
        return Click("BUTTON_MACRO_RECORD_START") && WaitForItemEnabled(main, kMacros, "BUTTON_MACRO_RECORD_STOP");
    }
    bool Stop() {
        return Click("BUTTON_MACRO_RECORD_STOP") &&
               PumpUntil([&] { return !IsItemEnabled(main, kMacros, "BUTTON_MACRO_RECORD_STOP"); }, 10000);
    }
    // The editor shows that many rows.
    bool WaitForRows(int rows) { return PumpUntil([&] { return EditorRows() == rows; }); }
    // A macro is chosen: the buttons that act on one answer.
    bool WaitForChosenMacro() {
        return PumpUntil([&] { return IsItemEnabled(main, kMacros, "BUTTON_MACRO_RENAME"); });
    }

    // The editor's rows on the screen: the first row's top and a row's
    // height, found by the chosen row's colour after the first step is
    // chosen.
    bool FindRows() {
        if (!Click("BUTTON_MACRO_RECORD_BACKWARD") || !WaitUntilDrawn(main))
            return false;
        RECT editor;
        CConfigProgram::ItemRect(kMacros, "MACRO_DISPLAY", editor);
        POINT probe = {editor.left + 200, editor.top};
        ClientToScreen(main, &probe);
        const COLORREF chosen = RGB(0x0A, 0x51, 0x5E);  // TEAL_PANEL_HIGHLIGHT
        int top = -1, bottom = -1;
        for (int y = 0; y < 80; ++y)
            if (ScreenPixel(probe.x, probe.y + y) == chosen) {
                if (top < 0)
                    top = probe.y + y;
                bottom = probe.y + y;
            }
        if (top < 0)
            return false;
        m_rowTop = top;
        m_rowHeight = bottom - top + 1;
        m_rowX = probe.x;
        return m_rowHeight > 8;
    }
    POINT RowPoint(int row) const { return {m_rowX, m_rowTop + m_rowHeight * row + m_rowHeight / 2}; }
    // Right-clicks a row of the editor and takes the entry at index of its menu.
    bool RowMenu(int row, int index) {
        // The pointer comes onto the row from beside it, and presses once
        // the editor is what lies under it (no tooltip over it).
        const POINT at = RowPoint(row);
        SetCursorPos(at.x - 2, at.y - 2);
        Pause(60);
        SetCursorPos(at.x, at.y);
        HWND list = EditorList();
        if (!list || !PumpUntil([&] { return WindowFromPoint(at) == list; }))
            return false;
        SendMouseButtons({MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP});
        HWND menu = FocusedPopup();
        if (!menu)
            return false;
        MarkEntry(index);
        return WaitUntilClosed(menu);
    }
    // In the popup list that has the focus: the entry at index marked from
    // the keyboard (Down marks a row when none is, Up goes to the top,
    // whatever row the pointer marked), and taken with Enter.
    static void MarkEntry(int index) {
        Press(VK_DOWN);
        for (int i = 0; i < 12; ++i)
            Press(VK_UP);
        for (int i = 0; i < index; ++i)
            Press(VK_DOWN);
        Press(VK_RETURN);
    }
    // Puts a number into one of the page's delay edits as typed: the
    // caret to the end, all of it chosen with Shift, then the digits.
    bool TypeIntoEdit(const char* item, const std::wstring& digits) {
        RECT rect;
        if (!CConfigProgram::ItemRect(kMacros, item, rect) || !Click(item))
            return false;
        // The edit lies in its frame, the frame on the page.
        HWND frame = ChildWindowFromPointEx(main, {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2},
                                            CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
        if (!frame || frame == main || !WaitForFocusWithin(frame))
            return false;
        for (int i = 0; i < 8; ++i)
            Press(VK_RIGHT);
        SendKeys({{VK_LSHIFT, true}});
        for (int i = 0; i < 8; ++i)
            Press(VK_LEFT);
        SendKeys({{VK_LSHIFT, false}});
        Type(digits);
        return true;
    }
    // The macro of that name once the keyboard holds it with steps that satisfy pred.
    template <typename Pred>
    bool WaitForMacro(const std::string& name, std::vector<Step>& steps, Pred pred) {
        return WaitForDump([&](const std::string& dump) { return MacroSteps(dump, name, steps) && pred(steps); });
    }
    // The window inside an item's frame (an edit, a list); null when none shows.
    HWND FramedWindow(const char* item) {
        RECT rect;
        if (!CConfigProgram::ItemRect(kMacros, item, rect))
            return nullptr;
        HWND frame = ChildWindowFromPointEx(main, {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2},
                                            CWP_SKIPINVISIBLE);
        return frame && frame != main ? GetWindow(frame, GW_CHILD) : nullptr;
    }
    bool FramedItemEnabled(const char* item) {
        HWND inner = FramedWindow(item);
        return inner && IsWindowEnabled(inner);
    }
    // The editor's list window.
    HWND EditorList() {
        RECT rect;
        if (!CConfigProgram::ItemRect(kMacros, "MACRO_DISPLAY", rect))
            return nullptr;
        HWND frame = ChildWindowFromPointEx(main, {rect.left + 100, rect.top + 100}, CWP_SKIPINVISIBLE);
        return frame ? FindWindowExW(frame, nullptr, WC_LISTVIEWW, nullptr) : nullptr;
    }
    // The edit over a delay being edited in place; null when none shows.
    HWND EditorLabelEdit() {
        HWND list = EditorList();
        HWND edit = list ? FindWindowExW(list, nullptr, L"Edit", nullptr) : nullptr;
        return edit && IsWindowVisible(edit) ? edit : nullptr;
    }
    // The rows the editor shows.
    int EditorRows() {
        HWND list = EditorList();
        return list ? static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)) : -1;
    }
    // Chooses a file in the file dialog the last click opened, and waits
    // for the dialog to go.
    bool ChooseInDialog(const std::wstring& path) {
        HWND dialog = program->WaitForPopup();
        return dialog && ChooseFile(dialog, path) && WaitUntilClosed(dialog);
    }
    // Apply: the write has started once Apply is off, and ended once the
    // keyboard is quiet.
    bool Apply() {
        return program->Click(main, kMain, "BUTTON_APPLY") && PumpUntil([&] { return !IsApplyEnabled(main); }) &&
               WaitForQuietKeyboard();
    }

    HWND main = nullptr;
    int m_rowTop = 0;
    int m_rowHeight = 0;
    int m_rowX = 0;
};

TEST_F(MacrosPageTest, KeysAndAClickRecordedOntoANewMacroReachTheKeyboardWithTheirDelays) {
    ASSERT_NO_FATAL_FAILURE(Open());
    // A key chosen on the key page has no macro to play yet.
    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_ASSIGNKEYS"));
    ASSERT_TRUE(program->Click(main, kKeys, "BUTTON_KB_F5"));
    EXPECT_FALSE(IsItemEnabled(main, kAssign, "BUTTON_ASSIGNSELECT_MACRO"));
    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_MANAGEMACROS"));
    // Recording without a macro asks for one first.
    ASSERT_TRUE(Click("BUTTON_MACRO_RECORD_START"));
    ASSERT_TRUE(Name(L"mine")) << program->DescribePopups();
    ASSERT_TRUE(WaitForChosenMacro());
    ASSERT_TRUE(Record());
    EXPECT_TRUE(WaitForDump([](const std::string& dump) { return CKeyboardDump(dump).DeviceMode() == 2; }))
        << "the keyboard sends its keys on while a macro is recorded";
    // Nothing but Stop and the editor answers while it records.
    EXPECT_FALSE(IsItemEnabled(main, kMain, "BUTTON_OK"));
    EXPECT_FALSE(IsItemEnabled(main, kMain, "BUTTON_MANAGEPROFILES"));
    EXPECT_FALSE(IsItemEnabled(main, kMacros, "BUTTON_MACRO_DELETE"));
    EXPECT_FALSE(FramedItemEnabled("EDITCTRL_DELAY"));
    EXPECT_TRUE(IsItemEnabled(main, kMacros, "BUTTON_MACRO_RECORD_STOP"));
    // A held key repeats: one press and one release.
    SendKeys({{'A', true}});
    Pause(150);
    SendKeys({{'A', true}, {'A', true}});
    Pause(150);
    SendKeys({{'A', false}});
    Pause(200);
    Type(L"b");
    Pause(200);
    RECT editor;
    ASSERT_TRUE(CConfigProgram::ItemRect(kMacros, "MACRO_DISPLAY", editor));
    POINT inEditor = {editor.left + 300, editor.bottom - 30};
    ClientToScreen(main, &inEditor);
    ClickAt(inEditor);
    ASSERT_TRUE(WaitForRows(11));
    ASSERT_TRUE(WaitUntilDrawn(main));
    EXPECT_TRUE(SaveWindowScreenshot(main, ArtifactPath(L"MacrosPageRecording.png")));
    ASSERT_TRUE(Stop());
    EXPECT_TRUE(WaitForDump([](const std::string& dump) { return CKeyboardDump(dump).DeviceMode() == 1; }));
    EXPECT_TRUE(WaitForApplyEnabled(main));
    ASSERT_TRUE(WaitUntilDrawn(main));
    EXPECT_TRUE(SaveWindowScreenshot(main, ArtifactPath(L"MacrosPage.png")));
    ASSERT_TRUE(Apply());
    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_ASSIGNKEYS"));
    EXPECT_TRUE(IsItemEnabled(main, kAssign, "BUTTON_ASSIGNSELECT_MACRO")) << "the new macro cannot be played";

    std::vector<Step> steps;
    ASSERT_TRUE(WaitForMacro("mine", steps, [](const std::vector<Step>& s) { return s.size() >= 11; }))
        << Dump();
    // No delay before the first step, one between every two; the click on
    // Stop is none of it.
    EXPECT_EQ(WithoutDelays(steps), (std::vector<Step>{KeyDown(0x1E), KeyUp(0x1E), KeyDown(0x30), KeyUp(0x30),
                                                       {kMouseStep, kLeftDown}, {kMouseStep, kLeftUp}}));
    ASSERT_EQ(steps.size(), 11u);
    for (size_t i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(steps[i].kind == kDelayStep, i % 2 == 1) << "step " << i << " " << steps[i];
        if (steps[i].kind == kDelayStep) {
            EXPECT_GE(steps[i].value, 20u) << "step " << i;
            EXPECT_LT(steps[i].value, 5000u) << "step " << i;
        }
    }
    EXPECT_GE(steps[1].value, 250u) << "the key was held that long";
}

TEST_F(MacrosPageTest, IgnoredAndFixedDelaysAndARecordingAppendedWithoutADelayAtTheJoin) {
    ASSERT_NO_FATAL_FAILURE(Open(kKeyboardWithCombo));
    ASSERT_TRUE(Choose("LIST_GLOBALMACROLIST", 0));
    ASSERT_TRUE(WaitForChosenMacro());
    ASSERT_TRUE(Click("BUTTON_IGNORE_DELAY"));
    ASSERT_TRUE(Record());
    Type(L"c");
    Pause(150);
    ASSERT_TRUE(Stop());
    ASSERT_TRUE(WaitForRows(5));
    // Every recorded delay becomes the default delay typed in.
    ASSERT_TRUE(Click("BUTTON_INSERTDEFAULT_DELAY"));
    // Emptied, the edit is told of once (its focus leaving for the warning
    // adds none) and holds 50 again.
    ASSERT_TRUE(TypeIntoEdit("EDITCTRL_DEFAULT_DELAY", L""));
    Press(VK_BACK);
    ASSERT_TRUE(ConfirmPopup(L"DefaultDelayWarningPopup.xml")) << program->DescribePopups();
    EXPECT_EQ(TextOf(FramedWindow("EDITCTRL_DEFAULT_DELAY")), L"50");
    ASSERT_TRUE(TypeIntoEdit("EDITCTRL_DEFAULT_DELAY", L"120"));
    ASSERT_TRUE(Record());
    Type(L"d");
    Pause(300);
    Type(L"e");
    ASSERT_TRUE(WaitForRows(12));
    ASSERT_TRUE(Stop());
    EXPECT_TRUE(program->Popups().empty()) << program->DescribePopups();
    ASSERT_TRUE(Apply());
    std::vector<Step> steps;
    ASSERT_TRUE(WaitForMacro("Combo", steps, [](const std::vector<Step>& s) { return s.size() > 3; })) << Dump();
    EXPECT_EQ(steps, (std::vector<Step>{KeyDown(0x1E), Delay(50), KeyUp(0x1E), KeyDown(0x2E), KeyUp(0x2E),
                                        KeyDown(0x20), Delay(120), KeyUp(0x20), Delay(120), KeyDown(0x12), Delay(120),
                                        KeyUp(0x12)}));
}

TEST_F(MacrosPageTest, StepsEditedInPlaceAndCommandsInsertedReachTheKeyboardAndAPreviewWritesNothing) {
    ASSERT_NO_FATAL_FAILURE(Open(kKeyboardWithCombo));
    ASSERT_TRUE(Choose("LIST_GLOBALMACROLIST", 0));
    ASSERT_TRUE(WaitForChosenMacro());
    ASSERT_TRUE(FindRows()) << "the first step is not shown chosen";
    // A delay inserted after the first step: A, 1500, 50, A.
    ASSERT_TRUE(TypeIntoEdit("EDITCTRL_DELAY", L"1500"));
    ASSERT_TRUE(Click("BUTTON_INSERT_DELAY"));
    ASSERT_TRUE(WaitForRows(4));
    // Edited in place from its menu: the edit holds the step's own 1500
    // (not the rounded seconds it shows): its last digit made a 7 gives 1507.
    ASSERT_TRUE(RowMenu(1, 2)) << program->DescribePopups();
    HWND delayEdit = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (delayEdit = EditorLabelEdit()) != nullptr; })) << "no delay edit opened";
    ASSERT_TRUE(WaitForFocusWithin(delayEdit));
    Press(VK_END);
    Press(VK_BACK);
    Type(L"7");
    Press(VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return !EditorLabelEdit(); }));
    // The old delay deleted from its menu: A, 1507, A.
    ASSERT_TRUE(RowMenu(2, 1));
    ASSERT_TRUE(WaitForRows(3));
    // Ctrl+C after the chosen step (the release of A, in the deleted one's place), then Win+L after that.
    ASSERT_TRUE(Choose("LIST_GLOBAL_BASIC_COMMANDS", 1));
    ASSERT_TRUE(Click("BUTTON_ADD_BASIC_MACRO_CMDS"));
    ASSERT_TRUE(WaitForRows(7));
    ASSERT_TRUE(Choose("LIST_GLOBAL_ADDITIONAL_COMMANDS", 2));
    ASSERT_TRUE(Click("BUTTON_ADD_ADV_MACRO_CMDS"));
    ASSERT_TRUE(WaitForRows(11));
    // The key of the first step becomes X, and so does its release.
    ASSERT_TRUE(RowMenu(0, 2));
    HWND editKey = FocusedPopup();
    ASSERT_NE(editKey, nullptr) << "no edit-key popup: " << program->DescribePopups();
    EXPECT_TRUE(WaitForDump([](const std::string& dump) { return CKeyboardDump(dump).DeviceMode() == 2; }));
    Type(L"x");
    ASSERT_TRUE(PumpUntil([&] { return TextOf(FocusInThreadOf(editKey)) == L"X"; })) << "the key was not taken";
    ASSERT_TRUE(program->Click(editKey, L"EditKeyPopup.xml", "BUTTON_POPUP_OK"));
    ASSERT_TRUE(WaitUntilClosed(editKey)) << program->DescribePopups();
    EXPECT_TRUE(WaitForDump([](const std::string& dump) { return CKeyboardDump(dump).DeviceMode() == 1; }));

    // Played on the screen: nothing reaches the keyboard, and nothing is
    // to be pressed meanwhile but Stop.
    ASSERT_TRUE(Click("BUTTON_MACRO_RECORD_PLAY"));
    EXPECT_TRUE(WaitForItemEnabled(main, kMacros, "BUTTON_MACRO_RECORD_STOP"));
    EXPECT_FALSE(IsItemEnabled(main, kMacros, "BUTTON_MACRO_RECORD_START"));
    EXPECT_TRUE(PumpUntil([&] { return !IsItemEnabled(main, kMacros, "BUTTON_MACRO_RECORD_STOP"); }, 10000))
        << "the preview never ended";
    std::vector<Step> unchanged;
    ASSERT_TRUE(MacroSteps(Dump(), "Combo", unchanged));
    EXPECT_EQ(unchanged.size(), 3u) << "the preview or the edits reached the keyboard before Apply";

    ASSERT_TRUE(Apply());
    const Step winDown{kKeyStep, 0x5B | kExtended}, winUp{kKeyStep, 0x5B | kExtended | kRelease};
    std::vector<Step> steps;
    ASSERT_TRUE(WaitForMacro("Combo", steps, [](const std::vector<Step>& s) { return s.size() > 3; })) << Dump();
    EXPECT_EQ(steps, (std::vector<Step>{KeyDown(0x2D), Delay(1507), KeyUp(0x2D), KeyDown(0x1D), KeyDown(0x2E),
                                        KeyUp(0x2E), KeyUp(0x1D), winDown, KeyDown(0x26), KeyUp(0x26), winUp}));
}

TEST_F(MacrosPageTest, RenamesKeepTheMacroAndItsKeysAndADeleteTakesItsKeysBack) {
    ASSERT_NO_FATAL_FAILURE(Open(kKeyboardWithCombo));
    ASSERT_TRUE(Click("BUTTON_MACRO_CREATE"));
    ASSERT_TRUE(Name(L"fresh"));
    // F2 plays the new macro before the keyboard knows it.
    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_ASSIGNKEYS"));
    Assign(main, "BUTTON_KB_F2", "BUTTON_ASSIGNSELECT_MACRO");
    HWND choice = program->WaitForPopup();
    ASSERT_NE(choice, nullptr);
    ASSERT_TRUE(program->Click(choice, L"SelectMacroPopup.xml", "LIST_DROPDOWN_POPUP"));
    HWND list = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        for (HWND popup : program->Popups())
            if (popup != choice)
                list = popup;
        return list != nullptr;
    }));
    ASSERT_TRUE(PumpUntil([&] { return IsChild(list, FocusInThreadOf(list)); }));
    MarkEntry(1);
    ASSERT_TRUE(WaitUntilClosed(list));
    ASSERT_TRUE(program->Click(choice, L"SelectMacroPopup.xml", "BUTTON_POPUP_OK"));
    ASSERT_TRUE(WaitUntilClosed(choice));
    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_MANAGEMACROS"));
    // Renamed while still new; then Combo in letter case only.
    ASSERT_TRUE(Click("BUTTON_MACRO_RENAME"));
    ASSERT_TRUE(Name(L"later"));
    ASSERT_TRUE(Choose("LIST_GLOBALMACROLIST", 0));
    ASSERT_TRUE(WaitForChosenMacro());
    ASSERT_TRUE(Click("BUTTON_MACRO_RENAME"));
    ASSERT_TRUE(Name(L"COMBO"));
    // A name another macro has, in any letter case, is refused.
    ASSERT_TRUE(Click("BUTTON_MACRO_RENAME"));
    HWND popup = FocusedPopup();
    ASSERT_NE(popup, nullptr);
    Type(L"Later");
    Press(VK_RETURN);
    ASSERT_TRUE(WaitUntilClosed(popup));
    ASSERT_TRUE(ConfirmPopup(L"DuplicateMacroWarningPopup.xml")) << program->DescribePopups();
    ASSERT_TRUE(Apply());

    // The write makes the new macro before the keys that play it, and
    // renames the other after them: judged once all of it is there.
    std::string dump;
    ASSERT_TRUE(WaitForDump([&](const std::string& d) {
        dump = d;
        const std::vector<CKeyboardDump::Macro> macros = CKeyboardDump(d).Macros();
        return macros.size() == 2 && macros[0].name == "COMBO" && CKeyboardDump(d).KeyType("", "F2") == KeyAction::Macro;
    })) << Dump();
    const std::vector<CKeyboardDump::Macro> macros = CKeyboardDump(dump).Macros();
    EXPECT_EQ(macros[0].name, "COMBO");
    EXPECT_EQ(macros[0].guid, "{5A1D3C44-0B7E-4C59-9E7A-0E6C1D2B3A41}") << "renamed, not made again";
    EXPECT_EQ(macros[1].name, "later");
    EXPECT_TRUE(PlaysMacro(CKeyboardDump(dump).KeyRecord("", "F2"), macros[1].guid))
        << "F2 does not play the renamed macro";

    // COMBO deleted: F1 and Esc, which played it, do what they did by default.
    ASSERT_TRUE(Choose("LIST_GLOBALMACROLIST", 0));
    ASSERT_TRUE(WaitForChosenMacro());
    ASSERT_TRUE(Click("BUTTON_MACRO_DELETE"));
    ASSERT_TRUE(ConfirmPopup(L"ConfirmDeleteMacroPopup.xml"));
    ASSERT_TRUE(Apply());
    EXPECT_TRUE(WaitForDump([](const std::string& d) {
        CKeyboardDump keyboard(d);
        return keyboard.Macros().size() == 1 && keyboard.KeyType("", "F1") == KeyAction::Key &&
               keyboard.KeyType("", "Esc") == KeyAction::Key;
    })) << Dump();
}

TEST_F(MacrosPageTest, ExportAndImportGoThroughFilesAndARefusedImportChangesNothing) {
    ASSERT_NO_FATAL_FAILURE(Open(kKeyboardWithCombo));
    ASSERT_TRUE(Choose("LIST_GLOBALMACROLIST", 0));
    ASSERT_TRUE(WaitForChosenMacro());
    const std::wstring file = folder + L"\\combo.vqm";
    ASSERT_TRUE(Click("BUTTON_MACRO_EXPORT"));
    ASSERT_TRUE(ChooseInDialog(file)) << "no save dialog: " << program->DescribePopups();
    ASSERT_TRUE(PumpUntil([&] { return GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES; }))
        << "nothing exported";

    // Its name is there already: refused, and the keyboard keeps no copy.
    ASSERT_TRUE(Click("BUTTON_MACRO_IMPORT"));
    ASSERT_TRUE(ChooseInDialog(file)) << "no open dialog: " << program->DescribePopups();
    ASSERT_TRUE(ConfirmPopup(L"DuplicateMacroWarningPopup.xml")) << program->DescribePopups();
    EXPECT_EQ(CKeyboardDump(Dump()).Macros().size(), 1u);

    // Not exported before its changes are applied.
    ASSERT_TRUE(Click("BUTTON_MACRO_RENAME"));
    ASSERT_TRUE(Name(L"old"));
    ASSERT_TRUE(Click("BUTTON_MACRO_RECORD_BACKWARD"));
    ASSERT_TRUE(Click("BUTTON_INSERT_DELAY"));
    ASSERT_TRUE(WaitForRows(4));
    ASSERT_TRUE(Click("BUTTON_MACRO_EXPORT"));
    ASSERT_TRUE(ConfirmPopup(L"ExportMacroWarningPopup.xml")) << program->DescribePopups();
    ASSERT_TRUE(Apply());

    // A file that is no macro file is refused.
    const std::wstring bad = folder + L"\\bad.vqm";
    HANDLE handle = CreateFileW(bad.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(handle, "not a macro", 11, &written, nullptr);
    CloseHandle(handle);
    ASSERT_TRUE(Click("BUTTON_MACRO_IMPORT"));
    ASSERT_TRUE(ChooseInDialog(bad));
    ASSERT_TRUE(ConfirmPopup(L"FileErrorPopUp.xml")) << program->DescribePopups();
    EXPECT_EQ(CKeyboardDump(Dump()).Macros().size(), 1u);

    // Now it is a macro of its own, and the one shown.
    ASSERT_TRUE(Click("BUTTON_MACRO_IMPORT"));
    ASSERT_TRUE(ChooseInDialog(file));
    ASSERT_TRUE(program->WaitForNoPopups()) << program->DescribePopups();
    std::vector<Step> steps;
    ASSERT_TRUE(WaitForMacro("Combo", steps, [](const std::vector<Step>& s) { return s.size() == 3; })) << Dump();
    EXPECT_EQ(steps, (std::vector<Step>{KeyDown(0x1E), Delay(50), KeyUp(0x1E)}));
    const std::vector<CKeyboardDump::Macro> macros = CKeyboardDump(Dump()).Macros();
    ASSERT_EQ(macros.size(), 2u);
    EXPECT_EQ(macros[0].name, "old");
    EXPECT_EQ(EditorRows(), 3) << "the imported macro is not the one shown";
}

TEST_F(MacrosPageTest, CancelLeavesTheKeyboardsMacrosAsTheyWere) {
    ASSERT_NO_FATAL_FAILURE(Open(kKeyboardWithCombo));
    const std::string before = Dump();
    ASSERT_TRUE(Click("BUTTON_MACRO_CREATE"));
    ASSERT_TRUE(Name(L"temp"));
    ASSERT_TRUE(WaitForChosenMacro());
    ASSERT_TRUE(Record());
    Type(L"q");
    ASSERT_TRUE(WaitForRows(3));
    ASSERT_TRUE(Stop());
    ASSERT_TRUE(Choose("LIST_GLOBALMACROLIST", 0));
    ASSERT_TRUE(WaitForChosenMacro());
    ASSERT_TRUE(Click("BUTTON_MACRO_RENAME"));
    ASSERT_TRUE(Name(L"gone"));
    ASSERT_TRUE(program->Click(main, kMain, "BUTTON_CANCEL"));
    ASSERT_TRUE(program->WaitForExit(20000));
    const std::vector<CKeyboardDump::Macro> was = CKeyboardDump(before).Macros(), now = CKeyboardDump(Dump()).Macros();
    ASSERT_EQ(now.size(), 1u);
    EXPECT_EQ(now[0].name, was[0].name);
    EXPECT_EQ(now[0].guid, was[0].guid);
    EXPECT_EQ(now[0].keySteps, was[0].keySteps);
    EXPECT_EQ(CKeyboardDump(Dump()).DeviceMode(), 1);
}

TEST_F(MacrosPageTest, AKeyboardUnpluggedWhileRecordingEndsTheRecordingAndTheProgramCloses) {
    ASSERT_NO_FATAL_FAILURE(Open(kKeyboardWithCombo));
    ASSERT_TRUE(Choose("LIST_GLOBALMACROLIST", 0));
    ASSERT_TRUE(WaitForChosenMacro());
    ASSERT_TRUE(Record());
    Type(L"q");
    ASSERT_TRUE(WaitForRows(6));
    ASSERT_TRUE(RunControl(L"unplug"));
    // The warning closes the program: no recording holds it open.
    ASSERT_TRUE(ConfirmPopup(L"NoDevicePopup.xml")) << program->DescribePopups();
    EXPECT_TRUE(program->WaitForExit(20000)) << "the program stayed open";
}

}  // namespace

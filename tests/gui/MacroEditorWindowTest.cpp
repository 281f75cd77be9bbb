// The macro editor under Wine, built by the loader from its element: a
// recording fed real keys and mouse buttons through SendInput, the row
// menus and the in-place delay edit, the read-only twin's preview, and what
// each tells its owner, compared with message tables.  A screenshot shows
// the editor with steps of every kind.

#include "gui/core/CGUIItems.h"
#include "gui/core/CRawInputDevices.h"
#include "gui/skin/SymbolIds.h"
#include "gui/skin/SymbolTables.h"
#include "gui/widgets/CBitmapBtn.h"
#include "gui/widgets/CListPanelItem.h"
#include "gui/widgets/CMacroDisplayItem.h"
#include "gui/widgets/CVScrollBar.h"
#include "tests/gui/PopupListPresses.h"
#include "tests/gui/WidgetHost.h"
#include "tests/support/KeyInput.h"
#include "tests/support/MessagePump.h"
#include "tests/support/MessageRecorder.h"
#include "tests/support/ModalScript.h"
#include "tests/support/Screenshot.h"
#include "tests/support/TestPaths.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int kBothParams = ExpectedMessage::WParam | ExpectedMessage::LParam;

ExpectedMessage Changed() { return {WM_MACRO_EVENTS_CHANGED, kBothParams, 0, MACRO_DISPLAY}; }
ExpectedMessage EditKey() { return {WM_MACRO_EDIT_KEY_EVENT, kBothParams, 0, MACRO_DISPLAY}; }

MacroStep Key(uint16_t vk, uint16_t scan, bool down) {
    return MacroStep{MacroStepKey, vk << 16 | scan, down ? kStepPress : kStepRelease};
}
MacroStep Delay(int32_t ms) { return MacroStep{MacroStepDelay, ms, 0}; }
MacroStep Button(int32_t button, bool down) {
    return MacroStep{MacroStepMouseButton, button, down ? kStepPress : kStepRelease};
}

const char kEditorSkin[] = R"(<ITEMLIST>
  <FONTLIST><FONT name="FONT_ARIAL12" typeface="Arial" pitch="13"/></FONTLIST>
  <BUTTONLIST>
    <BUTTON name="BUTTON_MACRO_RECORD_STOP"><SBMN>Stop.bmp</SBMN><RECT left="300" top="240" right="80" bottom="30"/></BUTTON>
  </BUTTONLIST>
  <MACRODISPLAYLIST>
    <MACRODISPLAY name="MACRO_DISPLAY" max="-5" fontid="FONT_ARIAL12" fontclr="WHITE" fontclrhi="BLACK" backclr="BLACK"
                  backclrhi="GREEN" bdrclr="TEAL_PANEL_BORDER" bdrwidth="2" lmargin="3" tooltip="Steps"
                  MDBMP_KEYDN="KD.bmp" MDBMP_KEYUP="KU.bmp" MDBMP_CLK="CL.bmp" MDBMP_CLKH="CH.bmp"
                  MDBMP_MSE="MS.bmp" MDBMP_MSEH="MH.bmp">
      <RECT left="10" top="10" right="260" bottom="210"/>
      <VSCROLL bdrwidth="0"><VSBMP_TOP>VT.bmp</VSBMP_TOP><VSBMP_BOT>VT.bmp</VSBMP_BOT><VSBMP_AUP>VA.bmp</VSBMP_AUP>
        <VSBMP_ADN>VA.bmp</VSBMP_ADN><VSBMP_SPN>VS.bmp</VSBMP_SPN><VSBMP_TMB>VM.bmp</VSBMP_TMB></VSCROLL>
      <LISTCOLUMN name="LCITEM_MCREVENT_ICON" type="ICON" width="32" justify="C"/>
      <LISTCOLUMN name="LCITEM_MCREVENT_DESCRIP" type="STATIC" width="200" justify="R"/>
      <LISTCOLUMN name="LCITEM_PROFILENAME" type="STATIC" width="50"/>
    </MACRODISPLAY>
    <MACRODISPLAY name="MACRO_DISPLAY_READONLY" readonly="yes" max="7">
      <RECT left="300" top="10" right="200" bottom="200"/>
      <LISTCOLUMN name="LCITEM_MCREVENT_ICON" type="NOSUCHTYPE" width="30"/>
      <LISTCOLUMN name="LCITEM_MCREVENT_DESCRIP" type="STATIC" width="0"/>
      <LISTCOLUMN name="LCITEM_MCREVENT_DESCRIP" type="STATIC" width="150"/>
    </MACRODISPLAY>
    <MACRODISPLAY name="NO_SUCH_ITEM"><RECT left="0" top="0" right="10" bottom="10"/></MACRODISPLAY>
  </MACRODISPLAYLIST>
  <LISTPANELLIST>
    <LISTPANEL name="LISTPANEL_MACROOPTIONS_KEYSTROKE" dynamic="1" fontclr="WHITE" backclr="BLACK">
      <RECT right="120" bottom="64"/>
      <LISTPANELITEMS><LISTPANELITEM>$InsertDelay</LISTPANELITEM><LISTPANELITEM>$Delete</LISTPANELITEM>
        <LISTPANELITEM>$Edit</LISTPANELITEM></LISTPANELITEMS>
    </LISTPANEL>
  </LISTPANELLIST>
</ITEMLIST>)";

class MacroEditor : public SkinOnHost {
protected:
    MacroEditor()
        : SkinOnHost(L"gui-macroeditor", {WM_MACRO_EVENTS_CHANGED, WM_MACRO_EDIT_KEY_EVENT, WM_MACRO_PREVIEW_DONE},
                     static_cast<HBRUSH>(GetStockObject(DKGRAY_BRUSH))) {}
    void SetUp() override {
        const COLORREF colours[] = {RGB(0, 200, 0), RGB(200, 200, 200), RGB(0, 120, 255),
                                    RGB(0, 255, 255), RGB(255, 160, 0), RGB(255, 255, 0)};
        const wchar_t* names[] = {L"KD", L"KU", L"CL", L"CH", L"MS", L"MH"};
        for (int i = 0; i < 6; ++i)
            folder.WriteBmp(std::wstring(L"skins\\") + names[i] + L".bmp", 28, 18,
                            [&, i](int x, int y) { return x > 6 && x < 22 && y > 2 && y < 15 ? colours[i] : 0; });
        folder.WriteBmp(L"skins\\VT.bmp", 12, 4, [](int, int) { return RGB(60, 60, 60); });
        folder.WriteBmp(L"skins\\VA.bmp", 12, 10, [](int, int) { return RGB(90, 90, 90); });
        folder.WriteBmp(L"skins\\VS.bmp", 12, 1, [](int, int) { return RGB(30, 30, 30); });
        folder.WriteBmp(L"skins\\VM.bmp", 12, 20, [](int, int) { return RGB(0, 160, 80); });
        folder.WriteBmp(L"skins\\Stop.bmp", 80, 30, [](int, int) { return RGB(160, 40, 40); });
        LoadOntoHost(L"MacroEditor.xml", kEditorSkin, 520, 300);
        editor = Item<CMacroDisplayItem>(MACRO_DISPLAY);
        preview = Item<CMacroDisplayItem>(MACRO_DISPLAY_READONLY);
        ASSERT_NE(editor, nullptr);
        ASSERT_NE(preview, nullptr);
        editor->SetStepMenus(Item<CListPanelItem>(LISTPANEL_MACROOPTIONS_KEYSTROKE),
                             Item<CListPanelItem>(LISTPANEL_MACROOPTIONS_KEYSTROKE), nullptr);
    }
    void TearDown() override {
        if (editor && editor->IsRecording())
            editor->ToggleRecording();
        SkinOnHost::TearDown();
    }
    // The pointer to a point of the host, then the buttons.
    void ClickHost(POINT client, DWORD down = MOUSEEVENTF_LEFTDOWN, DWORD up = MOUSEEVENTF_LEFTUP) {
        ClientToScreen(host, &client);
        SetCursorPos(client.x, client.y);
        SendMouseButtons({down, up});
    }
    size_t StepCount() const { return editor->GetEvents().size(); }
    std::vector<int32_t> Types() const {
        std::vector<int32_t> types;
        for (const MacroStep& step : editor->GetEvents())
            types.push_back(step.type);
        return types;
    }

    CMacroDisplayItem* editor = nullptr;
    CMacroDisplayItem* preview = nullptr;
};

TEST_F(MacroEditor, TheLoaderBuildsTheEditorAndItsReadOnlyTwinFromTheirElements) {
    EXPECT_EQ(editor->m_itemType, kItemMacroDisplay);
    EXPECT_EQ(editor->m_itemWindow, editor->GetSafeHwnd());
    EXPECT_FALSE(editor->IsReadOnly());
    EXPECT_TRUE(preview->IsReadOnly());
    EXPECT_EQ(editor->GetMaximum(), 0) << "a negative max counts 0";
    EXPECT_EQ(preview->GetMaximum(), 7);
    EXPECT_EQ(editor->GetBorderWidth(), 2);
    EXPECT_EQ(editor->GetLeftMargin(), 3);
    EXPECT_EQ(editor->GetBackColour(), RGB(0, 0, 0));
    EXPECT_EQ(editor->GetSelectedBackColour(), RGB(0, 255, 0));
    for (int kind = 0; kind < kMacroRowKinds; ++kind)
        EXPECT_NE(editor->GetRowPicture(kind), nullptr) << kind;
    EXPECT_EQ(preview->GetRowPicture(kRowDelay), nullptr);
    // Two columns at most; the description loses twice the border.
    ASSERT_EQ(editor->GetColumnCount(), 2);
    EXPECT_EQ(editor->GetColumnWidth(editor->FindColumn(LCITEM_MCREVENT_DESCRIP)->index), 196);
    EXPECT_EQ(editor->FindColumn(LCITEM_MCREVENT_DESCRIP)->justify, L'R');
    EXPECT_EQ(editor->FindColumn(LCITEM_PROFILENAME), nullptr);
    // An unknown type or a width of 0 leaves a column out.
    ASSERT_EQ(preview->GetColumnCount(), 1);
    EXPECT_EQ(preview->FindColumn(LCITEM_MCREVENT_DESCRIP)->index, 0);
    EXPECT_NE(editor->GetScrollBar(), nullptr);
    EXPECT_EQ(preview->GetScrollBar(), nullptr);
    EXPECT_EQ(editor->GetNotifyWindow(), &host);
    EXPECT_EQ(items.FindById(-1), nullptr) << "an unknown name builds nothing";
    EXPECT_EQ(editor->AddColumn(LCITEM_MCREVENT_ICON, kCellIcon, L'L', 10), -1) << "the id is a column already";
    EXPECT_EQ(preview->AddColumn(LCITEM_MCREVENT_ICON, -1, L'L', 10), -1);
    EXPECT_EQ(preview->AddColumn(LCITEM_MCREVENT_ICON, kCellIcon, L'L', 10), 1);
    EXPECT_EQ(preview->AddColumn(LCITEM_PROFILENAME, kCellStatic, L'L', 10), -1) << "two columns at most";
}

TEST_F(MacroEditor, ARecordingTakesRealKeysAndButtonsAndTellsNothingUntilItStops) {
    editor->LoadEvents({Delay(10)});
    ASSERT_TRUE(editor->ToggleRecording());
    EXPECT_TRUE(GetRawInputDevices().IsRegistered());
    EXPECT_EQ(GetRawInputDevices().GetTarget(), editor->GetSafeHwnd());
    EXPECT_FALSE(editor->LoadEvents({})) << "refused while recording";
    EXPECT_FALSE(editor->GetScrollBar()->IsWindowVisible());

    SendKeys({{'A', true}});
    ASSERT_TRUE(PumpUntil([&] { return StepCount() == 2; }));
    // The key held down repeats: still one press.
    SendKeys({{'A', true}, {'A', true}, {'A', false}});
    ASSERT_TRUE(PumpUntil([&] { return StepCount() == 4; }));
    ClickHost({400, 150});
    ASSERT_TRUE(PumpUntil([&] { return StepCount() == 8; }));
    ClickHost({400, 150}, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    ASSERT_TRUE(PumpUntil([&] { return StepCount() == 12; }));
    SendKeys({{VK_LSHIFT, true}});
    ASSERT_TRUE(PumpUntil([&] { return StepCount() == 14; }));
    PumpUntilIdle(100);
    // Still held at the stop: its release is recorded then.
    EXPECT_FALSE(editor->ToggleRecording());
    SendKeys({{VK_LSHIFT, false}});
    EXPECT_FALSE(GetRawInputDevices().IsRegistered());
    EXPECT_TRUE(editor->GetScrollBar()->IsWindowVisible());
    EXPECT_EQ(host.recorder.Log().size(), 0u) << "recording tells the owner nothing";

    const std::vector<MacroStep>& steps = editor->GetEvents();
    ASSERT_EQ(steps.size(), 16u);
    // Appended to what was there, without a delay before the first new step.
    EXPECT_EQ(steps[0], Delay(10));
    EXPECT_EQ(steps[1], Key('A', 0x1E, true));
    EXPECT_EQ(steps[3], Key('A', 0x1E, false));
    EXPECT_EQ(steps[5], Button(1, true));
    EXPECT_EQ(steps[7], Button(1, false));
    EXPECT_EQ(steps[9], Button(2, true));
    EXPECT_EQ(steps[11], Button(2, false));
    EXPECT_EQ(steps[13], Key(VK_LSHIFT, 0x2A, true));
    EXPECT_EQ(steps[15], Key(VK_LSHIFT, 0x2A, false));
    for (size_t i : {2u, 4u, 6u, 8u, 10u, 12u, 14u}) {
        EXPECT_EQ(steps[i].type, MacroStepDelay) << i;
        EXPECT_GE(steps[i].value, 0) << i;
        EXPECT_LT(steps[i].value, 10000) << i;
    }
    EXPECT_EQ(editor->GetItemCount(), 16);
}

TEST_F(MacroEditor, AClickOnTheStopButtonIsNeverRecorded) {
    auto* stop = Item<CBitmapBtn>(BUTTON_MACRO_RECORD_STOP);
    ASSERT_NE(stop, nullptr);
    editor->SetStopControl(stop->GetSafeHwnd());
    editor->SetIgnoreDelays(true);
    ASSERT_TRUE(editor->ToggleRecording());
    ClickHost({340, 255});
    ClickHost({400, 150});
    ASSERT_TRUE(PumpUntil([&] { return StepCount() == 2; }));
    PumpUntilIdle(150);
    editor->ToggleRecording();
    EXPECT_EQ(editor->GetEvents(), (std::vector<MacroStep>{Button(1, true), Button(1, false)}));
}

TEST_F(MacroEditor, ARawReleaseWithoutAVirtualKeyReleasesTheKeyThatWentDown) {
    editor->SetIgnoreDelays(true);
    ASSERT_TRUE(editor->ToggleRecording());
    RAWKEYBOARD down = {};
    down.MakeCode = 0x1E;
    down.VKey = 'A';
    down.Message = WM_KEYDOWN;
    RAWKEYBOARD up = down;
    up.VKey = 255;
    up.Flags = RI_KEY_BREAK;
    up.Message = WM_KEYUP;
    editor->RecordKeyboard(down, 100);
    editor->RecordKeyboard(up, 150);
    editor->ToggleRecording();
    // Not a release of no key, nor 'A' left held until the stop.
    EXPECT_EQ(editor->GetEvents(), (std::vector<MacroStep>{Key('A', 0x1E, true), Key('A', 0x1E, false)}));
}

TEST_F(MacroEditor, RecordingNeedsTheInputAndGivesItBackWhenTheEditorGoes) {
    // Another window holds the raw input: no recording starts.
    CRawInputDevices& devices = GetRawInputDevices();
    devices.AddUsage(CRawInputDevices::kUsageKeyboard);
    ASSERT_TRUE(devices.RegisterAll(preview->GetSafeHwnd()));
    EXPECT_FALSE(editor->ToggleRecording());
    EXPECT_FALSE(editor->IsRecording());
    EXPECT_EQ(devices.GetTarget(), preview->GetSafeHwnd()) << "the holder keeps it";
    ASSERT_TRUE(devices.UnregisterAll(preview->GetSafeHwnd()));
    EXPECT_FALSE(preview->ToggleRecording()) << "a read-only editor never records";

    ASSERT_TRUE(editor->ToggleRecording());
    editor->DestroyWindow();
    EXPECT_FALSE(devices.IsRegistered());
    EXPECT_FALSE(editor->IsRecording());
}

TEST_F(MacroEditor, TheMenuCommandsChangeTheStepsAndTellTheOwner) {
    editor->SetDefaultDelay(75);
    editor->LoadEvents({Key('A', 0x1E, true), Delay(50), Key('A', 0x1E, false), Button(1, true)});
    editor->SelectEvent(-1);
    ASSERT_TRUE(editor->RunMenuCommand(L"$insertdelay")) << "compared ignoring case";
    EXPECT_EQ(editor->GetEvents()[0], Delay(75)) << "at the top with no step chosen";
    EXPECT_EQ(editor->GetSelectedIndex(), 0);

    editor->SelectEvent(1);
    ASSERT_TRUE(editor->RunMenuCommand(L"$Delete"));
    EXPECT_EQ(editor->GetEvents(), (std::vector<MacroStep>{Delay(75), Delay(50), Key('A', 0x1E, false),
                                                            Button(1, true)}));
    EXPECT_EQ(editor->GetSelectedIndex(), 1) << "the step now in its place";
    editor->SelectEvent(3);
    ASSERT_TRUE(editor->RunMenuCommand(L"$Delete"));
    EXPECT_EQ(editor->GetSelectedIndex(), -1) << "the last step went: none chosen";

    editor->SelectEvent(2);
    EXPECT_TRUE(editor->RunMenuCommand(L"$Edit")) << "a key step: the owner edits it";
    EXPECT_FALSE(editor->RunMenuCommand(L"$Rename"));
    editor->SelectEvent(-1);
    EXPECT_FALSE(editor->RunMenuCommand(L"$Delete"));

    // A delay is edited in place, from its own milliseconds.
    editor->SetFocus();
    editor->SelectEvent(1);
    ASSERT_TRUE(editor->RunMenuCommand(L"$Edit"));
    ASSERT_TRUE(editor->IsEditingLabel());
    HWND edit = editor->GetEditControl();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(TextOf(edit), L"50");
    EXPECT_EQ(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0), 7);
    SetWindowTextW(edit, L"1234");
    SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(PumpUntil([&] { return !editor->IsEditingLabel(); }));
    EXPECT_EQ(editor->GetEvents()[1], Delay(1234));
    // An empty edit keeps the delay as it was.
    ASSERT_TRUE(editor->RunMenuCommand(L"$Edit"));
    SetWindowTextW(editor->GetEditControl(), L"");
    SendMessageW(editor->GetEditControl(), WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(PumpUntil([&] { return !editor->IsEditingLabel(); }));
    EXPECT_EQ(editor->GetEvents()[1], Delay(1234));
    PumpUntilIdle(100);
    EXPECT_EQ(host.recorder.Compare({Changed(), Changed(), Changed(), EditKey(), Changed()}), "");
}

TEST_F(MacroEditor, ARightClickOpensTheRowsMenuAndCarriesOutTheChoice) {
    editor->LoadEvents({Key('A', 0x1E, true), Delay(50), Key('A', 0x1E, false)});
    CRect row;
    editor->GetItemRect(2, &row, LVIR_BOUNDS);
    ModalScript choose({PressRow(1)});
    choose.Run([&] {
        editor->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(60, row.CenterPoint().y));
        return 0;
    });
    PumpUntilIdle(100);
    EXPECT_EQ(editor->GetEvents(), (std::vector<MacroStep>{Key('A', 0x1E, true), Delay(50)}));
    EXPECT_EQ(host.recorder.Compare({Changed()}), "");
    // Rows without a menu (mouse rows here) open nothing; a read-only list no menu at all.
    editor->LoadEvents({Button(1, true)});
    editor->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(60, 8));
    EXPECT_EQ(editor->GetEvents().size(), 1u);
}

TEST_F(MacroEditor, APreviewPlaysItsOwnCopyWithItsDelaysAndReportsItsEnd) {
    std::vector<MacroStep> steps = {Key('A', 0x1E, true), Delay(150), Key('A', 0x1E, false), Delay(150)};
    EXPECT_FALSE(editor->SetEvents(steps)) << "only the read-only twin plays";
    const DWORD start = GetTickCount();
    ASSERT_TRUE(preview->SetEvents(steps));
    steps.clear();  // the owner may change its list meanwhile
    EXPECT_TRUE(preview->IsPreviewing());
    EXPECT_EQ(preview->GetItemCount(), 1);
    ASSERT_TRUE(PumpUntil([&] { return preview->GetItemCount() == 2; }, 3000));
    ASSERT_TRUE(PumpUntil([&] { return host.recorder.Count(WM_MACRO_PREVIEW_DONE) == 1; }, 3000));
    // The end comes after the last delay, and the rows go.
    EXPECT_GE(GetTickCount() - start, 290u);
    EXPECT_EQ(preview->GetItemCount(), 0);
    EXPECT_FALSE(preview->IsPreviewing());
    EXPECT_EQ(host.recorder.Compare({{WM_MACRO_PREVIEW_DONE, kBothParams, 0, MACRO_DISPLAY_READONLY}}), "");

    // Stopped halfway, it says nothing more.
    host.recorder.Clear();
    preview->SetEvents({Key('A', 0x1E, true), Delay(300), Key('A', 0x1E, false)});
    preview->StopPreview();
    PumpUntilIdle(500);
    EXPECT_EQ(host.recorder.Log().size(), 0u);
    EXPECT_EQ(preview->GetItemCount(), 0);
    // An empty macro ends at once.
    preview->SetEvents({});
    EXPECT_EQ(host.recorder.Count(WM_MACRO_PREVIEW_DONE), 1u);
}

TEST_F(MacroEditor, AReplacementNeedsAStepAtItsIndexAndAnEditableList) {
    editor->LoadEvents({Key('A', 0x1E, true), Key('A', 0x1E, false)});
    EXPECT_FALSE(editor->ReplaceEvent(-1, Delay(5)));
    EXPECT_FALSE(editor->ReplaceEvent(2, Delay(5)));
    EXPECT_FALSE(editor->ReplaceEvent(0, MacroStep{9, 0, 0})) << "a step of no known type";
    EXPECT_TRUE(editor->ReplaceEvent(1, Key('B', 0x30, false)));
    EXPECT_EQ(editor->GetEvents()[1], Key('B', 0x30, false));
    EXPECT_EQ(editor->GetItemCount(), 2);
    EXPECT_FALSE(preview->ReplaceEvent(0, Delay(5)));
    EXPECT_EQ(host.recorder.Compare({Changed()}), "");
}

TEST_F(MacroEditor, TheEditorShowsEveryKindOfStep) {
    editor->LoadEvents({Key('A', 0x1E, true), Delay(120), Key('A', 0x1E, false), Button(1, true), Delay(8),
                        Button(1, false), Delay(2500)});
    editor->SelectEvent(1);
    ASSERT_TRUE(WaitUntilDrawn(host));
    EXPECT_TRUE(SaveWindowScreenshot(host, ArtifactPath(L"MacroEditor.png")));
    CRect cell;
    ASSERT_TRUE(editor->GetSubItemRect(1, 1, LVIR_BOUNDS, &cell));
    editor->ClientToScreen(&cell);
    // The chosen delay row: its description on the selected colour, its
    // picture the highlighted clock.
    EXPECT_EQ(ScreenPixel(cell.right - 6, cell.top + 2), RGB(0, 255, 0));
    // The middle of a row's picture cell (the first column's bounds are the whole row's).
    auto iconMiddle = [&](int row) {
        CRect bounds;
        editor->GetSubItemRect(row, 0, LVIR_BOUNDS, &bounds);
        CPoint middle(bounds.left + editor->GetColumnWidth(0) / 2, bounds.CenterPoint().y);
        editor->ClientToScreen(&middle);
        return middle;
    };
    EXPECT_EQ(ScreenPixel(iconMiddle(1).x, iconMiddle(1).y), RGB(0, 255, 255));
    EXPECT_EQ(ScreenPixel(iconMiddle(3).x, iconMiddle(3).y), RGB(255, 160, 0));
    EXPECT_EQ(ScreenPixel(iconMiddle(4).x, iconMiddle(4).y), RGB(0, 120, 255)) << "a delay row not chosen";
}

}  // namespace

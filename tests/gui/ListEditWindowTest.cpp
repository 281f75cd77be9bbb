// The list panels, the drop-down and the edits under Wine, built by the
// loader from skin files: what each reports to its parent, compared with
// message tables; the popup lists driven as a user would (a script of
// presses runs from a timer while the popup's own loop turns); the key
// capture fed real input through SendInput; and a screenshot of the test
// page that holds a drop-down, an edit and a list.

#include "gui/widgets/CDropdownListItem.h"
#include "gui/widgets/CEditItem.h"
#include "gui/widgets/CEditItemSingleKeyInput.h"
#include "gui/widgets/CEditItemSingleKeyInputMMO.h"
#include "gui/widgets/CGenericPanel.h"
#include "gui/core/CGUIItems.h"
#include "gui/widgets/CListPanelItem.h"
#include "gui/widgets/CListPanelStatic.h"
#include "gui/core/CPopupBox.h"
#include "gui/core/CRawInputDevices.h"
#include "gui/skin/GUIResources.h"
#include "gui/skin/SkinLoader.h"
#include "gui/skin/SymbolIds.h"
#include "tests/gui/GuiWindowTestResources.h"
#include "tests/gui/PopupListPresses.h"
#include "tests/gui/SkinTestFolder.h"
#include "tests/gui/WidgetHost.h"
#include "tests/support/MessagePump.h"
#include "tests/support/MessageRecorder.h"
#include "tests/support/ModalScript.h"
#include "tests/support/Screenshot.h"
#include "tests/support/TestPaths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kBothParams = ExpectedMessage::WParam | ExpectedMessage::LParam;

// A drop-down pressed open: it asks its parent for the item behind it first.
ExpectedMessage DropDownQuery(HWND dropDown) {
    return {WM_GUI_QUERY_ITEM, kBothParams, 0, reinterpret_cast<LPARAM>(dropDown)};
}

// A drop-down pressed open and a row of its list chosen: the query, then
// the choice with its row and the drop-down's window.
std::vector<ExpectedMessage> DropDownChoiceMessages(HWND dropDown, int row) {
    return {DropDownQuery(dropDown), {WM_DROPDOWN_SELCHANGE, kBothParams, static_cast<WPARAM>(row),
                                      reinterpret_cast<LPARAM>(dropDown)}};
}

// A press on a row of a static list: the row and the list item's id.
ExpectedMessage RowClicked(int row, int itemId) {
    return {WM_LISTPANEL_ITEM_CLICKED, kBothParams, static_cast<WPARAM>(row), itemId};
}

std::function<void()> PressBelowRows() {
    return [] {
        if (CListPanelList* list = OpenList()) {
            CRect client;
            list->GetClientRect(&client);
            list->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, client.bottom + 40));
        }
    };
}

const char kListEditSkin[] = R"(<ITEMLIST>
  <FONTLIST><FONT name="FONT_ARIAL12" typeface="Arial" pitch="13"/></FONTLIST>
  <LISTLIST>
    <COMBO name="LIST_GLOBALPROFILELIST" fontid="FONT_ARIAL12" fontclr="WHITE" fontclrhi="GREEN" backclr="BLACK"
           backclrhi="TEAL_TAB_SELECT" bdrclr="WHITE" tooltip="Profiles">
      <CLIST height="90"/>
      <CBOX><RECT left="10" top="10" right="160" bottom="24"/></CBOX>
      <COMBOITEMS><COMBOITEM>Profile 1</COMBOITEM><COMBOITEM>Profile 2</COMBOITEM><COMBOITEM>Profile 3</COMBOITEM></COMBOITEMS>
    </COMBO>
    <COMBO name="LIST_GLOBALMACROLIST"><CBOX><RECT left="10" top="40" right="160" bottom="24"/></CBOX></COMBO>
  </LISTLIST>
  <LISTPANELLIST>
    <LISTPANEL name="LISTPANEL_PROFILEOPTIONS" dynamic="0" fontclr="WHITE" backclr="BLACK">
      <RECT left="200" top="10" right="120" bottom="90"/>
      <LISTPANELITEMS><LISTPANELITEM>Rename</LISTPANELITEM><LISTPANELITEM>Delete</LISTPANELITEM>
        <LISTPANELITEM>Export</LISTPANELITEM></LISTPANELITEMS>
    </LISTPANEL>
    <LISTPANEL name="LISTPANEL_MACROOPTIONS_DELAY" backclr="BLACK">
      <RECT right="100" bottom="90"/>
      <VSCROLL bdrwidth="0"><VSBMP_TOP>VT.bmp</VSBMP_TOP><VSBMP_BOT>VT.bmp</VSBMP_BOT><VSBMP_AUP>VA.bmp</VSBMP_AUP>
        <VSBMP_ADN>VA.bmp</VSBMP_ADN><VSBMP_SPN>VS.bmp</VSBMP_SPN><VSBMP_TMB>VM.bmp</VSBMP_TMB></VSCROLL>
    </LISTPANEL>
  </LISTPANELLIST>
  <EDITCTRLLIST>
    <EDITCTRL name="EDITCTRL_POPUP_NAMEENTRY" justify="R" max="12" backclr="BLACK" fontclr="WHITE">
      <RECT left="10" top="150" right="120" bottom="20"/></EDITCTRL>
    <EDITCTRL name="EDITCTRL_POPUP_NUMENTRY" justify="C" bdrwidth="-3">
      <RECT left="10" top="190" right="120" bottom="20"/></EDITCTRL>
    <EDITCTRLSKMMO name="EDITCTRL_POPUP_SINGLEKEYENTRY"><RECT left="200" top="150" right="120" bottom="20"/></EDITCTRLSKMMO>
  </EDITCTRLLIST>
</ITEMLIST>)";

class ListEdit : public SkinOnHost {
protected:
    ListEdit()
        : SkinOnHost(L"gui-listedit", {WM_EDITITEM_CHANGED, WM_GUI_VALUE_PICKED, WM_DROPDOWN_SELCHANGE,
                                       WM_GUI_QUERY_ITEM, WM_LISTPANEL_ITEM_CLICKED}) {}
    void SetUp() override {
        folder.WriteBmp(L"skins\\VT.bmp", 12, 4, [](int, int) { return RGB(60, 60, 60); });
        folder.WriteBmp(L"skins\\VA.bmp", 12, 10, [](int, int) { return RGB(90, 90, 90); });
        folder.WriteBmp(L"skins\\VS.bmp", 12, 1, [](int, int) { return RGB(30, 30, 30); });
        folder.WriteBmp(L"skins\\VM.bmp", 12, 20, [](int, int) { return RGB(0, 160, 80); });
        LoadOntoHost(L"ListEdit.xml", kListEditSkin, 420, 260);
    }
};

TEST_F(ListEdit, TheLoaderBuildsEachWidgetWithItsTypeAndStyle) {
    auto* combo = Item<CDropdownListItem>(LIST_GLOBALPROFILELIST);
    auto* panel = Item<CListPanelItem>(LISTPANEL_PROFILEOPTIONS);
    auto* name = Item<CEditItem>(EDITCTRL_POPUP_NAMEENTRY);
    auto* number = Item<CEditItem>(EDITCTRL_POPUP_NUMENTRY);
    auto* capture = Item<CEditItemSingleKeyInputMMO>(EDITCTRL_POPUP_SINGLEKEYENTRY);
    ASSERT_TRUE(combo && panel && name && number && capture);
    EXPECT_EQ(items.FindById(LIST_GLOBALMACROLIST), nullptr);  // a COMBO without CLIST
    EXPECT_EQ(combo->m_itemType, kItemDropdownList);
    EXPECT_EQ(combo->GetDlgCtrlID(), LIST_GLOBALPROFILELIST);
    EXPECT_EQ(combo->GetCount(), 3);
    EXPECT_EQ(combo->GetDropHeight(), 90);
    EXPECT_EQ(panel->m_itemType, kItemListPanel);
    ASSERT_NE(panel->GetStaticList(), nullptr);
    EXPECT_EQ(panel->GetStaticList()->GetItemCount(), 3);
    EXPECT_EQ(Item<CListPanelItem>(LISTPANEL_MACROOPTIONS_DELAY)->GetStyle().scrollBarWidth, 12);
    EXPECT_EQ(name->m_itemType, kItemEdit);
    EXPECT_EQ(capture->m_itemType, kItemEditSingleKey);
    EXPECT_EQ(name->GetStyle() & ES_CENTER, 0u);  // "R" is left-aligned
    EXPECT_EQ(number->GetStyle() & ES_CENTER, static_cast<DWORD>(ES_CENTER));
    EXPECT_EQ(capture->GetStyle() & ES_CENTER, static_cast<DWORD>(ES_CENTER));
    EXPECT_EQ(name->GetLimitText(), 12u);
    // No border: the edit fills its frame.
    ASSERT_NE(number->GetBorderPanel(), nullptr);
    CRect frame, edit;
    number->GetBorderPanel()->GetClientRect(&frame);
    number->GetClientRect(&edit);
    EXPECT_EQ(number->GetBorderPanel()->GetBorderWidth(), 0);
    EXPECT_EQ(frame.Width(), edit.Width());
    EXPECT_EQ(::GetParent(*name), name->GetBorderPanel()->GetSafeHwnd());
    EXPECT_TRUE(GetRawInputDevices().IsRegistered());
    EXPECT_EQ(GetRawInputDevices().GetTarget(), capture->GetSafeHwnd());
}

TEST_F(ListEdit, AnEditReportsEveryTextChangeToItsOwnerWithItsWindow) {
    auto* name = Item<CEditItem>(EDITCTRL_POPUP_NAMEENTRY);
    ASSERT_NE(name, nullptr);
    name->SetWindowText(L"abc");
    name->SetWindowText(L"abcd");
    PumpUntilIdle(100);
    // One notice per text set, each naming the edit.
    const ExpectedMessage changed = {WM_EDITITEM_CHANGED, kBothParams, 0,
                                     reinterpret_cast<LPARAM>(name->GetSafeHwnd())};
    EXPECT_EQ(host.recorder.Compare({changed, changed}), "");
}

TEST_F(ListEdit, AnEditTellsItsOwnerWhenTheFocusLeavesIt) {
    auto* name = Item<CEditItem>(EDITCTRL_POPUP_NAMEENTRY);
    auto* number = Item<CEditItem>(EDITCTRL_POPUP_NUMENTRY);
    ASSERT_TRUE(name && number);
    // The edit's parent is its frame: the owner hears of it as a command.
    std::vector<std::pair<WPARAM, LPARAM>> left;
    host.onMessage = [&](UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_COMMAND && HIWORD(wParam) == EN_KILLFOCUS)
            left.push_back({wParam, lParam});
    };
    name->SetFocus();
    number->SetFocus();
    PumpUntilIdle(100);
    host.onMessage = nullptr;
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(LOWORD(left[0].first), static_cast<WORD>(EDITCTRL_POPUP_NAMEENTRY));
    EXPECT_EQ(left[0].second, reinterpret_cast<LPARAM>(name->GetSafeHwnd()));
}

TEST_F(ListEdit, TheDigitsModeLetsOnlyDigitsInTheRangeAndTheEditingKeysThrough) {
    auto* number = Item<CEditItem>(EDITCTRL_POPUP_NUMENTRY);
    ASSERT_NE(number, nullptr);
    number->m_numericOnly = true;
    number->m_minValue = 1;
    number->m_maxValue = 500;
    auto message = [&](UINT id, WPARAM wParam) {
        MSG msg = {number->GetSafeHwnd(), id, wParam, 0};
        return number->PreTranslateMessage(&msg) != FALSE;
    };
    EXPECT_TRUE(message(WM_CHAR, L'0'));   // 0 is below 1
    EXPECT_FALSE(message(WM_CHAR, L'4'));
    number->SetWindowText(L"50");
    EXPECT_FALSE(message(WM_CHAR, L'0'));  // 500
    EXPECT_TRUE(message(WM_CHAR, L'1'));   // 501
    EXPECT_TRUE(message(WM_CHAR, L'a'));
    EXPECT_FALSE(message(WM_CHAR, VK_BACK));
    EXPECT_TRUE(message(WM_KEYDOWN, 'A'));
    EXPECT_FALSE(message(WM_KEYDOWN, VK_DELETE));
    EXPECT_TRUE(message(WM_CONTEXTMENU, 0));
    number->m_numericOnly = false;
    EXPECT_FALSE(message(WM_CHAR, L'a'));
}

TEST_F(ListEdit, TheStaticListReportsAClickOnAnEnabledRowWithTheItemsId) {
    auto* panel = Item<CListPanelItem>(LISTPANEL_PROFILEOPTIONS);
    ASSERT_NE(panel, nullptr);
    std::vector<ListPanelEntry> entries = panel->GetEntries();
    entries[1].disabled = 1;
    panel->SetEntries(entries);
    CListPanelStatic* list = panel->GetStaticList();
    ASSERT_NE(list, nullptr);
    list->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, RowPoint(*list, 2));
    list->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, RowPoint(*list, 1));   // disabled
    list->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 85));   // below the rows
    list->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, RowPoint(*list, 0));
    PumpUntilIdle(100);
    // The presses on rows 2 and 0; none for the disabled row or below the rows.
    EXPECT_EQ(host.recorder.Compare({RowClicked(2, LISTPANEL_PROFILEOPTIONS), RowClicked(0, LISTPANEL_PROFILEOPTIONS)}),
              "");
    EXPECT_TRUE(panel->SelectEntry(2));
    EXPECT_EQ(list->GetSelectedRow(), 2);
    EXPECT_TRUE(panel->SelectEntry(-1));
    EXPECT_EQ(list->GetSelectedRow(), -1);
    EXPECT_EQ(panel->GetCurrentText(), CString());
}

TEST_F(ListEdit, APopupReturnsTheEntryClickedAndMinusOneForEveryWayOfChoosingNothing) {
    CListPanelItem item;
    item.SetSize(120, 90);
    item.SetEntries({{L"Copy"}, {L"Paste"}, {L"Delete"}});
    struct Case {
        const char* what;
        std::function<void()> action;
        int expected;
    } cases[] = {
        {"left press on a row", PressRow(2), 2},
        {"right press on a row", PressRow(1, WM_RBUTTONDOWN), -1},
        {"press outside the rows", PressBelowRows(), -1},
        {"focus lost", [] { ::SetFocus(nullptr); }, -1},
    };
    for (const Case& c : cases) {
        ModalScript script({c.action});
        EXPECT_EQ(script.Run([&] { return item.PlaceList(0, &host, 20, 20); }), c.expected) << c.what;
        EXPECT_EQ(script.StepsRun(), 1u) << c.what;
    }
    // A move after the right press marks no row: the popup still ends with
    // nothing chosen.
    ModalScript moved({PressRow(1, WM_RBUTTONDOWN), [] {
                      if (CListPanelList* list = OpenList())
                          list->SendMessage(WM_MOUSEMOVE, 0, RowPoint(*list, 0));
                  }});
    EXPECT_EQ(moved.Run([&] { return item.PlaceList(0, &host, 20, 20); }), -1);
}

TEST_F(ListEdit, AnEmptySubListDisablesItsEntryUntilItHasEntriesAndAChoiceThereIsSelectedInIt) {
    CListPanelItem sub;
    sub.SetSize(80, 60);
    CListPanelItem item;
    item.SetSize(120, 90);
    item.SetEntries({{L"Once"}, {L"Repeat", L"", &sub, 0}});
    bool disabledSeen = false;
    ModalScript empty({[&] {
                      if (CListPanelList* list = OpenList())
                          disabledSeen = list->IsRowDisabled(1);
                  },
                  PressRow(1),  // ignored: the popup stays open
                  PressRow(0, WM_RBUTTONDOWN)});
    EXPECT_EQ(empty.Run([&] { return item.PlaceList(0, &host, 20, 20); }), -1);
    EXPECT_TRUE(disabledSeen);
    EXPECT_EQ(empty.StepsRun(), 3u);

    sub.SetEntries({{L"2"}, {L"3"}});
    bool enabledSeen = false;
    ModalScript filled({[&] {
                       if (CListPanelList* list = OpenList())
                           enabledSeen = !list->IsRowDisabled(1);
                   },
                   PressRow(1),    // opens the sub-list
                   PressRow(1)});  // chosen in the sub-list
    EXPECT_EQ(filled.Run([&] { return item.PlaceList(0, &host, 20, 20); }), 1);
    EXPECT_TRUE(enabledSeen);
    EXPECT_EQ(sub.GetCurrentText(), CString(L"3"));
}

TEST_F(ListEdit, APopupShowsItsScrollBarOnlyForEntriesThatDoNotFit) {
    auto* item = Item<CListPanelItem>(LISTPANEL_MACROOPTIONS_DELAY);
    ASSERT_NE(item, nullptr);
    for (int count : {8, 5}) {
        std::vector<ListPanelEntry> entries;
        for (int i = 0; i < count; ++i)
            entries.push_back({CString(L"Delay ") + CString(std::to_wstring(i).c_str())});
        item->SetEntries(entries);
        bool hasBar = false;
        ModalScript script({[&] {
                           if (CListPanelList* list = OpenList())
                               hasBar = list->GetScrollBar() != nullptr;
                       },
                       PressRow(0, WM_RBUTTONDOWN)});
        script.Run([&] { return item->PlaceList(0, &host, 20, 20); });
        EXPECT_EQ(hasBar, count == 8) << count;
    }
}

TEST_F(ListEdit, TheDropDownAsksItsParentThenReportsTheChoiceWithItsWindow) {
    auto* combo = Item<CDropdownListItem>(LIST_GLOBALPROFILELIST);
    ASSERT_NE(combo, nullptr);
    bool openSeen = false;
    ModalScript choose({[&] { openSeen = combo->IsOpen(); }, PressRow(1)});
    choose.Run([&] { return static_cast<int>(combo->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5))); });
    PumpUntilIdle(100);
    EXPECT_TRUE(openSeen);
    EXPECT_FALSE(combo->IsOpen());
    EXPECT_EQ(host.recorder.Compare(DropDownChoiceMessages(*combo, 1)), "");
    EXPECT_EQ(combo->GetCurrentText(), CString(L"Profile 2"));
    EXPECT_EQ(combo->GetSelectedIndex(), 1);

    host.recorder.Clear();
    ModalScript cancel({PressRow(2, WM_RBUTTONDOWN)});
    cancel.Run([&] { return static_cast<int>(combo->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5))); });
    PumpUntilIdle(100);
    // Closed with the right button: the query alone, no choice.
    EXPECT_EQ(host.recorder.Compare({DropDownQuery(*combo)}), "");
    EXPECT_EQ(combo->GetSelectedIndex(), 1);

    // Disabled, or locked while its choice must not change: a click opens
    // nothing and tells nothing, and a locked box keeps its choice.
    for (bool locked : {false, true}) {
        host.recorder.Clear();
        combo->SetDisabled(!locked);
        combo->SetLocked(locked);
        ModalScript none({});
        none.Run([&] { return static_cast<int>(combo->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5))); });
        PumpUntilIdle(100);
        EXPECT_EQ(host.recorder.Compare({}), "") << (locked ? "locked" : "disabled");
        EXPECT_EQ(none.StepsRun(), 0u);
        EXPECT_EQ(combo->GetSelectedIndex(), 1);
    }
    combo->SetLocked(false);
    // Nothing chosen: no text, no index, the entries kept.
    combo->ClearSelection();
    EXPECT_EQ(combo->GetSelectedIndex(), -1);
    EXPECT_TRUE(combo->ShownText().IsEmpty());
    EXPECT_EQ(combo->GetCount(), 3);
}

// A key pressed in the popup list that has the focus, through the popup's
// own loop (so its dialog filter sees it as it sees the keyboard's).
std::function<void()> PressKey(UINT key) {
    return [key] { ::PostMessageW(::GetFocus(), WM_KEYDOWN, key, 1); };
}

TEST_F(ListEdit, TheDropDownListFitsItsEntriesOpensOnTheChoiceAndAnswersTheKeys) {
    auto* combo = Item<CDropdownListItem>(LIST_GLOBALPROFILELIST);
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(combo->GetCount(), 3);
    const struct {
        const char* what;
        int current;
        std::vector<UINT> keys;
        int chosen;  // -1: nothing chosen, the current entry stays
    } cases[] = {
        {"Enter keeps the choice", 2, {VK_RETURN}, 2},
        {"Down and Enter take the next entry", 0, {VK_DOWN, VK_RETURN}, 1},
        {"Up stops at the first entry", 0, {VK_UP, VK_UP, VK_RETURN}, 0},
        {"Escape chooses nothing", 1, {VK_DOWN, VK_ESCAPE}, -1},
    };
    for (const auto& c : cases) {
        combo->Select(c.current, nullptr);
        host.recorder.Clear();
        CRect shown;
        std::vector<std::function<void()>> steps = {[&] {
            if (CListPanelList* list = OpenList())
                ::GetWindowRect(::GetParent(list->GetSafeHwnd()), &shown);
        }};
        for (UINT key : c.keys)
            steps.push_back(PressKey(key));
        ModalScript script(steps);
        script.Run([&] { return static_cast<int>(combo->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5))); });
        PumpUntilIdle(100);
        // Three rows of 18 and the border line under them: the room of 90
        // the skin gives is the most the list may take.
        EXPECT_EQ(shown.Height(), 3 * 18 + 1) << c.what;
        if (c.chosen >= 0)
            EXPECT_EQ(host.recorder.Count(WM_DROPDOWN_SELCHANGE), 1u) << c.what;
        else
            EXPECT_EQ(host.recorder.Count(WM_DROPDOWN_SELCHANGE), 0u) << c.what;
        EXPECT_EQ(combo->GetSelectedIndex(), c.chosen >= 0 ? c.chosen : c.current) << c.what;
    }
}

void SendKey(WORD vk, WORD scan, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = scan;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

TEST_F(ListEdit, TheCaptureEditFollowsRealKeysAndNotifiesEachStepThatShowsText) {
    auto* capture = Item<CEditItemSingleKeyInputMMO>(EDITCTRL_POPUP_SINGLEKEYENTRY);
    ASSERT_NE(capture, nullptr);
    std::vector<int> masks;
    std::vector<CString> texts;
    host.onMessage = [&](UINT message, WPARAM, LPARAM) {
        if (message == WM_GUI_VALUE_PICKED) {
            masks.push_back(capture->m_modifierMask);
            CString text;
            capture->GetWindowText(text);
            texts.push_back(text);
        }
    };
    SendKey(VK_CONTROL, 0x1D, false);
    SendKey('A', 0x1E, false);
    SendKey('A', 0x1E, true);
    EXPECT_TRUE(PumpUntil([&] { return host.recorder.Count(WM_GUI_VALUE_PICKED) >= 3; }, 3000));
    SendKey(VK_CONTROL, 0x1D, true);
    PumpUntilIdle(200);
    host.onMessage = nullptr;
    // Ctrl down, A down, A up: each step that shows text is one notice naming the edit.
    const ExpectedMessage picked = {WM_GUI_VALUE_PICKED, kBothParams, 0,
                                    reinterpret_cast<LPARAM>(capture->GetSafeHwnd())};
    MessageRecorder only({WM_GUI_VALUE_PICKED});
    for (const RecordedMessage& m : host.recorder.Log())
        only.Record(m.hwnd, m.message, m.wParam, m.lParam);
    EXPECT_EQ(only.Compare({picked, picked, picked}), "");
    EXPECT_EQ(masks, (std::vector<int>{4, 4, 4}));
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_TRUE(texts[0].IsEmpty());
    EXPECT_FALSE(texts[1].IsEmpty());
    EXPECT_EQ(texts[2], texts[1]);
    EXPECT_EQ(capture->m_modifierMask, 0);  // Ctrl released: its bit cleared
    EXPECT_EQ(capture->m_capturedScanCode, 0x1E);
    EXPECT_EQ(capture->m_capturedVirtualKey, 'A');
}

// The rows of a screen rectangle where a light pixel shows (text drawn
// light on dark), as the first and last; -1 when none does.
std::pair<int, int> LightRows(const RECT& r) {
    const std::vector<uint32_t> pixels = ScreenPixels(r);
    const int width = r.right - r.left;
    int first = -1, last = -1;
    for (int y = 0; width > 0 && y < static_cast<int>(pixels.size()) / width; ++y)
        for (int x = 0; x < width; ++x) {
            const uint32_t p = pixels[static_cast<size_t>(y * width + x)];
            if (((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF) > 3 * 128) {
                if (first < 0)
                    first = y;
                last = y;
                break;
            }
        }
    return {first, last};
}

TEST_F(ListEdit, TheEditsShowTheirTextInTheMiddleOfTheirFrame) {
    const char* elements[] = {
        R"(<EDITCTRL name="EDITCTRL_POPUP_NUMENTRY" fontid="FONT_ARIAL12" fontclr="WHITE" backclr="BLACK"
             bdrclr="BLACK" justify="C"><RECT left="240" top="190" right="150" bottom="30"/></EDITCTRL>)",
        R"(<EDITCTRLSKMMO name="EDITCTRL_POPUP_SINGLEKEYENTRY" fontid="FONT_ARIAL12" fontclr="WHITE"
             backclr="BLACK" bdrclr="BLACK"><RECT left="240" top="190" right="150" bottom="30"/></EDITCTRLSKMMO>)",
    };
    for (const char* element : elements) {
        pugi::xml_document doc;
        ASSERT_TRUE(doc.load_string(element));
        std::unique_ptr<CEditItem> edit(std::string(doc.first_child().name()) == "EDITCTRL"
                                            ? CEditItem::CreateFromElement(doc.first_child(), &host, items)
                                            : CEditItemSingleKeyInputMMO::CreateFromElement(doc.first_child(), &host,
                                                                                            items));
        ASSERT_NE(edit, nullptr) << element;
        edit->SetWindowText(L"88");
        ::HideCaret(edit->GetSafeHwnd());
        PumpUntilIdle(100);
        RECT frame;
        edit->GetBorderPanel()->GetWindowRect(&frame);
        ::InflateRect(&frame, -1, -1);
        const auto rows = LightRows(frame);
        ASSERT_GE(rows.first, 0) << "no text shows: " << doc.first_child().name();
        const int above = rows.first, below = (frame.bottom - frame.top - 1) - rows.second;
        EXPECT_LE(std::abs(above - below), 4)
            << doc.first_child().name() << ": " << above << " rows above the text, " << below << " below";
        EXPECT_TRUE(SaveWindowScreenshot(host, ArtifactPath(std::wstring(L"edit-text-middle-") +
                                                             (edit->m_itemType == kItemEdit ? L"edit" : L"capture") +
                                                             L".png")));
    }
}

TEST_F(ListEdit, ASecondKeyEditLeavesTheFirstEditsRegistrationInPlace) {
    auto* capture = Item<CEditItemSingleKeyInputMMO>(EDITCTRL_POPUP_SINGLEKEYENTRY);
    ASSERT_NE(capture, nullptr);
    pugi::xml_document doc;
    doc.load_string(R"(<EDITCTRLSK name="EDITCTRL_DELAY"><RECT left="10" top="220" right="80" bottom="20"/></EDITCTRLSK>)");
    std::unique_ptr<CEditItemSingleKeyInput> second(
        CEditItemSingleKeyInput::CreateFromElement(doc.first_child(), &host, items));
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(GetRawInputDevices().GetTarget(), capture->GetSafeHwnd());
    second.reset();
    EXPECT_TRUE(GetRawInputDevices().IsRegistered());
    EXPECT_EQ(GetRawInputDevices().GetTarget(), capture->GetSafeHwnd());
    SendKey(VK_SHIFT, 0x2A, false);
    SendKey(VK_SHIFT, 0x2A, true);
    EXPECT_TRUE(PumpUntil([&] { return host.recorder.Count(WM_GUI_VALUE_PICKED) >= 2; }, 3000));
}

using ListEditTestPage = DistSkin;

TEST_F(ListEditTestPage, TheDefaultSkinsPageShowsADropDownAnEditAndAList) {
    {
        TestPage page(L"ListEditTestPanel.xml");
        ASSERT_TRUE(page.Open());
        auto* combo = dynamic_cast<CDropdownListItem*>(page.GetItems().FindById(LIST_GLOBALPROFILELIST));
        auto* edit = dynamic_cast<CEditItem*>(page.GetItems().FindById(EDITCTRL_POPUP_NAMEENTRY));
        auto* panel = dynamic_cast<CListPanelItem*>(page.GetItems().FindById(LISTPANEL_PROFILEOPTIONS));
        ASSERT_TRUE(combo && edit && panel);
        ASSERT_NE(panel->GetStaticList(), nullptr);
        EXPECT_EQ(combo->Select(0, nullptr), 1);
        edit->SetWindowText(L"Gaming profile");
        panel->SelectEntry(1);
        PumpUntilIdle();
        EXPECT_TRUE(SaveWindowScreenshot(page, ArtifactPath(L"ListEditTestPanel.png")));
        bool saved = false;
        ModalScript open({[&] { saved = SaveScreenshot(ArtifactPath(L"ListEditTestPanelOpen.png")); },
                     PressRow(0, WM_RBUTTONDOWN)});
        open.Run([&] { return static_cast<int>(combo->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5))); });
        EXPECT_TRUE(saved);
        page.DestroyWindow();
    }
}

}  // namespace

// The rules of the list panels, the drop-down, the edits, the key capture
// and the raw-input registry that need no window: row order, cascading
// entries, popup geometry, entry bookkeeping, the digits filter, the
// capture machine and the registration's ownership.

#include "gui/widgets/CDropdownListItem.h"
#include "gui/widgets/CEditItem.h"
#include "gui/widgets/CEditItemSingleKeyInput.h"
#include "gui/widgets/CEditItemSingleKeyInputMMO.h"
#include "gui/core/CGUIItems.h"
#include "gui/widgets/CListPanel.h"
#include "gui/widgets/CListPanelItem.h"
#include "gui/core/CRawInputDevices.h"
#include "gui/widgets/ListPanelEntry.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

ListPanelEntry Entry(const wchar_t* text, CListPanelItem* sub = nullptr, int disabled = 0) {
    return ListPanelEntry{text, L"", sub, disabled};
}

std::unique_ptr<CListPanelItem> LoadListPanel(const char* xml, CGUIItems& items) {
    pugi::xml_document doc;
    EXPECT_TRUE(doc.load_string(xml));
    return std::unique_ptr<CListPanelItem>(CListPanelItem::CreateFromElement(doc.first_child(), nullptr, items));
}

TEST(ListPanelRows, SortedRowsIgnoreCaseAndKeepEqualTextsInOrder) {
    const std::vector<ListPanelEntry> entries = {Entry(L"delta"), Entry(L"Alpha"), Entry(L"charlie"),
                                                 Entry(L"alpha"), Entry(L"Bravo")};
    EXPECT_EQ(ListRowOrder(entries, false), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(ListRowOrder(entries, true), (std::vector<int>{1, 3, 4, 2, 0}));
}

TEST(ListPanelRows, ACascadingEntryIsDisabledOnlyWhileItsSubListIsEmptyAndTheOwnersEntriesStayAsTheyWere) {
    CListPanelItem sub;
    const std::vector<ListPanelEntry> owner = {Entry(L"plain"), Entry(L"more", &sub), Entry(L"off", nullptr, 1)};

    std::vector<ListPanelEntry> firstOpen = owner;
    CListPanel::MarkCascadeStates(firstOpen);
    EXPECT_EQ(firstOpen[1].disabled, 1);
    EXPECT_EQ(firstOpen[0].disabled, 0);
    EXPECT_EQ(firstOpen[2].disabled, 1);  // the owner's own flag stands

    sub.SetEntries({Entry(L"one")});
    std::vector<ListPanelEntry> secondOpen = owner;
    CListPanel::MarkCascadeStates(secondOpen);
    EXPECT_EQ(secondOpen[1].disabled, 0);  // filled since: enabled again
    EXPECT_EQ(owner[1].disabled, 0);
}

TEST(ListPanelGeometry, APopupWantsAScrollBarOnlyForEnoughEntriesThatDoNotFit) {
    struct Case {
        int height, count, barWidth;
        bool wanted;
    } cases[] = {
        {90, 8, 12, true},    // room for 5 rows, 8 entries
        {90, 5, 12, false},   // they fit
        {90, 8, 0, false},    // the skin gives no bar
        {90, 6, 12, true},
        {36, 5, 12, false},   // do not fit, but too few for a bar
        {0, 6, 12, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CListPanelList::NeedsScrollBar(c.height, c.count, c.barWidth), c.wanted)
            << c.height << " " << c.count << " " << c.barWidth;
    EXPECT_EQ(CListPanelList::SubListHeight(18, 3, 1), 56);
    EXPECT_EQ(CListPanelList::SubListHeight(18, 9, 2), 94);  // at most five rows
    EXPECT_EQ(CListPanel::ListRect(CRect(0, 0, 100, 60), 2, false), CRect(2, 2, 98, 58));
    EXPECT_EQ(CListPanel::ListRect(CRect(0, 0, 100, 60), 2, true), CRect(2, 0, 98, 58));
}

TEST(ListPanelItems, TheElementIsReadWithItsRulesForSortingMarginsAndBorder) {
    CGUIItems items;
    auto sorted = LoadListPanel(R"(<LISTPANEL name="LISTPANEL_PROFILEOPTIONS" sorted="yes" lmargin="500"
        rmargin="-4" bdrwidth="-2" fontclr="WHITE">
        <RECT left="10" top="20" right="120" bottom="90"/>
        <LISTPANELITEMS><LISTPANELITEM tooltip="Tip">One</LISTPANELITEM><LISTPANELITEM/></LISTPANELITEMS>
      </LISTPANEL>)", items);
    ASSERT_NE(sorted, nullptr);
    EXPECT_EQ(sorted->m_itemType, kItemListPanel);
    EXPECT_TRUE(sorted->IsSorted());
    EXPECT_EQ(sorted->GetStyle().leftMargin, 0);   // wider than the item: none
    EXPECT_EQ(sorted->GetStyle().rightMargin, 0);
    EXPECT_EQ(sorted->GetStyle().borderWidth, 0);
    EXPECT_EQ(sorted->GetStyle().fontColour, 0xFFFFFFu);
    EXPECT_EQ(sorted->GetWidth(), 120);
    EXPECT_EQ(sorted->GetHeight(), 90);
    ASSERT_EQ(sorted->GetCount(), 2);
    EXPECT_EQ(sorted->GetEntries()[0].tooltip, CString(L"Tip"));
    EXPECT_EQ(sorted->GetEntryText(1), CString(L""));
    EXPECT_EQ(sorted->GetStaticList(), nullptr);  // dynamic unless told otherwise

    auto unsorted = LoadListPanel(R"(<LISTPANEL name="LISTPANEL_MACROOPTIONS_DELAY" sorted="no" lmargin="6">
        <RECT right="40" bottom="40"/></LISTPANEL>)", items);
    ASSERT_NE(unsorted, nullptr);
    EXPECT_FALSE(unsorted->IsSorted());
    EXPECT_EQ(unsorted->GetStyle().leftMargin, 6);
    EXPECT_EQ(LoadListPanel(R"(<LISTPANEL name="NO_SUCH_ID"><RECT right="4" bottom="4"/></LISTPANEL>)", items),
              nullptr);
}

TEST(ListPanelItems, OutOfRangeIndexesGiveEmptyTextsMinusOneOrFalse) {
    CListPanelItem item;
    item.SetEntries({Entry(L"a"), Entry(L"b")});
    EXPECT_EQ(item.GetEntryText(2), CString());
    EXPECT_EQ(item.GetEntryText(-1), CString());
    EXPECT_EQ(item.FindEntry(L"b"), 1);
    EXPECT_EQ(item.FindEntry(L"c"), -1);
    EXPECT_EQ(item.FindCurrentEntry(), -1);
    EXPECT_FALSE(item.SelectEntry(2));
    EXPECT_FALSE(item.SelectEntry(-1));  // no static list to clear
    EXPECT_TRUE(item.SelectEntry(1));
    EXPECT_EQ(item.GetCurrentText(), CString(L"b"));
    EXPECT_EQ(item.FindCurrentEntry(), 1);
}

TEST(ListPanelItems, APopupOfHeightZeroTakesTheItemsHeight) {
    CListPanelItem item;
    item.SetSize(100, 72);
    EXPECT_EQ(item.PopupRect(0, nullptr, 5, 7), CRect(5, 7, 105, 79));
    EXPECT_EQ(item.PopupRect(40, nullptr, 5, 7), CRect(5, 7, 105, 47));
}

TEST(DropdownEntries, InsertingPastTheEndOrBeforeZeroIsRefused) {
    CDropdownListItem box;
    EXPECT_EQ(box.AddEntry(L"a"), 0);
    EXPECT_EQ(box.AddEntry(L"c"), 1);
    struct Case {
        int index;
        bool accepted;
    } cases[] = {{-1, false}, {3, false}, {100, false}, {1, true}, {3, true}, {0, true}};
    for (const Case& c : cases)
        EXPECT_EQ(box.InsertEntry(c.index, L"x"), c.accepted) << c.index;
    ASSERT_EQ(box.GetCount(), 5);
    EXPECT_EQ(box.GetEntryText(0), CString(L"x"));
    EXPECT_EQ(box.GetEntryText(1), CString(L"a"));
    EXPECT_EQ(box.GetEntryText(2), CString(L"x"));
    EXPECT_EQ(box.GetEntryText(4), CString(L"x"));
    EXPECT_EQ(box.GetEntryText(5), CString());
}

TEST(DropdownEntries, SelectionFollowsTheCurrentTextAndAnEmptyTextSelectsNothing) {
    CDropdownListItem box;
    box.AddEntry(L"");
    box.AddEntry(L"Profile 1");
    EXPECT_EQ(box.GetSelectedIndex(), -1);  // even though entry 0 is empty
    EXPECT_EQ(box.Select(2, nullptr), 0);
    EXPECT_EQ(box.Select(-1, nullptr), 0);
    EXPECT_EQ(box.Select(1, L"x"), 1);
    EXPECT_EQ(box.GetSelectedIndex(), 1);
    EXPECT_EQ(box.GetValueText(), CString(L"x"));
    EXPECT_EQ(box.ShownText(), CString(L"Profile 1: x"));
    EXPECT_EQ(box.Select(1, nullptr), 1);
    EXPECT_EQ(box.GetValueText(), CString());
    EXPECT_EQ(box.FindEntry({CDropdownListItem::kFindByText, L"Profile 1"}), 1);
    EXPECT_EQ(box.FindEntry({0, L"Profile 1"}), -1);  // only a search by text
}

TEST(DropdownEntries, AChoiceThroughASubListWithoutACurrentEntryChangesNothing) {
    CDropdownListItem box;
    box.AddEntry(L"Plain");
    box.AddEntry(L"Repeat");
    CListPanelItem sub;
    sub.SetEntries({Entry(L"2"), Entry(L"3")});
    ASSERT_TRUE(box.SetLinkedItem(1, &sub));
    EXPECT_FALSE(box.SetLinkedItem(2, &sub));
    EXPECT_FALSE(box.ApplyChoice(1));
    EXPECT_EQ(box.GetCurrentText(), CString());
    EXPECT_FALSE(box.ApplyChoice(-1));
    ASSERT_TRUE(sub.SelectEntry(1));
    EXPECT_TRUE(box.ApplyChoice(1));
    EXPECT_EQ(box.GetCurrentText(), CString(L"Repeat"));
    EXPECT_EQ(box.GetValueText(), CString(L"3"));
    EXPECT_EQ(box.PopupEntries()[1].subList, &sub);
}

TEST(DropdownGeometry, TheDropHangsUnderTheBoxAndFallsBackToTheBoxHeight) {
    const CRect box(10, 20, 110, 44);
    EXPECT_EQ(CDropdownListItem::DropRect(box, 90), CRect(10, 44, 110, 134));
    EXPECT_EQ(CDropdownListItem::DropRect(box, 0), CRect(10, 44, 110, 68));
    const CRect client(0, 0, 100, 24);
    EXPECT_EQ(CDropdownListItem::BorderRect(client, 1), CRect(0, 0, 100, 24));
    EXPECT_EQ(CDropdownListItem::BorderRect(client, 2), CRect(1, 1, 100, 24));  // one wider and higher
    EXPECT_EQ(CDropdownListItem::BorderRect(client, 3), CRect(1, 1, 99, 23));
}

TEST(DropdownGeometry, AListEndsUnderItsLastRowAndNeverGrowsPastItsRoom) {
    const CRect room(10, 44, 110, 134);  // 90 high
    const struct {
        int entries;
        int frame;
        int height;
    } cases[] = {
        {2, 1, 37},  // two rows and the line under them
        {0, 1, 19},  // an empty list keeps one row
        {3, 2, 56},  // a frame above and below
        {5, 1, 90},  // 91 needed: the room is all there is
        {9, 1, 90},
    };
    for (const auto& c : cases) {
        const CRect fitted = CListPanel::FitToEntries(room, c.entries, 18, c.frame);
        EXPECT_EQ(fitted.Height(), c.height) << c.entries << " entries";
        EXPECT_TRUE(fitted.left == room.left && fitted.top == room.top && fitted.right == room.right)
            << c.entries << " entries: the list moved";
    }
}

TEST(DigitsFilter, TheAppendedDigitIsJudgedAgainstTheRangeWithoutWrapping) {
    struct Case {
        const wchar_t* text;
        wchar_t digit;
        uint32_t min, max;
        bool accepted;
    } cases[] = {
        {L"", L'0', 1, 0xFFFFFFFF, false},           // below the minimum
        {L"1", L'0', 1, 0xFFFFFFFF, true},           // 10
        {L"1", L'0', 1, 9, false},
        {L"12", L'5', 0, 124, false},                // judged as 125
        {L"12", L'5', 0, 125, true},
        {L"429496729", L'5', 0, 0xFFFFFFFF, true},   // exactly the largest value
        {L"429496729", L'6', 0, 0xFFFFFFFF, false},  // one past: would wrap to 0
        {L"4294967295", L'0', 0, 0xFFFFFFFF, false}, // would wrap into the range
        {L"99999999999999999999", L'1', 0, 0xFFFFFFFF, false},
        {L"5", L'x', 0, 0xFFFFFFFF, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CEditItem::AcceptsDigit(c.text, c.digit, c.min, c.max), c.accepted)
            << CString(c.text).ToUtf8() << " + " << static_cast<char>(c.digit);
    for (UINT key : {UINT(VK_BACK), UINT(VK_LEFT), UINT(VK_RIGHT), UINT(VK_DELETE), UINT(0x30), UINT(0x39), UINT(VK_NUMPAD0), UINT(VK_NUMPAD9)})
        EXPECT_TRUE(CEditItem::IsDigitModeKey(key)) << key;
    for (UINT key : {UINT('A'), UINT(VK_SPACE), UINT(VK_HOME), UINT(VK_OEM_MINUS)})
        EXPECT_FALSE(CEditItem::IsDigitModeKey(key)) << key;
}

// The capture machine fed key events by scan code, at given seconds.
class Capture : public ::testing::Test {
protected:
    bool Key(bool up, uint16_t scan, const wchar_t* name = L"", bool extended = false) {
        edit.m_keyStroke.name = name;
        edit.m_keyStroke.virtualKey = scan + 0x100u;
        edit.m_keyStroke.flags = extended ? KeyStroke::kExtended : 0;
        return edit.RunCaptureStep(up, scan, now);
    }
    static constexpr uint16_t kCtrl = 0x1D, kShift = 0x2A, kA = 0x1E, kRight = 0x4D;
    CEditItemSingleKeyInputMMO edit;
    int64_t now = 1000000;
};

TEST_F(Capture, CtrlAndAGiveThreeNotificationsAndReleasingCtrlClearsItsBitSilently) {
    struct Step {
        bool up;
        uint16_t scan;
        bool shown;
        const wchar_t* text;
        uint8_t mask;
    } steps[] = {
        {false, kCtrl, true, L"", 4},
        {false, kA, true, L"A", 4},
        {true, kA, true, L"A", 4},
        {true, kCtrl, false, L"A", 0},
    };
    for (const Step& s : steps) {
        EXPECT_EQ(Key(s.up, s.scan, L"A"), s.shown);
        EXPECT_EQ(edit.m_captureText, CString(s.text));
        EXPECT_EQ(edit.m_modifierMask, s.mask);
    }
    EXPECT_EQ(edit.m_capturedScanCode, kA);
    EXPECT_EQ(edit.m_captureState, CEditItemSingleKeyInputMMO::kDone);
}

TEST_F(Capture, AModifierAloneNotifiesTwiceWithItsBitAndNoKey) {
    now += 100;
    EXPECT_TRUE(Key(false, kShift));
    EXPECT_EQ(edit.m_modifierMask, 8);
    EXPECT_TRUE(Key(true, kShift));
    EXPECT_EQ(edit.m_capturedScanCode, 0);
    EXPECT_EQ(edit.m_modifierMask, 0);  // cleared after the step
}

TEST_F(Capture, InTheDoneStateEventsUpToTheLastQuietSecondAreIgnoredAndLaterOnesStartAgain) {
    now += 200;
    Key(false, kA, L"A");  // also sets the shared clock when first
    Key(true, kA, L"A");
    ASSERT_EQ(edit.m_captureState, CEditItemSingleKeyInputMMO::kDone);
    // Earlier than the clock: ignored, and the clock moves to that second.
    now = 10;
    EXPECT_FALSE(Key(false, kRight, L"Right"));
    EXPECT_EQ(edit.m_captureText, CString(L"A"));
    EXPECT_FALSE(Key(true, kRight, L"Right"));  // the same second: ignored too
    now = 11;
    EXPECT_TRUE(Key(false, kRight, L"Right", true));
    EXPECT_EQ(edit.m_captureText, CString(L"Right"));
    EXPECT_EQ(edit.m_capturedScanCode, kRight);
}

TEST_F(Capture, EachCapturedKeySetsOrClearsTheExtendedBit) {
    now += 300;
    EXPECT_TRUE(Key(false, kRight, L"Right", true));
    EXPECT_EQ(edit.m_modifierMask, 1);
    EXPECT_TRUE(Key(true, kRight, L"Right", true));
    now += 2;
    EXPECT_TRUE(Key(false, kA, L"A", false));
    EXPECT_EQ(edit.m_modifierMask, 0);  // a plain key after an extended one
    EXPECT_EQ(edit.m_capturedVirtualKey, kA + 0x100);
}

// What the owner reads at the last step of a chord: the modifiers held
// when the key went down, however fast and in whatever order the keys came
// up; m_modifierMask, the modifiers held now, is empty by then.
TEST_F(Capture, AChordKeepsTheModifiersHeldWhenItsKeyWentDown) {
    struct Event {
        bool up;
        uint16_t scan;
    };
    const struct {
        const char* what;
        std::vector<Event> events;
        uint8_t modifiers;
    } cases[] = {
        {"released after the key", {{false, kCtrl}, {false, kShift}, {false, kA}, {true, kA}, {true, kShift}, {true, kCtrl}}, 12},
        {"released before the key", {{false, kCtrl}, {false, kShift}, {false, kA}, {true, kCtrl}, {true, kShift}, {true, kA}}, 12},
        {"one released before, one after", {{false, kShift}, {false, kCtrl}, {false, kA}, {true, kShift}, {true, kA}, {true, kCtrl}}, 12},
        {"a modifier pressed after the key", {{false, kCtrl}, {false, kA}, {false, kShift}, {true, kCtrl}, {true, kA}, {true, kShift}}, 4},
        {"modifiers alone", {{false, kCtrl}, {false, kShift}, {true, kShift}, {true, kCtrl}}, 12},
    };
    for (const auto& c : cases) {
        CEditItemSingleKeyInputMMO fresh;
        now += 10;  // a new capture, well after the last one went quiet
        uint8_t atLastNotice = 0xFF;
        for (const Event& e : c.events) {
            fresh.m_keyStroke.name = L"A";
            fresh.m_keyStroke.virtualKey = e.scan + 0x100u;
            fresh.m_keyStroke.flags = 0;
            if (fresh.RunCaptureStep(e.up, e.scan, now))
                atLastNotice = fresh.m_capturedModifiers;
        }
        EXPECT_EQ(atLastNotice, c.modifiers) << c.what;
        EXPECT_EQ(fresh.m_modifierMask, 0) << c.what << ": a released modifier is still held";
    }
}

TEST(CaptureEvents, TheFakeShiftAndThePausePrefixAreDropped) {
    EXPECT_TRUE(CEditItemSingleKeyInputMMO::IsSequencePrefix(0xFF, 0x2A));
    EXPECT_TRUE(CEditItemSingleKeyInputMMO::IsSequencePrefix(VK_PAUSE, 0x1D));
    EXPECT_FALSE(CEditItemSingleKeyInputMMO::IsSequencePrefix(VK_SHIFT, 0x2A));
    EXPECT_FALSE(CEditItemSingleKeyInputMMO::IsSequencePrefix(VK_CONTROL, 0x1D));
    EXPECT_EQ(CEditItemSingleKeyInputMMO::ModifierBit(0x36), 8);
    EXPECT_EQ(CEditItemSingleKeyInputMMO::ModifierBit(0x38), 2);
    EXPECT_EQ(CEditItemSingleKeyInputMMO::ModifierBit(0x1E), 0);
    MSG repeat = {nullptr, WM_KEYDOWN, 'A', 0x40000000};
    MSG home = {nullptr, WM_KEYDOWN, VK_HOME, 0};
    MSG homeUp = {nullptr, WM_KEYUP, VK_HOME, 0};
    MSG letter = {nullptr, WM_KEYDOWN, 'A', 0};
    EXPECT_TRUE(CEditItemSingleKeyInput::IsIgnoredKeyMessage(repeat));
    EXPECT_TRUE(CEditItemSingleKeyInput::IsIgnoredKeyMessage(home));
    EXPECT_FALSE(CEditItemSingleKeyInput::IsIgnoredKeyMessage(homeUp));
    EXPECT_FALSE(CEditItemSingleKeyInput::IsIgnoredKeyMessage(letter));
}

// A stand-in for the system's registration call that records each call.
struct RegisterCall {
    std::vector<RAWINPUTDEVICE> devices;
    UINT size;
};
std::vector<RegisterCall> g_calls;
BOOL g_answer = TRUE;

BOOL WINAPI FakeRegister(PCRAWINPUTDEVICE devices, UINT count, UINT size) {
    g_calls.push_back(RegisterCall{std::vector<RAWINPUTDEVICE>(devices, devices + count), size});
    return g_answer;
}

class RawInput : public ::testing::Test {
protected:
    void SetUp() override {
        g_calls.clear();
        g_answer = TRUE;
    }
    HWND first = reinterpret_cast<HWND>(0x1000);
    HWND second = reinterpret_cast<HWND>(0x2000);
};

TEST_F(RawInput, RegistrationUsesThisBuildsRecordSizeAndTheFlagsOfEachUsage) {
    CRawInputDevices devices(FakeRegister);
    EXPECT_FALSE(devices.RegisterAll(first));  // nothing to register
    EXPECT_TRUE(devices.AddUsage(CRawInputDevices::kUsageKeyboard));
    EXPECT_FALSE(devices.AddUsage(CRawInputDevices::kUsageKeyboard));
    EXPECT_TRUE(devices.AddUsage(CRawInputDevices::kUsageMouse));
    EXPECT_FALSE(devices.RegisterAll(nullptr));
    ASSERT_TRUE(devices.RegisterAll(first));
    ASSERT_EQ(g_calls.size(), 1u);
    EXPECT_EQ(g_calls[0].size, sizeof(RAWINPUTDEVICE));
    ASSERT_EQ(g_calls[0].devices.size(), 2u);
    EXPECT_EQ(g_calls[0].devices[0].usUsagePage, 1);
    EXPECT_EQ(g_calls[0].devices[0].usUsage, CRawInputDevices::kUsageKeyboard);  // in the order added
    EXPECT_EQ(g_calls[0].devices[1].usUsage, CRawInputDevices::kUsageMouse);
    EXPECT_EQ(g_calls[0].devices[0].dwFlags, static_cast<DWORD>(RIDEV_INPUTSINK | RIDEV_NOLEGACY));
    EXPECT_EQ(g_calls[0].devices[1].dwFlags, static_cast<DWORD>(RIDEV_INPUTSINK));
    EXPECT_EQ(g_calls[0].devices[1].hwndTarget, first);
    EXPECT_FALSE(devices.RegisterAll(second));  // one registration at a time
}

TEST_F(RawInput, AFailedRegistrationLeavesNothingBehindSoALaterClientCanRegister) {
    CRawInputDevices devices(FakeRegister);
    devices.AddUsage(CRawInputDevices::kUsageKeyboard);
    g_answer = FALSE;
    EXPECT_FALSE(devices.RegisterAll(first));
    EXPECT_FALSE(devices.IsRegistered());
    EXPECT_FALSE(devices.UnregisterAll(first));  // nothing to undo
    g_answer = TRUE;
    EXPECT_TRUE(devices.RegisterAll(second));
    EXPECT_EQ(devices.GetTarget(), second);
    EXPECT_EQ(g_calls.size(), 2u);
}

TEST_F(RawInput, OnlyTheClientThatRegisteredCanUnregisterAndOnlyWhatWasRegistered) {
    CRawInputDevices devices(FakeRegister);
    devices.AddUsage(CRawInputDevices::kUsageKeyboard);
    ASSERT_TRUE(devices.RegisterAll(first));
    devices.AddUsage(CRawInputDevices::kUsageMouse);  // added after: not registered
    EXPECT_FALSE(devices.UnregisterAll(second));
    EXPECT_TRUE(devices.IsRegistered());
    EXPECT_EQ(g_calls.size(), 1u);
    EXPECT_TRUE(devices.UnregisterAll(first));
    ASSERT_EQ(g_calls.size(), 2u);
    ASSERT_EQ(g_calls[1].devices.size(), 1u);
    EXPECT_EQ(g_calls[1].devices[0].dwFlags, static_cast<DWORD>(RIDEV_REMOVE));
    EXPECT_EQ(g_calls[1].devices[0].hwndTarget, nullptr);
    EXPECT_FALSE(devices.IsRegistered());
    EXPECT_TRUE(devices.GetUsages().empty());
}

TEST(RawKeyboardRecords, ShortOrForeignRecordsAreRefused) {
    std::vector<BYTE> data(sizeof(RAWINPUTHEADER) + sizeof(RAWKEYBOARD), 0);
    RAWINPUTHEADER header = {};
    header.dwType = RIM_TYPEKEYBOARD;
    header.dwSize = static_cast<DWORD>(data.size());
    memcpy(data.data(), &header, sizeof header);
    RAWKEYBOARD sent = {};
    sent.MakeCode = 0x1E;
    sent.VKey = 'A';
    memcpy(data.data() + sizeof header, &sent, sizeof sent);
    RAWKEYBOARD got = {};
    ASSERT_TRUE(ParseRawKeyboard(data.data(), static_cast<UINT>(data.size()), got));
    EXPECT_EQ(got.MakeCode, 0x1E);
    EXPECT_FALSE(ParseRawKeyboard(data.data(), static_cast<UINT>(data.size() - 1), got));
    EXPECT_FALSE(ParseRawKeyboard(nullptr, 100, got));
    header.dwType = RIM_TYPEMOUSE;
    memcpy(data.data(), &header, sizeof header);
    EXPECT_FALSE(ParseRawKeyboard(data.data(), static_cast<UINT>(data.size()), got));
}

}  // namespace

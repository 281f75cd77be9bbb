// The list control, its drop list and its header under Wine, built by the
// loader from a skin file: what reaches the window that loaded it (through
// the frame the list sits in), the check and radio cells, the wheel, the
// in-place edit in a dialog fed real keys, the drop-down cell, the right
// button's menu, the header that cannot be resized, and what the screen
// shows of it all.

#include "gui/skin/CLangTable.h"
#include "gui/skin/SymbolIds.h"
#include "gui/widgets/CGenericPanel.h"
#include "gui/widgets/CListPanelItem.h"
#include "gui/widgets/CListPanelList.h"
#include "gui/widgets/CVScrollBar.h"
#include "gui/widgets/CXListCtrl.h"
#include "tests/gui/WidgetHost.h"
#include "tests/support/KeyInput.h"
#include "tests/support/MessagePump.h"
#include "tests/support/Screenshot.h"
#include "tests/support/TestPaths.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// Messages taken as the programs' loops take them: walked through
// PreTranslateMessage from the target up, then offered to the dialog the
// target is in, then dispatched.  True when one of them was not a timer's
// (an open drop list keeps a timer going for as long as it is open).
bool TakeMessages() {
    bool any = false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        any = any || msg.message != WM_TIMER;
        if (CWnd::WalkPreTranslateTree(nullptr, &msg))
            continue;
        const HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
        if (root && dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(root)) && IsDialogMessageW(root, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return any;
}

void PumpAsProgram(DWORD quietMs = 150, DWORD maxMs = 4000) {
    const DWORD start = GetTickCount();
    DWORD last = start;
    for (;;) {
        if (TakeMessages())
            last = GetTickCount();
        const DWORD now = GetTickCount();
        if (now - last >= quietMs || now - start >= maxMs)
            return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

template <typename Pred>
bool PumpAsProgramUntil(Pred pred, DWORD maxMs = 3000) {
    const DWORD start = GetTickCount();
    while (!pred()) {
        if (GetTickCount() - start > maxMs)
            return pred();
        TakeMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

void Key(WORD vk, bool up = false) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

void Press(WORD vk) {
    Key(vk);
    Key(vk, true);
    PumpAsProgram(60);
}

void Type(const std::wstring& text) {
    SendText(text);
    PumpAsProgram(80);
}

void Mouse(DWORD flags) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

// A real click at a point of a window's client area.
void Click(HWND window, POINT at, bool twice = false, bool right = false) {
    ClientToScreen(window, &at);
    SetCursorPos(at.x, at.y);
    PumpAsProgram(60);
    for (int i = 0; i < (twice ? 2 : 1); ++i) {
        Mouse(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
        Mouse(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
    }
    PumpAsProgram(100);
}

// The pointer goes back where it was, so the programs run after this one
// find it where they expect it.
class CursorKept {
public:
    CursorKept() { GetCursorPos(&m_at); }
    ~CursorKept() { SetCursorPos(m_at.x, m_at.y); }

private:
    POINT m_at = {};
};

POINT Middle(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

LPARAM At(POINT p) { return MAKELPARAM(p.x, p.y); }

// A press and release of the left button sent straight to the list.
void PressOn(CXListCtrl& list, POINT at) {
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, At(at));
    list.SendMessage(WM_LBUTTONUP, 0, At(at));
    PumpAsProgram(60);
}

// One report of the list, copied while it was valid.
struct Report {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    int32_t key;
    int32_t column;
    std::wstring text;
    int state;  // the check message's value; -1 otherwise
};

bool IsListReport(UINT message) {
    switch (message) {
    case WM_XLIST_ASSIGN_APPLICATION:
    case WM_XLIST_CHECK_CHANGED:
    case WM_XLIST_CELL_CLICKED:
    case WM_XLIST_ITEM_ACTIVATED:
    case WM_XLIST_ROW_SELECTED:
    case WM_XLIST_MENU_COMMAND:
    case WM_XLIST_LABEL_EDITED: return true;
    default: return false;
    }
}

Report Copy(UINT message, WPARAM wParam, LPARAM lParam) {
    Report report{message, wParam, lParam, -1, -1, L"", -1};
    if (message == WM_XLIST_CELL_CLICKED) {
        report.key = static_cast<int32_t>(wParam);
        return report;
    }
    const auto* record = reinterpret_cast<const XListNotify*>(lParam);
    report.key = record->rowKey;
    report.column = record->column;
    if (message == WM_XLIST_CHECK_CHANGED)
        report.state = *static_cast<const bool*>(record->value) ? 1 : 0;
    else if (record->value)
        report.text = static_cast<const wchar_t*>(record->value);
    return report;
}

std::string Describe(const std::vector<Report>& reports) {
    std::string out;
    for (const Report& r : reports)
        out += MessageRecorder::MessageName(r.message) + "(" + std::to_string(r.key) + "," +
               std::to_string(r.column) + "," + CString(r.text.c_str()).ToUtf8() + "," + std::to_string(r.state) +
               ") ";
    return out;
}

const char kPictures[] = R"(<VSCROLL bdrwidth="0"><VSBMP_TOP>VT.bmp</VSBMP_TOP><VSBMP_BOT>VT.bmp</VSBMP_BOT>
        <VSBMP_AUP>VA.bmp</VSBMP_AUP><VSBMP_ADN>VA.bmp</VSBMP_ADN><VSBMP_SPN>VS.bmp</VSBMP_SPN>
        <VSBMP_TMB>VM.bmp</VSBMP_TMB></VSCROLL>)";

std::string ListSkin() {
    return std::string(R"(<ITEMLIST>
  <FONTLIST><FONT name="FONT_ARIAL12" typeface="Arial" pitch="13"/></FONTLIST>
  <LISTLIST>
    <LISTCTRL name="LIST_PROFILELIST" fontid="FONT_ARIAL12" fontclr="WHITE" fontclrhi="BLACK" backclr="DARKGREY"
              backclrhi="TEAL_TAB_SELECT" bdrclr="GREEN" sorted="1">
      <RECT left="10" top="10" right="0" bottom="160"/>
      <LISTHDR backclr="BLUE2" fontclr="YELLOW"/>
      )") + kPictures + R"(
      <LISTCOLUMN name="LCITEM_PROFILECURRENT" type="ICON" width="24" exclusive="yes">
        <SBMN>Off.bmp</SBMN><SBMD>On.bmp</SBMD></LISTCOLUMN>
      <LISTCOLUMN name="LCITEM_PROFILEID" type="STATIC" width="30">No.</LISTCOLUMN>
      <LISTCOLUMN name="LCITEM_PROFILENAME" type="EDIT" width="120">$ProfileName</LISTCOLUMN>
      <LISTCOLUMN name="LCITEM_PROFILEEXE" type="COMBO" width="100">Program</LISTCOLUMN>
      <LISTCOLUMN name="LCITEM_AUTOSWITCH" type="CHECKBOX" width="40">
        <SBMN>Off.bmp</SBMN><SBMD>On.bmp</SBMD><SBMM>Mask.bmp</SBMM></LISTCOLUMN>
    </LISTCTRL>
  </LISTLIST>
  <LISTPANELLIST>
    <LISTPANEL name="LISTPANEL_PROFILEOPTIONS" dynamic="1" fontclr="WHITE" backclr="BLACK">
      <RECT right="140" bottom="60"/>
      <LISTPANELITEMS><LISTPANELITEM>$Rename</LISTPANELITEM><LISTPANELITEM>$UnassignApplication</LISTPANELITEM>
      </LISTPANELITEMS>
    </LISTPANEL>
  </LISTPANELLIST>
</ITEMLIST>)";
}

// The pictures and the language the list skin names: "$ProfileName" has a
// translation and the number column a width of the language's own.
class ListSkinFiles {
public:
    explicit ListSkinFiles(SkinTestFolder& folder) {
        folder.WriteBmp(L"skins\\VT.bmp", 12, 4, [](int, int) { return RGB(60, 60, 60); });
        folder.WriteBmp(L"skins\\VA.bmp", 12, 10, [](int, int) { return RGB(90, 90, 90); });
        folder.WriteBmp(L"skins\\VS.bmp", 12, 1, [](int, int) { return RGB(30, 30, 30); });
        folder.WriteBmp(L"skins\\VM.bmp", 12, 20, [](int, int) { return RGB(0, 160, 80); });
        folder.WriteBmp(L"skins\\Off.bmp", 10, 10, [](int, int) { return RGB(255, 0, 0); });
        folder.WriteBmp(L"skins\\On.bmp", 10, 10, [](int, int) { return RGB(0, 255, 0); });
        // White outside a 6 x 6 square: only the square shows the picture.
        folder.WriteBmp(L"skins\\Mask.bmp", 10, 10, [](int x, int y) {
            return x >= 2 && x < 8 && y >= 2 && y < 8 ? RGB(0, 0, 0) : RGB(255, 255, 255);
        });
        const std::wstring texts = L"English\rnotes\rProfile Name\rName of the profile\r";
        m_language.Parse(texts.data(), texts.size() * sizeof(wchar_t));
        const wchar_t width[] = L"36";
        m_language.AddColumnAttribute(LCITEM_PROFILEID, L"width", width, sizeof width);
        CLangTable::SetCurrent(&m_language);
        RegisterComboListMessages();
    }
    ~ListSkinFiles() { CLangTable::SetCurrent(nullptr); }

private:
    CLangTable m_language;
};

constexpr int kListWidth = 24 + 36 + 120 + 100 + 40 + 1 + 12;  // the columns, the border, the bar

class ListCtrl : public SkinOnHost {
protected:
    ListCtrl() : SkinOnHost(L"gui-listctrl", {}) {}
    void SetUp() override {
        host.onMessage = [this](UINT message, WPARAM wParam, LPARAM lParam) {
            if (IsListReport(message))
                reports.push_back(Copy(message, wParam, lParam));
        };
        LoadOntoHost(L"ListCtrl.xml", ListSkin().c_str(), 520, 300);
        list = Item<CXListCtrl>(LIST_PROFILELIST);
        ASSERT_NE(list, nullptr);
        for (int key = 0; key < 4; ++key) {
            ASSERT_EQ(list->AddRow(key), key);
            list->SetCellText(key, LCITEM_PROFILEID, (L"0" + std::to_wstring(key + 1)).c_str());
            list->SetCellText(key, LCITEM_PROFILENAME, (L"Profile " + std::to_wstring(key + 1)).c_str());
            list->SetCellCheck(key, LCITEM_PROFILECURRENT, key == 0);
            list->SetCellCheck(key, LCITEM_AUTOSWITCH, 0);
        }
        PumpAsProgram(100);
        reports.clear();
    }
    void TearDown() override {
        host.onMessage = nullptr;
        SkinOnHost::TearDown();
    }

    CRect Cell(int32_t key, int32_t column) const {
        return list->GetCellRect(list->FindRowByKey(key), list->GetColumnIndex(column));
    }
    POINT CellMiddle(int32_t key, int32_t column) const { return Middle(Cell(key, column)); }

    CursorKept cursor;
    ListSkinFiles files{folder};
    CXListCtrl* list = nullptr;
    std::vector<Report> reports;
};

// Chooses in the popup menu while its own loop runs: a press on a row, or
// the right button for nothing, a moment after the menu opened.
class MenuChoice {
public:
    explicit MenuChoice(int row) : m_row(row) {}
    void Run(const std::function<void()>& open) {
        s_choice = this;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 150, &MenuChoice::Tick);
        open();
        ::KillTimer(nullptr, timer);
        s_choice = nullptr;
    }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        MenuChoice* choice = s_choice;
        HWND window = ::GetCapture() ? ::GetCapture() : ::GetFocus();
        auto* menu = dynamic_cast<CListPanelList*>(CWnd::FromHandlePermanent(window));
        if (!choice || !menu || choice->m_done)
            return;
        choice->m_done = true;
        if (choice->m_row < 0) {
            menu->SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, 0);
            return;
        }
        CRect row;
        menu->GetItemRect(choice->m_row, &row, LVIR_BOUNDS);
        menu->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, (row.top + row.bottom) / 2));
    }
    static inline MenuChoice* s_choice = nullptr;
    int m_row;
    bool m_done = false;
};

TEST_F(ListCtrl, TheLoaderBuildsTheListInItsFrameWithTheLanguagesTitleAndWidth) {
    EXPECT_EQ(list->m_itemType, kItemListCtrl);
    EXPECT_EQ(list->m_itemWindow, list->GetSafeHwnd());
    EXPECT_EQ(list->m_itemParent, &host);
    // The list sits in its frame, yet reports to the window that loaded it.
    ASSERT_NE(list->GetFrame(), nullptr);
    EXPECT_EQ(::GetParent(list->GetSafeHwnd()), list->GetFrame()->GetSafeHwnd());
    EXPECT_EQ(::GetParent(list->GetFrame()->GetSafeHwnd()), host.GetSafeHwnd());
    EXPECT_EQ(list->GetNotifyWindow(), &host);
    CRect frame;
    list->GetFrame()->GetWindowRect(&frame);
    EXPECT_EQ(frame.Width(), kListWidth);
    EXPECT_EQ(frame.Height(), 160);
    ASSERT_NE(list->GetScrollBar(), nullptr);
    EXPECT_EQ(::GetParent(list->GetScrollBar()->GetSafeHwnd()), list->GetFrame()->GetSafeHwnd());

    ASSERT_EQ(list->GetColumnCount(), 5);
    const int32_t ids[] = {LCITEM_PROFILECURRENT, LCITEM_PROFILEID, LCITEM_PROFILENAME, LCITEM_PROFILEEXE,
                           LCITEM_AUTOSWITCH};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(list->GetColumnId(i), ids[i]);
    EXPECT_EQ(list->GetColumnId(5), -1);
    EXPECT_EQ(list->GetColumnId(-1), -1);
    EXPECT_EQ(list->GetColumnType(LCITEM_PROFILECURRENT), kCellIcon);
    EXPECT_TRUE(list->FindColumn(LCITEM_PROFILECURRENT)->exclusive);
    EXPECT_NE(list->FindColumn(LCITEM_PROFILECURRENT)->on, nullptr);
    EXPECT_FALSE(list->FindColumn(LCITEM_AUTOSWITCH)->exclusive);
    EXPECT_EQ(list->GetColumnWidth(1), 36);

    HDITEMW item = {};
    wchar_t text[64] = {};
    item.mask = HDI_TEXT;
    item.pszText = text;
    item.cchTextMax = 64;
    ASSERT_TRUE(list->GetHeader().GetItem(2, &item));
    EXPECT_STREQ(text, L"Name of the profile");
    EXPECT_EQ(list->GetHeader().GetBackgroundColour(), 0xC57700u);
    EXPECT_EQ(list->GetHeader().GetTextColour(), 0x00FFFFu);
    EXPECT_EQ(list->GetFontColour(), 0xFFFFFFu);
    EXPECT_EQ(list->GetBackColour(), 0x3A3A3Au);
    EXPECT_EQ(list->GetBorderColour(), 0x00FF00u);
    EXPECT_FALSE(list->GetStyle() & LVS_NOCOLUMNHEADER);
    // No system bar and no frame of the list view's own.
    EXPECT_FALSE(list->GetStyle() & (WS_VSCROLL | WS_HSCROLL));
    CRect window, client;
    list->GetWindowRect(&window);
    list->GetClientRect(&client);
    EXPECT_EQ(client.Width(), window.Width());
    EXPECT_EQ(client.Height(), window.Height());
}

TEST_F(ListCtrl, ElementsWithoutAWholeColumnBuildNothingAndSurplusColumnsAreDropped) {
    const std::string head = R"(<LISTCTRL name="LIST_PROFILELIST"><RECT left="10" top="180" right="0" bottom="60"/>)";
    const std::string column = R"(<LISTCOLUMN name="LCITEM_PROFILENAME" type="STATIC" width="50"/>)";
    // Eleven columns of the seven ids there are: four repeat an id.
    const char* const names[] = {"PROFILECURRENT", "PROFILEID",     "PROFILENAME",     "PROFILEEXE",
                                 "AUTOSWITCH",     "MCREVENT_ICON", "MCREVENT_DESCRIP"};
    std::string eleven;
    for (int i = 0; i < 11; ++i)
        eleven += std::string("<LISTCOLUMN name=\"LCITEM_") + names[i % 7] + "\" type=\"STATIC\" width=\"20\"/>";
    const struct {
        const char* what;
        std::string xml;
        int columns;  // -1: no item
        bool header;
    } cases[] = {
        {"no LISTCOLUMN", head + "</LISTCTRL>", -1, false},
        {"a column of width 0", head + column + R"(<LISTCOLUMN name="LCITEM_PROFILEEXE" type="STATIC" width="0"/>)" +
                                    "</LISTCTRL>", -1, false},
        {"a negative width", head + R"(<LISTCOLUMN name="LCITEM_PROFILEEXE" type="STATIC" width="-5"/>)" +
                                 "</LISTCTRL>", -1, false},
        {"the language's width", head + R"(<LISTCOLUMN name="LCITEM_PROFILEID" type="STATIC" width="0"/>)" +
                                     "</LISTCTRL>", 1, false},
        {"an unknown column name", head + column + R"(<LISTCOLUMN name="LCITEM_NONE" type="STATIC" width="9"/>)" +
                                       "</LISTCTRL>", -1, false},
        {"an unknown cell type", head + R"(<LISTCOLUMN name="LCITEM_PROFILEID" type="TEXT" width="9"/>)" +
                                     "</LISTCTRL>", -1, false},
        {"an unknown item name",
         R"(<LISTCTRL name="LIST_NONE"><RECT right="9" bottom="9"/>)" + column + "</LISTCTRL>", -1, false},
        {"one column, no header", head + column + "</LISTCTRL>", 1, false},
        {"eleven columns: the repeated ids dropped, the item kept", head + "<LISTHDR/>" + eleven + "</LISTCTRL>", 7,
         true},
    };
    for (const auto& c : cases) {
        pugi::xml_document doc;
        ASSERT_TRUE(doc.load_string(c.xml.c_str())) << c.what;
        std::unique_ptr<CXListCtrl> built(CXListCtrl::CreateFromElement(doc.first_child(), &host, items));
        if (c.columns < 0) {
            EXPECT_EQ(built, nullptr) << c.what;
            continue;
        }
        ASSERT_NE(built, nullptr) << c.what;
        EXPECT_EQ(built->GetColumnCount(), c.columns) << c.what;
        EXPECT_EQ((built->GetStyle() & LVS_NOCOLUMNHEADER) == 0, c.header) << c.what;
        EXPECT_EQ(built->GetScrollBar(), nullptr) << c.what;  // no VSCROLL, no bar
    }
    // Ten columns at the most, whatever their ids.
    CXListCtrl* direct = list;
    for (int32_t id = 100; id < 105; ++id)
        EXPECT_TRUE(direct->AddColumn(id, kCellStatic, 10, L"x")) << id;
    EXPECT_EQ(direct->GetColumnCount(), 10);
    EXPECT_FALSE(direct->AddColumn(105, kCellStatic, 10, L"eleventh"));
    EXPECT_EQ(direct->GetColumnCount(), 10);
}

TEST_F(ListCtrl, RowsAreFoundByTheirKeysAndWhatIsNotThereChangesNothing) {
    EXPECT_EQ(list->AddRow(-1), -1);
    EXPECT_EQ(list->AddRow(40), 4);  // past the end: appended
    EXPECT_EQ(list->AddRow(2), 2);   // inserted where its key says
    EXPECT_EQ(list->FindRowByKey(40), 5);
    EXPECT_EQ(list->FindRowByKey(3), 4);
    EXPECT_EQ(list->FindRowByKey(77), -1);
    EXPECT_EQ(list->SetCellText(77, LCITEM_PROFILENAME, L"x"), 0);
    EXPECT_EQ(list->SetCellText(40, LCITEM_MCREVENT_ICON, L"x"), 0);  // not a column of this list
    EXPECT_EQ(list->SetCellCheck(77, LCITEM_AUTOSWITCH, 1), 0);
    EXPECT_EQ(list->SetCellText(40, LCITEM_PROFILENAME, L"Last"), 1);
    EXPECT_EQ(list->GetCellText(40, LCITEM_PROFILENAME), CString(L"Last"));
    list->SetRowColours(99, 1, 2, 3, 4);
    list->SetRowColours(-1, 1, 2, 3, 4);
    EXPECT_EQ(list->SetCellCheck(40, LCITEM_AUTOSWITCH, 1), 1);
    EXPECT_EQ(list->SetCellCheck(1, LCITEM_AUTOSWITCH, 5), 1);  // any true state is 1
    EXPECT_EQ(list->CountChecked(LCITEM_AUTOSWITCH), 2);
    EXPECT_EQ(list->CountChecked(LCITEM_PROFILECURRENT), 1);
    EXPECT_EQ(list->GetSelectedKey(), -1);
    EXPECT_TRUE(list->SelectRow(40));
    EXPECT_EQ(list->GetSelectedKey(), 40);
    EXPECT_TRUE(list->DeleteRow(40));
    EXPECT_FALSE(list->DeleteRow(40));
    EXPECT_EQ(list->GetSelectedKey(), -1);
    EXPECT_EQ(list->CountChecked(LCITEM_AUTOSWITCH), 1);
    EXPECT_FALSE(list->SelectRow(40));
    EXPECT_TRUE(reports.empty()) << Describe(reports);
}

TEST_F(ListCtrl, ARealClickReachesTheLoadersWindowThroughTheFrameWithTheRowsKey) {
    Click(*list, CellMiddle(2, LCITEM_PROFILEID));
    ASSERT_EQ(reports.size(), 1u) << Describe(reports);
    EXPECT_EQ(reports[0].message, WM_XLIST_CELL_CLICKED);
    EXPECT_EQ(reports[0].key, 2);
    EXPECT_EQ(reports[0].lParam, reinterpret_cast<LPARAM>(list->GetSafeHwnd()));
    // Told after the press was handled: the row is already selected.
    EXPECT_EQ(list->GetSelectedKey(), 2);
    EXPECT_EQ(::GetFocus(), list->GetSafeHwnd());
}

TEST_F(ListCtrl, ChecksToggleARadioColumnMovesItsMarkAndASetMarkSaysNothing) {
    const struct {
        const char* what;
        int32_t key;
        int32_t column;
        int dx;                        // from the cell's middle
        std::vector<UINT> messages;    // what the press reports
        int state;                     // the check message's state
        std::vector<int> current;      // the radio column's states afterwards
    } cases[] = {
        {"a check box goes on", 1, LCITEM_AUTOSWITCH, 0, {WM_XLIST_CHECK_CHANGED, WM_XLIST_CELL_CLICKED}, 1,
         {1, 0, 0, 0}},
        {"and off again", 1, LCITEM_AUTOSWITCH, 6, {WM_XLIST_CHECK_CHANGED, WM_XLIST_CELL_CLICKED}, 0, {1, 0, 0, 0}},
        {"beside the picture nothing toggles", 1, LCITEM_AUTOSWITCH, -12, {WM_XLIST_CELL_CLICKED}, -1, {1, 0, 0, 0}},
        {"the radio mark moves", 2, LCITEM_PROFILECURRENT, 0, {WM_XLIST_CHECK_CHANGED, WM_XLIST_CELL_CLICKED}, 1,
         {0, 0, 1, 0}},
        {"the set mark says nothing", 2, LCITEM_PROFILECURRENT, -3, {}, -1, {0, 0, 1, 0}},
    };
    for (const auto& c : cases) {
        reports.clear();
        POINT at = CellMiddle(c.key, c.column);
        at.x += c.dx;
        PressOn(*list, at);
        std::vector<UINT> got;
        for (const Report& r : reports)
            got.push_back(r.message);
        EXPECT_EQ(got, c.messages) << c.what << ": " << Describe(reports);
        if (!reports.empty() && reports[0].message == WM_XLIST_CHECK_CHANGED) {
            EXPECT_EQ(reports[0].key, c.key) << c.what;
            EXPECT_EQ(reports[0].column, c.column) << c.what;  // the column's id, not its index
            EXPECT_EQ(reports[0].state, c.state) << c.what;
        }
        std::vector<int> current;
        for (int32_t key = 0; key < 4; ++key)
            current.push_back(list->GetCellCheck(key, LCITEM_PROFILECURRENT));
        EXPECT_EQ(current, c.current) << c.what;
    }
    EXPECT_EQ(list->CountChecked(LCITEM_PROFILECURRENT), 1);

    // A disabled row ignores the press entirely.
    reports.clear();
    ASSERT_TRUE(list->SetRowEnabled(3, false));
    PressOn(*list, CellMiddle(3, LCITEM_AUTOSWITCH));
    EXPECT_TRUE(reports.empty()) << Describe(reports);
    EXPECT_EQ(list->GetCellCheck(3, LCITEM_AUTOSWITCH), 0);
    EXPECT_NE(list->GetSelectedKey(), 3);
}

TEST_F(ListCtrl, TheWheelScrollsWholeNotchesAndStopsWithTheLastRowInView) {
    for (int32_t key = 4; key < 30; ++key)
        list->AddRow(key);
    list->SelectRow(0);
    PumpAsProgram(100);
    const int perPage = list->GetCountPerPage();
    ASSERT_GT(perPage, 2);
    ASSERT_LT(perPage, 20);
    auto wheel = [&](short delta) {
        CPoint screen(20, 60);
        list->ClientToScreen(&screen);
        list->PostMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(screen.x, screen.y));
        PumpAsProgram(80);
        return list->GetTopIndex();
    };
    EXPECT_EQ(wheel(60), 0);
    EXPECT_EQ(wheel(-240), 2);
    EXPECT_EQ(wheel(120), 1);
    for (int i = 0; i < 4; ++i)
        wheel(-1200);
    EXPECT_EQ(list->GetTopIndex(), 30 - perPage);
    // The bar's thumb track moves the list to its position, row for row.
    list->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 7), 0);
    PumpAsProgram(60);
    EXPECT_EQ(list->GetTopIndex(), 7);
    list->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 3), 0);
    PumpAsProgram(60);
    EXPECT_EQ(list->GetTopIndex(), 3);
    EXPECT_TRUE(reports.empty()) << Describe(reports);
}

TEST_F(ListCtrl, RowsAndTheHeaderHaveFixedHeightsSoARowsPlaceFollowsFromItsIndex) {
    CRect header;
    list->GetHeader().GetWindowRect(&header);
    EXPECT_EQ(header.Height(), CXHeaderCtrl::kHeight);
    for (int32_t key = 0; key < 4; ++key) {
        const CRect cell = Cell(key, LCITEM_PROFILENAME);
        EXPECT_EQ(cell.top, CXHeaderCtrl::kHeight + key * CXListCtrl::kRowHeight) << key;
        EXPECT_EQ(cell.Height(), CXListCtrl::kRowHeight) << key;
    }
    // Each header item keeps its extras while it is there, and only then.
    CXHeaderCtrl& titles = list->GetHeader();
    EXPECT_EQ(titles.GetExtraCount(), 5u);
    EXPECT_FALSE(titles.SendMessage(HDM_DELETEITEM, 9));
    EXPECT_EQ(titles.GetExtraCount(), 5u);
}

TEST_F(ListCtrl, PressesBelowTheRowsReportNothing) {
    list->SetCellMenu(Item<CListPanelItem>(LISTPANEL_PROFILEOPTIONS));
    CRect client;
    list->GetClientRect(&client);
    const POINT below = {40, client.bottom - 4};
    ASSERT_GT(below.y, Cell(3, LCITEM_PROFILENAME).bottom);
    Click(*list, below);
    PumpAsProgram(::GetDoubleClickTime() + 100);
    Click(*list, below, true);
    PumpAsProgram(::GetDoubleClickTime() + 100);
    // Were a menu to open for no row, nothing would be chosen in it.
    MenuChoice(-1).Run([&] { Click(*list, below, false, true); });
    PumpAsProgram(100);
    EXPECT_TRUE(reports.empty()) << Describe(reports);
}

TEST_F(ListCtrl, TheHeadersDividersNeitherDragNorFitTheirColumn) {
    CRect item;
    ASSERT_TRUE(list->GetHeader().GetItemRect(2, &item));
    const int before = list->GetColumnWidth(2);
    POINT divider = {item.right - 1, (item.top + item.bottom) / 2};
    ::ClientToScreen(list->GetHeader(), &divider);
    SetCursorPos(divider.x, divider.y);
    PumpAsProgram(60);
    Mouse(MOUSEEVENTF_LEFTDOWN);
    PumpAsProgram(60);
    for (int dx = 5; dx <= 40; dx += 5) {
        SetCursorPos(divider.x + dx, divider.y);
        PumpAsProgram(20);
    }
    Mouse(MOUSEEVENTF_LEFTUP);
    PumpAsProgram(100);
    EXPECT_EQ(list->GetColumnWidth(2), before);
    SetCursorPos(divider.x, divider.y);
    Mouse(MOUSEEVENTF_LEFTDOWN);
    Mouse(MOUSEEVENTF_LEFTUP);
    Mouse(MOUSEEVENTF_LEFTDOWN);
    Mouse(MOUSEEVENTF_LEFTUP);
    PumpAsProgram(150);
    EXPECT_EQ(list->GetColumnWidth(2), before);
    EXPECT_TRUE(list->GetHeader().GetStyle() & HDS_NOSIZING);
}

TEST_F(ListCtrl, TheScreenShowsTheRowsHeaderAndChecksInTheSkinsColours) {
    list->SelectRow(1);
    list->SetCellCheck(2, LCITEM_AUTOSWITCH, 1);
    ASSERT_TRUE(WaitUntilDrawn(host));
    PumpAsProgram(100);
    auto pixel = [&](CWnd& window, POINT p) {
        window.ClientToScreen(&p);
        return ScreenPixel(p.x, p.y);
    };
    CRect header;
    list->GetHeader().GetClientRect(&header);
    EXPECT_EQ(pixel(list->GetHeader(), POINT{header.right - 3, header.bottom / 2}), 0xC57700u) << "header";
    // The titles show, and show again whenever the header is painted again.
    auto titlePixels = [&] {
        CRect titles = header;
        list->GetHeader().ClientToScreen(&titles);
        size_t lit = 0;
        // Yellowish (0xRRGGBB): the titles' colour, smoothed at their edges.
        for (uint32_t p : ScreenPixels(titles))
            lit += (p >> 16 & 0xFF) > 160 && (p >> 8 & 0xFF) > 160 && (p & 0xFF) < 120 ? 1 : 0;
        return lit;
    };
    EXPECT_GT(titlePixels(), 20u) << "no titles";
    list->GetHeader().Invalidate(true);
    list->Invalidate(true);
    ASSERT_TRUE(WaitUntilDrawn(host));
    EXPECT_GT(titlePixels(), 20u) << "no titles once painted again";
    // The window under the list paints over it (it clips no children, as
    // the program's main window does not): the header and the bar are
    // painted again after it.
    host.ModifyStyle(WS_CLIPCHILDREN, 0);
    host.Invalidate(false);
    for (CWnd* child : {static_cast<CWnd*>(&list->GetHeader()), static_cast<CWnd*>(list->GetScrollBar())}) {
        CRect waiting;
        EXPECT_TRUE(::GetUpdateRect(child->GetSafeHwnd(), &waiting, FALSE)) << "left painted over";
    }
    ASSERT_TRUE(WaitUntilDrawn(host));
    EXPECT_GT(titlePixels(), 20u) << "no titles once the window under the list painted again";
    list->SetCellText(1, LCITEM_PROFILENAME, L"Renamed");
    list->SetCellCheck(1, LCITEM_AUTOSWITCH, 1);
    list->SetRowColours(1, 0x00FF00, list->GetBackColour(), 0x00FF00, list->GetSelectedBackColour());
    host.Invalidate(false);
    ASSERT_TRUE(WaitUntilDrawn(host));
    EXPECT_GT(titlePixels(), 20u) << "no titles once the rows changed";
    const CRect plain = Cell(0, LCITEM_PROFILENAME), selected = Cell(1, LCITEM_PROFILENAME);
    EXPECT_EQ(pixel(*list, POINT{plain.right - 2, plain.top + 2}), 0x3A3A3Au) << "a row";
    EXPECT_EQ(pixel(*list, POINT{selected.right - 2, selected.top + 2}), 0xEDE86Fu) << "the selected row";
    const POINT on = CellMiddle(2, LCITEM_AUTOSWITCH), off = CellMiddle(3, LCITEM_AUTOSWITCH);
    EXPECT_EQ(pixel(*list, on), RGB(0, 255, 0)) << "a set check";
    EXPECT_EQ(pixel(*list, off), RGB(255, 0, 0)) << "a clear check";
    // The mask keeps the cell's own colour round the picture's square.
    EXPECT_EQ(pixel(*list, POINT{on.x - 4, on.y - 4}), 0x3A3A3Au) << "outside the mask";
    const POINT radio = CellMiddle(0, LCITEM_PROFILECURRENT);
    EXPECT_EQ(pixel(*list, POINT{radio.x - 4, radio.y - 4}), RGB(0, 255, 0)) << "an unmasked picture";
    CRect rows;
    list->GetClientRect(&rows);
    EXPECT_EQ(pixel(*list, POINT{10, rows.bottom - 3}), 0x3A3A3Au) << "below the rows";
    EXPECT_TRUE(SaveWindowScreenshot(host, ArtifactPath(L"listctrl.png")));
}

TEST_F(ListCtrl, TheRightButtonsMenuSaysWhatWasChosenForTheRow) {
    auto* menu = Item<CListPanelItem>(LISTPANEL_PROFILEOPTIONS);
    ASSERT_NE(menu, nullptr);
    list->SetCellText(1, LCITEM_PROFILEEXE, L"game.exe");
    list->SetCellCheck(1, LCITEM_AUTOSWITCH, 1);
    // Without a menu only the list view's own selection happens.
    Click(*list, CellMiddle(1, LCITEM_PROFILENAME), false, true);
    EXPECT_TRUE(reports.empty()) << Describe(reports);
    EXPECT_EQ(list->GetSelectedKey(), 1);
    list->SetCellMenu(menu);
    const struct {
        const char* what;
        int row;
        std::vector<UINT> messages;
    } cases[] = {
        {"nothing chosen", -1, {WM_XLIST_ROW_SELECTED}},
        {"a command", 0, {WM_XLIST_ROW_SELECTED, WM_XLIST_MENU_COMMAND}},
        {"the program taken away", 1,
         {WM_XLIST_ROW_SELECTED, WM_XLIST_ASSIGN_APPLICATION, WM_XLIST_CHECK_CHANGED}},
    };
    for (const auto& c : cases) {
        // A second press soon after the first would be a double click.
        PumpAsProgram(::GetDoubleClickTime() + 100);
        reports.clear();
        MenuChoice choice(c.row);
        choice.Run([&] { Click(*list, CellMiddle(1, LCITEM_PROFILENAME), false, true); });
        PumpAsProgram(100);
        std::vector<UINT> got;
        for (const Report& r : reports)
            got.push_back(r.message);
        EXPECT_EQ(got, c.messages) << c.what << ": " << Describe(reports);
        for (const Report& r : reports)
            EXPECT_EQ(r.key, 1) << c.what;
    }
    ASSERT_EQ(reports.size(), 3u);
    EXPECT_EQ(reports[1].column, LCITEM_PROFILEEXE);
    EXPECT_EQ(reports[1].text, L"");
    EXPECT_EQ(reports[2].column, LCITEM_AUTOSWITCH);
    EXPECT_EQ(reports[2].state, 0);
    EXPECT_EQ(list->GetCellText(1, LCITEM_PROFILEEXE), CString());
    EXPECT_EQ(list->GetCellCheck(1, LCITEM_AUTOSWITCH), 0);
}

TEST_F(ListCtrl, ADropDownCellOffersItsEntriesAndReportsAChangedChoice) {
    const std::vector<CString> programs = {L"alpha.exe", L"beta.exe", L"gamma.exe"};
    ASSERT_TRUE(list->SetCellDropList(0, LCITEM_PROFILEEXE, programs, 5));
    EXPECT_EQ(list->GetCellText(0, LCITEM_PROFILEEXE), CString(L"alpha.exe"));  // the default entry
    list->SelectRow(0);
    PumpAsProgram(60);
    const CRect cell = Cell(0, LCITEM_PROFILEEXE);
    const POINT arrow = {cell.right - cell.Height() / 2, (cell.top + cell.bottom) / 2};
    auto listBox = [&]() -> HWND {
        return list->GetDropList() ? list->GetDropList()->GetListBox().GetSafeHwnd() : nullptr;
    };
    auto key = [&](UINT vk) {
        ::PostMessageW(listBox(), WM_KEYDOWN, vk, 1);
        PumpAsProgram(120);
    };
    const struct {
        const char* what;
        std::vector<UINT> keys;  // VK_RETURN, VK_ESCAPE or 0 (the focus taken away) end it
        const wchar_t* text;
        bool reported;
    } cases[] = {
        {"Down and Enter take the next entry", {VK_DOWN, VK_RETURN}, L"beta.exe", true},
        {"Escape puts the text back", {VK_DOWN, VK_ESCAPE}, L"beta.exe", false},
        {"the focus gone elsewhere closes it as Escape does", {VK_UP, 0}, L"beta.exe", false},
        {"Enter on the same entry says nothing", {VK_RETURN}, L"beta.exe", false},
        {"a letter finds its entry", {'G', VK_RETURN}, L"gamma.exe", true},
    };
    for (const auto& c : cases) {
        reports.clear();
        PressOn(*list, arrow);
        ASSERT_NE(list->GetDropList(), nullptr) << c.what;
        CRect drop;
        list->GetDropList()->GetWindowRect(&drop);
        CRect onScreen = cell;
        list->ClientToScreen(&onScreen);
        EXPECT_EQ(drop.left, onScreen.left) << c.what;
        EXPECT_EQ(drop.top, onScreen.bottom - 1) << c.what;
        EXPECT_EQ(list->GetDropList()->GetSelectedText(), list->GetCellText(0, LCITEM_PROFILEEXE)) << c.what;
        EXPECT_EQ(::GetFocus(), listBox()) << c.what;
        for (UINT vk : c.keys) {
            if (vk == 0) {
                host.SetFocus();
                PumpAsProgram(120);
            } else {
                key(vk);
            }
        }
        EXPECT_TRUE(PumpAsProgramUntil([&] { return list->GetDropList() == nullptr; }, 1000)) << c.what;
        // Closed for good: the key that closed it opens nothing again.
        PumpAsProgram(300);
        EXPECT_EQ(list->GetDropList(), nullptr) << c.what;
        EXPECT_EQ(list->GetCellText(0, LCITEM_PROFILEEXE), CString(c.text)) << c.what;
        if (c.reported) {
            ASSERT_EQ(reports.size(), 2u) << c.what << ": " << Describe(reports);
            EXPECT_EQ(reports[1].message, WM_XLIST_LABEL_EDITED) << c.what;
            EXPECT_EQ(reports[1].column, LCITEM_PROFILEEXE) << c.what;
            EXPECT_EQ(reports[1].text, c.text) << c.what;
        } else {
            EXPECT_EQ(reports.size(), 1u) << c.what << ": " << Describe(reports);  // the click alone
        }
    }
}

TEST_F(ListCtrl, ARealClickOnTheArrowOpensTheListThatStaysOpenUntilAnEntryIsClicked) {
    ASSERT_TRUE(list->SetCellDropList(2, LCITEM_PROFILEEXE, {L"alpha.exe", L"beta.exe", L"gamma.exe"}, 5));
    const CRect cell = Cell(2, LCITEM_PROFILEEXE);
    Click(*list, POINT{cell.right - cell.Height() / 2, (cell.top + cell.bottom) / 2});
    // The press's own selection and focus do not count as the focus going elsewhere.
    PumpAsProgram(400);
    ASSERT_NE(list->GetDropList(), nullptr);
    EXPECT_TRUE(SaveWindowScreenshot(host, ArtifactPath(L"listctrl-droplist.png")));
    CWnd& box = list->GetDropList()->GetListBox();
    CRect third;
    ASSERT_NE(box.SendMessage(LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&third)), LB_ERR);
    reports.clear();
    Click(box, Middle(third));
    EXPECT_TRUE(PumpAsProgramUntil([&] { return list->GetDropList() == nullptr; }, 1000));
    EXPECT_EQ(list->GetCellText(2, LCITEM_PROFILEEXE), CString(L"gamma.exe"));
    ASSERT_EQ(reports.size(), 1u) << Describe(reports);
    EXPECT_EQ(reports[0].message, WM_XLIST_LABEL_EDITED);
    EXPECT_EQ(reports[0].key, 2);
}

// The drop list by itself, reporting to a window that records.
class ComboList : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterComboListMessages();
        ASSERT_TRUE(owner.Open(300, 200));
        SetForegroundWindow(owner);
    }
    void TearDown() override {
        combo.reset();
        owner.DestroyWindow();
    }
    CXComboList& Open(int height, const std::vector<const wchar_t*>& entries) {
        combo = std::make_unique<CXComboList>(&owner);
        EXPECT_TRUE(combo->CreatePopup(CRect(40, 40, 200, 40 + height)));
        combo->GetListBox().SendMessage(LB_SETITEMHEIGHT, 0, 16);
        for (const wchar_t* entry : entries)
            combo->AddString(entry);
        combo->SetCurSel(0);
        combo->Show();
        PumpAsProgram(80);
        owner.recorder.Clear();
        return *combo;
    }
    WidgetHost owner{{}};
    std::unique_ptr<CXComboList> combo;
};

TEST_F(ComboList, ItFitsWholeRowsAndItsBarPagesByThem) {
    const struct {
        int height, window, list, rows;
    } cases[] = {{100, 100, 96, 6}, {90, 84, 80, 5}};
    for (const auto& c : cases) {
        CXComboList& list = Open(c.height, {L"a", L"b", L"c", L"d", L"e", L"f", L"g", L"h", L"i", L"j"});
        CRect window, box;
        list.GetWindowRect(&window);
        list.GetListBox().GetWindowRect(&box);
        EXPECT_EQ(window.Height(), c.window) << c.height;
        EXPECT_EQ(box.Height(), c.list) << c.height;
        SCROLLINFO info = {};
        ASSERT_TRUE(list.GetScrollBar()->GetScrollInfo(SB_CTL, &info));
        EXPECT_EQ(static_cast<int>(info.nPage), c.rows) << c.height;
        EXPECT_EQ(info.nMax, 9) << c.height;
        CRect bar;
        list.GetScrollBar()->GetWindowRect(&bar);
        EXPECT_EQ(bar.Width(), CXComboList::kScrollBarWidth);
        EXPECT_EQ(bar.left, box.right);
    }
}

TEST_F(ComboList, KeysThatMoveTheSelectionAreReportedAndALetterWithoutAnEntryIsNot) {
    CXComboList& list = Open(100, {L"alpha", L"beta", L"bravo", L"charlie"});
    const ComboListMessages& m = GetComboListMessages();
    const struct {
        UINT key;
        UINT reported;  // 0: nothing
        int selected;
    } cases[] = {
        {'Q', 0, 0}, {'B', m.keyDown, 1}, {'B', m.keyDown, 2}, {VK_DOWN, m.keyDown, 3}, {VK_HOME, m.keyDown, 0},
        {'Z', 0, 0}, {VK_RETURN, m.vkReturn, 0}, {VK_ESCAPE, m.vkEscape, 0},
    };
    for (const auto& c : cases) {
        owner.recorder.Clear();
        ::PostMessageW(list.GetListBox(), WM_KEYDOWN, c.key, 1);
        PumpAsProgram(80);
        if (c.reported)
            EXPECT_EQ(owner.recorder.Count(c.reported), 1u) << "key " << c.key;
        else
            EXPECT_TRUE(owner.recorder.Log().empty()) << "key " << c.key;
        EXPECT_EQ(list.GetCurSel(), c.selected) << "key " << c.key;
    }
}

// A dialog holding the list, as the program's pages do: Enter and Escape
// are its OK and Cancel unless the list takes them.
class ListPage : public TestPage {
public:
    ListPage() : TestPage(L"ListCtrl.xml") {}
    void OnOK() override { ++oks; }
    void OnCancel() override { ++cancels; }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (IsListReport(message))
            reports.push_back(Copy(message, wParam, lParam));
        return TestPage::WindowProc(message, wParam, lParam);
    }
    int oks = 0;
    int cancels = 0;
    std::vector<Report> reports;
};

class ListInDialog : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.WriteText(L"xml\\ListCtrl.xml", ListSkin()));
        ASSERT_TRUE(page.Open());
        page.MoveWindow(0, 0, 520, 300);
        list = dynamic_cast<CXListCtrl*>(page.GetItems().FindById(LIST_PROFILELIST));
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->GetNotifyWindow(), &page);
        for (int key = 0; key < 3; ++key) {
            list->AddRow(key);
            list->SetCellText(key, LCITEM_PROFILENAME, (L"Profile " + std::to_wstring(key + 1)).c_str());
        }
        list->SelectRow(1);
        list->SetFocus();
        PumpAsProgram(100);
        page.reports.clear();
    }
    void TearDown() override { page.DestroyWindow(); }

    CString Name(int32_t key) const { return list->GetCellText(key, LCITEM_PROFILENAME); }
    CString EditText() const {
        CString text;
        list->GetEdit().GetWindowText(text);
        return text;
    }
    bool Editing() const { return list->IsEditing() && list->GetEdit().IsWindowVisible(); }

    CursorKept cursor;
    SkinTestFolder folder{L"gui-listpage"};
    ListSkinFiles files{folder};
    ListPage page;
    CXListCtrl* list = nullptr;
};

TEST_F(ListInDialog, EnterOutsideAnEditIsTheDialogsOk) {
    Press(VK_RETURN);
    EXPECT_EQ(page.oks, 1);
}

TEST_F(ListInDialog, F2EditsTheSelectedNameAndEnterTakesItWithoutReachingOk) {
    Press(VK_F2);
    ASSERT_TRUE(Editing());
    EXPECT_EQ(EditText(), CString(L"Profile 2"));
    CRect edit, cell = list->GetCellRect(1, list->GetColumnIndex(LCITEM_PROFILENAME));
    list->GetEdit().GetWindowRect(&edit);
    list->ScreenToClient(&edit);
    EXPECT_EQ(edit, cell);
    EXPECT_EQ(::GetFocus(), list->GetEdit().GetSafeHwnd());
    Type(L"Work");
    EXPECT_TRUE(SaveWindowScreenshot(page, ArtifactPath(L"listctrl-edit.png")));
    Press(VK_RETURN);
    EXPECT_FALSE(Editing());
    EXPECT_EQ(Name(1), CString(L"Work"));
    EXPECT_EQ(page.oks, 0);
    ASSERT_EQ(page.reports.size(), 1u) << Describe(page.reports);
    EXPECT_EQ(page.reports[0].message, WM_XLIST_LABEL_EDITED);
    EXPECT_EQ(page.reports[0].key, 1);
    EXPECT_EQ(page.reports[0].column, LCITEM_PROFILENAME);
    EXPECT_EQ(page.reports[0].text, L"Work");
    EXPECT_EQ(::GetFocus(), list->GetSafeHwnd());
}

TEST_F(ListInDialog, EscapeLeavesTheNameAsItWasWithoutReachingCancel) {
    Press(VK_F2);
    ASSERT_TRUE(Editing());
    Type(L"Gone");
    Press(VK_ESCAPE);
    EXPECT_FALSE(Editing());
    EXPECT_EQ(Name(1), CString(L"Profile 2"));
    EXPECT_EQ(page.cancels, 0);
    EXPECT_TRUE(page.reports.empty()) << Describe(page.reports);
}

TEST_F(ListInDialog, TheEditTakesTwentyCharactersAndAnUnchangedNameSaysNothing) {
    Press(VK_F2);
    Type(std::wstring(25, L'x'));
    EXPECT_EQ(EditText().GetLength(), CXListCtrl::kEditLimit);
    Press(VK_RETURN);
    EXPECT_EQ(Name(1), CString(std::wstring(20, L'x').c_str()));
    page.reports.clear();
    Press(VK_F2);
    Press(VK_RETURN);
    EXPECT_TRUE(page.reports.empty()) << Describe(page.reports);
}

TEST_F(ListInDialog, TheFocusGoingElsewhereOrTheWheelTakesTheEdit) {
    const struct {
        const char* what;
        std::function<void()> end;
        const wchar_t* name;
    } cases[] = {
        {"the focus elsewhere", [&] { page.SetFocus(); }, L"Elsewhere"},
        {"the wheel", [&] { list->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0); }, L"Wheeled"},
        {"a click on another row", [&] { Click(*list, Middle(list->GetCellRect(0, 1))); }, L"Clicked"},
    };
    for (const auto& c : cases) {
        page.reports.clear();
        list->SelectRow(1);
        list->SetFocus();
        Press(VK_F2);
        ASSERT_TRUE(Editing()) << c.what;
        Type(c.name);
        c.end();
        PumpAsProgram(100);
        EXPECT_FALSE(Editing()) << c.what;
        EXPECT_EQ(Name(1), CString(c.name)) << c.what;
        ASSERT_FALSE(page.reports.empty()) << c.what;
        EXPECT_EQ(page.reports[0].message, WM_XLIST_LABEL_EDITED) << c.what;
        EXPECT_EQ(page.reports[0].text, c.name) << c.what;
    }
}

TEST_F(ListInDialog, ASecondClickOnTheSelectedNameEditsItAndADoubleClickActivatesInstead) {
    const POINT name = Middle(list->GetCellRect(1, list->GetColumnIndex(LCITEM_PROFILENAME)));
    Click(*list, name, true);
    PumpAsProgram(::GetDoubleClickTime() + 200);
    EXPECT_FALSE(Editing());
    bool activated = false;
    for (const Report& r : page.reports)
        activated |= r.message == WM_XLIST_ITEM_ACTIVATED && r.key == 1 && r.column == LCITEM_PROFILENAME;
    EXPECT_TRUE(activated) << Describe(page.reports);

    // A click on another row's name only selects it.
    const POINT other = Middle(list->GetCellRect(2, list->GetColumnIndex(LCITEM_PROFILENAME)));
    Click(*list, other);
    PumpAsProgram(::GetDoubleClickTime() + 200);
    EXPECT_FALSE(Editing());
    EXPECT_EQ(list->GetSelectedKey(), 2);
    Click(*list, other);
    EXPECT_FALSE(Editing());  // not before the double-click time is up
    EXPECT_TRUE(PumpAsProgramUntil([&] { return Editing(); }, ::GetDoubleClickTime() + 1000));
    EXPECT_EQ(EditText(), CString(L"Profile 3"));
}

}  // namespace

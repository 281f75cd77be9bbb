// Notifications a control sends to its parent come back to the control's own
// object first; what the control leaves goes on to the parent.  The owner
// receives a control's own notices, while the parent keeps the system's.

#include "platform/CBrush.h"
#include "platform/CButton.h"
#include "platform/CDC.h"
#include "platform/CEdit.h"
#include "platform/CListCtrl.h"
#include "platform/CStatic.h"
#include "platform/CWnd.h"
#include "tests/support/MessagePump.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

const UINT kOwnerNotice = WM_USER + 200;

// Records what reaches the parent's own hooks.
class Parent : public CWnd {
public:
    std::vector<UINT> commandCodes;
    std::vector<UINT> notifyCodes;
    std::vector<HWND> drawnItems;
    std::vector<HWND> colouredControls;
    std::vector<HWND> notices;
    CBrush brush{RGB(1, 2, 3)};

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM) override {
        commandCodes.push_back(HIWORD(wParam));
        return TRUE;
    }
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT*) override {
        notifyCodes.push_back(reinterpret_cast<NMHDR*>(lParam)->code);
        return FALSE;
    }
    void OnDrawItem(int, DRAWITEMSTRUCT* draw) override { drawnItems.push_back(draw->hwndItem); }
    HBRUSH OnCtlColor(CDC*, CWnd* wnd, UINT) override {
        colouredControls.push_back(wnd ? wnd->m_hWnd : nullptr);
        return brush;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kOwnerNotice) {
            notices.push_back(reinterpret_cast<HWND>(lParam));
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// Takes EN_CHANGE for itself and leaves every other code to the parent; its
// colours come from its own brush unless told to decline.
class OwnChangeEdit : public CEdit {
public:
    std::vector<UINT> codes;
    bool declineColour = false;
    CBrush brush{RGB(4, 5, 6)};

protected:
    BOOL OnReflectedCommand(UINT code) override {
        codes.push_back(code);
        return code == EN_CHANGE;
    }
    HBRUSH OnReflectedCtlColor(CDC* dc, UINT ctlColor) override {
        if (declineColour)
            return nullptr;
        dc->SetTextColor(RGB(200, 0, 0));
        return brush;
    }
};

class Reflection : public ::testing::Test {
protected:
    void SetUp() override {
        // Hidden: hiding a shown top-level window costs seconds under Wine here.
        ASSERT_TRUE(parent.CreateEx(0, nullptr, L"parent", WS_POPUP, CRect(30, 30, 330, 230), nullptr, 0));
    }
    Parent parent;
};

TEST_F(Reflection, CommandCodesReachTheControlFirstAndTheParentOnlyWhenLeft) {
    OwnChangeEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(5, 5, 100, 25), &parent, 10));
    edit.SetWindowText(L"typed");
    EXPECT_EQ(edit.codes, (std::vector<UINT>{EN_UPDATE, EN_CHANGE}));
    EXPECT_EQ(parent.commandCodes, (std::vector<UINT>{EN_UPDATE}));

    // A control without an object leaves everything to the parent.
    HWND plain = CreateWindowExW(0, L"BUTTON", L"p", WS_CHILD | BS_PUSHBUTTON, 5, 30, 50, 20, parent.m_hWnd,
                                 reinterpret_cast<HMENU>(11), GetModuleHandleW(nullptr), nullptr);
    parent.commandCodes.clear();
    SendMessageW(plain, BM_CLICK, 0, 0);
    EXPECT_EQ(parent.commandCodes, (std::vector<UINT>{BN_CLICKED}));
}

class InsertWatchingList : public CListCtrl {
public:
    std::vector<UINT> codes;

protected:
    BOOL OnReflectedNotify(NMHDR* header, LRESULT* result) override {
        codes.push_back(header->code);
        if (header->code != LVN_INSERTITEM)
            return FALSE;
        *result = 0;
        return TRUE;
    }
};

TEST_F(Reflection, NotificationsReachTheControlFirstAndTheParentOnlyWhenLeft) {
    InsertWatchingList list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(5, 5, 200, 150), &parent, 12));
    list.InsertColumn(0, L"name", LVCFMT_LEFT, 100);
    list.codes.clear();
    parent.notifyCodes.clear();
    ASSERT_EQ(list.InsertItem(0, L"row"), 0);
    ASSERT_TRUE(list.DeleteItem(0));
    auto seen = [](const std::vector<UINT>& codes, UINT code) {
        return std::find(codes.begin(), codes.end(), code) != codes.end();
    };
    EXPECT_TRUE(seen(list.codes, LVN_INSERTITEM));
    EXPECT_TRUE(seen(list.codes, LVN_DELETEITEM));
    EXPECT_FALSE(seen(parent.notifyCodes, LVN_INSERTITEM));
    EXPECT_TRUE(seen(parent.notifyCodes, LVN_DELETEITEM));
}

class DrawnStatic : public CStatic {
public:
    std::vector<HWND> drawn;
    void DrawItem(DRAWITEMSTRUCT* draw) override { drawn.push_back(draw->hwndItem); }
};

class DrawnButton : public CButton {
public:
    std::vector<HWND> drawn;
    void DrawItem(DRAWITEMSTRUCT* draw) override { drawn.push_back(draw->hwndItem); }
};

TEST_F(Reflection, OwnerDrawnControlsDrawThemselves) {
    DrawnStatic label;
    DrawnButton button;
    ASSERT_TRUE(label.Create(L"", WS_CHILD | WS_VISIBLE | SS_OWNERDRAW, CRect(5, 5, 80, 25), &parent, 20));
    ASSERT_TRUE(button.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(5, 30, 80, 50), &parent, 0));
    HWND plain = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 5, 60, 75, 20,
                                 parent.m_hWnd, nullptr, GetModuleHandleW(nullptr), nullptr);
    parent.ShowWindow(SW_SHOWNA);
    parent.UpdateWindow();
    PumpUntilIdle(100);
    ASSERT_FALSE(label.drawn.empty());
    ASSERT_FALSE(button.drawn.empty());
    EXPECT_EQ(label.drawn.front(), label.m_hWnd);
    EXPECT_EQ(button.drawn.front(), button.m_hWnd);
    ASSERT_FALSE(parent.drawnItems.empty());
    for (HWND item : parent.drawnItems)
        EXPECT_EQ(item, plain);
}

TEST_F(Reflection, ControlColoursComeFromTheControlUnlessItDeclines) {
    OwnChangeEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(5, 5, 100, 25), &parent, 10));
    HDC dc = GetDC(parent.m_hWnd);
    SetTextColor(dc, RGB(0, 0, 0));
    LRESULT brush = parent.SendMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                       reinterpret_cast<LPARAM>(edit.m_hWnd));
    EXPECT_EQ(brush, reinterpret_cast<LRESULT>(edit.brush.GetSafeHandle()));
    EXPECT_EQ(GetTextColor(dc), RGB(200, 0, 0));
    EXPECT_TRUE(parent.colouredControls.empty());

    edit.declineColour = true;
    brush = parent.SendMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit.m_hWnd));
    EXPECT_EQ(brush, reinterpret_cast<LRESULT>(parent.brush.GetSafeHandle()));
    EXPECT_EQ(parent.colouredControls, (std::vector<HWND>{edit.m_hWnd}));
    ReleaseDC(parent.m_hWnd, dc);
}

// A control inside a frame panel whose notices go to the dialog-like window
// above: its owner.
TEST_F(Reflection, OwnerReceivesTheControlsNoticesWhileTheParentKeepsTheSystems) {
    Parent panel;
    ASSERT_TRUE(panel.Create(nullptr, L"panel", WS_CHILD | WS_VISIBLE, CRect(10, 10, 210, 110), &parent, 30));
    OwnChangeEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(5, 5, 100, 25), &panel, 31));

    EXPECT_EQ(edit.GetParent(), &panel);
    EXPECT_EQ(edit.GetOwner(), &panel);  // no owner set: the parent
    edit.SetOwner(&parent);
    EXPECT_EQ(edit.GetParent(), &panel);
    EXPECT_EQ(edit.GetOwner(), &parent);

    edit.GetOwner()->SendMessage(kOwnerNotice, 0, reinterpret_cast<LPARAM>(edit.m_hWnd));
    EXPECT_EQ(parent.notices, (std::vector<HWND>{edit.m_hWnd}));
    EXPECT_TRUE(panel.notices.empty());

    // The system's notifications still travel to the real parent and back.
    edit.codes.clear();
    edit.SetWindowText(L"x");
    EXPECT_EQ(edit.codes, (std::vector<UINT>{EN_UPDATE, EN_CHANGE}));
    EXPECT_EQ(panel.commandCodes, (std::vector<UINT>{EN_UPDATE}));
    EXPECT_TRUE(parent.commandCodes.empty());

    edit.SetOwner(nullptr);
    EXPECT_EQ(edit.GetOwner(), &panel);
}

}  // namespace

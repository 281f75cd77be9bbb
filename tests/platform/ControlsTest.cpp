// The thin control classes against the real common controls: tool records
// sized for this build whatever the caller filled in, and the list view
// calls the widgets make, texts of any length included.

#include "platform/CListCtrl.h"
#include "platform/CToolTipCtrl.h"
#include "platform/CWnd.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class Controls : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(frame.CreateEx(0, nullptr, L"frame", WS_POPUP, CRect(0, 0, 300, 200), nullptr, 0));
        ASSERT_TRUE(item.Create(nullptr, L"item", WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 40), &frame, 5));
    }
    CWnd frame;
    CWnd item;
};

std::wstring ToolText(CToolTipCtrl& tip, CWnd* wnd, UINT_PTR id) {
    wchar_t text[80] = {};
    TOOLINFOW info = {};
    info.cbSize = sizeof(TOOLINFOW);
    info.hwnd = wnd->m_hWnd;
    info.uId = id;
    info.lpszText = text;
    tip.SendMessage(TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&info));
    return text;
}

TEST_F(Controls, TooltipTakesToolsOfThisBuildsRecordSize) {
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&item));
    tip.Activate(false);
    EXPECT_EQ(tip.GetToolCount(), 0);

    CRect client;
    item.GetClientRect(&client);
    EXPECT_TRUE(tip.AddTool(&item, L"first", &client, 1));
    tip.UpdateTipText(L"changed", &item, 1);
    EXPECT_EQ(ToolText(tip, &item, 1), L"changed");

    // A record sized for another build is resized, not refused.
    TOOLINFOW info = {};
    info.cbSize = 48;
    info.hwnd = item.m_hWnd;
    info.uId = 2;
    info.rect = client;
    info.lpszText = const_cast<wchar_t*>(L"second");
    EXPECT_TRUE(tip.AddTool(&info));
    EXPECT_EQ(tip.GetToolCount(), 2);
    EXPECT_EQ(ToolText(tip, &item, 2), L"second");

    MSG move = {item.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5), GetTickCount(), {15, 15}};
    tip.RelayEvent(&move);
    tip.Activate(true);
    tip.DelTool(&item, 1);
    EXPECT_EQ(tip.GetToolCount(), 1);
}

TEST_F(Controls, ListViewRowsCarryTextsDataAndSelection) {
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL, CRect(0, 50, 280, 190), &frame, 9));
    EXPECT_EQ(list.InsertColumn(0, L"name", LVCFMT_LEFT, 120), 0);
    EXPECT_EQ(list.InsertColumn(1, L"path", LVCFMT_LEFT, 150), 1);
    EXPECT_EQ(list.GetColumnWidth(1), 150);
    ASSERT_EQ(list.InsertItem(0, L"first"), 0);
    ASSERT_EQ(list.InsertItem(1, L"second"), 1);
    EXPECT_EQ(list.GetItemCount(), 2);

    const std::wstring longPath(700, L'p');
    EXPECT_TRUE(list.SetItemText(1, 1, longPath.c_str()));
    EXPECT_EQ(list.GetItemText(1, 1).ToStdWString(), longPath);
    EXPECT_EQ(list.GetItemText(0, 0), L"first");
    EXPECT_EQ(list.GetItemText(5, 0), L"");

    EXPECT_TRUE(list.SetItemData(1, 0xFEEDu));
    EXPECT_EQ(list.GetItemData(1), 0xFEEDu);
    EXPECT_EQ(list.GetItemData(0), 0u);

    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), -1);
    EXPECT_TRUE(list.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 1);
    EXPECT_EQ(list.GetItemState(1, LVIS_SELECTED), static_cast<UINT>(LVIS_SELECTED));

    CRect cell;
    EXPECT_TRUE(list.GetSubItemRect(1, 1, LVIR_BOUNDS, &cell));
    EXPECT_EQ(cell.Width(), 150);
    EXPECT_EQ(list.HitTest(CPoint(cell.left - 50, cell.top + 2)), 1);

    EXPECT_TRUE(list.DeleteItem(0));
    EXPECT_EQ(list.GetItemText(0, 0), L"second");
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(list.GetItemCount(), 0);
}

}  // namespace

// The list control's rules that need no window: how its drop list fits
// whole rows and where a key moves its selection, how the wheel's delta
// becomes scroll lines, where a check or an arrow answers a press, and the
// column numbers the code names.

#include "gui/skin/SymbolTables.h"
#include "gui/widgets/CXComboList.h"
#include "gui/widgets/CXListCtrl.h"

#include <gtest/gtest.h>

namespace {

TEST(ComboListFit, TheWindowShrinksToWholeRowsAndItsFrame) {
    const struct {
        int window, item;
        int list, rows, height;
    } cases[] = {
        {100, 16, 96, 6, 100},  // 96 of rows and the 4 of the frame
        {90, 16, 80, 5, 84},
        {112, 16, 112, 7, 116},
        {10, 16, 16, 1, 20},  // never fewer than one row
        {50, 0, 46, 1, 50},   // a list box that reports no height
    };
    for (const auto& c : cases) {
        const CXComboList::Fit fit = CXComboList::FitToRows(c.window, c.item);
        EXPECT_EQ(fit.listHeight, c.list) << c.window << "/" << c.item;
        EXPECT_EQ(fit.rows, c.rows) << c.window << "/" << c.item;
        EXPECT_EQ(fit.windowHeight, c.height) << c.window << "/" << c.item;
    }
}

TEST(ComboListKeys, EachKeyMovesTheSelectionWithinTheEntries) {
    // Entries 0..9, a page of 4; letters are found at 'F' (entry 5) only.
    const auto find = [](wchar_t letter) { return letter == L'F' ? 5 : -1; };
    const struct {
        UINT key;
        int pos;
        int target;
    } cases[] = {
        {VK_DOWN, 3, 4},  {VK_DOWN, 9, 9},  {VK_UP, 3, 2},     {VK_UP, 0, 0},  {VK_NEXT, 3, 6},
        {VK_NEXT, 8, 9},  {VK_PRIOR, 5, 2}, {VK_PRIOR, 1, 0},  {VK_HOME, 7, 0}, {VK_END, 2, 9},
        {'F', 0, 5},      {'Q', 2, -1},     {VK_RETURN, 2, -1}, {VK_F2, 2, -1}, {'5', 2, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CXComboList::KeyTarget(c.key, c.pos, 4, 9, find), c.target) << "key " << c.key << " at " << c.pos;
}

TEST(ListCtrlRules, TheWheelScrollsOneLinePerWholeNotch) {
    const struct {
        short delta;
        int steps;
    } cases[] = {{60, 0}, {-60, 0}, {119, 0}, {120, 1}, {-240, -2}, {-359, -2}, {360, 3}};
    for (const auto& c : cases)
        EXPECT_EQ(CXListCtrl::WheelSteps(c.delta), c.steps) << c.delta;
}

TEST(ListCtrlRules, ACheckAnswersNearItsMiddleAndAnArrowInTheSquareAtTheRight) {
    const RECT cell = {100, 20, 160, 38};  // middle 130, 18 high
    EXPECT_TRUE(CXListCtrl::InCheckZone(cell, 124));
    EXPECT_TRUE(CXListCtrl::InCheckZone(cell, 136));
    EXPECT_FALSE(CXListCtrl::InCheckZone(cell, 123));
    EXPECT_FALSE(CXListCtrl::InCheckZone(cell, 137));
    EXPECT_TRUE(CXListCtrl::InArrowZone(cell, 142));
    EXPECT_TRUE(CXListCtrl::InArrowZone(cell, 159));
    EXPECT_FALSE(CXListCtrl::InArrowZone(cell, 141));
}

TEST(ListCtrlRules, TheColumnAndCellNumbersCodeUsesAreThoseOfTheSkinsTables) {
    EXPECT_EQ(FindListColumnId(L"LCITEM_PROFILECURRENT"), LCITEM_PROFILECURRENT);
    EXPECT_EQ(FindListColumnId(L"LCITEM_PROFILENAME"), LCITEM_PROFILENAME);
    EXPECT_EQ(FindListColumnId(L"LCITEM_PROFILEEXE"), LCITEM_PROFILEEXE);
    EXPECT_EQ(FindListColumnId(L"LCITEM_AUTOSWITCH"), LCITEM_AUTOSWITCH);
    EXPECT_EQ(FindListColumnId(L"LCITEM_MCREVENT_DESCRIP"), LCITEM_MCREVENT_DESCRIP);
    EXPECT_EQ(FindCellType(L"ICON"), kCellIcon);
    EXPECT_EQ(FindCellType(L"EDIT"), kCellEdit);
    EXPECT_EQ(FindCellType(L"COMBO"), kCellCombo);
    EXPECT_EQ(FindCellType(L"CHECKBOX"), kCellCheckbox);
    EXPECT_EQ(FindCellType(L"FILEDIALOG"), kCellFileDialog);
}

TEST(ComboListMessagesTest, UnregisteredMessagesMatchNothingNotEvenWmNull) {
    EXPECT_FALSE(IsComboListMessage(WM_NULL, 0));
    RegisterComboListMessages();
    const ComboListMessages first = GetComboListMessages();
    EXPECT_GE(first.vkReturn, 0xC000u);
    EXPECT_NE(first.vkReturn, first.vkEscape);
    EXPECT_NE(first.keyDown, first.lButtonUp);
    EXPECT_TRUE(IsComboListMessage(first.keyDown, first.keyDown));
    RegisterComboListMessages();
    EXPECT_EQ(GetComboListMessages().lButtonUp, first.lButtonUp);
    EXPECT_EQ(GetComboListMessages().vkReturn, ::RegisterWindowMessageW(L"WM_XCOMBOLIST_VK_RETURN"));
}

}  // namespace

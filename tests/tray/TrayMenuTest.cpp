// The tray menu as the user sees it, built from the program's own menu
// resource: texts, separators, the checked profile, the default item.

#include "platform/CStringArray.h"
#include "tray/TrayMenu.h"
#include "tray/TrayResources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Item {
    UINT id;
    std::wstring text;  // "-" for a separator
    bool checked;
};

std::vector<Item> ReadMenu(HMENU popup) {
    std::vector<Item> items;
    for (int i = 0; i < GetMenuItemCount(popup); ++i) {
        wchar_t text[128] = {};
        MENUITEMINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 128;
        GetMenuItemInfoW(popup, static_cast<UINT>(i), TRUE, &info);
        bool separator = (info.fType & MFT_SEPARATOR) != 0;
        items.push_back({separator ? 0 : info.wID, separator ? L"-" : text, (info.fState & MFS_CHECKED) != 0});
    }
    return items;
}

std::wstring Describe(const std::vector<Item>& items) {
    std::wstring s;
    for (const Item& item : items)
        s += item.text + (item.checked ? L"[x]" : L"") + L"|";
    return s;
}

class TrayMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_TRAY_MENU));
        ASSERT_TRUE(m_menu);
        m_popup = GetSubMenu(m_menu, 0);
        ASSERT_TRUE(m_popup);
    }
    void TearDown() override { DestroyMenu(m_menu); }
    HMENU m_menu = nullptr;
    HMENU m_popup = nullptr;
};

TEST_F(TrayMenuTest, ProfilesBetweenSeparatorsWithTheActiveOneChecked) {
    CStringArray names;
    names.Add(L"Work");
    names.Add(L"Game");
    names.Add(L"game");
    FillTrayMenu(m_popup, names, L"Game", L"Open the suite", nullptr);
    EXPECT_EQ(Describe(ReadMenu(m_popup)),
              L"Open the suite|-|Work|Game[x]|game|-|Close Tray Icon|");
    std::vector<Item> items = ReadMenu(m_popup);
    EXPECT_EQ(items[2].id, static_cast<UINT>(ID_PROFILE_FIRST));
    EXPECT_EQ(items[4].id, static_cast<UINT>(ID_PROFILE_FIRST + 2));
    EXPECT_EQ(GetMenuDefaultItem(m_popup, FALSE, 0), static_cast<UINT>(ID_LOAD_CONFIG));
}

TEST_F(TrayMenuTest, WithoutProfilesOnlyLoadAndClose) {
    FillTrayMenu(m_popup, CStringArray(), L"", nullptr, L"Quit");
    EXPECT_EQ(Describe(ReadMenu(m_popup)), L"Load Mobek Tilvor|-|Quit|");
}

TEST_F(TrayMenuTest, TwentyOfTwentyFiveProfilesInTheServicesOrder) {
    CStringArray names;
    for (int i = 1; i <= 25; ++i) {
        CString name;
        name.Format(L"P%02d", i);
        names.Add(name);
    }
    FillTrayMenu(m_popup, names, L"P25", nullptr, nullptr);
    std::vector<Item> items = ReadMenu(m_popup);
    ASSERT_EQ(items.size(), 1u + 1 + 20 + 1 + 1);
    EXPECT_EQ(items[2].text, L"P01");
    EXPECT_EQ(items[21].text, L"P20");
    EXPECT_EQ(items[21].id, static_cast<UINT>(ID_PROFILE_LAST));
    for (const Item& item : items)
        EXPECT_FALSE(item.checked) << std::string(item.text.begin(), item.text.end());
}

}  // namespace

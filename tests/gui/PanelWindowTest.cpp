// Skinned panels under Wine: a panel takes its background's size and its
// mask's shape, paints its background, binds its items before the dialog's
// own initialisation, keeps its template size without a usable background,
// and leaves the region it gave its window to the window.

#include "gui/core/BitmapUtils.h"
#include "gui/skin/CKeyboardLayoutSwitcher.h"
#include "gui/core/CPanelBitmap.h"
#include "gui/core/CPopupBox.h"
#include "gui/skin/GUIResources.h"
#include "gui/skin/SkinLoader.h"
#include "gui/skin/SymbolIds.h"
#include "tests/gui/GuiWindowTestResources.h"
#include "tests/gui/SkinTestFolder.h"
#include "tests/gui/WidgetHost.h"
#include "tests/support/MessagePump.h"
#include "tests/support/Screenshot.h"
#include "tests/support/TestPaths.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class TestPopup : public TestPage {
public:
    using TestPage::TestPage;

    void BindItems() override { events.push_back("bind " + std::to_string(GetItems().GetCount())); }
    BOOL OnInitDialog() override {
        BOOL result = CPopupBox::OnInitDialog();
        events.push_back("init");
        return result;
    }
    bool RegionWrapperEmpty() const { return m_region.GetSafeHandle() == nullptr; }

    std::vector<std::string> events;
};

class PlacedPanel : public CGUIPanel {
public:
    PlacedPanel(const RECT& placement, UINT templateId) : CGUIPanel(placement, templateId, nullptr) {}
    void BindItems() override {}
};

CRect WindowRect(HWND hwnd) {
    CRect r;
    GetWindowRect(hwnd, &r);
    return r;
}

TEST_F(DistSkin, TheTestPanelTakesItsBackgroundsSizeAndItsMasksShape) {
    TestPopup panel(L"TestPanel.xml");
    ASSERT_TRUE(panel.Create(IDD_GUI_TEST_POPUP, nullptr));
    panel.ShowWindow(SW_SHOW);
    panel.UpdateWindow();
    PumpUntilIdle();

    ASSERT_NE(panel.GetBackground(), nullptr);
    ASSERT_NE(panel.GetMask(), nullptr);
    BITMAP background = {};
    ASSERT_TRUE(panel.GetBackground()->GetBitmap(&background));
    EXPECT_EQ(WindowRect(panel), CRect(0, 0, background.bmWidth, background.bmHeight));
    EXPECT_EQ(panel.GetPlacement().right, background.bmWidth);

    // The window's shape is the mask's: the same region the mask makes.
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(panel, shape), ERROR);
    HRGN expected = CreateRegionFromBitmap(panel.GetMask()->m_regionSource);
    EXPECT_TRUE(EqualRgn(shape, expected));
    EXPECT_FALSE(PtInRegion(shape, 0, 0));  // a cut corner
    EXPECT_TRUE(PtInRegion(shape, background.bmWidth / 2, background.bmHeight / 2));
    DeleteObject(expected);
    DeleteObject(shape);
    EXPECT_TRUE(panel.RegionWrapperEmpty());  // the window owns it now

    // What the user sees inside the shape is the background picture.
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, panel.GetBackground()->GetSafeHandle());
    const int x = background.bmWidth / 2, y = background.bmHeight / 2;
    COLORREF painted = GetPixel(memory, x, y);
    SelectObject(memory, old);
    DeleteDC(memory);
    EXPECT_EQ(ScreenPixel(x, y), painted);

    EXPECT_TRUE(SaveWindowScreenshot(panel, ArtifactPath(L"TestPanel.png")));
    panel.DestroyWindow();
    EXPECT_FALSE(panel.IsCreated());
    EXPECT_EQ(panel.GetBackground()->GetSafeHandle(), nullptr);  // the pictures go with the window
    EXPECT_EQ(panel.GetMask()->GetSafeHandle(), nullptr);
    EXPECT_EQ(panel.GetItems().GetCount(), 2u);                   // the items with the panel
}

TEST_F(DistSkin, APopupBindsItsLoadedItemsBeforeTheDialogsInitialisation) {
    TestPopup popup(L"TestPanel.xml");
    ASSERT_TRUE(popup.Create(IDD_GUI_TEST_POPUP, nullptr));
    EXPECT_EQ(popup.events, (std::vector<std::string>{"bind 2", "init"}));
    popup.DestroyWindow();
}

TEST(Panels, APanelWithoutASkinFileIsSizedByItsPlacement) {
    PlacedPanel panel(RECT{10, 20, 110, 70}, IDD_GUI_TEST_SIZED);
    ASSERT_TRUE(panel.Create(IDD_GUI_TEST_SIZED, nullptr));
    EXPECT_EQ(WindowRect(panel), CRect(0, 0, 100, 50));
    panel.DestroyWindow();
}

TEST(Panels, APanelWithoutAUsableBackgroundKeepsItsTemplateSize) {
    SkinTestFolder folder(L"gui-panel");
    folder.WriteText(L"xml\\NoBackground.xml", "<GUIPANEL><BACKGROUND>Missing.bmp</BACKGROUND></GUIPANEL>");
    CDialog plain(IDD_GUI_TEST_SIZED, nullptr);
    ASSERT_TRUE(plain.Create(IDD_GUI_TEST_SIZED, nullptr));
    const CRect templateRect = WindowRect(plain);
    plain.DestroyWindow();
    ASSERT_GT(templateRect.Width(), 0);

    class Panel : public CGUIPanel {
    public:
        Panel() : CGUIPanel(IDD_GUI_TEST_SIZED, L"NoBackground.xml", nullptr) {}
        void BindItems() override {}
    } panel;
    ASSERT_TRUE(panel.Create(IDD_GUI_TEST_SIZED, nullptr));
    EXPECT_EQ(panel.GetBackground(), nullptr);
    EXPECT_EQ(WindowRect(panel).Size(), templateRect.Size());
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(panel, shape), ERROR);  // and its rectangular shape
    DeleteObject(shape);
    panel.DestroyWindow();
}

TEST_F(DistSkin, TheKeyboardLayoutsOfTheSkinSwitchAndSwitchBack) {
    CGUIItems layouts;
    ASSERT_TRUE(LoadXmlDescription(&layouts, L"KeyboardLayout.xml", nullptr, false));
    const HKL before = GetKeyboardLayout(0);
    {
        CKeyboardLayoutSwitcher switcher;
        ASSERT_TRUE(switcher.Activate(KBLAYOUT_ENGLISH));
        ASSERT_TRUE(switcher.Activate(KBLAYOUT_GERMAN));
        EXPECT_EQ(switcher.GetCurrent(), KBLAYOUT_GERMAN);
        EXPECT_FALSE(switcher.Activate(KBLAYOUT_CHINESE_SIMPLIFIED + 1000));
    }
    EXPECT_EQ(GetKeyboardLayout(0), before);
}

}  // namespace

// The skin loader: roots, the table's order and its progress, the handlers'
// counts, the panel pictures, and what stays built when a load fails.

#include "gui/skin/CKeyboardDef.h"
#include "gui/skin/CKeyboardLayoutSetting.h"
#include "gui/skin/CLangTable.h"
#include "gui/core/CPanelBitmap.h"
#include "gui/skin/CFontItem.h"
#include "gui/widgets/CProgressPanelItem.h"
#include "gui/skin/GUIResources.h"
#include "gui/skin/SkinLoader.h"
#include "gui/skin/SymbolIds.h"
#include "model/device/CProgressMessenger.h"
#include "tests/gui/KeyFiles.h"
#include "tests/gui/SkinTestFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records what a load reports: texts as "text:...", progress as numbers.
class ProgressObserver {
public:
    ProgressObserver() {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"GuiTestProgressObserver";
        RegisterClassW(&wc);
        m_hwnd = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
        SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        SetSkinLoadProgressWindow(m_hwnd);
    }
    ~ProgressObserver() {
        SetSkinLoadProgressWindow(nullptr);
        DestroyWindow(m_hwnd);
    }
    std::vector<std::wstring> events;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<ProgressObserver*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self && message == WM_PROGRESS_TEXT)
            self->events.push_back(L"text:" + std::wstring(reinterpret_cast<const wchar_t*>(lParam)));
        else if (self && message == WM_PROGRESS_PERCENT)
            self->events.push_back(std::to_wstring(lParam));
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    HWND m_hwnd;
};

class SkinLoader : public ::testing::Test {
protected:
    void SetUp() override {
        folder.WriteUtf16(L"lang\\Lang.txt", L"Language\r1\rKey\rValue\r");
        folder.WriteBmp(L"skins\\Back.bmp", 30, 20, [](int, int) { return RGB(10, 20, 30); });
        folder.WriteBmp(L"skins\\Mask.bmp", 30, 20, [](int x, int) { return x < 15 ? RGB(0, 0, 0) : RGB(255, 255, 255); });
        CLangTable::SetCurrentLanguageId(-1);
    }
    void TearDown() override { CLangTable::SetCurrentLanguageId(-1); }

    bool Load(const wchar_t* name, const std::string& xml, bool progress = false) {
        folder.WriteText(std::wstring(L"xml\\") + name, xml);
        return LoadXmlDescription(&items, name, nullptr, progress);
    }
    uint32_t Run(const char* label, const char* xml) {
        doc.load_string(xml);
        const auto& table = GetSkinListTable();
        for (size_t i = 0; i < table.size(); ++i)
            if (std::string(table[i].label) == label)
                return RunSkinListHandler(i, doc.first_child(), items, nullptr);
        ADD_FAILURE() << "no entry " << label;
        return 0;
    }

    SkinTestFolder folder{L"gui-loader"};
    CGUIItems items;
    pugi::xml_document doc;
};

TEST_F(SkinLoader, TheTableRunsInItsFixedOrder) {
    const char* const labels[] = {"LANGUAGES", "KEYBOARD DEF", "KEYBOARD LAYOUTS", "FONTS", "BITMAPS",
                                  "BUTTONS", "SLIDERS", "TEXT ITEMS", "DPI STAGE WINDOWS", "MACRO DISPLAYS",
                                  "LISTS", "LIST PANELS", "EDIT CONTROLS", "KEYBOARD KEYS", "PROGRESS PANELS"};
    const auto& table = GetSkinListTable();
    ASSERT_EQ(table.size(), 15u);
    for (size_t i = 0; i < table.size(); ++i)
        EXPECT_STREQ(table[i].label, labels[i]);
}

TEST_F(SkinLoader, AnItemListReportsItsNameAndEveryStep) {
    ProgressObserver observer;
    ASSERT_TRUE(Load(L"Fonts.xml", R"(<ITEMLIST><FONTLIST>
        <FONT name="FONT_ARIAL12" typeface="Arial" pitch="12"/><FONT name="FONT_BOGUS"/>
        <FONT name="FONT_ARIAL16" typeface="Arial" pitch="16"/></FONTLIST><TEXTLIST/></ITEMLIST>)",
                     true));
    std::vector<std::wstring> expected = {L"text:Fonts.xml"};
    for (int i = 0; i < 15; ++i)
        expected.push_back(std::to_wstring(6 * i));
    expected.push_back(L"100");
    EXPECT_EQ(observer.events, expected);
    ASSERT_EQ(items.GetCount(), 2u);
    EXPECT_EQ(items.GetAt(0)->m_itemId, FONT_ARIAL12);
    EXPECT_EQ(items.GetAt(1)->m_itemId, FONT_ARIAL16);
    EXPECT_EQ(GetCurrentProgressMessenger(), nullptr);
}

TEST_F(SkinLoader, WithoutTheProgressFlagNothingIsReported) {
    ProgressObserver observer;
    ASSERT_TRUE(Load(L"Empty.xml", "<ITEMLIST/>"));
    EXPECT_TRUE(observer.events.empty());
}

TEST_F(SkinLoader, MissingMalformedAndUnknownFiles) {
    ProgressObserver observer;
    EXPECT_FALSE(LoadXmlDescription(&items, L"Absent.xml", nullptr, true));
    EXPECT_FALSE(Load(L"Broken.xml", "<ITEMLIST><FONTLIST></ITEMLIST>", true));
    EXPECT_TRUE(observer.events.empty());  // no text for a file that did not load
    EXPECT_FALSE(Load(L"Other.xml", R"(<PANEL><FONTLIST><FONT name="FONT_ARIAL12"/></FONTLIST></PANEL>)", true));
    EXPECT_EQ(observer.events, std::vector<std::wstring>{L"text:Other.xml"});
    EXPECT_EQ(items.GetCount(), 0u);
    EXPECT_FALSE(LoadGUIFromXml(folder.Path(L"xml\\Other.xml").c_str(), nullptr, nullptr, false));
}

TEST_F(SkinLoader, APathWithoutABackslashIsReportedWhole) {
    ProgressObserver observer;
    folder.WriteText(L"xml\\Plain.xml", "<ITEMLIST/>");
    wchar_t previous[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, previous);
    SetCurrentDirectoryW(folder.Path(L"xml").c_str());
    EXPECT_TRUE(LoadGUIFromXml(L"Plain.xml", nullptr, &items, true));
    SetCurrentDirectoryW(previous);
    ASSERT_FALSE(observer.events.empty());
    EXPECT_EQ(observer.events[0], L"text:Plain.xml");
}

TEST_F(SkinLoader, APanelNeedsBothPicturesAndKeepsWhatItBuilt) {
    EXPECT_FALSE(Load(L"NoMask.xml", R"(<GUIPANEL><BACKGROUND> Back.bmp </BACKGROUND>
        <FONTLIST><FONT name="FONT_ARIAL12"/></FONTLIST></GUIPANEL>)"));
    ASSERT_EQ(items.GetCount(), 1u);  // the background stays; no list was read
    EXPECT_EQ(items.GetAt(0)->m_itemId, kBackgroundItemId);

    CGUIItems panel;
    folder.WriteText(L"xml\\Panel.xml", R"(<GUIPANEL><MASK>Mask.bmp</MASK><BACKGROUND>Back.bmp</BACKGROUND>
        <FONTLIST><FONT name="FONT_ARIAL12"/></FONTLIST></GUIPANEL>)");
    ASSERT_TRUE(LoadXmlDescription(&panel, L"Panel.xml", nullptr, false));
    ASSERT_EQ(panel.GetCount(), 3u);
    auto* background = dynamic_cast<CPanelBitmap*>(panel.FindById(kBackgroundItemId));
    auto* mask = dynamic_cast<CPanelBitmap*>(panel.FindById(kMaskItemId));
    ASSERT_NE(background, nullptr);
    ASSERT_NE(mask, nullptr);
    EXPECT_EQ(background->m_itemType, kItemPanelBitmap);
    EXPECT_EQ(background->m_itemWindow, nullptr);
    EXPECT_EQ(mask->m_regionSource, mask->GetSafeHandle());
    // Each panel picture is its own copy, not the cached picture.
    EXPECT_NE(background->GetSafeHandle(), GetSkinPictureByAttribute("Back.bmp")->GetSafeHandle());
    BITMAP info = {};
    ASSERT_TRUE(background->GetBitmap(&info));
    EXPECT_EQ(info.bmWidth, 30);
    EXPECT_EQ(info.bmHeight, 20);
    EXPECT_EQ(panel.GetAt(2)->m_itemId, FONT_ARIAL12);
}

TEST_F(SkinLoader, LanguagesBuildOnlyTheCurrentLanguageButCountEveryElement) {
    CLangTable::SetCurrentLanguageId(LANGUAGE_FRENCH);
    const char* xml = R"(<ITEMLIST><LANGLIST>
        <LANG name="LANGUAGE_DEFAULT" file="Lang.txt"/><LANG name="LANGUAGE_GERMAN" file="Lang.txt"/>
        <LANG name="LANGUAGE_FRENCH" file="Lang.txt"/><LANG name="LANGUAGE_SPANISH" file="Lang.txt"/>
        <LANG name="LANGUAGE_KOREAN" file="Lang.txt"/></LANGLIST></ITEMLIST>)";
    EXPECT_EQ(Run("LANGUAGES", xml), (5u << 16) | 1);
    ASSERT_EQ(items.GetCount(), 1u);
    EXPECT_EQ(CLangTable::FindByLanguageId(LANGUAGE_FRENCH), items.GetAt(0));
    CLangTable::SetCurrentLanguageId(-1);
    EXPECT_EQ(Run("LANGUAGES", xml), (5u << 16) | 5);
    EXPECT_EQ(CLangTable::FindByLanguageId(LANGUAGE_FRENCH), items.GetAt(3));  // the later one replaces
}

TEST_F(SkinLoader, HandlerCountsAndTheirSpecialRules) {
    EXPECT_EQ(Run("FONTS", "<ITEMLIST/>"), 0u);
    EXPECT_EQ(Run("BUTTONS", "<R><BUTTONLIST><AVIBUTTON/><BUTTON/><AVIBUTTON/><BUTTON/></BUTTONLIST></R>"),
              3u << 16);  // two buttons and the first animated one
    EXPECT_EQ(Run("KEYBOARD KEYS", "<R><KBDKEYLIST><KBDKEY/><KBDKEY/></KBDKEYLIST></R>"), 0u);
    EXPECT_EQ(Run("KEYBOARD LAYOUTS", R"(<R><KBLAYOUTLIST><KBLAYOUT name="KBLAYOUT_UK" kbdlayout="00000809"/>
        <KBLAYOUT name="KBLAYOUT_NONE"/></KBLAYOUTLIST></R>)"),
              (2u << 16) | 1);
    EXPECT_EQ(CKeyboardLayoutSetting::FindByLayoutId(KBLAYOUT_UK), items.GetAt(items.GetCount() - 1));
    // Only the first list element of a name counts.
    EXPECT_EQ(Run("FONTS", R"(<R><FONTLIST><FONT name="FONT_ARIAL12"/></FONTLIST>
        <FONTLIST><FONT name="FONT_ARIAL13"/></FONTLIST></R>)"),
              (1u << 16) | 1);
}

TEST_F(SkinLoader, AKeyboardFileReadsTheDefinitionWhichNoListOwns) {
    folder.WriteBytes(L"bin\\Def.bin", DefinitionFile({{L"Esc", {{0x01, 0}}}}));
    folder.WriteBytes(L"bin\\Val.bin", DefaultsFile({{HashKeyName(L"Esc"), 0x01}}));
    const char* layouts = R"(<KBLAYOUTLIST><KBLAYOUT name="KBLAYOUT_ENGLISH" kbdlayout="00000409"/></KBLAYOUTLIST>)";
    EXPECT_FALSE(Load(L"NoDef.xml", std::string("<KEYBOARD><KEYBOARDDEF name=\"KBDDEF_NONE\" file=\"Def.bin\"/>") +
                                        layouts + "</KEYBOARD>"));
    EXPECT_EQ(items.GetCount(), 0u);
    EXPECT_FALSE(GetKeyboardDef().IsLoaded());

    ASSERT_TRUE(Load(L"Keyboard.xml",
                     std::string(R"(<KEYBOARD><KEYBOARDDEF name="KBDDEF_WINDOWS" file="Def.bin" kbddefaults="Val.bin"/>)") +
                         layouts + "</KEYBOARD>"));
    ASSERT_EQ(items.GetCount(), 1u);
    EXPECT_EQ(items.GetAt(0)->m_itemType, kItemKeyboardLayout);
    EXPECT_EQ(items.FindById(KBDDEF_WINDOWS), nullptr);
    EXPECT_EQ(GetKeyboardDef().m_itemId, KBDDEF_WINDOWS);
    EXPECT_EQ(GetKeyboardDef().FindKey(0x01), HashKeyName(L"Esc"));
    EXPECT_EQ(GetKeyTable(), &GetKeyboardDef());
}

TEST_F(SkinLoader, AProgressPanelIsADescriptionWithoutAWindow) {
    const char* xml = R"(<ITEMLIST>
      <FONTLIST><FONT name="FONT_ARIAL12" typeface="Arial" pitch="12"/></FONTLIST>
      <PROGRESSPANELLIST>
        <PROGRESSPANELITEM name="BITMAP_BACKGROUND_RECTMACRO" fontclr="GREEN" bdrclr="RED" bdrwidth="-3">
          <RECT left="10" top="20" right="200" bottom="40"/>
          <FILLINFO fillclr="BLUE"><RECT left="2" top="2" right="100" bottom="6"/></FILLINFO>
          <TEXTINFOLIST>
            <TEXTINFO name="title" textkey="$Saving" fontid="FONT_ARIAL12" fontclr="WHITE">
              <RECT left="4" top="10" right="120" bottom="14"/></TEXTINFO>
            <TEXTINFO name="without a rectangle"/>
            <TEXTINFO name="percent"><RECT left="130" top="10" right="40" bottom="14"/></TEXTINFO>
          </TEXTINFOLIST>
        </PROGRESSPANELITEM>
        <PROGRESSPANELITEM name="TEXT_LOGO"><RECT left="5" top="5" right="0" bottom="10"/></PROGRESSPANELITEM>
        <PROGRESSPANELITEM name="TEXT_COLOR"><RECT right="50" bottom="10"/></PROGRESSPANELITEM>
      </PROGRESSPANELLIST></ITEMLIST>)";
    ASSERT_EQ(Run("FONTS", xml), (1u << 16) | 1);
    // The one of an empty rectangle is counted, not built.
    EXPECT_EQ(Run("PROGRESS PANELS", xml), (3u << 16) | 2);
    auto* panel = dynamic_cast<CProgressPanelItem*>(items.FindById(BITMAP_BACKGROUND_RECTMACRO));
    auto* bare = dynamic_cast<CProgressPanelItem*>(items.FindById(TEXT_COLOR));
    ASSERT_TRUE(panel && bare);
    EXPECT_EQ(items.FindById(TEXT_LOGO), nullptr);
    EXPECT_EQ(panel->m_itemType, kItemProgressPanel);
    EXPECT_EQ(panel->m_itemWindow, nullptr);
    EXPECT_EQ(panel->GetRect(), CRect(10, 20, 210, 60));
    EXPECT_EQ(panel->GetStyle(), static_cast<DWORD>(WS_CHILD | WS_VISIBLE));
    // Colours the element names, defaults for the others.
    const ListPanelStyle& look = panel->GetLook();
    EXPECT_EQ(look.fontColour, 0x00FF00u);
    EXPECT_EQ(look.fontColourHot, 0u);
    EXPECT_EQ(look.backColour, 0u);
    EXPECT_EQ(look.backColourHot, 0xFFFFFFu);
    EXPECT_EQ(look.borderColour, 0x0000FFu);
    EXPECT_EQ(look.borderWidth, 0) << "a negative border is none";
    EXPECT_EQ(bare->GetLook().borderWidth, 0);
    EXPECT_EQ(panel->GetFill().fillColour, 0xFF0000u);
    EXPECT_EQ(panel->GetFill().rect, CRect(2, 2, 102, 8));
    EXPECT_EQ(bare->GetFill().fillColour, 0xFFFFFFu);
    EXPECT_TRUE(bare->GetTextEntries().empty()) << "no TEXTINFOLIST, no entries";

    const std::vector<TextInfo>& entries = panel->GetTextEntries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].name, CString(L"title"));
    EXPECT_EQ(entries[0].textKey, CString(L"$Saving"));
    EXPECT_EQ(entries[0].rect, CRect(4, 10, 124, 24));
    EXPECT_EQ(entries[0].font, dynamic_cast<CFontItem*>(items.FindById(FONT_ARIAL12)));
    EXPECT_NE(entries[0].font, nullptr);
    EXPECT_EQ(entries[0].fontColour, 0xFFFFFFu);
    EXPECT_EQ(entries[1].name, CString(L"percent"));
    // Looked up by "no window", the first item without one is the font: a
    // progress panel is never the item of a window.
    EXPECT_EQ(items.FindByWindow(nullptr), items.FindById(FONT_ARIAL12));
}

}  // namespace

// The skin check: the installed skin has no element, id, colour or file
// that the loader would silently skip, and each kind of fault in a skin is
// reported with the element it is in.

#include "gui/skin/CSkinChecker.h"
#include "gui/skin/GUIResources.h"
#include "tests/gui/SkinTestFolder.h"
#include "tests/support/TestPaths.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Joined(const std::vector<CString>& problems) {
    std::string text;
    for (const CString& problem : problems)
        text += problem.ToUtf8() + "\n";
    return text;
}

TEST(SkinCheck, TheInstalledSkinIsClean) {
    ReleaseGUIResources();
    SetApplicationDirectory((DistPath() + L"\\").c_str());
    CSkinChecker checker;
    const size_t files = checker.CheckAllFiles();
    ReleaseGUIResources();
    SetApplicationDirectory(L"");
    // Language.xml, KeyboardLayout.xml and the test panel at least.
    EXPECT_GE(files, 3u);
    EXPECT_TRUE(checker.GetProblems().empty()) << Joined(checker.GetProblems());
}

class SkinCheckFaults : public ::testing::Test {
protected:
    void SetUp() override {
        folder.WriteBmp(L"skins\\Here.bmp", 4, 4, [](int, int) { return RGB(10, 20, 30); });
        folder.WriteText(L"skins\\NotAPicture.bmp", "text, not a picture");
        folder.WriteUtf16(L"lang\\English.txt", L"English\rnotes\rStop\rStop it\r");
    }

    // The problems of one file holding 'xml'.
    std::vector<CString> Check(const std::string& xml) {
        folder.WriteText(L"xml\\Case.xml", xml);
        CSkinChecker checker;
        checker.CheckFile(L"Case.xml");
        return checker.GetProblems();
    }

    SkinTestFolder folder{L"skin-check"};
};

TEST_F(SkinCheckFaults, ACleanFileHasNoProblems) {
    EXPECT_EQ(Joined(Check("<ITEMLIST><LANGLIST><LANG name=\"LANGUAGE_DEFAULT\" file=\" English.txt \">"
                           "<LANGFONT fontsearch=\"FONT_ARIAL12\" fontreplace=\"FONT_ARIAL14\"/>"
                           "<LANGOVERRIDE name=\"TEXT_LOGO\" caps=\"U\"/>"
                           "<LANGOVERRIDE id=\"BUTTON_OK\"><RECT left=\"1\"/><SBMN>Here.bmp</SBMN></LANGOVERRIDE>"
                           "<LANGOVERRIDECOL name=\"LCITEM_PROFILENAME\" width=\"80\"/>"
                           "</LANG></LANGLIST>"
                           "<FONTLIST><FONT name=\"FONT_ARIAL12\" typeface=\"Arial\" pitch=\"12\"/></FONTLIST>"
                           "<TEXTLIST><TEXTITEM name=\"TEXT_LOGO\" fontid=\"FONT_ARIAL12\" fontclr=\"teal_border\">"
                           "<RECT left=\"0\" top=\"0\" right=\"10\" bottom=\"10\"/></TEXTITEM></TEXTLIST>"
                           "<LISTLIST><LISTCTRL name=\"LIST_PROFILELIST\" bdrclr=\"WHITE\"><LISTHDR backclr=\"BLACK\"/>"
                           "<BMPINFO name=\"FRAME\"><BMPDATA>Here.bmp</BMPDATA><BMPMASK>Here.bmp</BMPMASK></BMPINFO>"
                           "<LISTCOLUMN name=\"lcitem_profilecurrent\" type=\"icon\" width=\"20\" exclusive=\"1\">"
                           "<SBMN>Here.bmp</SBMN><SBMD>Here.bmp</SBMD></LISTCOLUMN></LISTCTRL></LISTLIST>"
                           "<DPISTAGELIST><DPISTAGEWINDOW name=\"TEXT_COLOR\" fontid=\"FONT_ARIAL12\">"
                           "<BMPINFO name=\"dpiframe\"><BMPDATA>Here.bmp</BMPDATA></BMPINFO>"
                           "<TEXTAREA name=\"heading\" textkey=\"Stop\"/></DPISTAGEWINDOW></DPISTAGELIST>"
                           "<PROGRESSPANELLIST><PROGRESSPANELITEM name=\"TEXT_LOGO\" bdrclr=\"WHITE\">"
                           "<FILLINFO fillclr=\"GREEN\"/><TEXTINFOLIST><TEXTINFO name=\"title\" fontid=\"FONT_ARIAL12\"/>"
                           "</TEXTINFOLIST></PROGRESSPANELITEM></PROGRESSPANELLIST>"
                           "</ITEMLIST>")),
              "");
}

TEST_F(SkinCheckFaults, EachKindOfFaultIsReportedWhereItIs) {
    struct Case {
        const char* label;
        const char* xml;
        const wchar_t* expected;  // the whole report line
    };
    const Case cases[] = {
        {"unknown element", "<ITEMLIST><TEXTLST/></ITEMLIST>", L"Case.xml: <TEXTLST> unknown element"},
        {"unknown item element", "<ITEMLIST><TEXTLIST><TEXT name=\"TEXT_LOGO\"/></TEXTLIST></ITEMLIST>",
         L"Case.xml: <TEXT name=\"TEXT_LOGO\"> unknown element"},
        {"unknown item id", "<ITEMLIST><TEXTLIST><TEXTITEM name=\"TEXT_LOGGO\"/></TEXTLIST></ITEMLIST>",
         L"Case.xml: <TEXTITEM name=\"TEXT_LOGGO\"> name: unknown symbolic id \"TEXT_LOGGO\""},
        {"unknown font reference",
         "<ITEMLIST><TEXTLIST><TEXTITEM name=\"TEXT_LOGO\" fontid=\"FONT_ARIAL99\"/></TEXTLIST></ITEMLIST>",
         L"Case.xml: <TEXTITEM name=\"TEXT_LOGO\"> fontid: unknown symbolic id \"FONT_ARIAL99\""},
        {"unknown colour", "<ITEMLIST><TEXTLIST><TEXTITEM name=\"TEXT_LOGO\" fontclr=\"TEAL\"/></TEXTLIST></ITEMLIST>",
         L"Case.xml: <TEXTITEM name=\"TEXT_LOGO\"> fontclr: unknown colour name \"TEAL\""},
        {"missing picture", "<GUIPANEL><BACKGROUND>Gone.bmp</BACKGROUND></GUIPANEL>",
         L"Case.xml: <BACKGROUND> picture: missing skins\\Gone.bmp"},
        {"picture that does not decode", "<GUIPANEL><MASK> NotAPicture.bmp </MASK></GUIPANEL>",
         L"Case.xml: <MASK> picture: missing skins\\NotAPicture.bmp"},
        {"empty picture element", "<GUIPANEL><MASK/></GUIPANEL>", L"Case.xml: <MASK> picture: names no file"},
        {"missing language file",
         "<ITEMLIST><LANGLIST><LANG name=\"LANGUAGE_GERMAN\" file=\"German.txt\"/></LANGLIST></ITEMLIST>",
         L"Case.xml: <LANG name=\"LANGUAGE_GERMAN\"> file: missing lang\\German.txt"},
        {"missing key definition", "<KEYBOARD><KEYBOARDDEF name=\"KBDDEF_WINDOWS\" kbddefaults=\"D.bin\"/></KEYBOARD>",
         L"Case.xml: <KEYBOARDDEF name=\"KBDDEF_WINDOWS\"> kbddefaults: missing bin\\D.bin"},
        {"missing font file", "<ITEMLIST><FONTLIST><FONT name=\"FONT_ARIAL12\">Gone.ttf</FONT></FONTLIST></ITEMLIST>",
         L"Case.xml: <FONT name=\"FONT_ARIAL12\"> file: missing fonts\\Gone.ttf"},
        {"unknown font in a language's font map",
         "<ITEMLIST><LANGLIST><LANG name=\"LANGUAGE_DEFAULT\" file=\"English.txt\">"
         "<LANGFONT fontsearch=\"FONT_ARIAL12\" fontreplace=\"ARIAL\"/></LANG></LANGLIST></ITEMLIST>",
         L"Case.xml: <LANGFONT> fontreplace: unknown symbolic id \"ARIAL\""},
        {"override of an unknown item",
         "<ITEMLIST><LANGLIST><LANG name=\"LANGUAGE_DEFAULT\" file=\"English.txt\">"
         "<LANGOVERRIDE id=\"BUTTON_NONE\"/></LANG></LANGLIST></ITEMLIST>",
         L"Case.xml: <LANGOVERRIDE> id: unknown symbolic id \"BUTTON_NONE\""},
        {"override the loader ignores",
         "<ITEMLIST><LANGLIST><LANG name=\"LANGUAGE_DEFAULT\" file=\"English.txt\">"
         "<LANGOVERRIDE name=\"TEXT_LOGO\" caps=\"U\" multiline=\"1\"/></LANG></LANGLIST></ITEMLIST>",
         L"Case.xml: <LANGOVERRIDE name=\"TEXT_LOGO\"> needs the item's id alone, or name and the one attribute "
         L"it overrides"},
        {"unknown list column",
         "<ITEMLIST><LANGLIST><LANG name=\"LANGUAGE_DEFAULT\" file=\"English.txt\">"
         "<LANGOVERRIDECOL name=\"LCITEM_NAME\" width=\"5\"/></LANG></LANGLIST></ITEMLIST>",
         L"Case.xml: <LANGOVERRIDECOL name=\"LCITEM_NAME\"> unknown list column \"LCITEM_NAME\""},
        {"column override with three attributes",
         "<ITEMLIST><LANGLIST><LANG name=\"LANGUAGE_DEFAULT\" file=\"English.txt\">"
         "<LANGOVERRIDECOL name=\"LCITEM_PROFILEID\" width=\"5\" caps=\"U\"/></LANG></LANGLIST></ITEMLIST>",
         L"Case.xml: <LANGOVERRIDECOL name=\"LCITEM_PROFILEID\"> needs exactly two attributes: name and the one "
         L"it overrides"},
        {"no root the loader knows", "<PANEL/>", L"Case.xml: no KEYBOARD, GUIPANEL or ITEMLIST root"},
        {"unknown list column",
         "<ITEMLIST><LISTLIST><LISTCTRL name=\"LIST_PROFILELIST\">"
         "<LISTCOLUMN name=\"LCITEM_NAME\" type=\"STATIC\" width=\"5\"/></LISTCTRL></LISTLIST></ITEMLIST>",
         L"Case.xml: <LISTCOLUMN name=\"LCITEM_NAME\"> name: unknown list column \"LCITEM_NAME\""},
        {"unknown cell type",
         "<ITEMLIST><LISTLIST><LISTCTRL name=\"LIST_PROFILELIST\">"
         "<LISTCOLUMN name=\"LCITEM_PROFILENAME\" type=\"TEXT\" width=\"5\"/></LISTCTRL></LISTLIST></ITEMLIST>",
         L"Case.xml: <LISTCOLUMN name=\"LCITEM_PROFILENAME\"> type: unknown cell type \"TEXT\""},
        {"missing picture of a bitmap info",
         "<ITEMLIST><LISTLIST><LISTCTRL name=\"LIST_PROFILELIST\"><BMPINFO><BMPDATA>Gone.bmp</BMPDATA></BMPINFO>"
         "</LISTCTRL></LISTLIST></ITEMLIST>",
         L"Case.xml: <BMPDATA> picture: missing skins\\Gone.bmp"},
        {"unknown id of a slider's stage",
         "<ITEMLIST><SLIDERLIST><HSLIDERM name=\"SLIDER_BRIGHTNESS_PERCENT\"><STAGES><STAGE>SLIDER_NONE</STAGE>"
         "</STAGES></HSLIDERM></SLIDERLIST></ITEMLIST>",
         L"Case.xml: <STAGE> unknown symbolic id \"SLIDER_NONE\""},
        {"missing picture of a level marker",
         "<ITEMLIST><SLIDERLIST><DMARKER name=\"TEXT_LOGO\"><MARK>Gone.bmp</MARK></DMARKER></SLIDERLIST></ITEMLIST>",
         L"Case.xml: <MARK> picture: missing skins\\Gone.bmp"},
        {"unknown bitmap item under an APM slider",
         "<ITEMLIST><SLIDERLIST><HSLIDERMAPM name=\"BITMAP_HORIZONTALBARLONG\" trackid=\"BITMAP_NONE\"/>"
         "</SLIDERLIST></ITEMLIST>",
         L"Case.xml: <HSLIDERMAPM name=\"BITMAP_HORIZONTALBARLONG\"> trackid: unknown symbolic id \"BITMAP_NONE\""},
        {"missing picture of a DPI tile",
         "<ITEMLIST><DPISTAGELIST><DPISTAGEWINDOW name=\"TEXT_LOGO\"><BMPINFO name=\"DPIFRAME\">"
         "<BMPDATA>Gone.bmp</BMPDATA></BMPINFO></DPISTAGEWINDOW></DPISTAGELIST></ITEMLIST>",
         L"Case.xml: <BMPDATA> picture: missing skins\\Gone.bmp"},
        {"unknown font of a progress panel's text",
         "<ITEMLIST><PROGRESSPANELLIST><PROGRESSPANELITEM name=\"TEXT_LOGO\"><TEXTINFOLIST>"
         "<TEXTINFO name=\"title\" fontid=\"FONT_NONE\"/></TEXTINFOLIST></PROGRESSPANELITEM></PROGRESSPANELLIST>"
         "</ITEMLIST>",
         L"Case.xml: <TEXTINFO name=\"title\"> fontid: unknown symbolic id \"FONT_NONE\""},
        {"file that does not parse", "<ITEMLIST><TEXTLIST></ITEMLIST>", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const std::vector<CString> problems = Check(c.xml);
        ASSERT_FALSE(problems.empty());
        if (c.expected)
            EXPECT_EQ(problems.front(), CString(c.expected)) << Joined(problems);
        else
            EXPECT_EQ(problems.front().Find(L"Case.xml: does not parse"), 0) << Joined(problems);
    }
}

TEST_F(SkinCheckFaults, EveryProblemOfAFileIsReportedNotOnlyTheFirst) {
    const std::vector<CString> problems =
        Check("<ITEMLIST><TEXTLIST><TEXTITEM name=\"TEXT_X\" fontclr=\"X\"/><BOGUS/></TEXTLIST></ITEMLIST>");
    EXPECT_EQ(problems.size(), 3u) << Joined(problems);
}

}  // namespace

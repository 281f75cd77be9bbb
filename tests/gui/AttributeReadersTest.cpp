// The common attribute readers: numbers without overflow, truth values,
// rectangles with the language's override (used only when it is a whole
// rectangle), fonts and picture windows found by id and type, pictures,
// colours, tooltips and the composite records.

#include "gui/skin/AttributeReaders.h"
#include "gui/widgets/CBitmapWindow.h"
#include "gui/skin/CFontItem.h"
#include "gui/core/CGUIItems.h"
#include "gui/skin/CLangTable.h"
#include "gui/skin/SymbolIds.h"
#include "gui/skin/SymbolTables.h"
#include "platform/CBitmap.h"
#include "platform/CWnd.h"
#include "tests/gui/SkinTestFolder.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

class Xml {
public:
    explicit Xml(const char* text) { m_doc.load_string(text); }
    pugi::xml_node Root() const { return m_doc.first_child(); }

private:
    pugi::xml_document m_doc;
};

// An item that is a window of its own, as picture windows and slider
// tracks are.
class WindowItem : public CWnd, public CGUIItem {
public:
    WindowItem(int32_t id, int32_t type) { SetItemFields(id, type, nullptr, nullptr); }
};

CGUIItem* FontItem(int32_t id) {
    auto* font = new CFontItem;
    font->CreateFont(12, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, L"Arial");
    font->SetItemFields(id, kItemFont, nullptr, nullptr);
    return font;
}

TEST(AttributeReaders, NumbersSaturateInsteadOfOverflowing) {
    struct Case {
        const char* text;
        int32_t value;
    } cases[] = {
        {"42", 42},          {"  -17px", -17},        {"+8", 8},
        {"abc", 0},          {"", 0},                 {"2147483647", INT32_MAX},
        {"2147483648", INT32_MAX}, {"99999999999999999999", INT32_MAX},
        {"-2147483648", INT32_MIN}, {"-99999999999999999999", INT32_MIN}, {"12 34", 12},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseSkinNumber(c.text), c.value) << c.text;
        EXPECT_EQ(ParseSkinNumber(CString::FromUtf8(c.text).GetString()), c.value) << c.text;
    }
    EXPECT_EQ(ParseSkinNumber(static_cast<const char*>(nullptr)), 0);
}

TEST(AttributeReaders, TruthValuesAndTheirDefaults) {
    for (const char* yes : {"1", "true", "T", "yes", "Y"})
        EXPECT_TRUE(IsSkinTrue(yes)) << yes;
    for (const char* no : {"0", "false", "", "N", " true"})
        EXPECT_FALSE(IsSkinTrue(no)) << no;
    Xml none("<E/>"), empty(R"(<E ttenabled="" dynamic="" interactive="" ischeckbox=""/>)"),
        set(R"(<E ttenabled="no" dynamic="0" interactive="yes" ischeckbox="1"/>)");
    EXPECT_TRUE(ReadTooltipEnabled(none.Root()));
    EXPECT_FALSE(ReadTooltipEnabled(empty.Root()));
    EXPECT_TRUE(ReadDynamic(none.Root()));
    EXPECT_FALSE(ReadDynamic(set.Root()));
    EXPECT_TRUE(ReadInteractive(none.Root(), true));
    EXPECT_FALSE(ReadInteractive(none.Root(), false));
    EXPECT_FALSE(ReadInteractive(empty.Root(), true));
    EXPECT_TRUE(ReadInteractive(set.Root(), false));
    EXPECT_FALSE(ReadIsCheckbox(none.Root()));
    EXPECT_TRUE(ReadIsCheckbox(set.Root()));
}

TEST(AttributeReaders, FirstLetterSwitches) {
    struct Case {
        const char* xml;
        wchar_t pos, justify;
        int32_t caps;
    } cases[] = {
        {R"(<E ttpos="R" justify="C" caps="Upper"/>)", L'R', L'C', 1},
        {R"(<E ttpos="right" justify="center" caps="lower"/>)", L'L', L'L', 0},  // capitals only
        {R"(<E ttpos="Bottom" justify="Right" caps="L"/>)", L'B', L'R', 2},
        {R"(<E ttpos="T"/>)", L'T', L'L', 0},
        {"<E/>", L'L', L'L', 0},
    };
    for (const Case& c : cases) {
        Xml x(c.xml);
        EXPECT_EQ(ReadTooltipPos(x.Root()), c.pos) << c.xml;
        EXPECT_EQ(ReadJustify(x.Root()), c.justify) << c.xml;
        EXPECT_EQ(ReadCaps(x.Root(), -1), c.caps) << c.xml;
    }
}

TEST(AttributeReaders, NameTooltipAndMultiplier) {
    Xml x(R"(<E name="button_ok" tooltip="$Tip" ttprefix="F1 " multiplier="x5"/>)");
    EXPECT_EQ(ReadNameId(x.Root()), BUTTON_OK);
    CString text = L"old", prefix = L"old";
    EXPECT_TRUE(ReadTooltipPrefix(x.Root(), text, prefix));
    EXPECT_EQ(text, CString(L"$Tip"));
    EXPECT_EQ(prefix, CString(L"F1 "));
    int32_t value = 7;
    EXPECT_TRUE(ReadMultiplier(x.Root(), value));
    EXPECT_EQ(value, 0);

    Xml none(R"(<E name="NO_SUCH_ID"/>)");
    EXPECT_EQ(ReadNameId(none.Root()), -1);
    EXPECT_EQ(ReadNameId(Xml("<E/>").Root()), -1);
    EXPECT_FALSE(ReadTooltipPrefix(none.Root(), text, prefix));
    EXPECT_EQ(text, CString(L"$Tip"));
    EXPECT_TRUE(prefix.IsEmpty());
    EXPECT_FALSE(ReadMultiplier(none.Root(), value));
    EXPECT_EQ(value, 1);
}

TEST(AttributeReaders, ColoursNamedKnownUnknownOrAbsent) {
    Xml x(R"(<E fontclr="TEAL_BORDER" backclr="PLAID"/>)");
    COLORREF c = 5;
    EXPECT_TRUE(ReadColourAttr("fontclr", x.Root(), c));
    EXPECT_EQ(c, 0x554909u);
    EXPECT_TRUE(ReadColourAttr("backclr", x.Root(), c));
    EXPECT_EQ(c, kUnknownColour);
    c = 5;
    EXPECT_FALSE(ReadColourAttr("bdrclr", x.Root(), c));
    EXPECT_EQ(c, 5u);
}

class WithLanguage : public ::testing::Test {
protected:
    void SetUp() override { CLangTable::SetCurrent(&language); }
    void TearDown() override { CLangTable::SetCurrent(nullptr); }
    void Override(int32_t item, const wchar_t* name, const wchar_t* text) {
        language.AddAttribute(item, name, text, (wcslen(text) + 1) * sizeof(wchar_t));
    }
    CLangTable language;
};

TEST_F(WithLanguage, RectanglesComeFromTheElementOrAWholeOverride) {
    Xml x(R"(<E><RECT left="10" top="20" right="30" bottom="40"/></E>)");
    EXPECT_EQ(ReadItemRect(BUTTON_OK, x.Root()), CRect(10, 20, 40, 60));
    SkinRect r = ReadRectElement(x.Root().child("RECT"));
    EXPECT_EQ(r.width, 30);
    EXPECT_EQ(ReadRectElement(x.Root()).width, 0);  // not a RECT element
    EXPECT_EQ(ReadItemRect(BUTTON_OK, Xml("<E/>").Root()), CRect(0, 0, 0, 0));

    const int32_t whole[4] = {1, 2, 3, 4};
    language.AddAttribute(BUTTON_OK, L"RECT", whole, sizeof whole);
    EXPECT_EQ(ReadItemRect(BUTTON_OK, x.Root()), CRect(1, 2, 4, 6));
    // An override that is not four numbers is no rectangle: the skin's stays.
    const int32_t part[2] = {1, 2};
    language.AddAttribute(BUTTON_CANCEL, L"RECT", part, sizeof part);
    EXPECT_EQ(ReadItemRect(BUTTON_CANCEL, x.Root()), CRect(10, 20, 40, 60));
    EXPECT_EQ(ReadItemRect(-1, x.Root()), CRect(10, 20, 40, 60));
}

TEST_F(WithLanguage, HugeRectanglesClampInsteadOfWrapping) {
    Xml x(R"(<E><RECT left="2147483000" top="0" right="99999999999" bottom="-5"/></E>)");
    CRect r = ReadItemRect(-1, x.Root());
    EXPECT_EQ(r.right, INT32_MAX);
    EXPECT_EQ(r.bottom, -5);
}

TEST_F(WithLanguage, CapsAndMultilineOverrides) {
    Xml x(R"(<E caps="U" multiline="1"/>)");
    Override(BUTTON_OK, L"caps", L"Lower");
    Override(BUTTON_OK, L"multiline", L"0");
    EXPECT_EQ(ReadCaps(x.Root(), BUTTON_OK), 2);
    EXPECT_FALSE(ReadMultiline(BUTTON_OK, x.Root()));
    EXPECT_EQ(ReadCaps(x.Root(), BUTTON_CANCEL), 1);
    EXPECT_TRUE(ReadMultiline(BUTTON_CANCEL, x.Root()));
    EXPECT_FALSE(ReadMultiline(BUTTON_CANCEL, Xml(R"(<E multiline="2"/>)").Root()));
}

TEST_F(WithLanguage, FontsByIdTypeOverrideAndRemapping) {
    CGUIItems items;
    items.Append(FontItem(FONT_ARIAL12));
    items.Append(FontItem(FONT_ARIAL16));
    items.Append(new WindowItem(BITMAP_MECHKBD, kItemBitmapItem));
    CGUIItem* arial12 = items.GetAt(0);
    CGUIItem* arial16 = items.GetAt(1);

    Xml plain(R"(<E fontid="FONT_ARIAL12"/>)"), picture(R"(<E fontid="BITMAP_MECHKBD"/>)"),
        unknown(R"(<E fontid="FONT_NONE"/>)");
    EXPECT_EQ(ReadFontAttr(plain.Root(), -1, &items), arial12);
    EXPECT_EQ(ReadFontAttr(picture.Root(), -1, &items), nullptr);  // not a font item
    EXPECT_EQ(ReadFontAttr(unknown.Root(), -1, &items), nullptr);
    EXPECT_EQ(ReadFontAttr(plain.Root(), -1, nullptr), nullptr);

    language.MapFont(FONT_ARIAL12, FONT_ARIAL16);
    EXPECT_EQ(ReadFontAttr(plain.Root(), -1, &items), arial16);
    // An item's own override replaces the id, and is not remapped again.
    Override(BUTTON_OK, L"fontid", L"FONT_ARIAL12");
    EXPECT_EQ(ReadFontAttr(plain.Root(), BUTTON_OK, &items), arial12);
    EXPECT_EQ(ReadFontAttr(unknown.Root(), BUTTON_OK, &items), arial12);
    Override(BUTTON_CANCEL, L"fontid", L"FONT_NONE");  // unknown: the skin's id, remapped
    EXPECT_EQ(ReadFontAttr(plain.Root(), BUTTON_CANCEL, &items), arial16);
}

TEST(AttributeReaders, ReferencesToPictureWindowsAndTracksCheckTheType) {
    CGUIItems items;
    auto* picture = new WindowItem(BITMAP_MECHKBD, kItemBitmapItem);
    auto* track = new WindowItem(SLIDER_BRIGHTNESS_PERCENT, kItemSliderTrack);
    items.Append(picture);
    items.Append(track);
    Xml x(R"(<E windowid="BITMAP_MECHKBD" other="SLIDER_BRIGHTNESS_PERCENT" trackid="SLIDER_BRIGHTNESS_PERCENT"/>)");
    EXPECT_EQ(ReadBitmapItemRef("windowid", x.Root(), items), picture);
    EXPECT_EQ(ReadBitmapItemRef("other", x.Root(), items), nullptr);
    EXPECT_EQ(ReadBitmapItemRef("absent", x.Root(), items), nullptr);
    EXPECT_EQ(ReadTrackRef(x.Root(), items), track);
    Xml wrong(R"(<E trackid="BITMAP_MECHKBD"/>)");
    EXPECT_EQ(ReadTrackRef(wrong.Root(), items), nullptr);
}

class WithPictures : public WithLanguage {
protected:
    void SetUp() override {
        WithLanguage::SetUp();
        for (auto [name, width] : {std::pair<const wchar_t*, int>{L"n.bmp", 4}, {L"o.bmp", 6}, {L"thumb.bmp", 9},
                                   {L"top.bmp", 12}, {L"lang.bmp", 3}})
            folder.WriteBmp(std::wstring(L"skins\\") + name, width, 2, [](int, int) { return RGB(1, 2, 3); });
    }
    static int Width(const CBitmap* b) {
        BITMAP info = {};
        return b && b->GetBitmap(&info) ? info.bmWidth : -1;
    }
    SkinTestFolder folder{L"gui-readers"};
};

TEST_F(WithPictures, PictureElementsAndTheirLanguageOverride) {
    Xml x("<E><SBMN>\n  n.bmp\t</SBMN><SBMO>missing.bmp</SBMO></E>");
    EXPECT_EQ(Width(ReadPictureElement("SBMN", x.Root())), 4);
    EXPECT_EQ(ReadPictureElement("SBMO", x.Root()), nullptr);
    EXPECT_EQ(ReadPictureElement("SBMD", x.Root()), nullptr);
    Override(BUTTON_OK, L"SBMN", L" lang.bmp ");
    EXPECT_EQ(Width(ReadLangBitmapAttr(BUTTON_OK, "SBMN", x.Root())), 3);
    EXPECT_EQ(Width(ReadLangBitmapAttr(BUTTON_CANCEL, "SBMN", x.Root())), 4);

    CBitmap* keep = reinterpret_cast<CBitmap*>(1);
    CBitmap *n = keep, *d = keep;
    ReadBitmapAttrList(x.Root(), {{"SBMN", &n}, {"SBMD", &d}});
    EXPECT_EQ(Width(n), 4);
    EXPECT_EQ(d, nullptr);  // every slot is set, absent ones to null
}

TEST_F(WithPictures, ButtonPicturesLeaveAbsentSlotsAlone) {
    Xml x(R"(<E><SBMO>o.bmp</SBMO><SBMD>missing.bmp</SBMD><RECT left="1" top="2" right="3" bottom="4"/></E>)");
    ButtonBitmaps set;
    CBitmap* earlier = reinterpret_cast<CBitmap*>(1);
    set.sbmn = nullptr;
    set.sbmds = earlier;
    EXPECT_FALSE(ReadButtonBitmaps(x.Root(), -1, set));
    EXPECT_EQ(Width(set.sbmo), 6);
    EXPECT_EQ(set.sbmd, nullptr);   // present, picture missing: null
    EXPECT_EQ(set.sbmds, earlier);  // absent: as it was
    EXPECT_EQ(set.rect, CRect(1, 2, 4, 6));
    Xml n("<E><SBMN>n.bmp</SBMN></E>");
    EXPECT_TRUE(ReadButtonBitmaps(n.Root(), -1, set));

    EXPECT_EQ(FindSharedBitmap("sbmo", {{"SBMN", set.sbmn}, {"SBMO", set.sbmo}}), set.sbmo);
    EXPECT_EQ(FindSharedBitmap("SBMM", {{"SBMN", set.sbmn}}), nullptr);
}

TEST_F(WithPictures, ScrollBarWidthIsTheBorderPlusTheWidestPicture) {
    Xml x(R"(<E><VSCROLL bdrwidth="2"><VSBMP_TOP>top.bmp</VSBMP_TOP><VSBMP_TMB>thumb.bmp</VSBMP_TMB>
             <VSBMP_AUP>missing.bmp</VSBMP_AUP></VSCROLL></E>)");
    ScrollBarBitmaps set;
    EXPECT_EQ(ReadVScrollElement(x.Root(), set), 2 + 12);
    EXPECT_EQ(Width(set.thumb), 9);
    EXPECT_EQ(set.arrowUp, nullptr);
    EXPECT_EQ(set.borderWidth, 2);

    ScrollBarBitmaps untouched;
    untouched.borderWidth = 77;
    Xml noThumb(R"(<E><VSCROLL bdrwidth="2"><VSBMP_TOP>top.bmp</VSBMP_TOP></VSCROLL></E>)");
    EXPECT_EQ(ReadVScrollElement(noThumb.Root(), untouched), 0);
    EXPECT_EQ(ReadVScrollElement(Xml("<E/>").Root(), untouched), 0);
    EXPECT_EQ(untouched.borderWidth, 77);
}

TEST_F(WithPictures, ABitmapInfoGivesItsPictureMaskRectangleAndSlotName) {
    Xml x(R"(<BMPINFO name="DPIFRAME"><BMPDATA>top.bmp</BMPDATA><BMPMASK>n.bmp</BMPMASK>
             <RECT left="10" top="20" right="30" bottom="40"/></BMPINFO>)");
    // A language's rectangle (of no item) never stands for a picture's.
    const int32_t elsewhere[4] = {1, 1, 1, 1};
    language.AddAttribute(-1, L"RECT", elsewhere, sizeof elsewhere);
    PictureRecord record;
    CString slot;
    ASSERT_TRUE(ReadBitmapInfo(x.Root(), record, &slot));
    EXPECT_EQ(Width(record.picture), 12);
    EXPECT_EQ(Width(record.second), 4);
    EXPECT_EQ(CRect(record.rect), CRect(10, 20, 40, 60));
    EXPECT_EQ(slot, CString(L"DPIFRAME"));

    PictureRecord bare;
    ASSERT_TRUE(ReadBitmapInfo(Xml("<BMPINFO><BMPDATA>missing.bmp</BMPDATA></BMPINFO>").Root(), bare));
    EXPECT_EQ(bare.picture, nullptr);
    EXPECT_EQ(bare.second, nullptr);
    EXPECT_EQ(CRect(bare.rect), CRect(0, 0, 0, 0));

    PictureRecord untouched{record.picture, nullptr, RECT{1, 2, 3, 4}};
    EXPECT_FALSE(ReadBitmapInfo(Xml("<E><BMPINFO/></E>").Root(), untouched));
    EXPECT_FALSE(ReadBitmapInfo(pugi::xml_node(), untouched));
    EXPECT_EQ(untouched.picture, record.picture);
    EXPECT_EQ(CRect(untouched.rect), CRect(1, 2, 3, 4));
}

TEST(AttributeReaders, FillInfoNeedsAnAreaAndReportsTheFillColour) {
    FillInfo record;
    record.fillColour = 9;
    Xml flat(R"(<E><FILLINFO fillclr="RED"><RECT left="1" top="1" right="10" bottom="-10"/></FILLINFO></E>)");
    EXPECT_FALSE(ReadFillInfo(flat.Root(), record));
    EXPECT_EQ(record.fillColour, 9u);
    EXPECT_FALSE(ReadFillInfo(Xml("<E/>").Root(), record));

    Xml fill(R"(<E><FILLINFO fillclr="RED" backclr="BLUE"><RECT left="1" top="2" right="10" bottom="5"/></FILLINFO></E>)");
    EXPECT_TRUE(ReadFillInfo(fill.Root(), record));
    EXPECT_EQ(record.fillColour, 0x0000FFu);
    EXPECT_EQ(record.backColour, 0xFF0000u);
    EXPECT_EQ(record.rect, CRect(1, 2, 11, 7));
    Xml backOnly(R"(<E><FILLINFO backclr="GREEN"><RECT right="3" bottom="3"/></FILLINFO></E>)");
    EXPECT_FALSE(ReadFillInfo(backOnly.Root(), record));
    EXPECT_EQ(record.backColour, 0x00FF00u);
}

TEST(AttributeReaders, TextInfoNeedsANameAndARectangle) {
    CGUIItems items;
    items.Append(FontItem(FONT_ARIAL14));
    TextInfo record;
    Xml x(R"(<T name="BUTTON_OK" textkey="$Done" fontid="FONT_ARIAL14" fontclr="WHITE">
             <RECT left="1" top="2" right="3" bottom="4"/></T>)");
    ASSERT_TRUE(ReadTextInfo(x.Root(), &items, record));
    EXPECT_EQ(record.name, CString(L"BUTTON_OK"));  // as text, not as an id
    EXPECT_EQ(record.textKey, CString(L"$Done"));
    EXPECT_EQ(record.font, items.GetAt(0));
    EXPECT_EQ(record.fontColour, 0xFFFFFFu);
    EXPECT_EQ(record.rect, CRect(1, 2, 4, 6));
    TextInfo other;
    EXPECT_TRUE(ReadTextInfo(x.Root(), nullptr, other));
    EXPECT_EQ(other.font, nullptr);
    EXPECT_FALSE(ReadTextInfo(Xml(R"(<T name="A"/>)").Root(), &items, other));
    EXPECT_FALSE(ReadTextInfo(Xml(R"(<T><RECT/></T>)").Root(), &items, other));
}

}  // namespace

// The language table: the UTF-16 line format read by its size, the "$" and
// "#" lookups, the overrides of skin attributes with their sizes kept, and
// the choice of the current table.

#include "gui/skin/CLangTable.h"
#include "gui/skin/SymbolIds.h"
#include "tests/gui/SkinTestFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

std::unique_ptr<CLangTable> Parsed(const std::wstring& text, bool* result = nullptr) {
    auto table = std::make_unique<CLangTable>();
    bool ok = table->Parse(text.data(), text.size() * sizeof(wchar_t));
    if (result)
        *result = ok;
    return table;
}

std::wstring Translated(const CLangTable& table, const std::wstring& text, bool expectFound) {
    CString out;
    EXPECT_EQ(table.Translate(text.c_str(), out), expectFound) << text;
    return out.GetString();
}

TEST(LangTable, LinesEndAtCarriageReturnsAndBlankLinesDoNotCount) {
    bool ok = false;
    auto table = Parsed(L"\xFEFF" L"English\r\nignored\r\n\r\nSave Profile\r\n\r\n\r\nSave\r\n"
                              L"Multi\nLine\rvalue one\rLast\rlast value",
                              &ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(table->GetDisplayName(), CString(L"English"));
    ASSERT_EQ(table->GetTextCount(), 3);
    EXPECT_EQ(table->GetTexts()[0].first, CString(L"Save Profile"));
    EXPECT_EQ(table->GetTexts()[0].second, CString(L"Save"));
    EXPECT_EQ(table->GetTexts()[1].first, CString(L"Multi\nLine"));  // a line feed alone ends no line
    EXPECT_EQ(table->GetTexts()[2].second, CString(L"last value"));  // the last line needs no end
}

TEST(LangTable, EndOfFileAndDanglingKeys) {
    struct Case {
        const wchar_t* text;
        int pairs;
    } cases[] = {
        {L"Name\r1\rend of file\rKey\rValue\r", 0},
        {L"Name\r1\rKey\rValue\rEND OF FILE\rK2\rV2", 1},
        {L"Name\r1\rKey\rEnd Of File\rK2\rV2", 0},  // at a value's place too
        {L"Name\r1\rKey\rValue\rDangling", 1},
        {L"Name\r1\r", 0},
        {L"", 0},
    };
    for (const Case& c : cases) {
        bool ok = true;
        auto table = Parsed(c.text, &ok);
        EXPECT_EQ(table->GetTextCount(), c.pairs) << c.text;
        EXPECT_EQ(ok, c.pairs > 0) << c.text;
    }
    bool ok = true;
    EXPECT_EQ(Parsed(L"Name\r1\rend of file\r", &ok)->GetDisplayName(), CString(L"Name"));
    EXPECT_FALSE(ok);
}

TEST(LangTable, ParsesByItsSizeNotUpToATerminator) {
    // No terminator anywhere, and the size ends inside a value: the table
    // reads exactly the bytes it was given.
    const std::wstring text = L"Name\r1\rKey\rValue\rKey2\rValue2";
    CLangTable table;
    ASSERT_TRUE(table.Parse(text.data(), (text.size() - 3) * sizeof(wchar_t) + 1));  // odd byte count too
    ASSERT_EQ(table.GetTextCount(), 2);
    EXPECT_EQ(table.GetTexts()[1].second, CString(L"Val"));
    EXPECT_FALSE(CLangTable().Parse(nullptr, 100));
}

TEST(LangTable, TranslateLooksUpWholeKeysAndPrefixes) {
    const std::wstring longKey(70, L'k');
    const std::wstring text = L"Name\r1\rSave Profile\rSave it\rProfiles\rAll profiles\rprofile name\rName\r" +
                              longKey + L"\rLong\r";
    auto table = Parsed(text);
    EXPECT_EQ(Translated(*table, L"$SaveProfile", true), L"Save it");
    EXPECT_EQ(Translated(*table, L"$saveprofile", true), L"Save it");
    EXPECT_EQ(Translated(*table, L"$Save Profile", false), L"$Save Profile");  // spaces in the text stay
    EXPECT_EQ(Translated(*table, L"#Prof", true), L"All profiles");          // the first key that begins so
    EXPECT_EQ(Translated(*table, L"#PROFILEN", true), L"Name");
    EXPECT_EQ(Translated(*table, L"$" + longKey.substr(0, 59), true), L"Long");
    EXPECT_EQ(Translated(*table, L"$" + longKey, false), L"$" + longKey);
    EXPECT_EQ(Translated(*table, L"$", false), L"$");
    EXPECT_EQ(Translated(*table, L"#", false), L"#");
    EXPECT_EQ(Translated(*table, L"Profiles", false), L"Profiles");  // no marker: shown as it is
    EXPECT_EQ(Translated(*table, L"$Unknown", false), L"$Unknown");
}

TEST(LangTable, OverridesKeepTheirSizeAndOnlyItemEntriesAnswerItemLookups) {
    CLangTable table;
    const int32_t rect[4] = {1, 2, 3, 4};
    table.AddAttribute(BUTTON_OK, L"RECT", rect, sizeof rect);
    table.AddAttribute(BUTTON_OK, L"caps", L"U", 2 * sizeof(wchar_t));
    table.AddAttribute(BUTTON_OK, L"caps", L"L", 2 * sizeof(wchar_t));
    table.AddAttribute(BUTTON_CANCEL, L"RECT", rect, 8);
    table.AddAttribute(BUTTON_APPLY, L"fontid", "F\0O", 3);  // half a unit, no terminator
    table.AddColumnAttribute(2, L"width", L"120", 4 * sizeof(wchar_t));
    table.AddColumnAttribute(4, L"RECT", rect, sizeof rect);

    int32_t values[4] = {};
    ASSERT_NE(table.GetAttribute(BUTTON_OK, L"rect"), nullptr);
    EXPECT_TRUE(table.GetAttribute(BUTTON_OK, L"rect")->GetRect(values));
    EXPECT_EQ(values[3], 4);
    EXPECT_EQ(table.GetAttribute(BUTTON_OK, L"CAPS")->Text(), CString(L"U"));  // the first entry wins
    EXPECT_FALSE(table.GetAttribute(BUTTON_CANCEL, L"RECT")->GetRect(values));
    EXPECT_EQ(table.GetAttribute(BUTTON_APPLY, L"fontid")->Text(), CString(L"F"));
    EXPECT_EQ(table.GetWidth(2)->Text(), CString(L"120"));
    EXPECT_EQ(table.GetWidth(3), nullptr);
    EXPECT_EQ(table.GetAttribute(-1, L"RECT"), nullptr);  // a column entry is no item's
}

class LangElement : public ::testing::Test {
protected:
    void SetUp() override {
        folder.WriteUtf16(L"lang\\English.txt", L"English\r1\rOK\rFine\r");
        CLangTable::SetCurrent(nullptr);
    }
    void TearDown() override { CLangTable::SetCurrent(nullptr); }

    std::unique_ptr<CLangTable> Build(const char* xml) {
        doc.load_string(xml);
        return std::unique_ptr<CLangTable>(CLangTable::CreateFromElement(doc.first_child(), nullptr));
    }

    SkinTestFolder folder{L"gui-lang"};
    pugi::xml_document doc;
};

TEST_F(LangElement, BuildsTheTableWithFontsAndOverrides) {
    auto table = Build(R"(<LANG name="LANGUAGE_GERMAN" file=" English.txt ">
        <LANGFONT fontsearch="FONT_ARIAL12" fontreplace="FONT_ARIAL16"/>
        <LANGFONT fontsearch="FONT_ARIAL13" fontreplace="FONT_UNKNOWN"/>
        <LANGOVERRIDE name="BUTTON_OK" caps="U"/>
        <LANGOVERRIDE name="BUTTON_NOPE" caps="U"/>
        <LANGOVERRIDE name="BUTTON_OK" caps="U" multiline="1"/>
        <LANGOVERRIDE name="BUTTON_CANCEL"><RECT left="5" top="6" right="70" bottom="80"/><SBMN>x.bmp</SBMN></LANGOVERRIDE>
        <LANGOVERRIDE id="BUTTON_APPLY"><SBMO> over.bmp </SBMO><SBMM>m.bmp</SBMM><OTHER>o.bmp</OTHER></LANGOVERRIDE>
        <LANGOVERRIDECOL name="LCITEM_PROFILENAME" width="140"/>
        <LANGOVERRIDECOL name="LCITEM_PROFILEEXE" width="10" extra="1"/>
        <LANGOVERRIDECOL name="LCITEM_NONE" width="10"/>
      </LANG>)");
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->m_itemId, LANGUAGE_GERMAN);
    EXPECT_EQ(table->m_itemType, kItemLangTable);
    EXPECT_EQ(table->GetTextCount(), 1);
    EXPECT_EQ(table->GetOverrides().size(), 5u);  // caps, RECT, SBMO, SBMM, the column width
    EXPECT_EQ(table->GetAttribute(BUTTON_OK, L"caps")->Text(), CString(L"U"));
    EXPECT_EQ(table->GetAttribute(BUTTON_OK, L"multiline"), nullptr);
    int32_t rect[4] = {};
    ASSERT_TRUE(table->GetAttribute(BUTTON_CANCEL, L"RECT")->GetRect(rect));
    EXPECT_EQ(rect[0], 5);
    EXPECT_EQ(rect[3], 80);
    EXPECT_EQ(table->GetAttribute(BUTTON_CANCEL, L"SBMN"), nullptr);  // a RECT child excludes pictures
    EXPECT_EQ(table->GetAttribute(BUTTON_APPLY, L"SBMO")->Text(), CString(L" over.bmp "));
    EXPECT_EQ(table->GetWidth(2)->Text(), CString(L"140"));
    EXPECT_EQ(table->GetWidth(3), nullptr);  // three attributes: ignored

    CLangTable::SetCurrent(table.get());
    EXPECT_EQ(CLangTable::MapId(FONT_ARIAL12), FONT_ARIAL16);
    EXPECT_EQ(CLangTable::MapId(FONT_ARIAL13), FONT_ARIAL13);
}

TEST_F(LangElement, UnknownLanguageOrMissingFileBuildsNothing) {
    EXPECT_EQ(Build(R"(<LANG name="LANGUAGE_KLINGON" file="English.txt"/>)"), nullptr);
    EXPECT_EQ(Build(R"(<LANG file="English.txt"/>)"), nullptr);
    EXPECT_EQ(Build(R"(<LANG name="LANGUAGE_FRENCH" file="French.txt"/>)"), nullptr);
    folder.WriteUtf16(L"lang\\Empty.txt", L"Empty\r1\rend of file\r");
    auto empty = Build(R"(<LANG name="LANGUAGE_FRENCH" file="Empty.txt"/>)");
    ASSERT_NE(empty, nullptr);  // the text file's result does not stop the table
    EXPECT_EQ(empty->GetTextCount(), 0);
}

TEST_F(LangElement, AnUnknownLanguageFallsBackToTheDefaultTable) {
    auto english = Build(R"(<LANG name="LANGUAGE_DEFAULT" file="English.txt"/>)");
    auto german = Build(R"(<LANG name="LANGUAGE_GERMAN" file="English.txt"/>)");
    CLangTable::Register(english.get());
    CLangTable::Register(german.get());
    EXPECT_EQ(CLangTable::SelectCurrent(LANGUAGE_GERMAN), german.get());
    EXPECT_EQ(CLangTable::SelectCurrent(-1), english.get());
    EXPECT_EQ(CLangTable::GetCurrent(), english.get());
    english.reset();  // a table that goes leaves the map and stops being current
    EXPECT_EQ(CLangTable::GetCurrent(), nullptr);
    EXPECT_EQ(CLangTable::FindByLanguageId(LANGUAGE_DEFAULT), nullptr);
    EXPECT_EQ(CLangTable::SelectCurrent(LANGUAGE_SPANISH), nullptr);
    EXPECT_EQ(CLangTable::GetCurrent(), nullptr);
}

}  // namespace

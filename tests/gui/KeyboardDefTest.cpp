// Key definitions from the two binary key files: every read checked against
// the data's end, sizes computed without overflow, refused names, the first
// parse's result kept, the defaults file's exact size, and the keyboard
// skin element that reads both files.

#include "gui/skin/CKeyboardDef.h"
#include "gui/skin/SymbolIds.h"
#include "model/store/IKeyTable.h"
#include "tests/gui/KeyFiles.h"
#include "tests/gui/SkinTestFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

const std::vector<KeyFileKey> kThreeKeys = {
    {L"Esc", {{0x01, 0}}},
    {L"Pause", {{0x1D, 0xE1}, {0x45, 0}}},
    {L"Num Lock", {{0x45, 0}}},
};

TEST(KeyboardDef, ReadsRecordsInFileOrderWithHashesAndDefaults) {
    CKeyboardDef def;
    std::vector<uint8_t> file = DefinitionFile(kThreeKeys);
    ASSERT_TRUE(def.Parse(file.data(), file.size()));
    ASSERT_EQ(def.GetAllRecords().size(), 3u);
    const CKeyboardDef::Record& pause = def.GetAllRecords()[1];
    EXPECT_EQ(pause.name, CString(L"Pause"));
    EXPECT_EQ(pause.keyId, HashKeyName(L"Pause"));
    EXPECT_EQ(pause.valueA, 0x1234);
    EXPECT_EQ(pause.valueB, -2);
    EXPECT_EQ(pause.defaultCode, 0x45);
    EXPECT_EQ(pause.defaultFlag, 0xE1);
    EXPECT_EQ(def.FindKey(0xE10045), HashKeyName(L"Pause"));
    EXPECT_EQ(def.FindKey(0x000045), HashKeyName(L"Num Lock"));
    EXPECT_EQ(def.FindKey(0x000046), 0);
    EXPECT_EQ(def.GetDefaultCode(HashKeyName(L"Esc")).code, 0x01);
    EXPECT_EQ(def.GetDefaultCode(12345).code, 0);
}

TEST(KeyboardDef, DefaultCodeFromBlockZero) {
    struct Case {
        KeyBlock block0;
        uint16_t code;
        uint8_t flag;
    } cases[] = {
        {{{0x2A, 0}, {0x99, 0}}, 0x2A, 0},                           // plain key: its own code
        {{{0x1D, 0xE1}, {0x45, 0}, {0, 0}}, 0x45, 0xE1},             // the run's last code
        {{{0x1D, 0x02}, {0x45, 0}, {0x46, 0}, {0x47, 1}}, 0x46, 0x02},  // a flagged entry ends the run
        {{{0x37, 0x01}}, 0x37, 0x01},                                // e1 breaks at once: e0's code
        {{{0x10, 0x01}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0}, {7, 0}, {8, 0}, {9, 0}}, 8, 0x01},
    };
    for (const Case& c : cases) {
        CKeyboardDef def;
        std::vector<uint8_t> file = DefinitionFile({{L"K", c.block0}});
        ASSERT_TRUE(def.Parse(file.data(), file.size()));
        EXPECT_EQ(def.GetAllRecords()[0].defaultCode, c.code);
        EXPECT_EQ(def.GetAllRecords()[0].defaultFlag, c.flag);
    }
}

TEST(KeyboardDef, ReservedNamesAndNegativeCodesAreReadButNotAssignable) {
    CKeyboardDef def;
    std::vector<uint8_t> file = DefinitionFile({{L"none", {{0x30, 0}}},
                                                {L"Do Not Use", {{0x31, 0}}},
                                                {L"unassigned", {{0x32, 0}}},
                                                {L"RESERVED", {{0x33, 0}}},
                                                {L"Minus", {{0x8000, 0}}},
                                                {L"Nonexistent", {{0x34, 0}}}});
    ASSERT_TRUE(def.Parse(file.data(), file.size()));
    EXPECT_EQ(def.GetAllRecords().size(), 6u);
    ASSERT_EQ(def.GetAssignable().size(), 1u);
    EXPECT_EQ(def.GetAssignable().begin()->second.name, CString(L"Nonexistent"));
    EXPECT_EQ(def.FindKey(0x30), 0);
    EXPECT_EQ(def.FindKey(0x8000), 0);
}

TEST(KeyboardDef, SharedCodeFindsTheLowestIdentifierAndLaterNamesReplace) {
    const int32_t a = HashKeyName(L"A1"), b = HashKeyName(L"B2");
    CKeyboardDef def;
    std::vector<uint8_t> file = DefinitionFile({{L"A1", {{0x20, 0}}}, {L"B2", {{0x20, 0}}}, {L"A1", {{0x21, 0}}}});
    ASSERT_TRUE(def.Parse(file.data(), file.size()));
    EXPECT_EQ(def.FindKey(0x20), b);  // A1 now sends 0x21
    EXPECT_EQ(def.FindKey(0x21), a);
    CKeyboardDef shared;
    file = DefinitionFile({{L"A1", {{0x20, 0}}}, {L"B2", {{0x20, 0}}}});
    ASSERT_TRUE(shared.Parse(file.data(), file.size()));
    EXPECT_EQ(shared.FindKey(0x20), std::min(a, b));
}

TEST(KeyboardDef, DamagedFilesStopAtTheDamageWithoutReadingPastTheData) {
    const std::vector<uint8_t> whole = DefinitionFile(kThreeKeys);
    const size_t firstRecord = 4 + 6 + 164;  // name length, "Esc", values and blocks
    struct Case {
        const char* what;
        std::vector<uint8_t> data;
        size_t records;
    };
    std::vector<Case> cases = {
        {"count only, cut short", {0x03, 0x00}, 0},
        {"count, no records", DefinitionFile({}, 3), 0},
        {"count 0", DefinitionFile({}, 0), 0},
        {"cut inside the second record's tail", std::vector<uint8_t>(whole.begin(), whole.end() - 184 - 10), 1},
        {"cut one byte short", std::vector<uint8_t>(whole.begin(), whole.end() - 1), 2},
        {"count larger than the records", DefinitionFile(kThreeKeys, 0xFFFFFFFF), 3},
    };
    // A name length near 2^32 would wrap a 32-bit end-of-record sum.
    std::vector<uint8_t> huge = DefinitionFile({kThreeKeys[0]}, 2);
    PutKeyFile32(huge, 0xFFFFFFF0);
    huge.resize(huge.size() + 200, 0);
    cases.push_back({"name length near 2^32", huge, 1});
    for (uint32_t bad : {511u, 512u, 513u, 3u}) {
        std::vector<uint8_t> odd = DefinitionFile({kThreeKeys[0]}, 2);
        PutKeyRecord(odd, {std::wstring(256, L'x'), {{0x10, 0}}}, bad);
        cases.push_back({"refused name length", odd, 1});
    }
    for (const Case& c : cases) {
        CKeyboardDef def;
        EXPECT_FALSE(def.Parse(c.data.data(), c.data.size())) << c.what;
        EXPECT_EQ(def.GetAllRecords().size(), c.records) << c.what;
        EXPECT_TRUE(def.IsLoaded()) << c.what;
    }
    // A record that ends exactly at the end of the data is whole.
    CKeyboardDef def;
    std::vector<uint8_t> one(whole.begin(), whole.begin() + 4 + firstRecord);
    one[0] = 1;
    EXPECT_TRUE(def.Parse(one.data(), one.size()));
}

TEST(KeyboardDef, ALongestNameOf510BytesIsRead) {
    CKeyboardDef def;
    std::vector<uint8_t> file = DefinitionFile({{std::wstring(255, L'n'), {{0x10, 0}}}});
    ASSERT_TRUE(def.Parse(file.data(), file.size()));
    EXPECT_EQ(def.GetAllRecords()[0].name.GetLength(), 255);
}

TEST(KeyboardDef, ARepeatedParseGivesTheFirstResultAndReadsNothing) {
    const std::vector<uint8_t> good = DefinitionFile(kThreeKeys);
    const std::vector<uint8_t> cut(good.begin(), good.end() - 1);
    CKeyboardDef failed;
    EXPECT_FALSE(failed.Parse(cut.data(), cut.size()));
    EXPECT_FALSE(failed.Parse(good.data(), good.size()));
    EXPECT_EQ(failed.GetAllRecords().size(), 2u);

    CKeyboardDef def;
    EXPECT_FALSE(def.Parse(nullptr, 10));  // no data: not a parse that ran
    EXPECT_FALSE(def.Parse(good.data(), 0));
    EXPECT_FALSE(def.IsLoaded());
    EXPECT_TRUE(def.Parse(good.data(), good.size()));
    EXPECT_TRUE(def.Parse(cut.data(), cut.size()));
    EXPECT_EQ(def.GetAllRecords().size(), 3u);
}

TEST(KeyboardDef, DefaultsFileMustHaveExactlyItsSize) {
    CKeyboardDef def;
    std::vector<uint8_t> file = DefaultsFile({{HashKeyName(L"Pause"), 0x010045}, {7, 0xAB1234}});
    ASSERT_TRUE(def.LoadKeyValues(file.data(), file.size()));
    EXPECT_EQ(def.GetKeyTableValue(HashKeyName(L"Pause")), 0x010045u);
    EXPECT_EQ(def.GetKeyTableValue(7), 0xAB1234u);
    EXPECT_EQ(def.GetKeyTableValue(8), 0u);

    std::vector<uint8_t> longer = DefaultsFile({{9, 0x11}});
    longer.push_back(0);
    std::vector<uint8_t> shorter = DefaultsFile({{9, 0x11}});
    shorter.pop_back();
    std::vector<uint8_t> hugeCount = {0xFF, 0xFF, 0xFF, 0x1F, 1, 2, 3, 4};  // 8 * count wraps 32 bits to 4 bytes
    for (const auto& bad : {longer, shorter, hugeCount, std::vector<uint8_t>{1, 0}}) {
        EXPECT_FALSE(def.LoadKeyValues(bad.data(), bad.size()));
        EXPECT_EQ(def.GetKeyTableValue(9), 0u);
    }
    EXPECT_EQ(def.GetKeyTableValue(7), 0xAB1234u);
}

class KeyboardDefElement : public ::testing::Test {
protected:
    SkinTestFolder folder{L"gui-keydef"};
    pugi::xml_document doc;

    pugi::xml_node Element(const char* xml) {
        doc.load_string(xml);
        return doc.first_child();
    }
};

TEST_F(KeyboardDefElement, ReadsBothFilesAndBecomesTheKeyTable) {
    folder.WriteBytes(L"bin\\Def.bin", DefinitionFile(kThreeKeys));
    folder.WriteBytes(L"bin\\Val.bin", DefaultsFile({{HashKeyName(L"Esc"), 0x01}}));
    {
        CKeyboardDef def;
        pugi::xml_node e = Element(R"(<KEYBOARDDEF name="KBDDEF_WINDOWS" file=" Def.bin " kbddefaults="Val.bin"/>)");
        ASSERT_TRUE(def.ReadElement(e, nullptr));
        EXPECT_EQ(def.m_itemId, KBDDEF_WINDOWS);
        EXPECT_EQ(def.m_itemType, kItemKeyboardDef);
        EXPECT_EQ(def.m_itemWindow, nullptr);
        EXPECT_EQ(LookUpKeyTable(HashKeyName(L"Esc")), 0x01u);
        // The device layer names the keyboard's keys through the same table.
        EXPECT_EQ(FindDeviceKey(0x01), HashKeyName(L"Esc"));
        // Met again (the keyboard root's list walk): defaults applied again,
        // the definition not read twice.
        ASSERT_TRUE(def.ReadElement(e, nullptr));
        EXPECT_EQ(def.GetAllRecords().size(), 3u);
    }
    EXPECT_EQ(GetKeyTable(), nullptr);  // a definition that goes stops being the table
    EXPECT_EQ(FindDeviceKey(0x01), 0);
}

TEST_F(KeyboardDefElement, FailuresLeaveTheItemFieldsOrTheDefaultsAlone) {
    folder.WriteBytes(L"bin\\Def.bin", DefinitionFile(kThreeKeys));
    std::vector<uint8_t> badDefaults = DefaultsFile({{1, 2}});
    badDefaults.push_back(0);
    folder.WriteBytes(L"bin\\Bad.bin", badDefaults);

    CKeyboardDef unknown;
    EXPECT_FALSE(unknown.ReadElement(Element(R"(<KEYBOARDDEF name="KBDDEF_MAC" file="Def.bin"/>)"), nullptr));
    EXPECT_FALSE(unknown.IsLoaded());

    CKeyboardDef missing;
    EXPECT_FALSE(missing.ReadElement(Element(R"(<KEYBOARDDEF name="KBDDEF_WINDOWS" file="Gone.bin"/>)"), nullptr));
    EXPECT_EQ(missing.m_itemId, -1);

    CKeyboardDef noDefaults;
    EXPECT_FALSE(noDefaults.ReadElement(
        Element(R"(<KEYBOARDDEF name="KBDDEF_WINDOWS" file="Def.bin" kbddefaults="Bad.bin"/>)"), nullptr));
    EXPECT_EQ(noDefaults.m_itemId, KBDDEF_WINDOWS);  // the definition was read
    EXPECT_EQ(noDefaults.GetKeyTableValue(1), 0u);
    EXPECT_EQ(GetKeyTable(), nullptr);
}

}  // namespace

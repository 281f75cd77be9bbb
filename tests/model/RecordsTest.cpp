#include "model/store/IKeyTable.h"
#include "model/store/KeyAssignment.h"
#include "model/store/LedSetting.h"
#include "model/store/MacroStep.h"
#include "platform/Guid.h"
#include "tests/model/FakeKeyTable.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

bool AllZeroFrom(const KeyAssignment& a, size_t firstByte) {
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(&a);
    for (size_t i = firstByte; i < sizeof a; ++i)
        if (bytes[i] != 0)
            return false;
    return true;
}

uint16_t UnitAt(const KeyAssignment& a, size_t unit) {
    uint16_t v;
    std::memcpy(&v, a.payload + unit * 2, sizeof v);
    return v;
}

}  // namespace

TEST(KeyAssignment, NoneIsTypeMinusOneWithEveryOtherByteZero) {
    KeyAssignment a = KeyAssignment::None();
    EXPECT_EQ(a.type, AssignmentNone);
    EXPECT_TRUE(AllZeroFrom(a, 4));
}

TEST(KeyAssignment, DefaultKeyTakesCodeAndFlagByteFromTheTableValue) {
    KeyAssignment a = KeyAssignment::DefaultKey(0x00E1C045u);
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(&a);
    EXPECT_EQ(a.type, AssignmentDefaultKey);
    EXPECT_EQ(bytes[4], 0x45);  // code, little-endian, at byte 4
    EXPECT_EQ(bytes[5], 0xC0);
    EXPECT_EQ(bytes[6], 0);     // u16 0 at byte 6
    EXPECT_EQ(bytes[7], 0);
    EXPECT_EQ(bytes[8], 0xE1);  // flag byte at byte 8
    EXPECT_TRUE(AllZeroFrom(a, 9));

    // Bits above 23 of the table value are not part of the record.
    KeyAssignment high = KeyAssignment::DefaultKey(0xFF000045u);
    EXPECT_EQ(high.GetKeyCode(), 0x45);
    EXPECT_EQ(high.GetFlagByte(), 0);
}

TEST(KeyAssignment, SingleKeyAndGuidKindsPlaceTheirFields) {
    KeyAssignment k = KeyAssignment::SingleKey(0x1E, 0x41, 0x03);
    EXPECT_EQ(k.type, AssignmentSingleKey);
    EXPECT_EQ(k.GetKeyCode(), 0x1E);
    EXPECT_EQ(k.GetSecondValue(), 0x41);
    EXPECT_EQ(k.GetFlagByte(), 0x03);

    GUID g = NewGuid();
    KeyAssignment m = KeyAssignment::ByGuid(AssignmentMacro, g, 3, 9);
    EXPECT_EQ(std::memcmp(reinterpret_cast<const uint8_t*>(&m) + 4, &g, sizeof g), 0);
    EXPECT_EQ(m.GetGuid(), g);
    EXPECT_EQ(m.playMode, 3);
    EXPECT_EQ(m.repeatCount, 0);  // only play mode 2 carries a count
}

TEST(KeyAssignment, RepeatCountKeepsOnlyItsLowByte) {
    struct Case { int32_t count; int32_t stored; };
    for (Case c : {Case{5, 5}, Case{255, 255}, Case{256, 0}, Case{0x1234, 0x34}, Case{-1, 0xFF}}) {
        KeyAssignment a = KeyAssignment::ByName(AssignmentMacroByName, L"m", kPlayModeRepeat, c.count);
        EXPECT_EQ(a.repeatCount, c.stored) << c.count;
        EXPECT_EQ(a.playMode, kPlayModeRepeat);
    }
}

TEST(KeyAssignment, NameKindsKeepAtMost259UnitsAndATerminator) {
    struct Case { size_t length; size_t kept; };
    for (AssignmentType type : {AssignmentMacroByName, AssignmentProfileSwitchByName, AssignmentLaunchProgramByPath}) {
        for (Case c : {Case{0, 0}, Case{1, 1}, Case{258, 258}, Case{259, 259}, Case{260, 259}, Case{1000, 259}}) {
            std::wstring name(c.length, L'n');
            KeyAssignment a = KeyAssignment::ByName(type, name.c_str());
            EXPECT_EQ(a.type, type);
            EXPECT_EQ(static_cast<size_t>(a.GetName().GetLength()), c.kept) << c.length;
            EXPECT_EQ(UnitAt(a, c.kept), 0) << "terminator after " << c.kept;
            EXPECT_TRUE(AllZeroFrom(a, 4 + c.kept * 2)) << "zero-filled, nothing written past the payload";
        }
    }
    EXPECT_TRUE(KeyAssignment::ByName(AssignmentMacroByName, nullptr).GetName().IsEmpty());
}

TEST(KeyAssignment, ReadingANameStopsAtThePayloadEvenWithoutATerminator) {
    KeyAssignment a = KeyAssignment::None();
    std::memset(a.payload, 'x', sizeof a.payload);  // 260 units of 0x7878, no terminator
    a.playMode = 0x41;
    EXPECT_EQ(a.GetName().GetLength(), KeyAssignment::kNameUnits);
}

TEST(MacroStep, EqualityComparesAllTwelveBytes) {
    struct Case { MacroStep a; MacroStep b; bool equal; };
    const Case cases[] = {
        {{MacroStepKey, 0x41001E, kStepPress}, {MacroStepKey, 0x41001E, kStepPress}, true},
        {{MacroStepKey, 0x41001E, kStepPress}, {MacroStepKey, 0x41001E, kStepRelease}, false},
        {{MacroStepKey, 0x5B005B, 0x1FF}, {MacroStepKey, 0x5B005B, kStepPress}, false},
        {{MacroStepKey, 1, 0}, {MacroStepMouseButton, 1, 0}, false},
        {{MacroStepDelay, 100, 0}, {MacroStepDelay, 101, 0}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.a == c.b, c.equal);
        EXPECT_EQ(c.a != c.b, !c.equal);
    }
}

TEST(MacroStep, MouseButtonNamesHaveTwentyNineEntriesWithRepeats) {
    EXPECT_STREQ(MouseButtonName(0), L"<null>");
    EXPECT_STREQ(MouseButtonName(1), L"$LeftButton");
    EXPECT_STREQ(MouseButtonName(13), L"$ScrollDown");
    EXPECT_STREQ(MouseButtonName(25), L"$ThumbGrid12");
    EXPECT_STREQ(MouseButtonName(26), MouseButtonName(25));
    EXPECT_STREQ(MouseButtonName(27), MouseButtonName(4));
    EXPECT_STREQ(MouseButtonName(28), MouseButtonName(5));
    EXPECT_EQ(MouseButtonName(29), nullptr);
    EXPECT_EQ(MouseButtonName(-1), nullptr);
}

TEST(LedSetting, ANewEntryIsOffWithFullBrightness) {
    LedSetting s;
    EXPECT_EQ(s.enabled, 0);
    EXPECT_EQ(s.color, 0u);
    EXPECT_EQ(s.effect, 0u);
    EXPECT_EQ(s.brightness, 100u);
}

TEST(KeyTable, NameHashIsDjb2OverUtf16UnitsWithWrapAround) {
    struct Case { const wchar_t* name; uint32_t hash; };
    const Case cases[] = {
        {L"", 5381u},
        {L"A", 5381u * 33 + 65},
        {L"Esc", ((5381u * 33 + 'E') * 33 + 's') * 33 + 'c'},
        {L"\u00e9", 5381u * 33 + 0xE9},
        {L"Num Lock", 0xA6D0D99Eu},  // wraps at 32 bits
        {L"Pause", 0x0DDDDA23u},
    };
    for (const Case& c : cases)
        EXPECT_EQ(static_cast<uint32_t>(HashKeyName(c.name)), c.hash);
    EXPECT_EQ(HashKeyName(nullptr), 5381);
}

TEST(KeyTable, EveryKeyIsZeroWithoutATableAndTheTableAnswersOnceSet) {
    ASSERT_EQ(GetKeyTable(), nullptr);
    EXPECT_EQ(LookUpKeyTable(HashKeyName(L"A")), 0u);
    {
        FakeKeyTable table({{HashKeyName(L"A"), 0x1E}});
        EXPECT_EQ(GetKeyTable(), &table);
        EXPECT_EQ(LookUpKeyTable(HashKeyName(L"A")), 0x1Eu);
        EXPECT_EQ(LookUpKeyTable(HashKeyName(L"B")), 0u);
    }
    EXPECT_EQ(LookUpKeyTable(HashKeyName(L"A")), 0u);
}

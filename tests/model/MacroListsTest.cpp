#include "model/store/CAPMList.h"
#include "model/store/CMacroList.h"
#include "model/store/CVqAppList.h"
#include "model/store/DeleteAllPointees.h"
#include "platform/Guid.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

const MacroStep kCtrlDown{MacroStepKey, 0xA2001D, kStepPress};
const MacroStep kCtrlUp{MacroStepKey, 0xA2001D, kStepRelease};
const MacroStep kDelay{MacroStepDelay, 50, 0};
const MacroStep kClick{MacroStepMouseButton, 1, kStepPress};

}  // namespace

TEST(Macro, NameIsZeroFilledAndCutTo255Units) {
    struct Case { size_t length; size_t kept; };
    for (Case c : {Case{0, 0}, Case{10, 10}, Case{255, 255}, Case{256, 255}, Case{600, 255}}) {
        std::wstring name(c.length, L'm');
        CMacro m(name.c_str(), {kCtrlDown});
        EXPECT_EQ(wcslen(m.name), c.kept) << c.length;
        for (size_t i = c.kept; i < CMacro::kNameUnits; ++i)
            ASSERT_EQ(m.name[i], 0) << i;
        EXPECT_EQ(m.guid, GUID_NULL);
        EXPECT_TRUE(m.text.IsEmpty());
    }
    CMacro blank;
    EXPECT_STREQ(blank.name, L"");
    EXPECT_TRUE(blank.steps.empty());
    blank.SetName(L"Renamed");
    blank.SetText(L"C:\\macros\\m.vqm");
    EXPECT_STREQ(blank.GetName(), L"Renamed");
    EXPECT_STREQ(blank.text, L"C:\\macros\\m.vqm");
}

TEST(Macro, EqualityNeedsTheGuidTheNameIgnoringCaseAndTheSameSteps) {
    GUID g = NewGuid();
    CMacro base(L"Macro", {kCtrlDown, kCtrlUp});
    base.guid = g;
    struct Case { const char* what; CMacro other; bool equal; };
    std::vector<Case> cases;
    auto with = [&](const char* what, const wchar_t* name, std::vector<MacroStep> steps, GUID guid, bool equal) {
        CMacro m(name, steps);
        m.guid = guid;
        m.text = L"ignored";
        cases.push_back({what, m, equal});
    };
    with("same", L"Macro", {kCtrlDown, kCtrlUp}, g, true);
    with("name case", L"MACRO", {kCtrlDown, kCtrlUp}, g, true);
    with("name", L"Macro 2", {kCtrlDown, kCtrlUp}, g, false);
    with("guid", L"Macro", {kCtrlDown, kCtrlUp}, GUID_NULL, false);
    with("step flags", L"Macro", {kCtrlDown, kCtrlDown}, g, false);
    with("step count", L"Macro", {kCtrlDown}, g, false);
    with("order", L"Macro", {kCtrlUp, kCtrlDown}, g, false);
    for (const Case& c : cases) {
        EXPECT_EQ(base == c.other, c.equal) << c.what;
        EXPECT_EQ(base != c.other, !c.equal) << c.what;
    }
}

TEST(Macro, StepEditsRefuseIndexesOutsideTheSteps) {
    struct Case { const char* what; int index; bool removed; std::vector<MacroStep> after; };
    const std::vector<MacroStep> start{kCtrlDown, kDelay, kCtrlUp};
    const Case removals[] = {
        {"first", 0, true, {kDelay, kCtrlUp}},
        {"last", 2, true, {kCtrlDown, kDelay}},
        {"count", 3, false, start},
        {"negative", -1, false, start},
        {"most negative", INT_MIN, false, start},
    };
    for (const Case& c : removals) {
        CMacro m(L"m", start);
        EXPECT_EQ(m.RemoveStep(c.index), c.removed) << c.what;
        EXPECT_EQ(m.steps, c.after) << c.what;
    }
    const Case replacements[] = {
        {"first", 0, true, {kClick, kDelay, kCtrlUp}},
        {"last", 2, true, {kCtrlDown, kDelay, kClick}},
        {"count", 3, false, start},
        {"negative", -1, false, start},
    };
    for (const Case& c : replacements) {
        CMacro m(L"m", start);
        EXPECT_EQ(m.ReplaceStep(c.index, kClick), c.removed) << c.what;
        EXPECT_EQ(m.steps, c.after) << c.what;
    }
}

TEST(Macro, EachHalfOfAPressAndReleaseFindsTheOther) {
    const MacroStep aDown{MacroStepKey, 0x41 << 16 | 0x1E, kStepPress}, aUp{MacroStepKey, 0x41 << 16 | 0x1E, kStepRelease};
    // The right Ctrl shares the left one's scan code; only its extended flag tells them apart.
    const MacroStep rCtrlUp{MacroStepKey, 0xA3 << 16 | 0x1D, kStepRelease | kStepExtended};
    // A step the keyboard read back has no virtual key: the same key still.
    const MacroStep aUpRead{MacroStepKey, 0x1E, kStepRelease};
    const MacroStep click{MacroStepMouseButton, 1, kStepPress}, clickUp{MacroStepMouseButton, 1, kStepRelease};
    const MacroStep rightUp{MacroStepMouseButton, 2, kStepRelease};
    struct Case {
        const char* what;
        std::vector<MacroStep> steps;
        int index, partner;
    };
    const Case cases[] = {
        {"press finds its release", {aDown, kDelay, aUp}, 0, 2},
        {"release finds its press", {aDown, kDelay, aUp}, 2, 0},
        {"a key pressed again nests", {aDown, aDown, aUp, aUp}, 0, 3},
        {"the inner pair", {aDown, aDown, aUp, aUp}, 2, 1},
        {"left and right Ctrl are two keys", {kCtrlDown, rCtrlUp, kCtrlUp}, 0, 2},
        {"the right Ctrl alone has none", {kCtrlDown, rCtrlUp, kCtrlUp}, 1, -1},
        {"by scan code, whatever the virtual key", {aDown, aUpRead}, 0, 1},
        {"a button finds its release", {click, rightUp, clickUp}, 0, 2},
        {"another button is not it", {click, rightUp}, 1, -1},
        {"a press never released", {aDown, kDelay}, 0, -1},
        {"a delay has none", {aDown, kDelay, aUp}, 1, -1},
        {"index past the end", {aDown, aUp}, 2, -1},
        {"negative index", {aDown, aUp}, -1, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindPartnerStep(c.steps, c.index), c.partner) << c.what;
}

TEST(MacroList, NamesAreUniqueIgnoringCaseAndDeleteTakesOnlyItsOwn) {
    CMacroList list;
    CMacro* first = list.Add(L"MACRO 1", {kCtrlDown});
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->steps.size(), 1u);
    EXPECT_EQ(list.Add(L"Macro 1", {}), nullptr);
    CMacro* second = list.Add(L"Macro 2", {});
    EXPECT_EQ(list.FindByName(L"macro 2"), second);
    EXPECT_EQ(list.FindByName(L"Macro"), nullptr);
    EXPECT_EQ(list.GetAt(0), first);
    EXPECT_EQ(list.GetAt(2), nullptr);
    CMacro outsider(L"MACRO 1", {});
    EXPECT_FALSE(list.Delete(&outsider));
    EXPECT_TRUE(list.Delete(first));
    EXPECT_EQ(list.GetCount(), 1);
    list.DeleteAll();
    EXPECT_EQ(list.GetCount(), 0);
}

TEST(VqAppList, EntriesAreFoundByNameIgnoringCaseOrByGuid) {
    CVqAppList list;
    CVqApp* app = list.Add(L"Game.EXE");
    ASSERT_NE(app, nullptr);
    EXPECT_STREQ(app->executable, L"Game.EXE");
    EXPECT_EQ(list.Add(L"game.exe"), nullptr);
    GUID g = NewGuid();
    app->guid = g;
    CVqApp* other = list.Add(L"tool.exe");
    EXPECT_EQ(list.FindByGuid(g), app);
    EXPECT_EQ(list.FindByGuid(GUID_NULL), other);
    list.Remove(nullptr);
    CVqApp outsider(L"tool.exe");
    list.Remove(&outsider);
    EXPECT_EQ(list.GetCount(), 2);
    list.Remove(app);
    EXPECT_EQ(list.GetAt(0), other);
}

TEST(APMList, InsertsInOrderOfSecondAndRefusesDuplicates) {
    CAPMList list;
    struct Case { int32_t second; bool added; };
    for (Case c : {Case{5, true}, Case{2, true}, Case{9, true}, Case{2, false}, Case{INT_MIN, true}, Case{0, true}})
        EXPECT_EQ(list.Add(c.second * 10, c.second, c.second), c.added) << c.second;
    std::vector<int32_t> order;
    for (int i = 0; i < list.GetCount(); ++i)
        order.push_back(list.GetAt(i)->second);
    EXPECT_EQ(order, (std::vector<int32_t>{0, 2, 5, 9, INT_MIN}));
    EXPECT_EQ(list.FindById(9)->value, 90);
    EXPECT_EQ(list.FindById(2)->value, 20) << "the refused entry did not replace the first";
    EXPECT_EQ(list.FindById(3), nullptr);
    list.DeleteAll();
    EXPECT_EQ(list.GetCount(), 0);
}

namespace {

struct Tracked {
    explicit Tracked(int i, std::vector<int>& log) : id(i), order(log) {}
    virtual ~Tracked() { order.push_back(id); }
    int id;
    std::vector<int>& order;
};

struct TrackedChild : Tracked {
    TrackedChild(int i, std::vector<int>& log, bool& flag) : Tracked(i, log), destroyed(flag) {}
    ~TrackedChild() override { destroyed = true; }
    bool& destroyed;
};

}  // namespace

TEST(DeleteAllPointees, DestroysLastFirstThroughTheVirtualDestructor) {
    std::vector<int> order;
    bool childDestroyed = false;
    std::vector<Tracked*> items{new Tracked(1, order), new TrackedChild(2, order, childDestroyed), new Tracked(3, order)};
    DeleteAllPointees(items);
    EXPECT_TRUE(items.empty());
    EXPECT_EQ(order, (std::vector<int>{3, 2, 1}));
    EXPECT_TRUE(childDestroyed);
}

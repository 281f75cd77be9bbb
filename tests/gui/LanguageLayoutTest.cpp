// Language names, layout codes, registry texts that need not be terminated,
// and the layout switch: only what this program loaded is unloaded, and the
// layout active before is put back.

#include "gui/core/CGUIItems.h"
#include "gui/skin/CKeyboardLayoutSetting.h"
#include "gui/skin/CKeyboardLayoutSwitcher.h"
#include "gui/skin/LanguageNames.h"
#include "gui/skin/SymbolIds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace {

TEST(LanguageNames, NamesToIdsIgnoringCase) {
    EXPECT_EQ(LanguageIdFromName(L"english"), 0);
    EXPECT_EQ(LanguageIdFromName(L"GERMAN"), 5);
    EXPECT_EQ(LanguageIdFromName(L"ChineseTraditional"), 2);
    EXPECT_EQ(LanguageIdFromName(L"Spanish"), 9);
    EXPECT_EQ(LanguageIdFromName(L"GREEK"), -1);  // Greek shows English and has no name of its own
    EXPECT_EQ(LanguageIdFromName(L""), -1);
    EXPECT_EQ(LanguageIdFromName(nullptr), -1);
}

TEST(LanguageNames, LayoutCodesToLayoutIds) {
    const int32_t expected[] = {15, 15, 29, 20, 18, 22, 27, 26, 17, 21, 28, 25, 23};
    for (int32_t code = 0; code < 13; ++code)
        EXPECT_EQ(LayoutIndexFromDeviceCode(code), expected[code]) << code;
    EXPECT_EQ(LayoutIndexFromDeviceCode(13), -1);
    EXPECT_EQ(LayoutIndexFromDeviceCode(-1), -1);
}

class RegistryValue : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\MobekTilvorGuiTest", 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override {
        RegCloseKey(key);
        RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\MobekTilvorGuiTest");
    }
    // Stores the units as they are: no terminator unless the text has one.
    void Store(const wchar_t* name, const std::wstring& units, DWORD type = REG_SZ) {
        RegSetValueExW(key, name, 0, type, reinterpret_cast<const BYTE*>(units.data()),
                       static_cast<DWORD>(units.size() * sizeof(wchar_t)));
    }
    HKEY key = nullptr;
};

TEST_F(RegistryValue, TextsAreAlwaysTerminatedOrRefused) {
    struct Case {
        std::wstring stored;
        DWORD type;
        LONG status;
        std::wstring read;
    } cases[] = {
        {L"German", REG_SZ, ERROR_SUCCESS, L"German"},  // stored without its terminator
        {std::wstring(L"French\0", 7), REG_SZ, ERROR_SUCCESS, L"French"},
        {std::wstring(39, L'x'), REG_SZ, ERROR_SUCCESS, std::wstring(39, L'x')},
        {std::wstring(40, L'x'), REG_SZ, ERROR_MORE_DATA, L""},  // no room left for a terminator
        {std::wstring(60, L'x'), REG_SZ, ERROR_MORE_DATA, L""},
        {L"C:\\", REG_EXPAND_SZ, ERROR_UNSUPPORTED_TYPE, L""},
    };
    for (const Case& c : cases) {
        Store(L"Value", c.stored, c.type);
        wchar_t buffer[kRegistryValueUnits];
        std::fill(std::begin(buffer), std::end(buffer), L'#');
        EXPECT_EQ(ReadRegistryValue(key, L"Value", buffer), c.status) << c.stored.size();
        EXPECT_EQ(std::wstring(buffer), c.read);
    }
    wchar_t buffer[kRegistryValueUnits] = L"old";
    EXPECT_EQ(ReadRegistryValue(key, L"Missing", buffer), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(buffer[0], 0);
}

// The system's layout calls, as a record of what the switcher asked for.
class FakeLayouts : public CKeyboardLayoutSwitcher::Api {
public:
    HKL Load(const wchar_t* name, UINT flags) override {
        calls.push_back(L"load " + std::wstring(name));
        if (refuse == name)
            return nullptr;
        HKL layout = HandleOf(name);
        if (std::find(loaded.begin(), loaded.end(), layout) == loaded.end())
            loaded.push_back(layout);
        if (flags & KLF_ACTIVATE)
            current = layout;
        return layout;
    }
    HKL Activate(HKL layout, UINT flags) override {
        calls.push_back(L"activate " + NameOf(layout) + (flags & KLF_SETFORPROCESS ? L" process" : L" thread"));
        if ((flags & KLF_SETFORPROCESS) && !processWide)
            return nullptr;
        HKL before = current;
        current = layout;
        return before;
    }
    BOOL Unload(HKL layout) override {
        calls.push_back(L"unload " + NameOf(layout));
        loaded.erase(std::remove(loaded.begin(), loaded.end(), layout), loaded.end());
        return TRUE;
    }
    HKL Current() override { return current; }
    std::vector<HKL> Loaded() override { return loaded; }

    HKL HandleOf(const std::wstring& name) {
        auto it = handles.find(name);
        if (it != handles.end())
            return it->second;
        HKL h = reinterpret_cast<HKL>(static_cast<INT_PTR>(0x100 + handles.size()));
        handles[name] = h;
        return h;
    }
    std::wstring NameOf(HKL layout) const {
        for (const auto& entry : handles)
            if (entry.second == layout)
                return entry.first;
        return L"?";
    }

    std::map<std::wstring, HKL> handles;
    std::vector<HKL> loaded;
    HKL current = nullptr;
    bool processWide = true;
    std::wstring refuse;
    std::vector<std::wstring> calls;
};

class LayoutSwitch : public ::testing::Test {
protected:
    void SetUp() override {
        fake.current = fake.HandleOf(L"user");
        fake.loaded = {fake.current, fake.HandleOf(L"00000407")};  // the user has German too
        Add(KBLAYOUT_ENGLISH, L"00000409");
        Add(KBLAYOUT_GERMAN, L"00000407");
        Add(KBLAYOUT_FRENCH, L"0000040C");
        Add(KBLAYOUT_GREEK, L"BROKEN");
        fake.refuse = L"BROKEN";
    }
    void Add(int32_t id, const wchar_t* name) {
        auto* setting = new CKeyboardLayoutSetting;
        setting->SetItemFields(id, kItemKeyboardLayout, nullptr, nullptr);
        setting->m_layoutName = name;
        CKeyboardLayoutSetting::Register(setting);
        settings.Append(setting);
    }
    bool IsLoaded(const wchar_t* name) {
        return std::find(fake.loaded.begin(), fake.loaded.end(), fake.HandleOf(name)) != fake.loaded.end();
    }

    CGUIItems settings;
    FakeLayouts fake;
};

TEST_F(LayoutSwitch, TwoActivationsLeaveOnlyTheSecondLoadedAndExitRestoresTheFirst) {
    {
        CKeyboardLayoutSwitcher switcher(&fake);
        ASSERT_TRUE(switcher.Activate(KBLAYOUT_ENGLISH));
        EXPECT_EQ(fake.current, fake.HandleOf(L"00000409"));
        ASSERT_TRUE(switcher.Activate(KBLAYOUT_FRENCH));
        EXPECT_FALSE(IsLoaded(L"00000409"));
        EXPECT_TRUE(IsLoaded(L"0000040C"));
        EXPECT_EQ(switcher.GetCurrent(), KBLAYOUT_FRENCH);
    }
    EXPECT_EQ(fake.current, fake.HandleOf(L"user"));
    EXPECT_FALSE(IsLoaded(L"0000040C"));
    const std::vector<std::wstring> expected = {
        L"load 00000409", L"activate 00000409 process", L"activate user process", L"unload 00000409",
        L"load 0000040C", L"activate 0000040C process", L"activate user process", L"unload 0000040C",
    };
    EXPECT_EQ(fake.calls, expected);
}

TEST_F(LayoutSwitch, ALayoutTheUserAlreadyHadIsNeverUnloaded) {
    {
        CKeyboardLayoutSwitcher switcher(&fake);
        ASSERT_TRUE(switcher.Activate(KBLAYOUT_GERMAN));
        ASSERT_TRUE(switcher.Activate(KBLAYOUT_ENGLISH));
        EXPECT_TRUE(IsLoaded(L"00000407"));
        ASSERT_TRUE(switcher.Activate(KBLAYOUT_GERMAN));
    }
    EXPECT_TRUE(IsLoaded(L"00000407"));
    EXPECT_EQ(fake.current, fake.HandleOf(L"user"));
    EXPECT_EQ(std::count(fake.calls.begin(), fake.calls.end(), L"unload 00000407"), 0);
}

TEST_F(LayoutSwitch, FailuresAreReportedAndChangeNothing) {
    CKeyboardLayoutSwitcher switcher(&fake);
    EXPECT_FALSE(switcher.Activate(KBLAYOUT_RUSSIAN));  // no setting
    EXPECT_TRUE(fake.calls.empty());
    EXPECT_FALSE(switcher.Activate(KBLAYOUT_GREEK));  // the layout does not load
    EXPECT_EQ(switcher.GetLoaded(), nullptr);
    EXPECT_EQ(switcher.GetCurrent(), -1);
    EXPECT_EQ(fake.current, fake.HandleOf(L"user"));
}

TEST_F(LayoutSwitch, WithoutAProcessWideSwitchTheThreadsLayoutIsPutBack) {
    fake.processWide = false;
    {
        CKeyboardLayoutSwitcher switcher(&fake);
        ASSERT_TRUE(switcher.Activate(KBLAYOUT_ENGLISH));
        ASSERT_TRUE(switcher.Activate(KBLAYOUT_FRENCH));
        EXPECT_FALSE(IsLoaded(L"00000409"));
    }
    EXPECT_EQ(fake.current, fake.HandleOf(L"user"));
    EXPECT_FALSE(IsLoaded(L"0000040C"));
}

TEST(LayoutSettings, TheElementBuildsASettingThatLeavesTheMapWhenDeleted) {
    pugi::xml_document doc;
    doc.load_string(R"(<KBLAYOUT name="KBLAYOUT_UK" kbdlayout="00000809" kbditems="Keys.xml"/>)");
    auto* setting = CKeyboardLayoutSetting::CreateFromElement(doc.first_child(), nullptr);
    ASSERT_NE(setting, nullptr);
    EXPECT_EQ(setting->m_itemType, kItemKeyboardLayout);
    EXPECT_EQ(setting->m_layoutName, CString(L"00000809"));
    EXPECT_EQ(setting->m_itemsName, CString(L"Keys.xml"));
    CKeyboardLayoutSetting::Register(setting);
    EXPECT_EQ(CKeyboardLayoutSetting::FindByLayoutId(KBLAYOUT_UK), setting);
    delete setting;
    EXPECT_EQ(CKeyboardLayoutSetting::FindByLayoutId(KBLAYOUT_UK), nullptr);
    doc.load_string(R"(<KBLAYOUT name="KBLAYOUT_MARS" kbdlayout="00000809"/>)");
    EXPECT_EQ(CKeyboardLayoutSetting::CreateFromElement(doc.first_child(), nullptr), nullptr);
}

}  // namespace

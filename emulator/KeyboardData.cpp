#include "emulator/KeyboardData.h"

#include "emulator/CKeyTable.h"
#include "platform/Guid.h"

ProfileState MakeDefaultProfile(const std::wstring& name) {
    ProfileState profile;
    profile.guid = NewGuid();
    profile.name = name;
    const CKeyTable& table = CKeyTable::Instance();
    profile.keys.reserve(table.KeyCount());
    for (size_t i = 0; i < table.KeyCount(); ++i)
        profile.keys.push_back(table.DefaultRecord(i));
    for (uint32_t i = 0; i < kLedCount; ++i)
        profile.leds[i].id = i + 1;
    return profile;
}

KeyboardData MakeFactoryKeyboard() {
    KeyboardData data;
    for (const wchar_t* name : {L"Profile 1", L"Profile 2", L"Profile 3"})
        data.profiles.push_back(MakeDefaultProfile(name));
    data.activeProfile = data.profiles.front().guid;
    return data;
}

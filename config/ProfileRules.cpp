#include "config/ProfileRules.h"

#include "platform/Guid.h"

#include <cwchar>

IKeyboardProfile* ProfileOfRow(IKeyboardConfig& config, int32_t rowKey) {
    if (rowKey < 0 || rowKey >= config.GetProfileCount())
        return nullptr;
    return config.GetProfile(rowKey);
}

int IndexOfProfile(IKeyboardConfig& config, const IKeyboardProfile* profile) {
    for (int i = 0; profile && i < config.GetProfileCount(); ++i)
        if (config.GetProfile(i) == profile)
            return i;
    return -1;
}

IKeyboardProfile* FindProfileExactly(IKeyboardConfig& config, const wchar_t* name) {
    if (!name)
        return nullptr;
    for (int i = 0; i < config.GetProfileCount(); ++i)
        if (IKeyboardProfile* profile = config.GetProfile(i); profile && std::wcscmp(profile->GetName(), name) == 0)
            return profile;
    return nullptr;
}

NameVerdict JudgeProfileName(IKeyboardConfig& config, const CString& name) {
    if (name.IsEmpty())
        return NameVerdict::Empty;
    if (name[0] == L'$' || name[0] == L'#')
        return NameVerdict::Reserved;
    if (FindProfileExactly(config, name))
        return NameVerdict::Taken;
    return NameVerdict::Accepted;
}

CString CopyProfileName(IKeyboardConfig& config, const CString& sourceName) {
    const CString base = sourceName.GetLength() > kCopyBaseChars ? sourceName.Left(kCopyBaseChars) : sourceName;
    for (int n = 2; n <= 99; ++n) {
        CString candidate;
        candidate.Format(L"%s(%d)", base.GetString(), n);
        if (!FindProfileExactly(config, candidate))
            return candidate;
    }
    return CString();
}

bool IsProfileDeletable(IKeyboardConfig& config, IKeyboardProfile* profile) {
    IKeyboardProfile* first = config.GetProfile(0);
    if (!profile || !first || profile == first)
        return false;
    // A profile the keyboard does not hold yet is no copy of the first one,
    // whatever the first one's GUID.
    return IsNullGuid(profile->GetGuid()) || profile->GetGuid() != first->GetGuid();
}

bool LinkedProgramFits(const wchar_t* path) {
    const wchar_t* name = path ? path : L"";
    for (const wchar_t* p = name; *p; ++p)
        if (*p == L'\\' || *p == L'/' || *p == L':')
            name = p + 1;
    return std::wcslen(name) <= static_cast<size_t>(kMaxLinkedNameChars);
}

std::vector<CString> ProfileNames(IKeyboardConfig& config) {
    std::vector<CString> names;
    for (int i = 0; i < config.GetProfileCount(); ++i)
        if (IKeyboardProfile* profile = config.GetProfile(i))
            names.push_back(profile->GetName());
    return names;
}

int ActiveProfileIndex(IKeyboardConfig& config) {
    const int index = IndexOfProfile(config, config.GetActiveProfile());
    return index < 0 ? 0 : index;
}

IKeyboardProfile* ProfileOfChoice(IKeyboardConfig& config, int index, const CString& entryText) {
    IKeyboardProfile* profile = ProfileOfRow(config, index);
    return profile && profile->GetName() == entryText ? profile : nullptr;
}

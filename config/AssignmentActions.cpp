#include "config/AssignmentActions.h"

#include <algorithm>

bool SingleKeyResultCounts(const KeyEntryResult& result) {
    return (!result.text.IsEmpty() && result.firstKey != 0) || result.modifiers != 0;
}

KeyAssignment MakeSingleKeyRecord(const KeyEntryResult& result) {
    return KeyAssignment::SingleKey(result.firstKey, result.secondKey, result.modifiers);
}

KeyAssignment MakeMacroRecord(const CMacro& macro, int32_t playMode, int32_t repeatCount) {
    const int32_t count = repeatCount & 0xFF;
    if (IsEqualGUID(macro.guid, GUID_NULL))
        return KeyAssignment::ByName(AssignmentMacroByName, macro.GetName(), playMode, count);
    return KeyAssignment::ByGuid(AssignmentMacro, macro.guid, playMode, count);
}

KeyAssignment MakeProfileRecord(IKeyboardProfile& profile) {
    const GUID guid = profile.GetGuid();
    if (IsEqualGUID(guid, GUID_NULL))
        return KeyAssignment::ByName(AssignmentProfileSwitchByName, profile.GetName());
    return KeyAssignment::ByGuid(AssignmentProfileSwitch, guid);
}

KeyAssignment MakeProgramRecord(const CVqApp& application, const wchar_t* path) {
    if (IsEqualGUID(application.guid, GUID_NULL))
        return KeyAssignment::ByName(AssignmentLaunchProgramByPath, path ? path : L"");
    return KeyAssignment::ByGuid(AssignmentLaunchProgram, application.guid);
}

int AssignmentIconCode(const KeyAssignment& record) {
    const int32_t kind = record.type == AssignmentNone ? AssignmentDefaultKey : record.type;
    if ((kind == AssignmentMacro || kind == AssignmentMacroByName) && record.playMode >= 1 && record.playMode <= 4)
        return 99 + record.playMode;
    return kind;
}

CString ShortProgramName(const wchar_t* path) {
    CString file = path ? path : L"";
    const int slash = std::max(file.ReverseFind(L'\\'), file.ReverseFind(L'/'));
    if (slash >= 0)
        file = file.Mid(slash + 1);
    const int dot = file.ReverseFind(L'.');
    const CString name = dot >= 0 ? file.Left(dot) : file;
    const CString extension = dot >= 0 ? file.Mid(dot) : CString();
    if (file.GetLength() < 21)
        return L" " + file;
    if (extension.IsEmpty())
        return name.Left(20) + L"...";
    // An extension of 20 characters or more leaves no room for the name.
    return name.Left(std::max(0, 20 - extension.GetLength())) + L".." + extension;
}

namespace {

CString ModifierNames(uint8_t modifiers) {
    CString text;
    const struct {
        uint8_t bit;
        const wchar_t* name;
    } names[] = {{kModifierShift, L"Shift"}, {kModifierCtrl, L"Ctrl"}, {kModifierAlt, L"Alt"}};
    for (const auto& n : names) {
        if (!(modifiers & n.bit))
            continue;
        if (!text.IsEmpty())
            text += L"+";
        text += n.name;
    }
    return text;
}

}  // namespace

AssignmentText FormatAssignmentText(const KeyAssignment& record, IKeyboardConfig& config, const CString& caption,
                                    const KeyNamer& keyName) {
    AssignmentText out;
    out.icon = AssignmentIconCode(record);
    switch (record.type) {
    case AssignmentSingleKey: {
        const uint8_t modifiers = record.GetFlagByte();
        out.text = ModifierNames(modifiers);
        if (record.GetKeyCode() != 0) {
            if (!out.text.IsEmpty())
                out.text += L"+";
            if (keyName)
                out.text += keyName(record.GetKeyCode(), record.GetSecondValue(), (modifiers & kModifierExtended) != 0);
        }
        break;
    }
    case AssignmentMacro:
        if (CMacro* macro = config.FindMacroByGuid(record.GetGuid()))
            out.text = CString(L" ") + macro->GetName();
        break;
    case AssignmentMacroByName:
    case AssignmentProfileSwitchByName:
        out.text = L" " + record.GetName();
        break;
    case AssignmentDisabled:
        out.text = L" ";
        break;
    case AssignmentProfileSwitch:
        if (IKeyboardProfile* profile = config.FindProfileByGuid(record.GetGuid()))
            out.text = CString(L" ") + profile->GetName();
        break;
    case AssignmentLaunchProgram:
        // A program the store no longer lists shows nothing rather than a
        // name read from nowhere.
        if (CVqApp* application = config.FindApplicationByGuid(record.GetGuid()))
            out.text = ShortProgramName(application->executable);
        break;
    case AssignmentLaunchProgramByPath:
        out.text = ShortProgramName(record.GetName());
        break;
    default:
        out.text = caption;
        break;
    }
    return out;
}

bool PointsTo(const KeyAssignment& record, const DeletedTarget& target) {
    const bool macro = target.kind == DeletedTarget::Macro;
    const int32_t byGuid = macro ? AssignmentMacro : AssignmentProfileSwitch;
    const int32_t byName = macro ? AssignmentMacroByName : AssignmentProfileSwitchByName;
    if (record.type == byGuid)
        return !IsEqualGUID(target.guid, GUID_NULL) && IsEqualGUID(record.GetGuid(), target.guid);
    if (record.type == byName)
        return record.GetName().CompareNoCase(target.name) == 0;
    return false;
}

namespace {

// Every key record of every profile that 'matches' takes the record
// 'replace' makes of it; the key ids changed in any profile.
std::vector<int32_t> ReplaceAssignments(IKeyboardConfig& config, const std::vector<int32_t>& keyIds,
                                        const std::function<bool(const KeyAssignment&)>& matches,
                                        const std::function<KeyAssignment(int32_t, const KeyAssignment&)>& replace) {
    std::vector<int32_t> changed;
    for (int p = 0; p < config.GetProfileCount(); ++p) {
        IKeyboardProfile* profile = config.GetProfile(p);
        if (!profile)
            continue;
        for (int32_t key : keyIds) {
            const KeyAssignment record = profile->GetKeyAssignment(key);
            if (!matches(record))
                continue;
            profile->SetKeyAssignment(key, replace(key, record));
            if (std::find(changed.begin(), changed.end(), key) == changed.end())
                changed.push_back(key);
        }
    }
    return changed;
}

}  // namespace

std::vector<int32_t> ClearAssignmentsTo(IKeyboardConfig& config, const std::vector<int32_t>& keyIds,
                                        const DeletedTarget& target,
                                        const std::function<KeyAssignment(int32_t keyId)>& defaultOf) {
    return ReplaceAssignments(
        config, keyIds, [&](const KeyAssignment& record) { return PointsTo(record, target); },
        [&](int32_t key, const KeyAssignment&) { return defaultOf(key); });
}

std::vector<int32_t> RenameMacroAssignments(IKeyboardConfig& config, const std::vector<int32_t>& keyIds,
                                            const CString& oldName, const wchar_t* newName) {
    return ReplaceAssignments(
        config, keyIds,
        [&](const KeyAssignment& record) {
            return record.type == AssignmentMacroByName && record.GetName().CompareNoCase(oldName) == 0;
        },
        [&](int32_t, const KeyAssignment& record) {
            return KeyAssignment::ByName(AssignmentMacroByName, newName, record.playMode, record.repeatCount);
        });
}

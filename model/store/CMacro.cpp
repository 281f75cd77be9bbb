#include "model/store/CMacro.h"

#include <cstring>

CMacro::CMacro() : guid(GUID_NULL) { std::memset(name, 0, sizeof name); }

CMacro::CMacro(const wchar_t* macroName, const std::vector<MacroStep>& macroSteps)
    : guid(GUID_NULL), steps(macroSteps) {
    SetName(macroName);
}

bool CMacro::operator==(const CMacro& other) const {
    return IsEqualGUID(guid, other.guid) && CompareNoCase(name, other.name) == 0 && steps == other.steps;
}

void CMacro::SetName(const wchar_t* value) {
    std::memset(name, 0, sizeof name);
    if (value)
        std::memcpy(name, value, wcsnlen(value, kNameUnits - 1) * sizeof(wchar_t));
}

void CMacro::SetText(const wchar_t* value) { text = value; }

bool CMacro::RemoveStep(int index) {
    if (index < 0 || static_cast<size_t>(index) >= steps.size())
        return false;
    steps.erase(steps.begin() + index);
    return true;
}

bool CMacro::ReplaceStep(int index, const MacroStep& step) {
    if (!RemoveStep(index))
        return false;
    steps.insert(steps.begin() + index, step);
    return true;
}

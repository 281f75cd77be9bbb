#include "model/store/CKeyboardProfile.h"

#include <algorithm>

void CKeyboardProfile::CopyFrom(const CBaseProfile& other) { Assign(other); }

void CKeyboardProfile::SetProfileOption(int32_t) {}

bool CKeyboardProfile::GetProfileOption() const { return false; }

bool CKeyboardProfile::IsListedAssignmentType(int32_t type, const std::vector<int32_t>& supported) {
    int32_t listed = type;
    switch (type) {
    case AssignmentMacroByName: listed = AssignmentMacro; break;
    case AssignmentProfileSwitchByName: listed = AssignmentProfileSwitch; break;
    case AssignmentLaunchProgramByPath: listed = AssignmentLaunchProgram; break;
    default: break;
    }
    return std::find(supported.begin(), supported.end(), listed) != supported.end();
}

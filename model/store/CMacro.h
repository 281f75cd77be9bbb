#pragma once
// One user macro: a name, the keyboard's GUID for it and its steps.

#include "model/store/MacroStep.h"
#include "platform/CString.h"

#include <windows.h>

#include <vector>

class CMacro {
public:
    static constexpr int kNameUnits = 256;  // 255 units and a terminator

    CMacro();
    CMacro(const wchar_t* name, const std::vector<MacroStep>& steps);

    // Same GUID, same name ignoring case, same steps byte for byte.
    bool operator==(const CMacro& other) const;
    bool operator!=(const CMacro& other) const { return !(*this == other); }

    // Keeps at most 255 units of the name.
    void SetName(const wchar_t* name);
    const wchar_t* GetName() const noexcept { return name; }
    void SetText(const wchar_t* value);
    // Index arguments outside the steps are refused.
    bool RemoveStep(int index);
    bool ReplaceStep(int index, const MacroStep& step);

    wchar_t name[kNameUnits];
    GUID guid;
    std::vector<MacroStep> steps;
    CString text;
};

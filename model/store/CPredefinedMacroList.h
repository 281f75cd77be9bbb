#pragma once
// The seventeen ready-made shortcuts a user can put on a key as a macro:
// basic (ids 1-9) and advanced (ids 10-17), named by their edit-function names.

#include "model/store/MacroStep.h"
#include "platform/CStringArray.h"

#include <cstdint>
#include <map>
#include <vector>

class CPredefinedMacroList {
public:
    CPredefinedMacroList();

    // The process-wide list, built before the program starts.
    static CPredefinedMacroList& Instance();

    // The steps of the shortcut named name (ignoring case) into steps; true
    // when the name was found, otherwise steps are left as they were.
    bool FindById(const wchar_t* name, std::vector<MacroStep>& steps) const;
    void FillBasicList(CStringArray& names) const;
    void FillAdvancedList(CStringArray& names) const;

private:
    struct KeyStep {
        int32_t value;
        int32_t flags;
    };
    using MacroMap = std::map<int32_t, std::vector<MacroStep>>;

    void AddMacro(MacroMap& group, int32_t id, std::initializer_list<int32_t> stepIds);
    static void FillNames(const MacroMap& group, CStringArray& names);

    std::map<int32_t, KeyStep> m_steps;
    MacroMap m_basicMacros;
    MacroMap m_advancedMacros;
};

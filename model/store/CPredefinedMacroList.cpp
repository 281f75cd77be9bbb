#include "model/store/CPredefinedMacroList.h"

#include "model/store/EditFunctionNames.h"

namespace {

// Edit-function ids 1-9 are the basic group, 10-17 the advanced one.
constexpr int32_t kLastBasicId = 9;

// Built during static initialisation, before the program starts.
[[maybe_unused]] CPredefinedMacroList& g_instance = CPredefinedMacroList::Instance();

}  // namespace

CPredefinedMacroList::CPredefinedMacroList() {
    // Each key gives two steps: an odd id presses, the next even id releases.
    // The left Windows key is an extended key.
    static const int32_t keys[] = {
        0xA2001D,  // 1, 2: left Ctrl
        0xA40038,  // 3, 4: left Alt
        0x5B005B,  // 5, 6: left Windows key
        0x09000F,  // 7, 8: Tab
        0x73003E,  // 9, 10: F4
        0xBB000D,  // 11, 12: =
        0xBD000C,  // 13, 14: -
        0x41001E,  // 15, 16: A
        0x43002E,  // 17, 18: C
        0x440020,  // 19, 20: D
        0x450012,  // 21, 22: E
        0x460021,  // 23, 24: F
        0x4C0026,  // 25, 26: L
        0x4E0031,  // 27, 28: N
        0x500019,  // 29, 30: P
        0x520013,  // 31, 32: R
        0x53001F,  // 33, 34: S
        0x56002F,  // 35, 36: V
        0x58002D,  // 37, 38: X
        0x5A002C,  // 39, 40: Z
    };
    int32_t id = 1;
    for (int32_t value : keys) {
        int32_t extended = value == 0x5B005B ? kStepExtended : 0;
        m_steps[id++] = {value, kStepPress | extended};
        m_steps[id++] = {value, kStepRelease | extended};
    }

    AddMacro(m_basicMacros, 1, {1, 37, 38, 2});    // cut: Ctrl+X
    AddMacro(m_basicMacros, 2, {1, 17, 18, 2});    // copy: Ctrl+C
    AddMacro(m_basicMacros, 3, {1, 35, 36, 2});    // paste: Ctrl+V
    AddMacro(m_basicMacros, 4, {1, 39, 40, 2});    // undo: Ctrl+Z
    AddMacro(m_basicMacros, 5, {1, 15, 16, 2});    // all: Ctrl+A
    AddMacro(m_basicMacros, 6, {1, 23, 24, 2});    // find: Ctrl+F
    AddMacro(m_basicMacros, 7, {1, 27, 28, 2});    // new: Ctrl+N
    AddMacro(m_basicMacros, 8, {1, 29, 30, 2});    // print: Ctrl+P
    AddMacro(m_basicMacros, 9, {1, 33, 34, 2});    // save: Ctrl+S
    AddMacro(m_advancedMacros, 10, {3, 7, 8, 4});    // swap windows: Alt+Tab
    AddMacro(m_advancedMacros, 11, {3, 9, 10, 4});   // close window: Alt+F4
    AddMacro(m_advancedMacros, 12, {5, 25, 26, 6});  // lock: Win+L
    AddMacro(m_advancedMacros, 13, {5, 21, 22, 6});  // explorer: Win+E
    AddMacro(m_advancedMacros, 14, {5, 31, 32, 6});  // run: Win+R
    AddMacro(m_advancedMacros, 15, {5, 19, 20, 6});  // show desktop: Win+D
    AddMacro(m_advancedMacros, 16, {1, 11, 12, 2});  // zoom in: Ctrl+=
    AddMacro(m_advancedMacros, 17, {1, 13, 14, 2});  // zoom out: Ctrl+-
}

CPredefinedMacroList& CPredefinedMacroList::Instance() {
    static CPredefinedMacroList instance;
    return instance;
}

void CPredefinedMacroList::AddMacro(MacroMap& group, int32_t id, std::initializer_list<int32_t> stepIds) {
    std::vector<MacroStep>& steps = group[id];
    for (int32_t stepId : stepIds) {
        const KeyStep& k = m_steps.at(stepId);
        steps.push_back({MacroStepKey, k.value, k.flags});
    }
}

bool CPredefinedMacroList::FindById(const wchar_t* name, std::vector<MacroStep>& steps) const {
    int32_t id = FindEditFunctionId(name);
    const MacroMap& group = id <= kLastBasicId ? m_basicMacros : m_advancedMacros;
    auto it = group.find(id);
    if (it == group.end())
        return false;
    steps = it->second;
    return true;
}

void CPredefinedMacroList::FillNames(const MacroMap& group, CStringArray& names) {
    names.RemoveAll();
    for (const auto& entry : group)
        names.Add(EditFunctionNameAt(entry.first));
}

void CPredefinedMacroList::FillBasicList(CStringArray& names) const { FillNames(m_basicMacros, names); }

void CPredefinedMacroList::FillAdvancedList(CStringArray& names) const { FillNames(m_advancedMacros, names); }

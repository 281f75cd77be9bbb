#include "config/MacroPageRules.h"

#include <algorithm>

namespace {

// The left-hand modifier keys a ticked box adds, in the order they go down.
struct ModifierKey {
    uint8_t bit;
    int32_t value;  // virtual key << 16 | scan code
};
const ModifierKey kModifierKeys[] = {
    {kModifierShift, 0xA0 << 16 | 0x2A},
    {kModifierCtrl, 0xA2 << 16 | 0x1D},
    {kModifierAlt, 0xA4 << 16 | 0x38},
};

int32_t StepFlags(const MacroStep& step, bool extended) {
    return (step.flags & 0xFF) | (extended ? kStepExtended : 0);
}

}  // namespace

bool ParseDelayText(const wchar_t* text, int32_t& ms) {
    if (!text || !*text)
        return false;
    int64_t value = 0;
    for (const wchar_t* p = text; *p; ++p) {
        if (*p < L'0' || *p > L'9')
            return false;
        value = std::min<int64_t>(value * 10 + (*p - L'0'), int64_t{kMaxStepDelay} + 1);
    }
    if (value <= 0 || value > kMaxStepDelay)
        return false;
    ms = static_cast<int32_t>(value);
    return true;
}

CMacro* FindOtherMacroNamed(IKeyboardConfig& config, const wchar_t* name, const CMacro* self) {
    for (int i = 0; i < config.GetMacroCount(); ++i) {
        CMacro* macro = config.GetMacro(i);
        if (macro && macro != self && CompareNoCase(macro->GetName(), name ? name : L"") == 0)
            return macro;
    }
    return nullptr;
}

int InsertStepsAfter(std::vector<MacroStep>& steps, int after, const std::vector<MacroStep>& inserted) {
    if (inserted.empty())
        return -1;
    const int count = static_cast<int>(steps.size());
    const int at = after < 0 || after >= count ? (after < 0 ? 0 : count) : after + 1;
    steps.insert(steps.begin() + at, inserted.begin(), inserted.end());
    return at + static_cast<int>(inserted.size()) - 1;
}

KeyEntryResult KeyEntryOfStep(const MacroStep& step, const CString& name) {
    KeyEntryResult entry;
    entry.text = name;
    entry.firstKey = static_cast<uint16_t>(step.value & 0xFFFF);
    entry.secondKey = static_cast<uint16_t>(static_cast<uint32_t>(step.value) >> 16);
    entry.modifiers = (step.flags & kStepExtended) ? kModifierExtended : 0;
    return entry;
}

bool ApplyKeyEdit(std::vector<MacroStep>& steps, int index, const KeyEntryResult& result, int* selected) {
    if (index < 0 || index >= static_cast<int>(steps.size()) ||
        steps[static_cast<size_t>(index)].type != MacroStepKey)
        return false;
    const MacroStep old = steps[static_cast<size_t>(index)];
    const bool extended = (result.modifiers & kModifierExtended) != 0;
    // No key captured: the step keeps its key, the modifiers still count.
    const bool newKey = result.firstKey != 0;
    const int32_t value = newKey ? static_cast<int32_t>(result.secondKey) << 16 | result.firstKey : old.value;
    const bool keyChanged = newKey && ((old.value & 0xFFFF) != result.firstKey ||
                                       ((old.flags & kStepExtended) != 0) != extended);
    std::vector<MacroStep> presses, releases;
    for (const ModifierKey& modifier : kModifierKeys)
        if (result.modifiers & modifier.bit) {
            presses.push_back(MacroStep{MacroStepKey, modifier.value, kStepPress});
            releases.insert(releases.begin(), MacroStep{MacroStepKey, modifier.value, kStepRelease});
        }
    if (!keyChanged && presses.empty())
        return false;
    const int partner = FindPartnerStep(steps, index);
    if (keyChanged)
        for (int i : {index, partner})
            if (i >= 0) {
                MacroStep& step = steps[static_cast<size_t>(i)];
                step.value = value;
                step.flags = StepFlags(step, extended);
            }
    const int first = partner >= 0 ? std::min(index, partner) : index;
    const int last = partner >= 0 ? std::max(index, partner) : index;
    steps.insert(steps.begin() + last + 1, releases.begin(), releases.end());
    steps.insert(steps.begin() + first, presses.begin(), presses.end());
    if (selected)
        *selected = index + static_cast<int>(presses.size());
    return true;
}

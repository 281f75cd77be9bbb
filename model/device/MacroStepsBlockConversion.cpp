#include "model/device/MacroStepsBlockConversion.h"

#include "model/device/DeviceKeyRecords.h"

#include <cstring>

namespace {

struct ButtonCode {
    uint16_t code;
    int32_t button;
    int32_t action;
};

constexpr ButtonCode kButtonCodes[] = {
    {0x001, 1, kStepPress}, {0x002, 1, kStepRelease}, {0x004, 2, kStepPress}, {0x008, 2, kStepRelease},
    {0x010, 3, kStepPress}, {0x020, 3, kStepRelease}, {0x040, 4, kStepPress}, {0x080, 4, kStepRelease},
    {0x100, 5, kStepPress}, {0x200, 5, kStepRelease},
};

}  // namespace

uint16_t MouseButtonCode(int32_t button, int32_t action) noexcept {
    for (const ButtonCode& b : kButtonCodes)
        if (b.button == button && b.action == action)
            return b.code;
    return 0;
}

bool MouseButtonFromCode(uint16_t code, int32_t& button, int32_t& action) noexcept {
    for (const ButtonCode& b : kButtonCodes)
        if (b.code == code) {
            button = b.button;
            action = b.action;
            return true;
        }
    button = 0;
    action = 0;
    return false;
}

MacroStepsBlockStep ToBlockStep(const MacroStep& step) noexcept {
    MacroStepsBlockStep out = {0, 0};
    switch (step.type) {
    case MacroStepKey: {
        uint32_t value = static_cast<uint32_t>(step.value);
        uint32_t flags = 0;
        if ((step.flags & 0xFF) != kStepPress)
            flags |= kBlockKeyRelease;
        if ((step.flags & kStepExtended) || (value >> 16) == kVirtualKeyPause)
            flags |= kBlockKeyExtended;
        out.kind = MACRO_STEP_KEY;
        out.value = (value & 0xFFFF) | flags << 16;
        break;
    }
    case MacroStepMouseButton:
        out.kind = MACRO_STEP_MOUSE_BUTTON;
        out.value = MouseButtonCode(step.value, step.flags & 0xFF);
        break;
    case MacroStepDelay:
        out.kind = MACRO_STEP_DELAY;
        out.value = static_cast<uint32_t>(step.value);
        break;
    default:
        break;
    }
    return out;
}

bool FromBlockStep(const MacroStepsBlockStep& in, MacroStep& step) noexcept {
    switch (in.kind) {
    case MACRO_STEP_KEY: {
        uint16_t scan = static_cast<uint16_t>(in.value & 0xFFFF);
        uint32_t flags = in.value >> 16;
        step.type = MacroStepKey;
        step.flags = (flags & kBlockKeyRelease) ? kStepRelease : kStepPress;
        if (scan == kScanCodePauseNumLock) {
            uint32_t vk = (flags & kBlockKeyExtended) ? kVirtualKeyPause : kVirtualKeyNumLock;
            step.value = static_cast<int32_t>(vk << 16 | scan);
        } else {
            step.value = scan;
            if (flags & kBlockKeyExtended)
                step.flags |= kStepExtended;
        }
        return true;
    }
    case MACRO_STEP_MOUSE_BUTTON: {
        int32_t button = 0, action = 0;
        MouseButtonFromCode(static_cast<uint16_t>(in.value & 0xFFFF), button, action);
        step.type = MacroStepMouseButton;
        step.value = button;
        step.flags = action;
        return true;
    }
    case MACRO_STEP_DELAY:
        step.type = MacroStepDelay;
        step.value = static_cast<int32_t>(in.value);
        step.flags = 0;
        return true;
    default:
        return false;
    }
}

bool BuildStepsBlock(const std::vector<MacroStep>& steps, std::vector<BYTE>& block) {
    block.clear();
    if (steps.size() > kMaxMacroSteps)
        return false;
    const uint32_t count = static_cast<uint32_t>(steps.size());
    block.assign(MacroStepsBlockSize(count), 0);
    MacroStepsBlock header = {0, count};
    std::memcpy(block.data(), &header, sizeof header);
    BYTE* at = block.data() + sizeof header;
    for (const MacroStep& step : steps) {
        MacroStepsBlockStep out = ToBlockStep(step);
        std::memcpy(at, &out, sizeof out);
        at += sizeof out;
    }
    return true;
}

bool ParseStepsBlock(const BYTE* block, size_t size, std::vector<MacroStep>& steps) {
    steps.clear();
    MacroStepsBlock header;
    if (!block || size < sizeof header)
        return false;
    std::memcpy(&header, block, sizeof header);
    // The count comes from the keyboard: it must fit the bytes that came with it.
    const uint64_t room = (size - sizeof header) / sizeof(MacroStepsBlockStep);
    if (header.count > room)
        return false;
    const BYTE* at = block + sizeof header;
    for (uint32_t i = 0; i < header.count; ++i, at += sizeof(MacroStepsBlockStep)) {
        MacroStepsBlockStep in;
        std::memcpy(&in, at, sizeof in);
        MacroStep step;
        if (FromBlockStep(in, step))
            steps.push_back(step);
    }
    return true;
}

#pragma once
// A macro's steps as the keyboard stores them: the macro-steps block (an
// 8-byte header with the step count, 8 bytes per step, 8 zero bytes).

#include "model/store/MacroStep.h"
#include "service/ServiceInterfaces.h"

#include <cstdint>
#include <vector>

// Flags of a key step in the block (bits 16-31 of its value word).
constexpr uint32_t kBlockKeyRelease = 0x1;
constexpr uint32_t kBlockKeyExtended = 0x2;

// The keyboard's code of a mouse-button step: buttons 1 to 5, press or
// release (kStepPress / kStepRelease); 0 for any other pair.
uint16_t MouseButtonCode(int32_t button, int32_t action) noexcept;
// The pair of a code; false (button 0, action 0) for an unknown code.
bool MouseButtonFromCode(uint16_t code, int32_t& button, int32_t& action) noexcept;

// One step in the block's form; a step of unknown type gives an empty step.
MacroStepsBlockStep ToBlockStep(const MacroStep& step) noexcept;
// A block step in the program's form; false for a kind the program skips.
bool FromBlockStep(const MacroStepsBlockStep& blockStep, MacroStep& step) noexcept;

// The block of the steps; false (block empty) for more steps than a block carries.
bool BuildStepsBlock(const std::vector<MacroStep>& steps, std::vector<BYTE>& block);
// The steps of a block.  False, steps empty, when the block is shorter than
// its header or its count is more than its bytes hold; otherwise true, with
// the steps the program knows (possibly none).
bool ParseStepsBlock(const BYTE* block, size_t size, std::vector<MacroStep>& steps);

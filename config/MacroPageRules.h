#pragma once
// The macros page's rules, apart from any window: what a delay edit may
// hold, when a name is taken, where inserted steps go, and what an edited
// key step does to the macro.

#include "config/AssignmentActions.h"
#include "model/store/IKeyboardConfig.h"
#include "model/store/MacroStep.h"
#include "platform/CString.h"

#include <cstdint>
#include <vector>

// The delay edits' text at start, and the value they fall back to.
constexpr int32_t kStartDelayMs = 50;
// The page holds no more macros than this.
constexpr int kMaxMacros = 65536;

// A delay typed into an edit: digits only, more than 0 and no more than
// a step can take.  False (ms unchanged) for anything else.
bool ParseDelayText(const wchar_t* text, int32_t& ms);

// Another macro than 'self' holds this name, ignoring case.
CMacro* FindOtherMacroNamed(IKeyboardConfig& config, const wchar_t* name, const CMacro* self);

// Inserts the steps after the step at 'after' (-1: at the start); the index
// of the last step inserted, -1 when none was.
int InsertStepsAfter(std::vector<MacroStep>& steps, int after, const std::vector<MacroStep>& inserted);

// The key step at index and its other half become the key the popup gave
// (scan code, virtual key and the extended flag of its modifier bits; no
// other bit reaches a step's flags), and each ticked modifier becomes a
// press before the pair and a release after it.  False when nothing
// changes (the same key, nothing ticked) or the step is no key step; then
// the steps are as they were.  *selected is the edited step's new index.
bool ApplyKeyEdit(std::vector<MacroStep>& steps, int index, const KeyEntryResult& result, int* selected = nullptr);

// What the edit-key popup starts with for a key step: its key and name.
KeyEntryResult KeyEntryOfStep(const MacroStep& step, const CString& name);

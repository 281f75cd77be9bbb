#pragma once
// The popups' rules, apart from their windows: when an Escape or Enter typed
// into a key capture must not close the popup, what a number entry reads,
// which play-mode button stands for which mode, and which drop-down entry a
// popup opens on.

#include "platform/CString.h"

#include <windows.h>

#include <cstdint>
#include <vector>

// The swallow flag after a message reached a single-key popup: set by a
// key-down of Escape or Enter, cleared by any other key-down or a left
// button press, otherwise unchanged.
bool NextSwallowFlag(bool current, const MSG& msg);

// A single-key popup ends with OK only when no Escape or Enter is being
// swallowed and there is a key or a modifier to hand back.
bool SingleKeyOkAllowed(bool swallow, const CString& text, uint8_t modifiers);

// The decimal value of the leading digits (0 when there are none), held at
// INT_MAX instead of overflowing.
int ParseLeadingNumber(const wchar_t* text);

// The counts a number entry takes: the keyboard keeps a repeat count in one
// byte, so more than 255 could only reach it cut short.
constexpr uint32_t kMinEntryNumber = 1;
constexpr uint32_t kMaxEntryNumber = 255;
// How many digits a number up to max has (1 for 0).
int DecimalDigits(uint32_t max);

// A play mode outside 1-4 is 1.
int NormalisePlayMode(int mode);
// The play-mode button of a mode (1 once, 2 multiple, 3 until pressed, 4
// while pressed), and the mode of a button; -1 / 0 for anything else.
int32_t PlayModeButton(int mode);
int PlayModeOfButton(int32_t buttonId);

// The entry a drop-down opens on: the last entry equal to the current text,
// else the first; -1 for an empty list.
int PreselectIndex(const std::vector<CString>& entries, const CString& current);

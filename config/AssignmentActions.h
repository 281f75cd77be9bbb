#pragma once
// The key-assignment page's rules, apart from any window: the records each
// assignment action stores, the text and icon the key information window
// shows for a record, and which records point at a macro or profile that is
// being deleted.

#include "model/store/IKeyboardConfig.h"
#include "model/store/KeyAssignment.h"
#include "platform/CString.h"

#include <cstdint>
#include <functional>
#include <vector>

// What the single-key popups hand back.  Modifier bits: 0x08 Shift,
// 0x04 Ctrl, 0x02 Alt; 0x01 marks the captured key as an extended key.
struct KeyEntryResult {
    CString text;
    uint16_t firstKey = 0;   // the captured key's scan code
    uint16_t secondKey = 0;  // its virtual key
    uint8_t modifiers = 0;

    void Clear() { *this = KeyEntryResult(); }
};

constexpr uint8_t kModifierShift = 0x08;
constexpr uint8_t kModifierCtrl = 0x04;
constexpr uint8_t kModifierAlt = 0x02;
constexpr uint8_t kModifierExtended = 0x01;

// A popup's result is worth storing: a named key, or at least a modifier.
bool SingleKeyResultCounts(const KeyEntryResult& result);

// The records of the assignment actions; names and paths keep at most what
// a record holds, always terminated.
KeyAssignment MakeSingleKeyRecord(const KeyEntryResult& result);
// By name while the macro is not on the keyboard yet, else by GUID; the
// repeat count keeps its low 8 bits.
KeyAssignment MakeMacroRecord(const CMacro& macro, int32_t playMode, int32_t repeatCount);
KeyAssignment MakeProfileRecord(IKeyboardProfile& profile);
KeyAssignment MakeProgramRecord(const CVqApp& application, const wchar_t* path);

// The icon code of the key information window for a record.
int AssignmentIconCode(const KeyAssignment& record);

// The program's file name with extension as the information window shows
// it: whole (after a space) below 21 characters, otherwise cut so that it
// ends in dots before the extension.
CString ShortProgramName(const wchar_t* path);

// The name of a key from its scan code, virtual key and extended flag.
using KeyNamer = std::function<CString(uint16_t scanCode, uint16_t virtualKey, bool extended)>;

struct AssignmentText {
    CString text;
    int icon = 0;
};

// The text and icon for a key's record; 'caption' is the key item's own
// caption, shown for a key on its default function.
AssignmentText FormatAssignmentText(const KeyAssignment& record, IKeyboardConfig& config, const CString& caption,
                                    const KeyNamer& keyName);

// What a deletion takes away: a macro or a profile, by GUID and by name.
struct DeletedTarget {
    enum Kind { Macro, Profile } kind;
    GUID guid;
    CString name;
};

bool PointsTo(const KeyAssignment& record, const DeletedTarget& target);

// Puts every key of every profile that points at the target back on its
// default function (from defaultOf); returns the key ids changed in any
// profile.
std::vector<int32_t> ClearAssignmentsTo(IKeyboardConfig& config, const std::vector<int32_t>& keyIds,
                                        const DeletedTarget& target,
                                        const std::function<KeyAssignment(int32_t keyId)>& defaultOf);

// A macro was renamed: every key of every profile that plays it by its old
// name (ignoring case; a macro not on the keyboard yet is named so) plays
// it by the new one, with its play mode and repeat count.  Returns the key
// ids changed in any profile.
std::vector<int32_t> RenameMacroAssignments(IKeyboardConfig& config, const std::vector<int32_t>& keyIds,
                                            const CString& oldName, const wchar_t* newName);

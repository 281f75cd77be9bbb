#pragma once
// The profiles page's rules, apart from any window: which profile a row or a
// drop-down choice stands for, which names a profile may take, the names of
// copies, which profiles may be deleted, and the limits the keyboard sets.
//
// Names are looked up exactly: "Game" and "GAME" are two profiles, so a
// user's choice never lands on the other one (the store's own lookup
// ignores letter case).

#include "model/store/IKeyboardConfig.h"
#include "platform/CString.h"

#include <vector>

// The keyboard holds at most this many profiles.
constexpr int kMaxProfiles = 20;
// A copy's name keeps at most this many characters of its source's.
constexpr int kCopyBaseChars = 18;
// A linked program's file name with its extension, at most (the keyboard's
// record holds one character more).
constexpr int kMaxLinkedNameChars = 126;
// A profile file's full path.
constexpr int kMaxProfilePathChars = 255;

// The profile a list row stands for (the row's key is the profile's index);
// null for a key that is no profile (-1: no row).
IKeyboardProfile* ProfileOfRow(IKeyboardConfig& config, int32_t rowKey);
int IndexOfProfile(IKeyboardConfig& config, const IKeyboardProfile* profile);

// The profile whose name is exactly this one; null when none is.
IKeyboardProfile* FindProfileExactly(IKeyboardConfig& config, const wchar_t* name);

// What a name the user typed may become.
enum class NameVerdict {
    Accepted,
    Empty,     // nothing to name a profile with
    Reserved,  // begins with "$" or "#": it would be shown as a language text
    Taken,     // a profile has exactly this name (the one renamed included)
};
NameVerdict JudgeProfileName(IKeyboardConfig& config, const CString& name);

// The name a copy of a profile gets: the source's name (its first 18
// characters when it is longer) followed by "(n)", n from 2 up to 99, the
// first that no profile has; empty when all are taken.
CString CopyProfileName(IKeyboardConfig& config, const CString& sourceName);

// The first profile, and every profile holding its GUID, stays.
bool IsProfileDeletable(IKeyboardConfig& config, IKeyboardProfile* profile);

// A linked program's file name with its extension fits the keyboard's record.
bool LinkedProgramFits(const wchar_t* path);

// The drop-downs that choose the active profile: every name in store
// order, and the entry of the active profile (0 when none is active).
std::vector<CString> ProfileNames(IKeyboardConfig& config);
int ActiveProfileIndex(IKeyboardConfig& config);
// The profile a drop-down's entry stands for: the profile at that index
// while it still has the entry's name; null when it has gone meanwhile.
IKeyboardProfile* ProfileOfChoice(IKeyboardConfig& config, int index, const CString& entryText);

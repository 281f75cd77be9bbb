#pragma once
// The popups' and pages' reach into widgets by their generic item: each
// does nothing (or reports nothing) when the item is absent or of another
// class, so a skin without the widget never breaks a page.

#include "config/AssignmentActions.h"
#include "gui/core/CGUIItem.h"
#include "platform/CString.h"

#include <vector>

// Drop-down list items (type 14).
void FillDropdown(CGUIItem* dropdown, const std::vector<CString>& entries);
void SelectDropdownEntry(CGUIItem* dropdown, int index);
// The selected entry's text; false when nothing is selected.
bool GetDropdownSelection(CGUIItem* dropdown, CString& text);

// Edit items (types 19 and 20): their window's text.
CString GetItemWindowText(CGUIItem* item);

// The key edits (type 20): the captured key's scan code and virtual key and
// the modifier mask (the plain single-key edit gives only the extended-key
// bit); false when the item is no key edit.
bool ReadKeyCapture(CGUIItem* edit, KeyEntryResult& result);
// The plain key edit starts on a key: its name shown, its key read back
// unless another is pressed.  False for any other item or no key.
bool PresetKeyCapture(CGUIItem* edit, const KeyEntryResult& key);

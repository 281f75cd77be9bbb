#pragma once
// The profile drop-down that the key and lighting pages carry: "Profile:"
// before the name, the store's profiles in order with the active one
// chosen, and a choice that names the profile to switch to.

#include "model/store/IKeyboardConfig.h"

class CDropdownListItem;

// The language's "Profile:" before the chosen name.
void PrepareProfileDropdown(CDropdownListItem& dropdown);
// Every profile of the store, the active one (else the first) chosen.
void FillProfileDropdown(CDropdownListItem& dropdown, IKeyboardConfig& store);
// The profile an entry names when it is not the active one; null otherwise.
IKeyboardProfile* ProfileToSwitchTo(const CDropdownListItem& dropdown, int index, IKeyboardConfig& store);

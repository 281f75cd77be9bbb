#include "config/ProfileDropdown.h"

#include "config/ProfileRules.h"
#include "gui/skin/CLangTable.h"
#include "gui/widgets/CDropdownListItem.h"

void PrepareProfileDropdown(CDropdownListItem& dropdown) {
    CString prefix;
    if (CLangTable* language = CLangTable::GetCurrent(); language && language->Translate(L"$ProfilePrefix", prefix))
        dropdown.SetPrefix(prefix + L" ");
}

void FillProfileDropdown(CDropdownListItem& dropdown, IKeyboardConfig& store) {
    dropdown.RemoveAllEntries();
    for (const CString& name : ProfileNames(store))
        dropdown.AddEntry(name);
    dropdown.Select(ActiveProfileIndex(store), nullptr);
}

IKeyboardProfile* ProfileToSwitchTo(const CDropdownListItem& dropdown, int index, IKeyboardConfig& store) {
    // By the entry's place: two names may differ in letter case only.
    IKeyboardProfile* chosen = ProfileOfChoice(store, index, dropdown.GetEntryText(index));
    return chosen != store.GetActiveProfile() ? chosen : nullptr;
}

#include "config/ProfileDropdown.h"

#include "gui/skin/CLangTable.h"
#include "gui/widgets/CDropdownListItem.h"

void PrepareProfileDropdown(CDropdownListItem& dropdown) {
    CString prefix;
    if (CLangTable* language = CLangTable::GetCurrent(); language && language->Translate(L"$ProfilePrefix", prefix))
        dropdown.SetPrefix(prefix + L" ");
}

void FillProfileDropdown(CDropdownListItem& dropdown, IKeyboardConfig& store) {
    dropdown.RemoveAllEntries();
    int selected = 0;
    for (int i = 0; i < store.GetProfileCount(); ++i)
        if (IKeyboardProfile* profile = store.GetProfile(i)) {
            const int index = dropdown.AddEntry(profile->GetName());
            if (profile == store.GetActiveProfile())
                selected = index;
        }
    dropdown.Select(selected, nullptr);
}

IKeyboardProfile* ProfileToSwitchTo(const CDropdownListItem& dropdown, int index, IKeyboardConfig& store) {
    if (index < 0)
        return nullptr;
    IKeyboardProfile* chosen = store.FindProfileByName(dropdown.GetEntryText(index));
    return chosen != store.GetActiveProfile() ? chosen : nullptr;
}

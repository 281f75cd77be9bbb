#include "tray/TrayMenu.h"

#include "gui/skin/CLangTable.h"
#include "tray/TrayResources.h"

void FillTrayMenu(HMENU popup, const CStringArray& names, const CString& activeName, const wchar_t* loadText,
                  const wchar_t* closeText) {
    if (!popup)
        return;
    if (loadText)
        ModifyMenuW(popup, ID_LOAD_CONFIG, MF_BYCOMMAND | MF_STRING, ID_LOAD_CONFIG, loadText);
    if (closeText)
        ModifyMenuW(popup, ID_CLOSE_TRAY_ICON, MF_BYCOMMAND | MF_STRING, ID_CLOSE_TRAY_ICON, closeText);
    int count = names.GetSize() < kMaxMenuProfiles ? names.GetSize() : kMaxMenuProfiles;
    if (count > 0) {
        InsertMenuW(popup, ID_PROFILE_FIRST, MF_BYCOMMAND | MF_SEPARATOR, 0, nullptr);
        for (int i = 0; i < count; ++i) {
            UINT id = ID_PROFILE_FIRST + static_cast<UINT>(i);
            ModifyMenuW(popup, id, MF_BYCOMMAND | MF_STRING, id, names[i]);
            CheckMenuItem(popup, id, MF_BYCOMMAND | (names[i] == activeName ? MF_CHECKED : MF_UNCHECKED));
        }
    }
    for (UINT id = ID_PROFILE_FIRST + static_cast<UINT>(count); id <= ID_PROFILE_LAST; ++id)
        DeleteMenu(popup, id, MF_BYCOMMAND);
    SetMenuDefaultItem(popup, ID_LOAD_CONFIG, FALSE);
}

bool TranslateTrayText(const wchar_t* key, CString& out) {
    const CLangTable* table = CLangTable::GetCurrent();
    if (!table)
        return false;
    CString translated;
    if (!table->Translate(key, translated))
        return false;
    out = translated;
    return true;
}

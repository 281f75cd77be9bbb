#include "config/FileChoice.h"

#include "platform/CWnd.h"

#include <commdlg.h>

#include <cwchar>
#include <vector>

namespace {

constexpr size_t kPathRoom = 4096;

}  // namespace

bool ChosenFileCounts(const wchar_t* fileName, const wchar_t* extension) {
    return fileName && extension && std::wcslen(fileName) > std::wcslen(extension) + 1;
}

CString ChooseKeyboardFile(CWnd& owner, bool save, const wchar_t* extension, const wchar_t* kind,
                           const wchar_t* initialFolder) {
    CString filter;
    filter.Format(L"%s %s Files (*.%s)|*.%s||", extension, kind, extension, extension);
    // The dialogs take their filter as texts ended by a null each.
    std::vector<wchar_t> filterTexts(filter.GetString(), filter.GetString() + filter.GetLength() + 1);
    for (wchar_t& ch : filterTexts)
        if (ch == L'|')
            ch = L'\0';
    std::vector<wchar_t> path(kPathRoom, L'\0');
    std::swprintf(path.data(), path.size(), L".%s", extension);
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner.GetSafeHwnd();
    dialog.lpstrFilter = filterTexts.data();
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrInitialDir = initialFolder;
    dialog.lpstrDefExt = extension;
    dialog.Flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR;
    if (!(save ? ::GetSaveFileNameW(&dialog) : ::GetOpenFileNameW(&dialog)))
        return CString();
    const CString chosen = path.data();
    return ChosenFileCounts(chosen.Mid(chosen.ReverseFind(L'\\') + 1), extension) ? chosen : CString();
}

#include "config/WidgetAccess.h"

#include "config/ItemLookup.h"
#include "gui/widgets/CDropdownListItem.h"
#include "gui/widgets/CEditItemSingleKeyInput.h"
#include "gui/widgets/CEditItemSingleKeyInputMMO.h"
#include "platform/CWnd.h"

void FillDropdown(CGUIItem* dropdown, const std::vector<CString>& entries) {
    if (auto* list = dynamic_cast<CDropdownListItem*>(dropdown))
        for (const CString& entry : entries)
            list->AddEntry(entry);
}

void SelectDropdownEntry(CGUIItem* dropdown, int index) {
    if (auto* list = dynamic_cast<CDropdownListItem*>(dropdown))
        list->Select(index, nullptr);
}

bool GetDropdownSelection(CGUIItem* dropdown, CString& text) {
    if (auto* list = dynamic_cast<CDropdownListItem*>(dropdown)) {
        const int index = list->GetSelectedIndex();
        if (index < 0)
            return false;
        text = list->GetEntryText(index);
        return true;
    }
    return false;
}

CString GetItemWindowText(CGUIItem* item) {
    HWND window = WindowOf(item);
    if (!window)
        return CString();
    const int length = GetWindowTextLengthW(window);
    CString text;
    if (length > 0) {
        wchar_t* buffer = text.GetBuffer(length + 1);
        const int got = GetWindowTextW(window, buffer, length + 1);
        text.ReleaseBuffer(got);
    }
    return text;
}

bool PresetKeyCapture(CGUIItem* edit, const KeyEntryResult& key) {
    auto* keyEdit = dynamic_cast<CEditItemSingleKeyInput*>(edit);
    if (!keyEdit || key.firstKey == 0)
        return false;
    KeyStroke stroke;
    stroke.scanCode = key.firstKey;
    stroke.virtualKey = key.secondKey;
    stroke.flags = (key.modifiers & kModifierExtended) ? KeyStroke::kExtended : 0;
    stroke.name = key.text;
    keyEdit->ShowKey(stroke);
    return true;
}

bool ReadKeyCapture(CGUIItem* edit, KeyEntryResult& result) {
    if (auto* capture = dynamic_cast<CEditItemSingleKeyInputMMO*>(edit)) {
        // The modifiers held when the key went down: a fast chord may let
        // them go before the key.
        result.modifiers = capture->m_capturedModifiers;
        result.firstKey = static_cast<uint16_t>(capture->m_capturedScanCode);
        result.secondKey = static_cast<uint16_t>(capture->m_capturedVirtualKey);
        return true;
    }
    if (auto* key = dynamic_cast<CEditItemSingleKeyInput*>(edit)) {
        result.firstKey = static_cast<uint16_t>(key->m_keyStroke.scanCode);
        result.secondKey = static_cast<uint16_t>(key->m_keyStroke.virtualKey);
        result.modifiers = (key->m_keyStroke.flags & KeyStroke::kExtended) ? kModifierExtended : 0;
        return true;
    }
    return false;
}

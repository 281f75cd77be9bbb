#pragma once
// One keyboard layout of the keyboard skin file: the Windows keyboard
// layout that is made active for the program while that layout is chosen.
// The settings are kept by layout id (the layout map).

#include "gui/core/CGUIItem.h"
#include "platform/CString.h"

#include <pugixml.hpp>

class CKeyboardLayoutSetting : public CGUIItem {
public:
    CKeyboardLayoutSetting() = default;
    ~CKeyboardLayoutSetting() override;

    // The KBLAYOUT element's builder: null for an unknown layout id.
    static CKeyboardLayoutSetting* CreateFromElement(const pugi::xml_node& element, CWnd* parent);

    // The layout map: a later setting of an id replaces an earlier one; a
    // setting leaves the map when it is deleted.
    static void Register(CKeyboardLayoutSetting* setting);
    static CKeyboardLayoutSetting* FindByLayoutId(int32_t id);

    // The Windows keyboard-layout identifier text (eight hexadecimal digits).
    CString m_layoutName;
    // Kept with the setting and not interpreted by the library.
    CString m_itemsName;
};

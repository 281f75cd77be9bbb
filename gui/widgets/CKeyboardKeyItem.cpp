#include "gui/widgets/CKeyboardKeyItem.h"

#include "gui/core/CGUIItems.h"
#include "gui/skin/CKeyboardLayoutSwitcher.h"
#include "model/store/IKeyTable.h"

#include <algorithm>

namespace {

const CKeyboardDef::Record* FindKeyRecord(const CString& name) {
    for (const CKeyboardDef::Record& record : GetKeyboardDef().GetAllRecords())
        if (CompareNoCase(record.name, name) == 0)
            return &record;
    return nullptr;
}

// The layout the program made active for its language, else the thread's.
HKL CurrentLayout() {
    HKL loaded = GetKeyboardLayoutSwitcher().GetLoaded();
    return loaded ? loaded : ::GetKeyboardLayout(0);
}

}  // namespace

CKeyboardKeyItem::CKeyboardKeyItem() {
    m_checked = 0;
    m_isCheckBox = 1;
    m_toggles = 0;
    m_itemType = kItemKeyboardKey;
}

CKeyboardKeyItem* CKeyboardKeyItem::CreateFromElement(const pugi::xml_node& element, CWnd* parent, CGUIItems& items,
                                                      const std::vector<SharedBitmap>& pictures, CWnd*) {
    const int32_t id = ReadNameId(element);
    if (id == -1)
        return nullptr;
    auto* key = new CKeyboardKeyItem;
    ButtonBitmaps set;
    set.sbmn = FindSharedBitmap("SBMN", pictures);
    set.sbmo = FindSharedBitmap("SBMO", pictures);
    set.sbmd = FindSharedBitmap("SBMD", pictures);
    set.sbmds = FindSharedBitmap("SBMDS", pictures);
    set.sbmm = FindSharedBitmap("SBMM", pictures);
    if (!key->BuildFromElement(element, id, parent, items, set, DT_WORDBREAK | DT_VCENTER)) {
        delete key;
        return nullptr;
    }
    key->m_isCheckBox = 1;  // whatever 'ischeckbox' says: keys report on button-down
    key->SetOwner(parent);
    CString tooltip;
    if (ReadTooltipAttr(element, tooltip))
        key->SetKeyItemText(tooltip);
    if (pugi::xml_attribute definition = element.attribute("kbddefid"))
        key->SetKeyEntry(FindKeyRecord(SkinText(definition)));
    if (key->m_entry)
        key->SetKey();
    return key;
}

void CKeyboardKeyItem::SetKey() {
    if (!m_entry)
        return;
    static const int32_t numLockId = HashKeyName(L"Num Lock");
    m_scanCode = m_entry->defaultCode;
    m_extended = (m_entry->defaultFlag & 1) ? 1 : 0;
    m_virtualKey = static_cast<int>(::MapVirtualKeyExW(static_cast<UINT>(m_scanCode), MAPVK_VSC_TO_VK_EX,
                                                       CurrentLayout()));
    if (m_keyName.IsEmpty()) {
        LONG param = static_cast<LONG>(m_scanCode & 0xFF) << 16;
        if (m_extended || m_entry->keyId == numLockId)
            param |= 0x1000000;
        wchar_t buffer[256] = {};
        const int length = ::GetKeyNameTextW(param, buffer, 256);
        if (length > 0)
            m_keyName = CString(buffer, std::min(length, 255));
    }
    SetTooltip(m_keyName);
}

void CKeyboardKeyItem::SetBmpInfo(const uint32_t (&record)[9]) { std::copy(record, record + 9, m_bmpInfo); }

CBitmapBtn::Picture CKeyboardKeyItem::ChooseKeyPicture(bool disabled, bool hover, bool pressedHighlight,
                                                       bool checked) {
    if (disabled || (!hover && !pressedHighlight))
        return checked ? kDown : kNormal;
    return kOver;
}

CBitmapBtn::Picture CKeyboardKeyItem::StatePicture(bool disabled, bool) const {
    return ChooseKeyPicture(disabled, m_hover || m_hoverFromLabel, m_pressedHighlight != 0, m_checked != 0);
}

void CKeyboardKeyItem::Notify(UINT message) {
    CWnd* owner = GetOwner();
    if (owner && owner->GetSafeHwnd())
        ::SendMessageW(owner->GetSafeHwnd(), message, 0, static_cast<LPARAM>(m_itemId));
}

void CKeyboardKeyItem::OnMouseMove(UINT flags, CPoint point) {
    Notify(WM_KEYITEM_HOVER);
    if (m_hWnd)
        CBitmapBtn::OnMouseMove(flags, point);
}

void CKeyboardKeyItem::OnLButtonDown(UINT flags, CPoint point) {
    Notify(WM_KEYITEM_CLICKED);
    if (m_hWnd)
        CBitmapBtn::OnLButtonDown(flags, point);
}

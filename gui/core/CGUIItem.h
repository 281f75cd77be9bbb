#pragma once
// What every skinned thing carries: a widget window, a font, a language
// table, a panel picture.  Item classes derive from their platform class
// first and from CGUIItem second; items that are only data derive from
// CGUIItem alone.  The item list (CGUIItems) deletes items through this
// class's virtual destructor.

#include <windows.h>

#include <cstdint>

class CWnd;

// Type codes, set by each element's builder.  A reference to an item by id
// is accepted only when the item found has the code the reader expects.
enum GUIItemType : int32_t {
    kItemPanelBitmap = 0,
    kItemBitmapItem = 1,
    kItemBitmapButton = 2,
    kItemAviButton = 3,
    kItemVertSlider = 5,
    kItemDMarker = 7,
    kItemSliderHMulti = 8,
    kItemApmSlider = 9,
    kItemMacroDisplay = 10,
    kItemTextItem = 11,
    kItemFont = 12,
    kItemLangTable = 13,
    kItemDropdownList = 14,
    kItemDropdownColour = 15,
    kItemListPanel = 16,
    kItemBitmapWindow = 17,
    kItemListCtrl = 18,
    kItemEdit = 19,
    kItemEditSingleKey = 20,
    kItemDpiStageWindow = 21,
    kItemKeyboardDef = 22,
    kItemKeyboardKey = 23,
    kItemKeyboardLayout = 24,
    kItemSliderTrack = 25,
    kItemProgressPanel = 26,
};

class CGUIItem {
public:
    // A window handle that was never set (0 means "no window").
    static inline const HWND kNoWindowYet = reinterpret_cast<HWND>(static_cast<INT_PTR>(-1));

    CGUIItem() noexcept = default;
    virtual ~CGUIItem() = default;
    CGUIItem(const CGUIItem&) = delete;
    CGUIItem& operator=(const CGUIItem&) = delete;

    // Shows or hides the item's own window; items that own further windows
    // override it.
    virtual void Show(bool show);

    void SetItemFields(int32_t id, int32_t type, HWND window, CWnd* parent) noexcept {
        m_itemId = id;
        m_itemType = type;
        m_itemWindow = window;
        m_itemParent = parent;
    }

    int32_t m_itemId = -1;
    int32_t m_itemType = -1;
    HWND m_itemWindow = kNoWindowYet;
    CWnd* m_itemParent = nullptr;
};

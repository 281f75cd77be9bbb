#pragma once
// A skinned dialog: when its window is created it loads its items from its
// skin file, takes the size of the skin's background picture and the shape
// of its mask, and paints the background.  Derived dialogs find their items
// by id in BindItems.

#include "gui/core/CGUIItems.h"
#include "platform/CDialog.h"
#include "platform/CRect.h"
#include "platform/CRgn.h"
#include "platform/CString.h"

class CPanelBitmap;

class CGUIPanel : public CDialog {
public:
    // skinFile: a file in the "xml\" folder; null or empty for a panel
    // without one.
    CGUIPanel(UINT templateId, const wchar_t* skinFile, CWnd* parent);
    // A panel without a skin file, sized by its placement.
    CGUIPanel(const RECT& placement, UINT templateId, CWnd* parent);
    ~CGUIPanel() override = default;

    // The derived dialog finds its items after loading.
    virtual void BindItems() = 0;

    CGUIItems& GetItems() noexcept { return m_items; }
    CPanelBitmap* GetBackground() const noexcept { return m_background; }
    CPanelBitmap* GetMask() const noexcept { return m_mask; }
    const CRect& GetPlacement() const noexcept { return m_placement; }
    bool IsCreated() const noexcept { return m_created; }

protected:
    int OnCreate(CREATESTRUCTW* create) override;
    void OnPaint() override;
    void OnDestroy() override;
    void OnShowWindow(BOOL show, UINT status) override;

    CWnd* m_parent;
    CString m_skinFile;
    CPanelBitmap* m_background = nullptr;
    CPanelBitmap* m_mask = nullptr;
    // Made from the mask; once the window accepts it, the window owns it
    // and the wrapper is empty.
    CRgn m_region;
    CGUIItems m_items;
    CRect m_placement;
    bool m_created = false;
};

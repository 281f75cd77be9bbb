#include "gui/CGUIPanel.h"

#include "gui/BitmapUtils.h"
#include "gui/CPanelBitmap.h"
#include "gui/SkinLoader.h"
#include "gui/SymbolIds.h"
#include "platform/CPaintDC.h"

namespace {

CPanelBitmap* PanelPicture(const CGUIItems& items, int32_t id) {
    CGUIItem* item = items.FindById(id);
    return item && item->m_itemType == kItemPanelBitmap ? dynamic_cast<CPanelBitmap*>(item) : nullptr;
}

}  // namespace

CGUIPanel::CGUIPanel(UINT templateId, const wchar_t* skinFile, CWnd* parent)
    : CDialog(templateId, parent), m_parent(parent), m_skinFile(skinFile ? skinFile : L""), m_placement(0, 0, 0, 0) {}

CGUIPanel::CGUIPanel(const RECT& placement, UINT templateId, CWnd* parent)
    : CDialog(templateId, parent), m_parent(parent), m_placement(placement) {}

int CGUIPanel::OnCreate(CREATESTRUCTW*) {
    if (!m_skinFile.IsEmpty()) {
        LoadXmlDescription(&m_items, m_skinFile, this, false);
        m_background = PanelPicture(m_items, kBackgroundItemId);
        BITMAP info = {};
        // Without a usable background the panel keeps the size its template
        // gave it rather than shrinking to nothing.
        if (m_background && m_background->GetBitmap(&info) && info.bmWidth > 0 && info.bmHeight > 0) {
            m_placement.right = info.bmWidth;
            m_placement.bottom = info.bmHeight;
            MoveWindow(0, 0, info.bmWidth, info.bmHeight, true);
        }
        m_mask = PanelPicture(m_items, kMaskItemId);
        if (m_mask) {
            HRGN region = CreateRegionFromBitmap(m_mask->m_regionSource);
            if (region && m_region.Attach(region))
                SetWindowRgn(m_region, true);
            else if (region)
                ::DeleteObject(region);
        }
    } else {
        MoveWindow(0, 0, m_placement.Width(), m_placement.Height(), true);
    }
    m_created = true;
    return static_cast<int>(Default());
}

void CGUIPanel::OnPaint() {
    CPaintDC dc(this);
    if (!m_created)
        return;
    CRect client;
    GetClientRect(&client);
    CDC memory;
    if (!memory.CreateCompatibleDC(&dc))
        return;
    if (m_background)
        memory.SelectObject(m_background);
    dc.BitBlt(client.left, client.top, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
    memory.DeleteDC();
}

void CGUIPanel::OnDestroy() {
    Default();
    if (m_background)
        m_background->DeleteObject();
    if (m_mask)
        m_mask->DeleteObject();
    m_created = false;
}

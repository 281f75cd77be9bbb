#include "gui/widgets/CBitmapItem.h"

#include "gui/skin/AttributeReaders.h"
#include "gui/core/BitmapUtils.h"
#include "gui/core/ItemSupport.h"
#include "platform/CClientDC.h"
#include "platform/CPaintDC.h"
#include "platform/CRgn.h"

CBitmapItem::~CBitmapItem() {
    if (m_tooltip.GetSafeHwnd())
        m_tooltip.DestroyWindow();
}

DWORD CBitmapItem::StyleFor(const pugi::xml_node& element) {
    pugi::xml_attribute moveable = element.attribute("moveable");
    const bool disabled = !moveable || IsSkinTrue(moveable.value());
    return WS_CHILD | WS_VISIBLE | (disabled ? WS_DISABLED : 0);
}

CBitmapItem* CBitmapItem::CreateFromElement(const pugi::xml_node& element, CWnd* parent, CGUIItems&) {
    const int32_t id = ReadNameId(element);
    if (id == -1)
        return nullptr;
    auto* item = new CBitmapItem;
    if (!parent || !item->Create(nullptr, L"", StyleFor(element), ReadItemRect(id, element), parent,
                                 static_cast<UINT>(-1))) {
        delete item;
        return nullptr;
    }
    item->SetItemFields(id, kItemBitmapItem, item->GetSafeHwnd(), parent);
    item->SetBitmapAndRegion(ReadPictureElement("SBMN", element), ReadPictureElement("SBMM", element));
    CString tooltip;
    if (ReadTooltipAttr(element, tooltip))
        item->SetTooltip(tooltip);
    return item;
}

void CBitmapItem::SetBitmapAndRegion(const CBitmap* picture, const CBitmap* mask) {
    if (mask && mask->GetSafeHandle()) {
        CRgn region;
        if (region.Attach(CreateRegionFromBitmap(*mask)))
            SetWindowRgn(region, true);  // the window's from now on
    }
    DrawBitmap(picture);
}

void CBitmapItem::DrawBitmap(const CBitmap* picture) {
    if (!picture || !picture->GetSafeHandle())
        return;
    CRect client;
    GetClientRect(&client);
    CClientDC dc(this);
    StretchBitmap(&m_picture, &dc, picture, RECT{0, 0, client.Width(), client.Height()});
    Invalidate(false);
}

void CBitmapItem::SetTooltip(const wchar_t* text) { SetItemTooltip(m_tooltip, this, text); }

BOOL CBitmapItem::PreTranslateMessage(MSG* msg) {
    RelayToTooltip(m_tooltip, msg);
    return CWnd::PreTranslateMessage(msg);
}

void CBitmapItem::OnPaint() {
    CPaintDC dc(this);
    if (!m_picture.GetSafeHandle())
        return;
    CRect client;
    GetClientRect(&client);
    DrawBitmapAt(dc, m_picture, 0, 0, client.Width(), client.Height());
}

BOOL CBitmapItem::OnEraseBkgnd(CDC*) { return FALSE; }

BOOL CBitmapItem::OnCommand(WPARAM wParam, LPARAM lParam) {
    // The panel is the one that acts on its buttons, wherever they sit.
    if (CWnd* parent = GetParent())
        parent->PostMessage(WM_COMMAND, wParam, lParam);
    return FALSE;
}

#include "gui/widgets/CDPIStageWindow.h"

#include "gui/core/BitmapUtils.h"
#include "gui/core/GuiMessages.h"
#include "gui/core/ItemSupport.h"
#include "gui/skin/CFontItem.h"
#include "platform/CClientDC.h"
#include "platform/CPaintDC.h"

namespace {

const wchar_t* const kPictureNames[] = {L"DPIFRAME", L"DPIFRAMESELECTED", L"DPIWIN", L"DPIWINX", L"DPIWINY"};
const wchar_t* const kTextNames[] = {L"HEADING", L"DPI", L"DPIX", L"DPIY", L"X"};

template <size_t N>
int SlotOf(const wchar_t* name, const wchar_t* const (&names)[N]) {
    for (size_t i = 0; i < N; ++i)
        if (name && CompareNoCase(name, names[i]) == 0)
            return static_cast<int>(i);
    return -1;
}

}  // namespace

CDPIStageWindow::CDPIStageWindow() {
    SetItemFields(-1, kItemDpiStageWindow, kNoWindowYet, nullptr);
    for (TextSlot value : {kStage, kValueX, kValueY})
        m_texts[value].text = L"0";
}

CDPIStageWindow::~CDPIStageWindow() {
    if (m_tooltip.GetSafeHwnd())
        m_tooltip.DestroyWindow();
}

int CDPIStageWindow::PictureSlotOf(const wchar_t* name) { return SlotOf(name, kPictureNames); }
int CDPIStageWindow::TextSlotOf(const wchar_t* name) { return SlotOf(name, kTextNames); }

CDPIStageWindow* CDPIStageWindow::CreateFromElement(const pugi::xml_node& element, CWnd* parent, CGUIItems& items) {
    const int32_t id = ReadNameId(element);
    if (id == -1)
        return nullptr;
    std::vector<NamedPicture> pictures;
    for (pugi::xml_node info = element.child("BMPINFO"); info; info = info.next_sibling("BMPINFO")) {
        NamedPicture entry;
        ReadBitmapInfo(info, entry.record, &entry.name);
        pictures.push_back(entry);
    }
    std::vector<TextInfo> texts;
    for (pugi::xml_node area = element.child("TEXTAREA"); area; area = area.next_sibling("TEXTAREA")) {
        TextInfo entry;
        if (ReadTextInfo(area, nullptr, entry))
            texts.push_back(entry);
    }
    auto* tile = new CDPIStageWindow;
    if (!tile->Create(ReadItemRect(id, element), parent, id)) {
        delete tile;
        return nullptr;
    }
    tile->ReadLayout(pictures, texts);
    if (CFontItem* font = ReadFontAttr(element, id, &items))
        tile->SetFont(font, true);
    CString tooltip;
    if (ReadTooltipAttr(element, tooltip))
        tile->SetToolTipText(tooltip);
    return tile;
}

bool CDPIStageWindow::Create(const CRect& rect, CWnd* parent, int32_t id) {
    if (!parent || rect.IsRectEmpty() || !CStatic::Create(L"", WS_CHILD | WS_VISIBLE, rect, parent, static_cast<UINT>(id)))
        return false;
    SetItemFields(id, kItemDpiStageWindow, m_hWnd, parent);
    return true;
}

void CDPIStageWindow::ReadLayout(const std::vector<NamedPicture>& pictures, const std::vector<TextInfo>& texts) {
    for (const TextInfo& entry : texts) {
        const int slot = TextSlotOf(entry.name);
        if (slot == -1)
            continue;
        m_texts[slot].rect = entry.rect;
        if (slot == kHeading)
            SetHeadingText(entry.textKey);
        else
            m_texts[slot].text = entry.textKey;
    }
    CClientDC dc(this);
    for (const NamedPicture& entry : pictures) {
        const int slot = PictureSlotOf(entry.name);
        if (slot == -1)
            continue;
        Picture& picture = m_pictures[slot];
        picture.rect = entry.record.rect;
        const RECT size = {0, 0, picture.rect.Width(), picture.rect.Height()};
        StretchBitmap(&picture.picture, &dc, entry.record.picture, size);
        StretchBitmap(&picture.mask, &dc, entry.record.second, size);
    }
}

void CDPIStageWindow::SetHeadingText(const wchar_t* text) {
    CString& heading = m_texts[kHeading].text;
    TranslateSkinText(text, heading);
    BreakFirstNewlineMarker(heading);
    if (m_hWnd)
        Invalidate(true);
}

void CDPIStageWindow::SetToolTipText(const wchar_t* text) { SetItemTooltip(m_tooltip, this, text); }

BOOL CDPIStageWindow::PreTranslateMessage(MSG* msg) {
    RelayToTooltipMadeOnce(m_tooltip, this, msg);
    return CStatic::PreTranslateMessage(msg);
}

LRESULT CDPIStageWindow::OnNcHitTest(CPoint) {
    // A static lets the mouse through to its parent; the tile takes it
    // itself, without the static's own click notice to the parent.
    return HTCLIENT;
}

void CDPIStageWindow::OnLButtonUp(UINT flags, CPoint point) {
    CStatic::OnLButtonUp(flags, point);
    if (!m_clickable || m_selected)
        return;
    m_selected = 1;
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_DPISTAGE_CLICKED, static_cast<WPARAM>(m_stageNumber), static_cast<LPARAM>(m_itemId));
    m_previousFocus = ::SetFocus(m_hWnd);
    Invalidate(true);
}

void CDPIStageWindow::OnKillFocus(CWnd* newWnd) {
    CStatic::OnKillFocus(newWnd);
    Invalidate(true);
}

BOOL CDPIStageWindow::OnEraseBkgnd(CDC* dc) {
    if (!m_selected && dc) {
        CRect client;
        GetClientRect(&client);
        dc->FillSolidRect(&client, RGB(0, 0, 0));
    }
    return TRUE;
}

void CDPIStageWindow::OnPaint() {
    // Its frame and texts are kept but never drawn: the tile shows its
    // background only.
    CPaintDC dc(this);
}

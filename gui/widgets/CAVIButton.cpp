#include "gui/widgets/CAVIButton.h"

#include "gui/skin/AttributeReaders.h"
#include "gui/core/BitmapUtils.h"
#include "gui/skin/GUIResources.h"
#include "gui/core/ItemSupport.h"
#include "platform/CClientDC.h"
#include "platform/CDC.h"

#include <commctrl.h>

namespace {

CString SkinFilePath(const pugi::xml_node& element) {
    CString name = SkinText(element);
    name.Trim();
    return name.IsEmpty() ? CString() : GetApplicationDirectory() + L"skins\\" + name;
}

}  // namespace

CAVIButton::~CAVIButton() {
    if (m_animation && ::IsWindow(m_animation))
        ::DestroyWindow(m_animation);
}

CAVIButton* CAVIButton::CreateFromElement(const pugi::xml_node& element, CWnd* parent, CGUIItems&) {
    const int32_t id = ReadNameId(element);
    if (id == -1)
        return nullptr;
    auto* button = new CAVIButton;
    if (!parent || !button->Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, ReadItemRect(id, element), parent, 0)) {
        delete button;
        return nullptr;
    }
    button->SetItemFields(id, kItemAviButton, button->GetSafeHwnd(), parent);
    button->m_videoPath = SkinFilePath(element.child("VIDEO"));
    button->m_soundPath = SkinFilePath(element.child("SOUND"));
    const CBitmap* picture = ReadPictureElement("SBMN", element);
    const SIZE size = BitmapSize(picture);
    if (size.cx > 0 && size.cy > 0) {
        CClientDC dc(button);
        StretchBitmap(&button->m_picture, &dc, picture, RECT{0, 0, size.cx, size.cy});
    }
    return button;
}

BOOL CAVIButton::OnReflectedCommand(UINT code) {
    if (code == BN_DOUBLECLICKED)
        Play();
    return code == BN_CLICKED || code == BN_DOUBLECLICKED;
}

void CAVIButton::OnShowWindow(BOOL, UINT) {}

void CAVIButton::Play() {
    if (!m_animation) {
        EnsureCommonControls(ICC_ANIMATE_CLASS);
        CRect client;
        GetClientRect(&client);
        m_animation = ::CreateWindowExW(0, ANIMATE_CLASSW, L"", WS_CHILD | WS_VISIBLE, 1, 1, client.Width() - 1,
                                        client.Height() - 1, m_hWnd, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    }
    if (!m_animation)
        return;
    ::SendMessageW(m_animation, ACM_OPENW, reinterpret_cast<WPARAM>(::GetModuleHandleW(nullptr)),
                   reinterpret_cast<LPARAM>(m_videoPath.GetString()));
    m_playing = true;
    ::SendMessageW(m_animation, ACM_PLAY, 1, MAKELPARAM(0, 0xFFFF));
    Invalidate(false);
}

void CAVIButton::DrawItem(DRAWITEMSTRUCT* draw) {
    if (!draw || m_playing || !m_picture.GetSafeHandle())
        return;
    CDC target;
    if (!target.Attach(draw->hDC))
        return;
    const SIZE size = BitmapSize(&m_picture);
    CRect client;
    GetClientRect(&client);
    DrawBitmapAt(target, m_picture, (client.Width() - size.cx) / 2 - 10, (client.Height() - size.cy) / 2 - 5, size.cx,
                 size.cy);
    target.Detach();
}

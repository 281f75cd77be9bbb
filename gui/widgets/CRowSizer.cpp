#include "gui/widgets/CRowSizer.h"

#include "platform/CListCtrl.h"
#include "platform/CRect.h"

CRowSizer::~CRowSizer() {
    if (m_pictures)
        ImageList_Destroy(m_pictures);
}

bool CRowSizer::SetPictureHeight(CListCtrl& list, int height) {
    HIMAGELIST pictures = ImageList_Create(1, height, ILC_COLOR, 1, 0);
    if (!pictures)
        return false;
    list.SetImageList(pictures, LVSIL_SMALL);
    if (m_pictures)
        ImageList_Destroy(m_pictures);
    m_pictures = pictures;
    m_pictureHeight = height;
    return true;
}

void CRowSizer::Fit(CListCtrl& list, int rowHeight) {
    if (!list.GetSafeHwnd() || !SetPictureHeight(list, rowHeight))
        return;
    LVITEMW probe = {};
    probe.mask = LVIF_TEXT;
    probe.pszText = const_cast<wchar_t*>(L"");
    if (list.InsertItem(&probe) < 0)
        return;
    for (int tries = 0; tries < 2; ++tries) {
        const int excess = RowHeight(list, rowHeight) - rowHeight;
        if (excess == 0 || m_pictureHeight - excess < 1 || !SetPictureHeight(list, m_pictureHeight - excess))
            break;
        if (RowHeight(list, rowHeight) - rowHeight == excess)
            break;  // the font, not the pictures, sets the height
    }
    list.DeleteAllItems();
}

int CRowSizer::RowHeight(const CListCtrl& list, int fallback) {
    CRect first;
    if (list.GetSafeHwnd() && list.GetItemCount() > 0 && list.GetItemRect(0, &first, LVIR_BOUNDS) &&
        first.Height() > 0)
        return first.Height();
    return fallback;
}

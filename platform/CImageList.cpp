#include "platform/CImageList.h"

#include "platform/Debug.h"

bool CImageList::Create(int cx, int cy, UINT flags, int initial, int grow) {
    if (!CHECK_INVARIANT(m_hImageList == nullptr))
        return false;
    m_hImageList = ImageList_Create(cx, cy, flags, initial, grow);
    return m_hImageList != nullptr;
}

bool CImageList::DeleteImageList() {
    if (m_hImageList == nullptr)
        return false;
    return ImageList_Destroy(Detach()) != FALSE;
}

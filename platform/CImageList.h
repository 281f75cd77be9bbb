#pragma once
// Owner of one image list; the list is destroyed with the object unless
// detached.

#include <windows.h>

#include <commctrl.h>

class CImageList {
public:
    CImageList() noexcept = default;
    ~CImageList() { DeleteImageList(); }
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    bool Create(int cx, int cy, UINT flags, int initial, int grow);
    bool DeleteImageList();
    HIMAGELIST Detach() noexcept {
        HIMAGELIST list = m_hImageList;
        m_hImageList = nullptr;
        return list;
    }

    int Add(HBITMAP image, HBITMAP mask) { return ImageList_Add(m_hImageList, image, mask); }
    int Add(HICON icon) { return ImageList_AddIcon(m_hImageList, icon); }
    int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
    bool GetImageInfo(int index, IMAGEINFO* info) const {
        return ImageList_GetImageInfo(m_hImageList, index, info) != FALSE;
    }
    bool Draw(HDC dc, int index, POINT at, UINT style) {
        return ImageList_Draw(m_hImageList, index, dc, at.x, at.y, style) != FALSE;
    }

    HIMAGELIST GetSafeHandle() const noexcept { return m_hImageList; }
    operator HIMAGELIST() const noexcept { return m_hImageList; }

    HIMAGELIST m_hImageList = nullptr;
};

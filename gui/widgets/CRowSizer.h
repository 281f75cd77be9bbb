#pragma once
// Makes every row of a report list view a fixed number of pixels high.  The
// list view sizes its rows by the pictures of its small image list plus a
// padding of its own: the sizer's pictures are cut by that padding,
// measured on a probe row before any row goes in, so the list never lays
// its rows out at another height.  The font still wins when it is taller.

#include <windows.h>
#include <commctrl.h>

class CListCtrl;

class CRowSizer {
public:
    CRowSizer() = default;
    ~CRowSizer();
    CRowSizer(const CRowSizer&) = delete;
    CRowSizer& operator=(const CRowSizer&) = delete;

    // Before any row goes in (the probe row is taken out again).
    void Fit(CListCtrl& list, int rowHeight);
    // A row's height as the list shows it: its first row's, else the height asked for.
    static int RowHeight(const CListCtrl& list, int fallback);

private:
    bool SetPictureHeight(CListCtrl& list, int height);

    HIMAGELIST m_pictures = nullptr;
    int m_pictureHeight = 0;
};

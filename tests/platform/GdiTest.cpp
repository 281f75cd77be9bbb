// GDI ownership as Win32 has it: a region a window accepted is the window's,
// objects selected through a DC wrapper are selected back before the wrapper
// lets the DC go, a memory DC draws in colour, and drawing a text never
// writes into the caller's string.

#include "platform/CBrush.h"
#include "platform/CClientDC.h"
#include "platform/CDC.h"
#include "platform/CFont.h"
#include "platform/CMemoryDC.h"
#include "platform/CPen.h"
#include "platform/CRgn.h"
#include "platform/CString.h"
#include "platform/CWnd.h"

#include <gtest/gtest.h>

namespace {

TEST(Gdi, RegionAcceptedByAWindowBelongsToIt) {
    CWnd wnd;
    ASSERT_TRUE(wnd.Create(nullptr, L"shaped", WS_POPUP, CRect(0, 0, 100, 100), nullptr, 0));
    {
        CRgn region;
        ASSERT_TRUE(region.CreateRectRgn(10, 10, 60, 40));
        EXPECT_NE(wnd.SetWindowRgn(region, false), 0);
        EXPECT_EQ(region.GetSafeHandle(), nullptr);  // the wrapper no longer holds it
    }
    // The wrapper is gone and the window still has its shape.
    CRgn copy;
    ASSERT_TRUE(copy.CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(wnd.GetWindowRgn(copy), SIMPLEREGION);
    CRect box;
    copy.GetRgnBox(&box);
    EXPECT_EQ(box, CRect(10, 10, 60, 40));

    // A region the system refused stays with its wrapper, alive.
    CWnd none;
    CRgn refused;
    ASSERT_TRUE(refused.CreateRectRgn(1, 2, 3, 4));
    HRGN handle = refused.GetSafeHandle();
    EXPECT_EQ(none.SetWindowRgn(refused, false), 0);
    EXPECT_EQ(refused.GetSafeHandle(), handle);
    EXPECT_EQ(refused.GetRgnBox(&box), SIMPLEREGION);
}

TEST(Gdi, SelectionsAreUndoneBeforeTheWrapperLetsTheDcGo) {
    // A window with a DC of its own keeps that DC, and what is selected in
    // it, across GetDC and ReleaseDC.
    const wchar_t* ownDcClass = CWnd::RegisterWndClass(CS_OWNDC);
    CWnd wnd;
    ASSERT_TRUE(wnd.Create(ownDcClass, L"own dc", WS_POPUP, CRect(0, 0, 50, 50), nullptr, 0));
    HDC own = GetDC(wnd.m_hWnd);
    HGDIOBJ originalFont = GetCurrentObject(own, OBJ_FONT);
    HGDIOBJ originalBrush = GetCurrentObject(own, OBJ_BRUSH);
    HGDIOBJ originalPen = GetCurrentObject(own, OBJ_PEN);

    enum Wrapper { ClientDC, AttachedDC };
    for (Wrapper wrapper : {ClientDC, AttachedDC}) {
        SCOPED_TRACE(wrapper);
        CFont font;
        ASSERT_TRUE(font.CreateFont(-14, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, L"Arial"));
        CBrush brush(RGB(10, 20, 30));
        CPen pen(PS_SOLID, 2, RGB(40, 50, 60));
        if (wrapper == ClientDC) {
            CClientDC dc(&wnd);
            dc.SelectObject(&font);
            dc.SelectObject(&brush);
            dc.SelectObject(&pen);
            dc.SelectObject(&font);  // twice: the original is still the one put back
        } else {
            CDC dc;
            dc.Attach(own);
            dc.SelectObject(&font);
            dc.SelectObject(&brush);
            dc.SelectObject(&pen);
            EXPECT_EQ(dc.Detach(), own);
        }
        EXPECT_EQ(GetCurrentObject(own, OBJ_FONT), originalFont);
        EXPECT_EQ(GetCurrentObject(own, OBJ_BRUSH), originalBrush);
        EXPECT_EQ(GetCurrentObject(own, OBJ_PEN), originalPen);
        EXPECT_TRUE(font.DeleteObject());
        EXPECT_TRUE(brush.DeleteObject());
        EXPECT_TRUE(pen.DeleteObject());
    }
    ReleaseDC(wnd.m_hWnd, own);
}

TEST(Gdi, MemoryDcDrawsInTheColoursOfItsReference) {
    CClientDC screen(nullptr);
    CMemoryDC memory(&screen, 8, 8);
    ASSERT_NE(memory.GetSafeHdc(), nullptr);
    BITMAP info = {};
    ASSERT_TRUE(memory.GetBitmap().GetBitmap(&info));
    EXPECT_EQ(info.bmWidth, 8);
    EXPECT_GT(info.bmBitsPixel, 1);  // not the monochrome bitmap of a bare memory DC
    memory.FillSolidRect(0, 0, 8, 8, RGB(0x20, 0xC0, 0x40));
    EXPECT_EQ(memory.GetPixel(3, 3), RGB(0x20, 0xC0, 0x40));

    CMemoryDC bare(nullptr, 8, 8);
    ASSERT_TRUE(bare.GetBitmap().GetBitmap(&info));
    EXPECT_GT(info.bmBitsPixel, 1);
}

TEST(Gdi, DrawTextLeavesTheCallersTextAsItWas) {
    CClientDC screen(nullptr);
    CMemoryDC memory(&screen, 40, 20);
    const CString text(L"a caption far wider than its place");
    CString shared = text;  // one buffer for both
    CRect narrow(0, 0, 30, 16);
    memory.DrawText(shared, &narrow, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING);
    EXPECT_EQ(shared, L"a caption far wider than its place");
    EXPECT_EQ(text, L"a caption far wider than its place");
    wchar_t buffer[] = L"short";
    memory.DrawText(buffer, -1, &narrow, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING);
    EXPECT_STREQ(buffer, L"short");
}

}  // namespace

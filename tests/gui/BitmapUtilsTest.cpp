// Pictures decoded from files, rectangles copied out of bitmaps, mask
// regions in the picture's own orientation, and the FONT element's fonts.

#include "gui/core/BitmapUtils.h"
#include "gui/skin/CFontItem.h"
#include "gui/skin/CGUIItemFactory.h"
#include "gui/skin/GUIResources.h"
#include "gui/skin/SymbolIds.h"
#include "platform/CBitmap.h"
#include "tests/gui/SkinTestFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

// A top-down 32-bit DIB section drawn from pixel(x, y).
HBITMAP MakeBitmap(int width, int height, const std::function<COLORREF(int, int)>& pixel) {
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* p = static_cast<uint32_t*>(bits);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            COLORREF c = pixel(x, y);
            p[y * width + x] = GetBValue(c) | GetGValue(c) << 8 | GetRValue(c) << 16;
        }
    return bitmap;
}

COLORREF PixelOf(HBITMAP bitmap, int x, int y) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    COLORREF c = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return c;
}

// The region of a list of rectangles, merged one by one.
HRGN RegionOf(const std::vector<RECT>& rects) {
    HRGN result = CreateRectRgn(0, 0, 0, 0);
    for (const RECT& r : rects) {
        HRGN part = CreateRectRgnIndirect(&r);
        CombineRgn(result, result, part, RGN_OR);
        DeleteObject(part);
    }
    return result;
}

struct Region {
    explicit Region(HRGN h) : handle(h) {}
    ~Region() {
        if (handle)
            DeleteObject(handle);
    }
    HRGN handle;
};

TEST(BitmapUtils, PicturesLoadInTheirOwnOrientationAndFailuresChangeNothing) {
    SkinTestFolder folder(L"gui-picture");
    folder.WriteBmp(L"skins\\Top.bmp", 3, 2, [](int x, int y) { return y == 0 ? RGB(255, 0, 0) : RGB(0, 0, 255 - x); });
    folder.WriteText(L"skins\\Bad.bmp", "not a picture at all");
    CBitmap bitmap;
    ASSERT_TRUE(LoadPictureFile(folder.Path(L"skins\\Top.bmp").c_str(), bitmap));
    EXPECT_EQ(PixelOf(bitmap, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(bitmap, 2, 1), RGB(0, 0, 253));
    HGDIOBJ loaded = bitmap.GetSafeHandle();
    EXPECT_FALSE(LoadPictureFile(folder.Path(L"skins\\Bad.bmp").c_str(), bitmap));
    EXPECT_FALSE(LoadPictureFile(folder.Path(L"skins\\None.bmp").c_str(), bitmap));
    folder.WriteBytes(L"skins\\Zero.bmp", {});
    EXPECT_FALSE(LoadPictureFile(folder.Path(L"skins\\Zero.bmp").c_str(), bitmap));
    EXPECT_EQ(bitmap.GetSafeHandle(), loaded);
}

TEST(BitmapUtils, ALoadedPictureOutlivesTheApartmentThatDecodedIt) {
    SkinTestFolder folder(L"gui-picture-com");
    folder.WriteBmp(L"skins\\Green.bmp", 4, 3, [](int, int) { return RGB(0, 200, 0); });
    const std::wstring path = folder.Path(L"skins\\Green.bmp");
    CBitmap bitmap;
    bool loaded = false;
    // The decoder's objects belong to the apartment; the bitmap must not.
    std::thread worker([&] {
        HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        loaded = LoadPictureFile(path.c_str(), bitmap);
        if (SUCCEEDED(hr))
            CoUninitialize();
    });
    worker.join();
    ASSERT_TRUE(loaded);
    BITMAP info = {};
    ASSERT_TRUE(bitmap.GetBitmap(&info));
    EXPECT_EQ(info.bmWidth, 4);
    EXPECT_EQ(info.bmHeight, 3);
    EXPECT_EQ(PixelOf(bitmap, 3, 2), RGB(0, 200, 0));
}

TEST(BitmapUtils, StretchCopiesTheSourceRectangle) {
    CBitmap source;
    source.Attach(MakeBitmap(40, 30, [](int x, int y) { return RGB(x, y, 7); }));
    CBitmap copy;
    StretchBitmap(&copy, nullptr, &source, RECT{10, 10, 30, 20});
    BITMAP info = {};
    ASSERT_TRUE(copy.GetBitmap(&info));
    EXPECT_EQ(info.bmWidth, 20);
    EXPECT_EQ(info.bmHeight, 10);
    EXPECT_EQ(PixelOf(copy, 0, 0), RGB(10, 10, 7));
    EXPECT_EQ(PixelOf(copy, 19, 9), RGB(29, 19, 7));

    CBitmap empty;
    StretchBitmap(&copy, nullptr, &empty, RECT{0, 0, 5, 5});  // no source bitmap: nothing happens
    EXPECT_TRUE(copy.GetBitmap(&info));
    StretchBitmap(&copy, nullptr, &source, RECT{5, 5, 5, 9});
    EXPECT_EQ(copy.GetSafeHandle(), nullptr);
}

TEST(BitmapUtils, MaskRegionsAreTheNonWhitePixels) {
    struct Case {
        const char* what;
        int width, height;
        std::function<COLORREF(int, int)> pixel;
        std::vector<RECT> rects;
    };
    const COLORREF white = RGB(255, 255, 255);
    std::vector<Case> cases = {
        {"black white black", 3, 1, [&](int x, int) { return x == 1 ? white : 0; }, {{0, 0, 1, 1}, {2, 0, 3, 1}}},
        {"top row only, top-down", 4, 4, [&](int, int y) { return y == 0 ? RGB(0, 0, 0) : white; }, {{0, 0, 4, 1}}},
        {"near white is inside", 2, 1, [&](int x, int) { return x ? RGB(255, 255, 254) : white; }, {{1, 0, 2, 1}}},
        {"pure white", 5, 5, [&](int, int) { return white; }, {}},
    };
    // More runs than one region call takes: the merged batches must give
    // the same region as the rectangles merged one by one.
    Case many{"checkerboard of 2500 runs", 100, 50, [&](int x, int y) { return (x + y) % 2 ? white : 0; }, {}};
    for (int y = 0; y < 50; ++y)
        for (int x = y % 2; x < 100; x += 2)
            many.rects.push_back({x, y, x + 1, y + 1});
    cases.push_back(many);

    for (const Case& c : cases) {
        CBitmap mask;
        mask.Attach(MakeBitmap(c.width, c.height, c.pixel));
        Region actual(CreateRegionFromBitmap(mask));
        ASSERT_NE(actual.handle, nullptr) << c.what;
        Region expected(RegionOf(c.rects));
        EXPECT_TRUE(EqualRgn(actual.handle, expected.handle)) << c.what;
        RECT box;
        EXPECT_EQ(GetRgnBox(actual.handle, &box), c.rects.empty() ? NULLREGION : c.rects.size() == 1 ? SIMPLEREGION
                                                                                                   : COMPLEXREGION)
            << c.what;
    }
    EXPECT_EQ(CreateRegionFromBitmap(nullptr), nullptr);
}

TEST(BitmapUtils, APictureMaskFromAFileKeepsItsTopAtTheTop) {
    SkinTestFolder folder(L"gui-mask");
    folder.WriteBmp(L"skins\\Mask.bmp", 6, 4, [](int x, int y) { return y == 0 && x < 2 ? RGB(0, 0, 0) : RGB(255, 255, 255); });
    CBitmap* mask = GetSkinPictureByAttribute("Mask.bmp");
    ASSERT_NE(mask, nullptr);
    Region region(CreateRegionFromBitmap(*mask));
    RECT box = {};
    ASSERT_EQ(GetRgnBox(region.handle, &box), SIMPLEREGION);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.bottom, 1);
    EXPECT_EQ(box.right, 2);
}

class FontElement : public ::testing::Test {
protected:
    std::unique_ptr<CFontItem> Build(const char* xml) {
        doc.load_string(xml);
        return std::unique_ptr<CFontItem>(CGUIItemFactory::CreateFont(doc.first_child(), nullptr));
    }
    static LOGFONTW Described(const CFontItem& font) {
        LOGFONTW f = {};
        font.GetLogFont(&f);
        return f;
    }
    SkinTestFolder folder{L"gui-font"};
    pugi::xml_document doc;
};

TEST_F(FontElement, DescriptionFromTheAttributes) {
    auto font = Build(R"(<FONT name="FONT_ARIAL14B" typeface="Arial" pitch="14" boldlevel="700" width="6"/>)");
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->m_itemId, FONT_ARIAL14B);
    EXPECT_EQ(font->m_itemType, kItemFont);
    EXPECT_EQ(font->m_itemWindow, nullptr);
    LOGFONTW f = Described(*font);
    EXPECT_EQ(f.lfHeight, 14);
    EXPECT_EQ(f.lfWidth, 6);
    EXPECT_EQ(f.lfWeight, 700);
    EXPECT_EQ(f.lfPitchAndFamily, FF_SWISS | DEFAULT_PITCH);
    EXPECT_STREQ(f.lfFaceName, L"Arial");
    for (const char* xml : {R"(<FONT name="FONT_ARIAL12" pitch="0"/>)", R"(<FONT name="FONT_ARIAL12" pitch="-9"/>)",
                            R"(<FONT name="FONT_ARIAL12" pitch="abc"/>)"})
        EXPECT_EQ(Described(*Build(xml)).lfHeight, 0) << xml;
    EXPECT_EQ(Build(R"(<FONT name="FONT_NONE" pitch="12"/>)"), nullptr);
}

TEST_F(FontElement, LongTypefacesAreCutToWhatTheDescriptionHolds) {
    auto font = Build(R"(<FONT name="FONT_ARIAL12" typeface="ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"/>)");
    ASSERT_NE(font, nullptr);
    EXPECT_STREQ(Described(*font).lfFaceName, L"ABCDEFGHIJKLMNOPQRSTUVWXYZ01234");
}

TEST_F(FontElement, AFontFileIsRequestedOnlyWhenNamed) {
    Build(R"(<FONT name="FONT_ARIAL12"> </FONT>)");
    EXPECT_TRUE(GetGUIResources().empty());
    Build("<FONT name=\"FONT_MOBEKREG14\">\n  Mobek.ttf  \n</FONT>");
    ASSERT_EQ(GetGUIResources().size(), 1u);
    EXPECT_EQ(GetGUIResources()[0]->GetName(), CString(L"Mobek.ttf"));
    EXPECT_EQ(GetGUIResources()[0]->GetKind(), kResourceFont);
    EXPECT_FALSE(GetGUIResources()[0]->IsLoaded());  // no such file in fonts\ here
}

}  // namespace

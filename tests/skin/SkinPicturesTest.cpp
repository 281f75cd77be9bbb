// The skin's pictures as the program decodes them: every BMP in skins\ must
// load through the picture decoder the asset cache uses, at the size its file
// states and the right way up.
#include <gtest/gtest.h>

#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tests/support/TestPaths.h"

namespace {

std::vector<char> ReadWholeFile(const std::wstring& path) {
    std::vector<char> data;
    if (FILE* f = _wfopen(path.c_str(), L"rb")) {
        char chunk[4096];
        for (size_t n; (n = fread(chunk, 1, sizeof chunk, f)) > 0;)
            data.insert(data.end(), chunk, chunk + n);
        fclose(f);
    }
    return data;
}

// Owns the decoded picture; its bitmap lives as long as the picture does.
struct DecodedPicture {
    IPicture* picture = nullptr;
    HBITMAP bitmap = nullptr;
    ~DecodedPicture() {
        if (picture)
            picture->Release();
    }
};

bool Decode(const std::vector<char>& data, DecodedPicture& out) {
    if (data.empty())
        return false;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, data.size());
    if (!block)
        return false;
    memcpy(GlobalLock(block), data.data(), data.size());
    GlobalUnlock(block);
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(block, TRUE, &stream))) {
        GlobalFree(block);
        return false;
    }
    HRESULT hr = OleLoadPicture(stream, static_cast<LONG>(data.size()), FALSE, IID_IPicture,
                                reinterpret_cast<void**>(&out.picture));
    stream->Release();
    if (FAILED(hr) || !out.picture)
        return false;
    OLE_HANDLE handle = 0;
    out.picture->get_Handle(&handle);
    out.bitmap = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
    return out.bitmap != nullptr;
}

class SkinPictures : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr))); }
    void TearDown() override { OleUninitialize(); }

    // Selects a decoded picture into a memory context for reading its pixels.
    struct PixelReader {
        HDC dc;
        HGDIOBJ old;
        int width = 0, height = 0;
        explicit PixelReader(HBITMAP bitmap) : dc(CreateCompatibleDC(nullptr)), old(SelectObject(dc, bitmap)) {
            BITMAP info{};
            if (GetObjectW(bitmap, sizeof info, &info)) {
                width = info.bmWidth;
                height = info.bmHeight;
            }
        }
        ~PixelReader() {
            SelectObject(dc, old);
            DeleteDC(dc);
        }
        COLORREF At(int x, int y) const { return GetPixel(dc, x, y); }
        bool RowsHold(int top, int bottom, COLORREF colour) const {
            for (int y = top; y < bottom; ++y)
                for (int x = 0; x < width; ++x)
                    if (At(x, y) == colour)
                        return true;
            return false;
        }
    };
};

TEST_F(SkinPictures, EveryPictureDecodesAtTheSizeOfItsFile) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(DistPath(L"skins\\*.bmp").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE) << "no pictures in skins\\";
    int count = 0;
    do {
        SCOPED_TRACE(testing::Message() << "picture " << found.cFileName);
        std::vector<char> data = ReadWholeFile(DistPath(std::wstring(L"skins\\") + found.cFileName));
        ASSERT_GE(data.size(), 54u);
        LONG width, height;
        WORD bits;
        memcpy(&width, &data[18], 4);
        memcpy(&height, &data[22], 4);
        memcpy(&bits, &data[28], 2);
        EXPECT_EQ(bits, 24);
        DecodedPicture decoded;
        ASSERT_TRUE(Decode(data, decoded));
        BITMAP info{};
        ASSERT_TRUE(GetObjectW(decoded.bitmap, sizeof info, &info));
        EXPECT_EQ(info.bmWidth, width);
        EXPECT_EQ(info.bmHeight, height < 0 ? -height : height);
        ++count;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    EXPECT_GE(count, 2);
}

TEST_F(SkinPictures, TestPanelMaskIsCutAwayAtItsCornersOnly) {
    DecodedPicture mask;
    ASSERT_TRUE(Decode(ReadWholeFile(DistPath(L"skins\\TestPanelMask.bmp")), mask));
    PixelReader pixels(mask.bitmap);
    const int w = pixels.width, h = pixels.height;
    ASSERT_GT(w * h, 0);
    struct Case { int x, y; COLORREF colour; } cases[] = {
        {0, 0, RGB(255, 255, 255)}, {w - 1, 0, RGB(255, 255, 255)},
        {0, h - 1, RGB(255, 255, 255)}, {w - 1, h - 1, RGB(255, 255, 255)},
        {w / 2, h / 2, RGB(0, 0, 0)}, {w / 2, 0, RGB(0, 0, 0)}, {w / 2, h - 1, RGB(0, 0, 0)},
        {0, h / 2, RGB(0, 0, 0)}, {w - 1, h / 2, RGB(0, 0, 0)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(pixels.At(c.x, c.y), c.colour) << "at " << c.x << ", " << c.y;
}

TEST_F(SkinPictures, TestPanelBackgroundIsTheRightWayUpInItsColours) {
    DecodedPicture background;
    ASSERT_TRUE(Decode(ReadWholeFile(DistPath(L"skins\\TestPanelBackground.bmp")), background));
    PixelReader pixels(background.bitmap);
    ASSERT_GT(pixels.height, 80);
    // The white title is drawn in the header; upside down it would be at the bottom.
    EXPECT_TRUE(pixels.RowsHold(0, 40, RGB(255, 255, 255)));
    EXPECT_FALSE(pixels.RowsHold(pixels.height - 25, pixels.height, RGB(255, 255, 255)));
    // The panel is teal: blue and green well above red, which swapped channels would not be.
    COLORREF centre = pixels.At(pixels.width / 2, pixels.height / 2 + 20);
    EXPECT_GT(GetBValue(centre), GetRValue(centre) + 30);
    EXPECT_GT(GetGValue(centre), GetRValue(centre) + 20);
}

}  // namespace

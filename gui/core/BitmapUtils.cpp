#include "gui/core/BitmapUtils.h"

#include "platform/CBitmap.h"
#include "platform/CComPtr.h"
#include "platform/CDC.h"

#include <ocidl.h>
#include <olectl.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <new>
#include <vector>

namespace {

// A movable global block holding the whole file; null on any failure.
HGLOBAL ReadFileIntoGlobal(const wchar_t* path, DWORD* size) {
    HANDLE file = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;
    HGLOBAL block = nullptr;
    LARGE_INTEGER length = {};
    if (::GetFileSizeEx(file, &length) && length.QuadPart > 0 &&
        length.QuadPart <= std::numeric_limits<LONG>::max()) {
        *size = static_cast<DWORD>(length.QuadPart);
        block = ::GlobalAlloc(GMEM_MOVEABLE, *size);
        void* bytes = block ? ::GlobalLock(block) : nullptr;
        DWORD read = 0;
        bool ok = bytes && ::ReadFile(file, bytes, *size, &read, nullptr) && read == *size;
        if (bytes)
            ::GlobalUnlock(block);
        if (!ok && block) {
            ::GlobalFree(block);
            block = nullptr;
        }
    }
    ::CloseHandle(file);
    return block;
}

// The rectangles of one batch of the mask scan, as the region data that
// ExtCreateRegion takes.
class RegionBatch {
public:
    static constexpr DWORD kFlushAt = 2000;
    static constexpr DWORD kGrowBy = 100;

    RegionBatch() { Reset(); }

    // Throws std::bad_alloc when the buffer cannot grow.
    void Add(LONG left, LONG top, LONG right, LONG bottom) {
        if (m_rects.size() == m_rects.capacity())
            m_rects.reserve(m_rects.size() + kGrowBy);
        m_rects.push_back(RECT{left, top, right, bottom});
        if (left < m_bounds.left) m_bounds.left = left;
        if (top < m_bounds.top) m_bounds.top = top;
        if (right > m_bounds.right) m_bounds.right = right;
        if (bottom > m_bounds.bottom) m_bounds.bottom = bottom;
    }
    bool IsFull() const noexcept { return m_rects.size() >= kFlushAt; }

    // Merges the batch into *result (which it becomes when there is none
    // yet) and starts a new batch; false when the system refused.
    bool FlushInto(HRGN* result) {
        const size_t bytes = sizeof(RGNDATAHEADER) + m_rects.size() * sizeof(RECT);
        std::vector<uint8_t> data(bytes);
        auto* region = reinterpret_cast<RGNDATA*>(data.data());
        region->rdh.dwSize = sizeof(RGNDATAHEADER);
        region->rdh.iType = RDH_RECTANGLES;
        region->rdh.nCount = static_cast<DWORD>(m_rects.size());
        region->rdh.nRgnSize = 0;
        region->rdh.rcBound = m_rects.empty() ? RECT{0, 0, 0, 0} : m_bounds;
        if (!m_rects.empty())
            memcpy(region->Buffer, m_rects.data(), m_rects.size() * sizeof(RECT));
        HRGN part = ::ExtCreateRegion(nullptr, static_cast<DWORD>(bytes), region);
        Reset();
        if (!part)
            return false;
        if (!*result) {
            *result = part;
            return true;
        }
        bool ok = ::CombineRgn(*result, *result, part, RGN_OR) != ERROR;
        ::DeleteObject(part);
        return ok;
    }

private:
    void Reset() {
        m_rects.clear();
        m_bounds = RECT{0x7FFFFFFF, 0x7FFFFFFF, 0, 0};
    }

    std::vector<RECT> m_rects;
    RECT m_bounds;
};

bool CopyHandle(HBITMAP source, CBitmap& copy) {
    HANDLE made = ::CopyImage(source, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (!made)
        return false;
    copy.DeleteObject();
    copy.Attach(made);
    return true;
}

// The colour of one pixel of a 32-bit DIB (blue, green, red, unused).
uint32_t PixelAt(const uint8_t* pixel) { return pixel[0] | pixel[1] << 8 | pixel[2] << 16; }

constexpr uint32_t kMaskOutside = 0xFFFFFF;

// The region of the pixels whose colour is not 'outside'.
HRGN ScanMask(const uint8_t* bits, LONG width, LONG height, uint32_t outside) {
    auto IsOutside = [outside](const uint8_t* pixel) { return PixelAt(pixel) == outside; };
    HRGN result = nullptr;
    try {
        RegionBatch batch;
        const size_t stride = static_cast<size_t>(width) * 4;
        for (LONG y = 0; y < height; ++y) {
            const uint8_t* row = bits + stride * static_cast<size_t>(y);
            LONG x = 0;
            while (x < width) {
                while (x < width && IsOutside(row + x * 4))
                    ++x;
                LONG start = x;
                while (x < width && !IsOutside(row + x * 4))
                    ++x;
                if (x > start)
                    batch.Add(start, y, x, y + 1);
                if (batch.IsFull() && !batch.FlushInto(&result))
                    throw std::bad_alloc();
            }
        }
        if (!batch.FlushInto(&result))
            throw std::bad_alloc();
    } catch (const std::bad_alloc&) {
        if (result)
            ::DeleteObject(result);
        return nullptr;
    }
    return result;
}

}  // namespace

bool LoadPictureFile(const wchar_t* path, CBitmap& bitmap) {
    DWORD size = 0;
    HGLOBAL block = path ? ReadFileIntoGlobal(path, &size) : nullptr;
    if (!block)
        return false;
    CComPtr<IStream> stream;
    if (FAILED(::CreateStreamOnHGlobal(block, TRUE, &stream))) {
        ::GlobalFree(block);
        return false;
    }
    CComPtr<IPicture> picture;
    HRESULT hr = ::OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture,
                                  reinterpret_cast<void**>(&picture));
    stream.Release();
    if (FAILED(hr) || !picture)
        return false;
    SHORT type = PICTYPE_UNINITIALIZED;
    OLE_HANDLE handle = 0;
    if (FAILED(picture->get_Type(&type)) || type != PICTYPE_BITMAP || FAILED(picture->get_Handle(&handle)) ||
        handle == 0)
        return false;
    // The picture object owns its handle; a copy of our own lets the picture
    // go now instead of at exit, after COM is gone.
    return CopyHandle(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), bitmap);
}

bool CopyBitmap(const CBitmap* source, CBitmap& copy) {
    return source && source->GetSafeHandle() && CopyHandle(source->GetSafeHandle(), copy);
}

void StretchBitmap(CBitmap* destination, CDC* reference, const CBitmap* source, const RECT& sourceRect) {
    if (!destination || !source || !source->GetSafeHandle())
        return;
    destination->DeleteObject();
    const int width = sourceRect.right - sourceRect.left;
    const int height = sourceRect.bottom - sourceRect.top;
    if (width <= 0 || height <= 0)
        return;
    CDC screen;
    HDC screenDc = nullptr;
    if (!reference) {
        screenDc = ::GetDC(nullptr);
        screen.Attach(screenDc);
        reference = &screen;
    }
    if (destination->CreateCompatibleBitmap(reference, width, height)) {
        CDC from, to;
        if (from.CreateCompatibleDC(reference) && to.CreateCompatibleDC(reference)) {
            from.SelectObject(source);
            to.SelectObject(destination);
            to.StretchBlt(0, 0, width, height, &from, sourceRect.left, sourceRect.top, width, height, SRCCOPY);
        }
    }
    if (screenDc) {
        screen.Detach();
        ::ReleaseDC(nullptr, screenDc);
    }
}

namespace {

// A 32-bit top-down copy of the picture, scanned for the pixels that are
// not 'outside' (the top left pixel's colour when asked for).
HRGN RegionOfPicture(HBITMAP mask, bool outsideIsTopLeft) {
    BITMAP info = {};
    if (!mask || ::GetObjectW(mask, sizeof info, &info) != sizeof info || info.bmWidth <= 0 || info.bmHeight <= 0)
        return nullptr;
    HDC memory = ::CreateCompatibleDC(nullptr);
    HDC source = ::CreateCompatibleDC(nullptr);
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    format.bmiHeader.biWidth = info.bmWidth;
    // Top-down rows: row y of the pixels is row y of the picture.
    format.bmiHeader.biHeight = -info.bmHeight;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP copy = memory ? ::CreateDIBSection(memory, &format, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
    HRGN result = nullptr;
    if (copy && bits && source) {
        HGDIOBJ oldCopy = ::SelectObject(memory, copy);
        HGDIOBJ oldSource = ::SelectObject(source, mask);
        bool copied = oldSource && ::BitBlt(memory, 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
        if (oldSource)
            ::SelectObject(source, oldSource);
        ::SelectObject(memory, oldCopy);
        ::GdiFlush();
        if (copied) {
            const auto* pixels = static_cast<const uint8_t*>(bits);
            result = ScanMask(pixels, info.bmWidth, info.bmHeight, outsideIsTopLeft ? PixelAt(pixels) : kMaskOutside);
        }
    }
    if (copy)
        ::DeleteObject(copy);
    if (source)
        ::DeleteDC(source);
    if (memory)
        ::DeleteDC(memory);
    return result;
}

}  // namespace

HRGN CreateRegionFromBitmap(HBITMAP mask) { return RegionOfPicture(mask, false); }

HRGN CreateRegionFromBackground(HBITMAP picture) { return RegionOfPicture(picture, true); }

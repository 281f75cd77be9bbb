#pragma once
// A throw-away installed tree (xml\, skins\, lang\, bin\, fonts\) for one
// test: the application directory points at it and the asset cache starts
// and ends empty, so no test sees another's files.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class SkinTestFolder {
public:
    explicit SkinTestFolder(const std::wstring& hint = L"gui");
    ~SkinTestFolder();
    SkinTestFolder(const SkinTestFolder&) = delete;
    SkinTestFolder& operator=(const SkinTestFolder&) = delete;

    // relative: e.g. L"skins\\a.bmp".
    std::wstring Path(const std::wstring& relative) const;
    bool WriteBytes(const std::wstring& relative, const std::vector<uint8_t>& bytes);
    bool WriteText(const std::wstring& relative, const std::string& utf8);
    // UTF-16 little-endian, no byte-order mark unless the text holds one.
    bool WriteUtf16(const std::wstring& relative, const std::wstring& text);
    // A 24-bit picture; pixel(x, y) with y = 0 the top row.
    bool WriteBmp(const std::wstring& relative, int width, int height,
                  const std::function<COLORREF(int x, int y)>& pixel);
    // A slider thumb's picture: one colour inside a one-pixel black frame,
    // which the thumb's shape cuts away.
    bool WriteThumbBmp(const std::wstring& relative, int width, int height, COLORREF face);
    void Remove(const std::wstring& relative);

    const std::wstring& Root() const noexcept { return m_root; }

private:
    std::wstring m_root;
    std::vector<std::wstring> m_files;
};

// The bytes of a 24-bit BMP file.
std::vector<uint8_t> MakeBmp(int width, int height, const std::function<COLORREF(int x, int y)>& pixel);

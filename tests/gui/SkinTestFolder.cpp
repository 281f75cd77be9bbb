#include "tests/gui/SkinTestFolder.h"

#include "gui/skin/GUIResources.h"
#include "tests/support/TestPaths.h"

#include <algorithm>

namespace {

const wchar_t* const kFolders[] = {L"xml", L"skins", L"lang", L"bin", L"fonts"};

void Put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, static_cast<uint16_t>(v));
    Put16(out, static_cast<uint16_t>(v >> 16));
}

}  // namespace

std::vector<uint8_t> MakeBmp(int width, int height, const std::function<COLORREF(int x, int y)>& pixel) {
    const uint32_t stride = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
    const uint32_t imageBytes = stride * static_cast<uint32_t>(height);
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, 54 + imageBytes);
    Put32(out, 0);
    Put32(out, 54);
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));  // bottom-up, as most files are
    Put16(out, 1);
    Put16(out, 24);
    Put32(out, BI_RGB);
    Put32(out, imageBytes);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    for (int row = height - 1; row >= 0; --row) {
        size_t start = out.size();
        for (int x = 0; x < width; ++x) {
            COLORREF c = pixel(x, row);
            out.push_back(GetBValue(c));
            out.push_back(GetGValue(c));
            out.push_back(GetRValue(c));
        }
        while (out.size() - start < stride)
            out.push_back(0);
    }
    return out;
}

SkinTestFolder::SkinTestFolder(const std::wstring& hint) : m_root(MakeTempFolder(hint)) {
    for (const wchar_t* folder : kFolders)
        CreateDirectoryW((m_root + L"\\" + folder).c_str(), nullptr);
    ReleaseGUIResources();
    SetApplicationDirectory((m_root + L"\\").c_str());
}

SkinTestFolder::~SkinTestFolder() {
    ReleaseGUIResources();
    SetApplicationDirectory(L"");
    for (const std::wstring& file : m_files)
        DeleteFileW(file.c_str());
    for (const wchar_t* folder : kFolders)
        RemoveDirectoryW((m_root + L"\\" + folder).c_str());
    RemoveDirectoryW(m_root.c_str());
}

std::wstring SkinTestFolder::Path(const std::wstring& relative) const { return m_root + L"\\" + relative; }

bool SkinTestFolder::WriteBytes(const std::wstring& relative, const std::vector<uint8_t>& bytes) {
    const std::wstring path = Path(relative);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = bytes.empty() ||
              (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size());
    CloseHandle(file);
    if (std::find(m_files.begin(), m_files.end(), path) == m_files.end())
        m_files.push_back(path);
    return ok;
}

bool SkinTestFolder::WriteText(const std::wstring& relative, const std::string& utf8) {
    return WriteBytes(relative, std::vector<uint8_t>(utf8.begin(), utf8.end()));
}

bool SkinTestFolder::WriteUtf16(const std::wstring& relative, const std::wstring& text) {
    std::vector<uint8_t> bytes;
    for (wchar_t c : text)
        Put16(bytes, static_cast<uint16_t>(c));
    return WriteBytes(relative, bytes);
}

bool SkinTestFolder::WriteBmp(const std::wstring& relative, int width, int height,
                              const std::function<COLORREF(int x, int y)>& pixel) {
    return WriteBytes(relative, MakeBmp(width, height, pixel));
}

bool SkinTestFolder::WriteThumbBmp(const std::wstring& relative, int width, int height, COLORREF face) {
    return WriteBmp(relative, width, height, [=](int x, int y) {
        return x == 0 || y == 0 || x == width - 1 || y == height - 1 ? RGB(0, 0, 0) : face;
    });
}

void SkinTestFolder::Remove(const std::wstring& relative) { DeleteFileW(Path(relative).c_str()); }

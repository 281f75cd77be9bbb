#include "config/CFileVersions.h"

#include <windows.h>

#include <cwchar>
#include <vector>

namespace {

void SetParts(DWORD mostSignificant, DWORD leastSignificant, CString& whole, CString (&parts)[4]) {
    const int values[4] = {HIWORD(mostSignificant), LOWORD(mostSignificant), HIWORD(leastSignificant),
                           LOWORD(leastSignificant)};
    for (int i = 0; i < 4; ++i)
        parts[i].Format(L"%d", values[i]);
    whole.Format(L"%d.%d.%d.%d", values[0], values[1], values[2], values[3]);
}

}  // namespace

CFileVersions::CFileVersions() : m_fileVersion(L"0.0.0.0"), m_productVersion(L"0.0.0.0") {
    for (int i = 0; i < 4; ++i) {
        m_fileParts[i] = L"0";
        m_productParts[i] = L"0";
    }
}

void CFileVersions::SetModulePath(const wchar_t* path) {
    m_modulePath = path ? CString(path, static_cast<int>(wcsnlen(path, MAX_PATH))) : CString();
}

bool CFileVersions::Read() {
    if (m_modulePath.IsEmpty())
        return false;
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(m_modulePath, &handle);
    if (size == 0)
        return false;
    // The block is owned here on every path, the failing ones included.
    std::vector<BYTE> block;
    try {
        block.resize(size);
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (!GetFileVersionInfoW(m_modulePath, 0, size, block.data()))
        return false;
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info), &length) || !info ||
        length != sizeof(VS_FIXEDFILEINFO))
        return false;
    SetParts(info->dwFileVersionMS, info->dwFileVersionLS, m_fileVersion, m_fileParts);
    SetParts(info->dwProductVersionMS, info->dwProductVersionLS, m_productVersion, m_productParts);
    return true;
}

CString CFileVersions::ProductMajorMinor() const {
    CString text;
    text.Format(L"%s.%.2d", m_productParts[0].GetString(), _wtoi(m_productParts[1]));
    return text;
}

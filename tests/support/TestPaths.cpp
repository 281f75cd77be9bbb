#include "tests/support/TestPaths.h"

#include <windows.h>

static std::wstring EnvOr(const wchar_t* name, const std::wstring& fallback) {
    wchar_t buffer[MAX_PATH * 4];
    DWORD n = GetEnvironmentVariableW(name, buffer, static_cast<DWORD>(sizeof buffer / sizeof buffer[0]));
    if (n == 0 || n >= sizeof buffer / sizeof buffer[0])
        return fallback;
    return std::wstring(buffer, n);
}

static std::wstring Join(const std::wstring& folder, const std::wstring& name) {
    if (name.empty())
        return folder;
    if (!folder.empty() && folder.back() != L'\\' && folder.back() != L'/')
        return folder + L"\\" + name;
    return folder + name;
}

std::wstring ArtifactPath(const std::wstring& fileName) {
    std::wstring dir = EnvOr(L"TEST_ARTIFACT_DIR", L".");
    CreateDirectoryW(dir.c_str(), nullptr);
    return Join(dir, fileName);
}

std::wstring DistPath(const std::wstring& relative) {
    return Join(EnvOr(L"TEST_DIST_DIR", L"."), relative);
}

std::wstring MakeTempFolder(const std::wstring& hint) {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    for (unsigned n = GetTickCount() ^ GetCurrentProcessId();; ++n) {
        std::wstring dir = Join(base, hint + L"-" + std::to_wstring(n));
        if (CreateDirectoryW(dir.c_str(), nullptr))
            return dir;
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            return std::wstring();
    }
}

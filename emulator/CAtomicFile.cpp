#include "emulator/CAtomicFile.h"

static HRESULT LastError() {
    DWORD e = GetLastError();
    return e ? HRESULT_FROM_WIN32(e) : E_FAIL;
}

HRESULT CAtomicFile::Write(const std::wstring& path, const std::string& bytes) {
    if (path.empty())
        return E_INVALIDARG;
    if (bytes.size() > MAXDWORD)
        return E_INVALIDARG;
    std::wstring temp = path + L"." + std::to_wstring(GetCurrentProcessId()) + L".tmp";
    HANDLE file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return LastError();
    DWORD written = 0;
    BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
              written == bytes.size() && FlushFileBuffers(file);
    HRESULT hr = ok ? S_OK : LastError();
    CloseHandle(file);
    if (SUCCEEDED(hr) &&
        !MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        hr = LastError();
    if (FAILED(hr))
        DeleteFileW(temp.c_str());
    return hr;
}

HRESULT CAtomicFile::Read(const std::wstring& path, std::string& bytes, size_t maxBytes) {
    bytes.clear();
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return LastError();
    LARGE_INTEGER size;
    HRESULT hr = S_OK;
    if (!GetFileSizeEx(file, &size))
        hr = LastError();
    else if (static_cast<unsigned long long>(size.QuadPart) > maxBytes)
        hr = HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE);
    if (SUCCEEDED(hr)) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD read = 0;
        if (!bytes.empty()) {
            if (!ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr))
                hr = LastError();
            else if (read != bytes.size())
                hr = HRESULT_FROM_WIN32(ERROR_READ_FAULT);
        }
    }
    CloseHandle(file);
    if (FAILED(hr))
        bytes.clear();
    return hr;
}

HRESULT CAtomicFile::KeepAside(const std::wstring& path, std::wstring& keptAs) {
    for (int n = 1; n < 1000; ++n) {
        std::wstring name = path + L".corrupt";
        if (n > 1)
            name += L"." + std::to_wstring(n);
        if (MoveFileExW(path.c_str(), name.c_str(), MOVEFILE_WRITE_THROUGH)) {
            keptAs = name;
            return S_OK;
        }
        DWORD e = GetLastError();
        if (e != ERROR_ALREADY_EXISTS && e != ERROR_FILE_EXISTS)
            return HRESULT_FROM_WIN32(e);
    }
    return HRESULT_FROM_WIN32(ERROR_FILE_EXISTS);
}

#pragma once
// Whole-file reads and writes.  A write goes to a temporary file beside the
// target and is moved over it only once complete, so a crash or a full disk
// never leaves half a file where the old one was.

#include <windows.h>

#include <string>

class CAtomicFile {
public:
    static HRESULT Write(const std::wstring& path, const std::string& bytes);
    // Refuses files above maxBytes (ERROR_FILE_TOO_LARGE).
    static HRESULT Read(const std::wstring& path, std::string& bytes, size_t maxBytes = 64u << 20);
    // Renames path to path + ".corrupt", or ".corrupt.2", ".corrupt.3"... when
    // that name is taken: a file kept aside is never replaced.
    static HRESULT KeepAside(const std::wstring& path, std::wstring& keptAs);
};

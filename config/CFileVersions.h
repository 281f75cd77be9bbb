#pragma once
// The version resource of the program's own executable, as texts.

#include "platform/CString.h"

class CFileVersions {
public:
    CFileVersions();
    virtual ~CFileVersions() = default;

    // The program's own path (at most 260 units are kept).
    void SetModulePath(const wchar_t* path);
    // True when the version resource was read and the texts set; otherwise
    // every text keeps its default.
    bool Read();

    // Parts: 0 major, 1 minor, 2 build, 3 revision.
    const CString& GetFileVersion() const noexcept { return m_fileVersion; }
    const CString& GetProductVersion() const noexcept { return m_productVersion; }
    const CString& GetFilePart(int part) const { return m_fileParts[part & 3]; }
    const CString& GetProductPart(int part) const { return m_productParts[part & 3]; }

    // "%s.%.2d" of the product's major part and minor number: 1.2 is "1.02".
    CString ProductMajorMinor() const;

private:
    CString m_modulePath;
    CString m_fileVersion;
    CString m_productVersion;
    CString m_fileParts[4];
    CString m_productParts[4];
};

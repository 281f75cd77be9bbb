#pragma once
// One file a skin named, loaded once per process and kept until exit.  What
// the entry holds depends on its kind: a picture as a bitmap object, a
// bitmap handle, the count of fonts a font file added, or a file's bytes.

#include "platform/CString.h"

#include <windows.h>

#include <cstdint>

class CBitmap;

enum GUIResourceKind : int32_t {
    kResourcePicture = 0,  // skins\, decoded into a CBitmap
    kResourceBitmap = 1,   // skins\, LoadImageW into a bitmap handle
    kResourceFont = 4,     // fonts\, added to the process
    kResourceLanguage = 5, // lang\, the file's bytes
    kResourceBinary = 6,   // bin\, the file's bytes
};

class CGUIResource {
public:
    // Builds the path and loads the file; the entry exists whatever the
    // outcome, with a null object when nothing could be loaded.
    CGUIResource(const CString& name, int32_t kind);
    ~CGUIResource();
    CGUIResource(const CGUIResource&) = delete;
    CGUIResource& operator=(const CGUIResource&) = delete;

    // Frees what was loaded; the kind becomes -1.
    void Release();

    const CString& GetName() const noexcept { return m_name; }
    const CString& GetPath() const noexcept { return m_path; }
    int32_t GetKind() const noexcept { return m_kind; }
    int32_t GetSize() const noexcept { return m_size; }
    bool IsLoaded() const noexcept { return m_object != nullptr; }

    // Typed views of the object; null when the entry is of another kind.
    CBitmap* GetPicture() const;
    HBITMAP GetBitmapHandle() const;
    const uint8_t* GetBytes() const;

    // The folder of a kind, with its trailing backslash.
    static const wchar_t* FolderOf(int32_t kind);
    // Paths at or beyond this many units are refused: the loading calls
    // take classic paths only.
    static constexpr int kMaxPathUnits = MAX_PATH - 1;

private:
    void Load();

    CString m_name;
    CString m_path;
    void* m_object = nullptr;
    int32_t m_kind;
    int32_t m_size = 0;
};

#include "gui/skin/CGUIResource.h"

#include "gui/core/BitmapUtils.h"
#include "gui/skin/GUIResources.h"
#include "platform/CBitmap.h"
#include "platform/Debug.h"

#include <limits>
#include <vector>

namespace {

// The length of a file in bytes; 0 when it does not open or does not fit the
// entry's 32-bit size.
int32_t MeasureFile(const wchar_t* path) {
    HANDLE file = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    LARGE_INTEGER size = {};
    BOOL ok = ::GetFileSizeEx(file, &size);
    ::CloseHandle(file);
    if (!ok || size.QuadPart < 0 || size.QuadPart > std::numeric_limits<int32_t>::max())
        return 0;
    return static_cast<int32_t>(size.QuadPart);
}

// The file's bytes in a zero-filled buffer of 'length' bytes; *read gets how
// many were read.  Null for an empty file or one that does not open.
std::vector<uint8_t>* ReadWholeFile(const wchar_t* path, int32_t length, int32_t* read) {
    *read = 0;
    if (length <= 0)
        return nullptr;
    HANDLE file = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;
    auto* buffer = new (std::nothrow) std::vector<uint8_t>();
    if (buffer) {
        try {
            buffer->assign(static_cast<size_t>(length), 0);
            DWORD got = 0;
            if (::ReadFile(file, buffer->data(), static_cast<DWORD>(length), &got, nullptr))
                *read = static_cast<int32_t>(got);
        } catch (const std::bad_alloc&) {
            delete buffer;
            buffer = nullptr;
        }
    }
    ::CloseHandle(file);
    return buffer;
}

}  // namespace

CGUIResource::CGUIResource(const CString& name, int32_t kind) : m_name(name), m_kind(kind) {
    m_path = GetApplicationDirectory() + FolderOf(kind) + name;
    if (m_path.GetLength() > kMaxPathUnits) {
        TRACE(L"skin file path too long: %s", m_path.GetString());
        return;
    }
    Load();
}

CGUIResource::~CGUIResource() { Release(); }

const wchar_t* CGUIResource::FolderOf(int32_t kind) {
    switch (kind) {
    case kResourceFont: return L"fonts\\";
    case kResourceLanguage: return L"lang\\";
    case kResourceBinary: return L"bin\\";
    default: return L"skins\\";
    }
}

void CGUIResource::Load() {
    switch (m_kind) {
    case kResourcePicture: {
        auto* bitmap = new CBitmap;
        if (LoadPictureFile(m_path, *bitmap)) {
            m_object = bitmap;
            m_size = 8;
        } else {
            delete bitmap;
        }
        break;
    }
    case kResourceBitmap:
        m_size = MeasureFile(m_path);
        m_object = ::LoadImageW(::GetModuleHandleW(nullptr), m_path, IMAGE_BITMAP, 0, 0,
                                LR_CREATEDIBSECTION | LR_LOADFROMFILE);
        break;
    case kResourceFont: {
        m_size = MeasureFile(m_path);
        int added = ::AddFontResourceW(m_path);
        if (added > 0)
            m_object = new int32_t(added);
        break;
    }
    case kResourceLanguage:
    case kResourceBinary:
        m_object = ReadWholeFile(m_path, MeasureFile(m_path), &m_size);
        if (!m_object)
            m_size = 0;
        break;
    default:
        break;
    }
}

void CGUIResource::Release() {
    if (m_object) {
        switch (m_kind) {
        case kResourcePicture: delete static_cast<CBitmap*>(m_object); break;
        // Nothing else owns the handle, and the list goes only at exit.
        case kResourceBitmap: ::DeleteObject(static_cast<HBITMAP>(m_object)); break;
        case kResourceFont:
            ::RemoveFontResourceW(m_path);
            delete static_cast<int32_t*>(m_object);
            break;
        case kResourceLanguage:
        case kResourceBinary: delete static_cast<std::vector<uint8_t>*>(m_object); break;
        default: break;
        }
    }
    m_object = nullptr;
    m_kind = -1;
}

CBitmap* CGUIResource::GetPicture() const {
    return m_kind == kResourcePicture ? static_cast<CBitmap*>(m_object) : nullptr;
}

HBITMAP CGUIResource::GetBitmapHandle() const {
    return m_kind == kResourceBitmap ? static_cast<HBITMAP>(m_object) : nullptr;
}

const uint8_t* CGUIResource::GetBytes() const {
    if ((m_kind != kResourceLanguage && m_kind != kResourceBinary) || !m_object)
        return nullptr;
    return static_cast<const std::vector<uint8_t>*>(m_object)->data();
}

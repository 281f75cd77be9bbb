#include "platform/CGdiObject.h"

#include "platform/Debug.h"

CGdiObject::~CGdiObject() { DeleteObject(); }

bool CGdiObject::Attach(HGDIOBJ handle) {
    CHECK_INVARIANT(m_hObject == nullptr);
    if (m_hObject != nullptr || handle == nullptr)
        return false;
    m_hObject = handle;
    return true;
}

HGDIOBJ CGdiObject::Detach() noexcept {
    HGDIOBJ handle = m_hObject;
    m_hObject = nullptr;
    return handle;
}

bool CGdiObject::DeleteObject() {
    if (m_hObject == nullptr)
        return false;
    bool deleted = ::DeleteObject(Detach()) != FALSE;
    return deleted;
}

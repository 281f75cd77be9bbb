#pragma once
// Owner of one GDI object handle.  The wrapper deletes what it holds when it
// goes; Detach hands the handle over to whoever owns it from then on (the
// system, for a region given to a window).

#include <windows.h>

class CGdiObject {
public:
    CGdiObject() noexcept = default;
    virtual ~CGdiObject();
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    // Refused (false, with a debug report) while another handle is held, so
    // that nothing is leaked or deleted behind its owner's back.
    bool Attach(HGDIOBJ handle);
    HGDIOBJ Detach() noexcept;
    // Deletes the held object; false when none is held or the system refused
    // (an object still selected into a device context).
    bool DeleteObject();

    bool CreateStockObject(int index) { return Attach(::GetStockObject(index)); }
    int GetObject(int size, void* buffer) const { return ::GetObjectW(m_hObject, size, buffer); }
    UINT GetObjectType() const { return ::GetObjectType(m_hObject); }

    HGDIOBJ GetSafeHandle() const noexcept { return m_hObject; }
    operator HGDIOBJ() const noexcept { return m_hObject; }

    HGDIOBJ m_hObject = nullptr;
};

#pragma once
// The state of one skin load: it reports the load's progress to observer
// windows and holds the builders of the elements that need no widget code
// of their own.  One factory exists per load.

#include "model/device/CProgressMessenger.h"
#include "platform/CString.h"

#include <pugixml.hpp>

class CFontItem;
class CWnd;

class CGUIItemFactory : public CProgressMessenger {
public:
    explicit CGUIItemFactory(const CString& path) : m_path(path) {}

    void SendProgress(int percent);
    void SendProgressText(const wchar_t* text);

    // The FONT element's builder: null for an unknown id or a font the
    // system refuses.
    static CFontItem* CreateFont(const pugi::xml_node& element, CWnd* parent);

    const CString& GetPath() const noexcept { return m_path; }

private:
    CString m_path;
};

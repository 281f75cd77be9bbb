#pragma once
// A button that plays a short animation when it is double-clicked.  A
// single click does nothing; the sound file is only remembered.

#include "gui/core/CGUIItem.h"
#include "platform/CBitmap.h"
#include "platform/CButton.h"
#include "platform/CString.h"

#include <pugixml.hpp>

class CGUIItems;

class CAVIButton : public CButton, public CGUIItem {
public:
    CAVIButton() { SetItemFields(-1, kItemAviButton, kNoWindowYet, nullptr); }
    ~CAVIButton() override;

    // The AVIBUTTON element's builder: VIDEO and SOUND name files of the
    // skin folder; SBMN is the picture shown while nothing plays.
    static CAVIButton* CreateFromElement(const pugi::xml_node& element, CWnd* parent, CGUIItems& items);

    const CString& GetVideoPath() const noexcept { return m_videoPath; }
    const CString& GetSoundPath() const noexcept { return m_soundPath; }
    bool IsPlaying() const noexcept { return m_playing; }
    HWND GetAnimationWindow() const noexcept { return m_animation; }

    void DrawItem(DRAWITEMSTRUCT* draw) override;

protected:
    BOOL OnReflectedCommand(UINT code) override;
    void OnShowWindow(BOOL show, UINT status) override;

private:
    void Play();

    CString m_videoPath;
    CString m_soundPath;
    CBitmap m_picture;
    HWND m_animation = nullptr;
    bool m_playing = false;
};

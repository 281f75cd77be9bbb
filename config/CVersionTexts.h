#pragma once
// The two version lines a page shows, "<label>: <version>": the keyboard's
// firmware (TEXT_FIRMWAREVER) and this program (TEXT_DRIVERVER).  The
// labels are the texts' own from the skin, kept once.

#include "model/device/IGenDevice.h"
#include "platform/CString.h"

class CGUIItems;
class CTextItem;

class CVersionTexts {
public:
    void Bind(const CGUIItems& items);
    // With a keyboard, its firmware (left as it was when the keyboard gives
    // none); without one, the language's "$FirmwareUnknown".
    void Show(IGenDevice* device, bool keyboard);

private:
    CTextItem* m_firmware = nullptr;
    CTextItem* m_software = nullptr;
    CString m_firmwareLabel;
    CString m_softwareLabel;
};

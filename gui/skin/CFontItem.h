#pragma once
// A font that a skin's FONT element built; widgets that draw text take one
// of these by symbolic id.  Deleting it deletes its GDI font.

#include "gui/core/CGUIItem.h"
#include "platform/CFont.h"

class CFontItem : public CFont, public CGUIItem {
public:
    // Typeface names longer than the font description holds are cut to
    // its 31 characters.
    static constexpr int kMaxFaceChars = LF_FACESIZE - 1;
};

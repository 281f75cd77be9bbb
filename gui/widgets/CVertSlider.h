#pragma once
// The vertical thumb (skin element VSLIDER): the index grows upwards, index
// 0 at the bottom of the travel; a drag truncates to the index below.

#include "gui/widgets/CSliderBase.h"

#include <pugixml.hpp>

class CGUIItems;

class CVertSlider : public CSliderBase {
public:
    // Values 1..32 on the indexes 0..31.
    CVertSlider();

    // The VSLIDER element's builder: null for an unknown name, without a
    // slider track, or when the window cannot be made.
    static CVertSlider* CreateFromElement(const pugi::xml_node& element, CWnd* parent, CGUIItems& items);

    bool Layout() override;
    void DragTo(UINT flags, int x, int y) override;
    int PosToValue(int x, int y) const override;
    void SetValue(int index, bool move) override;

protected:
    CPoint ThumbOrigin(int index) const override;
};

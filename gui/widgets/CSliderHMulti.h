#pragma once
// A horizontal slider of one or more stages (skin element HSLIDERM): no
// window of its own, but the thumbs (CPHSlider, one per STAGE) that share
// one slider track and are set, labelled and enabled together.  The item's
// window is its track's.

#include "gui/core/CGUIItem.h"
#include "gui/widgets/CPHSlider.h"

#include <pugixml.hpp>

#include <cstddef>
#include <memory>
#include <vector>

class CGUIItems;
class CSliderTrack;
class CWnd;

class CSliderHMulti : public CGUIItem {
public:
    // That many thumbs without windows, each on values 1..32.
    explicit CSliderHMulti(size_t thumbs);
    ~CSliderHMulti() override;

    // The HSLIDERM element's builder: null for an unknown name, without a
    // slider track, or when a thumb cannot be made.
    static CSliderHMulti* CreateFromElement(const pugi::xml_node& element, CWnd* parent, CGUIItems& items);

    // Every thumb gets the values 1..n on the indexes 0..n-1; refused
    // (false, nothing changed) for fewer than two positions.
    bool SetThumbRange(int n);
    // Thumb i's caption becomes its prefix and the text (translated).
    void SetThumbLabel(size_t i, const wchar_t* text);
    // Every thumb takes the mouse, and its window is enabled, or neither.
    void Enable(bool interactive);
    bool IsInteractive() const noexcept { return m_interactive != 0; }

    size_t GetThumbCount() const noexcept { return m_thumbs.size(); }
    CPHSlider* GetThumb(size_t i) const { return i < m_thumbs.size() ? m_thumbs[i].get() : nullptr; }
    CSliderTrack* GetTrack() const noexcept { return m_track; }

private:
    BYTE m_interactive = 1;
    CSliderTrack* m_track = nullptr;
    std::vector<std::unique_ptr<CPHSlider>> m_thumbs;
};

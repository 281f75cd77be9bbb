#include "gui/widgets/CSliderHMulti.h"

#include "gui/core/ItemSupport.h"
#include "gui/skin/AttributeReaders.h"
#include "gui/skin/SymbolTables.h"
#include "gui/widgets/CSliderTrack.h"

namespace {

constexpr int kDefaultPositions = 32;

}  // namespace

CSliderHMulti::CSliderHMulti(size_t thumbs) {
    SetItemFields(-1, kItemSliderHMulti, kNoWindowYet, nullptr);
    for (size_t i = 0; i < thumbs; ++i)
        m_thumbs.push_back(std::make_unique<CPHSlider>());
    SetThumbRange(kDefaultPositions);
}

CSliderHMulti::~CSliderHMulti() = default;

bool CSliderHMulti::SetThumbRange(int n) {
    if (n < 2)
        return false;
    for (auto& thumb : m_thumbs) {
        thumb->SetRange(1, n, 0, n - 1);
        thumb->SetCapRange(n);
    }
    return true;
}

void CSliderHMulti::SetThumbLabel(size_t i, const wchar_t* text) {
    if (i >= m_thumbs.size())
        return;
    CString shown;
    TranslateSkinText(text, shown);
    m_thumbs[i]->SetCaptionText(shown);
}

void CSliderHMulti::Enable(bool interactive) {
    m_interactive = interactive ? 1 : 0;
    for (auto& thumb : m_thumbs) {
        thumb->SetInteractive(interactive);
        if (thumb->GetSafeHwnd())
            thumb->EnableWindow(interactive);
    }
}

CSliderHMulti* CSliderHMulti::CreateFromElement(const pugi::xml_node& element, CWnd* parent, CGUIItems& items) {
    const int32_t id = ReadNameId(element);
    auto* track = dynamic_cast<CSliderTrack*>(ReadTrackRef(element, items));
    if (id == -1 || !track)
        return nullptr;
    pugi::xml_node stages = element.child("STAGES");
    size_t count = 0;
    for (pugi::xml_node stage = stages.child("STAGE"); stage; stage = stage.next_sibling("STAGE"))
        ++count;
    auto* slider = new CSliderHMulti(count);
    slider->m_track = track;
    const CBitmap* normal = ReadPictureElement("SBMN", element);
    track->SetThumb(slider->GetThumb(0));
    int32_t multiplier = 1;
    ReadMultiplier(element, multiplier);
    if (CPHSlider* first = slider->GetThumb(0))
        first->SetMultiplier(multiplier);
    const CBitmap* over = ReadPictureElement("SBMO", element);
    const CRect travel = ReadItemRect(id, element);
    size_t i = 0;
    for (pugi::xml_node stage = stages.child("STAGE"); stage; stage = stage.next_sibling("STAGE"), ++i) {
        CPHSlider& thumb = *slider->m_thumbs[i];
        thumb.SetItemFields(FindSymbolId(SkinText(stage)), kItemSliderHMulti, kNoWindowYet, track);
        if (!thumb.Create(normal, track, over, nullptr, true, travel)) {
            track->SetThumb(nullptr);
            delete slider;
            return nullptr;
        }
        thumb.m_itemWindow = thumb.GetSafeHwnd();
        CString tooltip, prefix;
        ReadTooltipPrefix(stage, tooltip, prefix);
        thumb.SetCaption(tooltip, CSliderBase::TipPositionOf(ReadTooltipPos(stage)), prefix);
        thumb.SetTooltipEnabled(ReadTooltipEnabled(stage));
        if (&thumb == track->GetThumb())
            track->SetToolEnabled(thumb.IsTooltipEnabled());
    }
    slider->Enable(ReadInteractive(element, true));
    slider->SetItemFields(id, kItemSliderHMulti, track->GetSafeHwnd(), parent);
    return slider;
}

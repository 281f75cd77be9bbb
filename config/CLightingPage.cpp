#include "config/CLightingPage.h"

#include "config/ItemLookup.h"
#include "config/ProfileDropdown.h"
#include "gui/core/GuiMessages.h"
#include "gui/skin/SymbolIds.h"
#include "gui/widgets/CBitmapBtn.h"
#include "gui/widgets/CDropdownColorButton.h"
#include "gui/widgets/CSliderHMulti.h"

void CLightingPage::Bind() {
    m_profiles = FindItem<CDropdownListItem>(m_items, LIST_GLOBALPROFILELIST, kItemDropdownList);
    m_onOff = FindItem<CBitmapBtn>(m_items, BUTTON_ENABLE_SYNCCOLOR, kItemBitmapButton);
    m_steady = FindItem<CBitmapBtn>(m_items, GLOW_LEDON, kItemBitmapButton);
    m_spectrum = FindItem<CBitmapBtn>(m_items, SPECTRUM_CYCLING_ON, kItemBitmapButton);
    m_brightness = FindItem<CSliderHMulti>(m_items, SLIDER_BRIGHTNESS_PERCENT, kItemSliderHMulti);
    m_colour = FindItem<CDropdownColorButton>(m_items, DROPDOWN_LOGO_COLOR, kItemDropdownColour);
    m_versions.Bind(m_items);
    if (m_profiles)
        PrepareProfileDropdown(*m_profiles);
    // A slider without its first thumb has nothing to show.
    if (m_brightness && !m_brightness->GetThumb(0))
        m_brightness = nullptr;
    if (m_brightness)
        m_brightness->SetThumbRange(kBrightnessPositions);
}

void CLightingPage::Refresh() {
    if (m_profiles)
        FillProfileDropdown(*m_profiles, Store());
    RefreshLightingPage();
    // A page is filled only once the keyboard has been read.
    m_versions.Show(Device(), true);
}

void CLightingPage::RefreshLightingPage() {
    const bool steady = m_lighting.IsSteady();
    if (m_steady)
        m_steady->SetCheckState(steady ? 1 : 0);
    if (m_spectrum)
        m_spectrum->SetCheckState(steady ? 0 : 1);
    SetBrightnessSlider(CLightingEditor::PositionOf(m_lighting.Brightness()));
    if (m_colour)
        m_colour->SetColour(m_lighting.Colour());
    if (m_onOff)
        m_onOff->SetCheckState(m_lighting.IsOn() ? 1 : 0);
}

void CLightingPage::SetLightingOn(bool on) {
    m_host.SetDirty(1);
    if (m_steady)
        m_steady->SetCheckState(on ? 1 : 0);
    if (m_spectrum)
        m_spectrum->SetCheckState(on ? 0 : 1);
}

void CLightingPage::SetBrightnessSlider(int position) {
    if (!m_brightness)
        return;
    m_brightness->GetThumb(0)->SetValueInRange(position);
    // After the value, which writes its number into the caption.
    m_brightness->SetThumbLabel(0, CLightingEditor::StepNameAt(position));
}

bool CLightingPage::OnCommand(int32_t itemId) {
    switch (itemId) {
    case GLOW_LEDON:
        SetLightingOn(true);
        m_lighting.ChooseSteady();
        return true;
    case SPECTRUM_CYCLING_ON:
    case GLOW_LEDOFF:
        SetLightingOn(false);
        m_lighting.ChooseSpectrum();
        return true;
    case SCROLL_LEDON:
    case SCROLL_LEDOFF:
        SetLightingOn(itemId == SCROLL_LEDON);
        return true;
    case BUTTON_ENABLE_SYNCCOLOR:
        if (m_onOff)
            m_lighting.SetOnOff(m_onOff->GetCheckState() != 0);
        m_host.SetDirty(1);
        return true;
    default:
        return false;
    }
}

bool CLightingPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    const bool fromSlider = static_cast<int32_t>(lParam) == SLIDER_BRIGHTNESS_PERCENT_STAGE && m_brightness;
    const bool fromColour = static_cast<int32_t>(lParam) == DROPDOWN_LOGO_COLOR && m_colour;
    switch (message) {
    case WM_SLIDER_VALUE_CHANGING:
        if (!fromSlider)
            return false;
        m_lighting.MoveBrightness(static_cast<int>(wParam));
        m_host.SetDirty(1);
        break;
    case WM_SLIDER_VALUE_SET:
        if (!fromSlider)
            return false;
        SetBrightnessSlider(m_lighting.ReleaseBrightness(static_cast<int>(wParam)));
        m_host.SetDirty(1);
        break;
    case WM_GUI_VALUE_PICKED:
        if (!fromColour)
            return false;
        m_lighting.ChooseColour(static_cast<uint32_t>(wParam));
        m_host.SetDirty(1);
        break;
    case WM_PALETTE_COLOUR_SELECTED:
        // Only the logo colour's palette sends these; a final choice came
        // as WM_GUI_VALUE_PICKED already.
        if (!m_colour)
            return false;
        if (static_cast<int>(wParam) == kPalettePreview)
            m_lighting.PreviewColour(static_cast<uint32_t>(lParam));
        break;
    case WM_PALETTE_DISMISSED:
        if (!fromColour)
            return false;
        m_lighting.EndPreview();
        break;
    case WM_DROPDOWN_SELCHANGE:
        if (!m_profiles || reinterpret_cast<HWND>(lParam) != WindowOf(m_profiles))
            return false;
        if (IKeyboardProfile* chosen = ProfileToSwitchTo(*m_profiles, static_cast<int>(wParam), Store()))
            m_host.SwitchProfile(chosen);
        break;
    default:
        return false;
    }
    result = 0;
    return true;
}

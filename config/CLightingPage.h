#pragma once
// The lighting and maintenance page: the logo light of the active profile
// (steady colour or spectrum cycling, the colour from the palette, the
// brightness in four steps on the slider), the keyboard-wide on/off switch,
// the profile drop-down and the versions.  Every change goes into the store
// and to the keyboard at once through the dialog's lighting editor, and
// marks the dialog dirty.

#include "config/CDialogPage.h"
#include "config/CLightingEditor.h"
#include "config/CVersionTexts.h"

class CBitmapBtn;
class CDropdownColorButton;
class CDropdownListItem;
class CSliderHMulti;

class CLightingPage : public CDialogPage {
public:
    // The slider's positions: values 1..100.
    static constexpr int kBrightnessPositions = 100;

    CLightingPage(IPageHost& host, CLightingEditor& lighting) : CDialogPage(host), m_lighting(lighting) {}

    void Bind() override;
    // The page from the store: the profile drop-down and the lighting.
    void Refresh() override;
    bool OnCommand(int32_t itemId) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // The effect buttons, the slider, the colour and the switch from the store.
    void RefreshLightingPage();
    // The effect buttons: steady on, or spectrum cycling on.
    void SetLightingOn(bool on);
    // The slider at a position, with its step's name.
    void SetBrightnessSlider(int position);

private:
    CLightingEditor& m_lighting;
    CDropdownListItem* m_profiles = nullptr;
    CBitmapBtn* m_onOff = nullptr;
    CBitmapBtn* m_steady = nullptr;
    CBitmapBtn* m_spectrum = nullptr;
    CSliderHMulti* m_brightness = nullptr;
    CDropdownColorButton* m_colour = nullptr;
    CVersionTexts m_versions;
};

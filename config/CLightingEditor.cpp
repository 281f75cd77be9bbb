#include "config/CLightingEditor.h"

#include "model/device/LightingTransfer.h"
#include "model/store/CSyncedState.h"
#include "platform/Guid.h"

#include <climits>

namespace {

// The four steps: the last slider position of each, what it stores, where
// the slider shows it and its name.
struct Step {
    int lastPosition;
    uint32_t brightness;
    int shownAt;
    const wchar_t* name;
};

const Step kSteps[] = {
    {15, 0, 0, L"$Off"},
    {46, 20, 29, L"$Dim"},
    {82, 50, 62, L"$Normal"},
    {INT_MAX, 100, 100, L"$Bright"},
};

const Step& StepAt(int position) {
    for (const Step& step : kSteps)
        if (position <= step.lastPosition)
            return step;
    return kSteps[3];
}

}  // namespace

uint32_t CLightingEditor::BrightnessAt(int position) { return StepAt(position).brightness; }

int CLightingEditor::PositionOf(uint32_t brightness) {
    if (brightness < 16)
        return kSteps[0].shownAt;
    if (brightness < 47)
        return kSteps[1].shownAt;
    if (brightness < 83)
        return kSteps[2].shownAt;
    return kSteps[3].shownAt;
}

const wchar_t* CLightingEditor::StepNameAt(int position) { return StepAt(position).name; }

bool CLightingEditor::KeyboardShowsActiveProfile() const {
    IKeyboardProfile* active = Active();
    const CSyncedState* synced = SyncedStateOf(&m_store);
    return active && synced && !IsNullGuid(active->GetGuid()) && active->GetGuid() == synced->activeProfile;
}

uint32_t CLightingEditor::Effect() const { return Active() ? m_store.GetLedEffect(kLogoLed, nullptr) : kSteady; }

uint32_t CLightingEditor::Colour() const { return Active() ? m_store.GetLedColor(kLogoLed, nullptr) : 0; }

uint32_t CLightingEditor::Brightness() const { return Active() ? m_store.GetLedBrightness(kLogoLed, nullptr) : 0; }

void CLightingEditor::Show(uint32_t brightness, uint32_t colour, uint32_t effect, uint32_t flags) {
    if (KeyboardShowsActiveProfile())
        m_keyboard.SetLighting(brightness, colour, effect, flags);
}

void CLightingEditor::ChooseSteady() {
    if (!Active())
        return;
    m_store.SetLedEffect(kLogoLed, kSteady, nullptr);
    Show(0, Colour(), kSteady, kLightingColour | kLightingEffect);
}

void CLightingEditor::ChooseSpectrum() {
    if (!Active())
        return;
    m_store.SetLedEffect(kLogoLed, kSpectrum, nullptr);
    Show(0, 0, kSpectrum, kLightingEffect);
}

void CLightingEditor::ChooseColour(uint32_t colour) {
    if (!Active())
        return;
    m_store.SetLedColor(kLogoLed, colour, nullptr);
    if (IsSteady())
        Show(0, colour, 0, kLightingColour);
}

void CLightingEditor::PreviewColour(uint32_t colour) {
    if (Active() && IsSteady())
        Show(0, colour, 0, kLightingColour);
}

void CLightingEditor::EndPreview() { PreviewColour(Colour()); }

void CLightingEditor::MoveBrightness(int position) {
    if (Active())
        m_store.SetLedBrightness(kLogoLed, BrightnessAt(position), nullptr);
}

int CLightingEditor::ReleaseBrightness(int position) {
    MoveBrightness(position);
    if (Active())
        Show(Brightness(), 0, 0, kLightingBrightness);
    return SnapPosition(position);
}

void CLightingEditor::SetOnOff(bool on) {
    m_store.SetOnOffFeature(on ? 1 : 0);
    m_keyboard.SetFeature(on);
}

void CLightingEditor::ApplyLighting() {
    if (Active())
        Show(Brightness(), Colour(), Effect(), kLightingAll);
}

LightingSnapshot CLightingEditor::Capture() const {
    LightingSnapshot snapshot;
    IKeyboardProfile* active = Active();
    if (!active)
        return snapshot;
    snapshot.valid = true;
    snapshot.profile = active->GetGuid();
    snapshot.effect = Effect();
    snapshot.colour = Colour();
    snapshot.brightness = Brightness();
    snapshot.onOff = m_store.GetOnOffFeature();
    return snapshot;
}

void CLightingEditor::RestoreSnapshot() {
    if (!m_snapshot.valid)
        return;
    m_store.SetOnOffFeature(m_snapshot.onOff);
    IKeyboardProfile* profile = m_store.FindProfileByGuid(m_snapshot.profile);
    if (!profile || IsNullGuid(m_snapshot.profile))
        return;
    m_store.SetLedColor(kLogoLed, m_snapshot.colour, profile);
    m_store.SetLedBrightness(kLogoLed, m_snapshot.brightness, profile);
    m_store.SetLedEffect(kLogoLed, m_snapshot.effect, profile);
}

void CLightingEditor::SendSnapshot() {
    if (!m_snapshot.valid)
        return;
    const CSyncedState* synced = SyncedStateOf(&m_store);
    if (synced && !IsNullGuid(m_snapshot.profile) && synced->activeProfile == m_snapshot.profile)
        m_keyboard.SetLighting(m_snapshot.brightness, m_snapshot.colour, m_snapshot.effect, kLightingAll);
    m_keyboard.SetFeature(m_snapshot.onOff != 0);
}

#include "emulator/CLed.h"

#include "emulator/ItemCalls.h"

// Effects 1 to 5 are the keyboard's animations; 0 is steady light.
static const ULONG kMaxEffect = 5;
static const ULONG kMaxBrightness = 100;
static const ULONG kMaxColor = 0xFFFFFF;

void* CLed::Find(REFIID iid) {
    if (iid == IID_IUnknown || iid == IID_ILed)
        return static_cast<ILed*>(this);
    if (iid == IID_ILedColor)
        return static_cast<ILedColor*>(this);
    if (iid == IID_ILedBrightness)
        return static_cast<ILedBrightness*>(this);
    if (iid == IID_ILedEffect)
        return static_cast<ILedEffect*>(this);
    return nullptr;
}

LedState* CLed::Open(const wchar_t* operation, HRESULT& hr) {
    ProfileState* profile = OpenItem(*m_state, operation, &CKeyboardState::FindProfile, m_profile, hr);
    return profile ? &profile->leds[m_id - 1] : nullptr;
}

HRESULT CLed::Switch(const wchar_t* operation, bool on) {
    HRESULT hr;
    LedState* led = Open(operation, hr);
    if (!led)
        return hr;
    led->on = on;
    m_state->Changed();
    return S_OK;
}

HRESULT CLed::On() { return Switch(L"ILed.On", true); }

HRESULT CLed::Off() { return Switch(L"ILed.Off", false); }

template <typename Out, typename Field>
HRESULT CLed::Read(const wchar_t* operation, Out* out, Field LedState::*field) {
    if (!out)
        return E_POINTER;
    *out = 0;
    HRESULT hr;
    if (LedState* led = Open(operation, hr))
        *out = static_cast<Out>(led->*field);
    return hr;
}

HRESULT CLed::Write(const wchar_t* operation, ULONG value, ULONG maxValue, uint32_t LedState::*field) {
    HRESULT hr;
    LedState* led = Open(operation, hr);
    if (!led)
        return hr;
    if (value > maxValue)
        return E_INVALIDARG;
    led->*field = value;
    m_state->Changed();
    return S_OK;
}

HRESULT CLed::GetState(BYTE* on) { return Read(L"ILed.GetState", on, &LedState::on); }

HRESULT CLed::GetId(ULONG* id) {
    if (!id)
        return E_POINTER;
    *id = 0;
    HRESULT hr;
    if (Open(L"ILed.GetId", hr))
        *id = m_id;
    return hr;
}

HRESULT CLed::SetColor(ULONG color) { return Write(L"ILedColor.SetColor", color, kMaxColor, &LedState::color); }

HRESULT CLed::GetColor(ULONG* color) { return Read(L"ILedColor.GetColor", color, &LedState::color); }

HRESULT CLed::SetBrightness(ULONG brightness) {
    return Write(L"ILedBrightness.SetBrightness", brightness, kMaxBrightness, &LedState::brightness);
}

HRESULT CLed::GetBrightness(ULONG* brightness) {
    return Read(L"ILedBrightness.GetBrightness", brightness, &LedState::brightness);
}

HRESULT CLed::SetEffect(ULONG effect, ULONG timeOnMs, ULONG timeOffMs) {
    HRESULT hr;
    LedState* led = Open(L"ILedEffect.SetEffect", hr);
    if (!led)
        return hr;
    if (effect > kMaxEffect)
        return E_INVALIDARG;
    led->effect = effect;
    led->timeOnMs = timeOnMs;
    led->timeOffMs = timeOffMs;
    m_state->Changed();
    return S_OK;
}

HRESULT CLed::GetEffect(ULONG* effect, ULONG* timeOnMs, ULONG* timeOffMs) {
    if (!effect || !timeOnMs || !timeOffMs)
        return E_POINTER;
    *effect = *timeOnMs = *timeOffMs = 0;
    HRESULT hr;
    if (LedState* led = Open(L"ILedEffect.GetEffect", hr)) {
        *effect = led->effect;
        *timeOnMs = led->timeOnMs;
        *timeOffMs = led->timeOffMs;
    }
    return hr;
}

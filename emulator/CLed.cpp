#include "emulator/CLed.h"

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
    hr = m_state->Enter(operation);
    if (FAILED(hr))
        return nullptr;
    ProfileState* profile = m_state->FindProfile(m_profile);
    if (!profile) {
        hr = kServiceNotFound;
        return nullptr;
    }
    return &profile->leds[m_id - 1];
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

HRESULT CLed::GetState(BYTE* on) {
    if (!on)
        return E_POINTER;
    *on = 0;
    HRESULT hr;
    if (LedState* led = Open(L"ILed.GetState", hr))
        *on = led->on ? 1 : 0;
    return hr;
}

HRESULT CLed::GetId(ULONG* id) {
    if (!id)
        return E_POINTER;
    *id = 0;
    HRESULT hr;
    if (Open(L"ILed.GetId", hr))
        *id = m_id;
    return hr;
}

HRESULT CLed::SetColor(ULONG color) {
    HRESULT hr;
    LedState* led = Open(L"ILedColor.SetColor", hr);
    if (!led)
        return hr;
    if (color > kMaxColor)
        return E_INVALIDARG;
    led->color = color;
    m_state->Changed();
    return S_OK;
}

HRESULT CLed::GetColor(ULONG* color) {
    if (!color)
        return E_POINTER;
    *color = 0;
    HRESULT hr;
    if (LedState* led = Open(L"ILedColor.GetColor", hr))
        *color = led->color;
    return hr;
}

HRESULT CLed::SetBrightness(ULONG brightness) {
    HRESULT hr;
    LedState* led = Open(L"ILedBrightness.SetBrightness", hr);
    if (!led)
        return hr;
    if (brightness > kMaxBrightness)
        return E_INVALIDARG;
    led->brightness = brightness;
    m_state->Changed();
    return S_OK;
}

HRESULT CLed::GetBrightness(ULONG* brightness) {
    if (!brightness)
        return E_POINTER;
    *brightness = 0;
    HRESULT hr;
    if (LedState* led = Open(L"ILedBrightness.GetBrightness", hr))
        *brightness = led->brightness;
    return hr;
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

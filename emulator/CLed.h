#pragma once
// One LED of one profile: on or off, colour, brightness and effect.

#include "emulator/CKeyboardState.h"
#include "service/ServiceInterfaces.h"

#include <memory>

class CLed : public ILed, public ILedColor, public ILedBrightness, public ILedEffect {
public:
    CLed(std::shared_ptr<CKeyboardState> state, const GUID& profile, uint32_t id)
        : m_state(std::move(state)), m_profile(profile), m_id(id) {}
    void* Find(REFIID iid);

    // ILed
    HRESULT STDMETHODCALLTYPE On() override;
    HRESULT STDMETHODCALLTYPE Off() override;
    HRESULT STDMETHODCALLTYPE GetState(BYTE* on) override;
    HRESULT STDMETHODCALLTYPE GetId(ULONG* id) override;
    // ILedColor
    HRESULT STDMETHODCALLTYPE SetColor(ULONG color) override;
    HRESULT STDMETHODCALLTYPE GetColor(ULONG* color) override;
    // ILedBrightness
    HRESULT STDMETHODCALLTYPE SetBrightness(ULONG brightness) override;
    HRESULT STDMETHODCALLTYPE GetBrightness(ULONG* brightness) override;
    // ILedEffect
    HRESULT STDMETHODCALLTYPE SetEffect(ULONG effect, ULONG timeOnMs, ULONG timeOffMs) override;
    HRESULT STDMETHODCALLTYPE GetEffect(ULONG* effect, ULONG* timeOnMs, ULONG* timeOffMs) override;

private:
    LedState* Open(const wchar_t* operation, HRESULT& hr);
    HRESULT Switch(const wchar_t* operation, bool on);
    // One setting of the LED, read or written by the service call operation;
    // a written value above maxValue is refused.
    template <typename Out, typename Field>
    HRESULT Read(const wchar_t* operation, Out* out, Field LedState::*field);
    HRESULT Write(const wchar_t* operation, ULONG value, ULONG maxValue, uint32_t LedState::*field);

    std::shared_ptr<CKeyboardState> m_state;
    GUID m_profile;
    uint32_t m_id;
};

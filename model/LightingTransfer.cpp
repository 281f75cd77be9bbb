#include "model/LightingTransfer.h"

#include "model/CDeviceLink.h"
#include "model/DeviceCalls.h"

namespace {

constexpr uint32_t kLightingLedId = 5;
constexpr uint32_t kLightingFlagColour = 0x1;
constexpr uint32_t kLightingFlagBrightness = 0x2;
constexpr uint32_t kLightingFlagEffect = 0x4;

// Calls fn(led, id) for every LED of the collection whose id can be read,
// walking by index until the first failure; false when an id read failed.
template <class Fn>
bool ForEachLed(ILedCollection* leds, Fn fn) {
    bool allIds = true;
    ForEachDeviceItem(leds, &ILedCollection::GetLed, [&](ILed* led) {
        ULONG id = 0;
        if (FAILED(led->GetId(&id)))
            allIds = false;
        else
            fn(led, id);
        return true;
    });
    return allIds;
}

template <class I>
CComPtr<I> LedPart(ILed* led) {
    CComPtr<I> part;
    part.QueryFrom(led, __uuidof(I));
    return part;
}

// The direct calls find the keyboard afresh and ask its features interface.
CComPtr<IDeviceFeatures> OpenKeyboardFeatures(CDeviceLink& link) {
    CComPtr<IDeviceFeatures> features;
    if (link.Open(KEYBOARD_PRODUCT_ID))
        features.QueryFrom(link.Device(), IID_IDeviceFeatures);
    return features;
}

}  // namespace

int32_t LedIndexFromId(uint32_t ledId) noexcept {
    return ledId >= 1 && ledId <= 11 ? static_cast<int32_t>(ledId) - 1 : -1;
}

uint32_t MapLedEffect(uint32_t effect) noexcept { return effect >= 1 && effect <= 5 ? effect : 0; }

CString FormatVersion(uint32_t major, uint32_t minor) {
    CString text;
    text.Format(L"%d.%02d", static_cast<int>(major), static_cast<int>(minor));
    return text;
}

bool WriteLighting(IDeviceProfile* device, IKeyboardConfig* config, IKeyboardProfile* profile) {
    if (!config || !profile)
        return false;
    CComPtr<ILedCollection> leds = GetFeatureOf<ILedCollection>(device);
    bool result = true;
    ForEachLed(leds, [&](ILed* led, ULONG id) {
        int32_t index = LedIndexFromId(id);
        HRESULT hr = config->GetLedEnabled(index, profile) ? led->On() : led->Off();
        result = SUCCEEDED(hr) && result;
        if (CComPtr<ILedColor> colour = LedPart<ILedColor>(led))
            result = SUCCEEDED(colour->SetColor(config->GetLedColor(index, profile))) && result;
        if (CComPtr<ILedBrightness> brightness = LedPart<ILedBrightness>(led))
            result = SUCCEEDED(brightness->SetBrightness(config->GetLedBrightness(index, profile))) && result;
        if (CComPtr<ILedEffect> effect = LedPart<ILedEffect>(led))
            result = SUCCEEDED(effect->SetEffect(MapLedEffect(config->GetLedEffect(index, profile)), 0, 0)) && result;
    });
    return result;
}

bool ReadLighting(IDeviceProfile* device, IKeyboardConfig* config, IKeyboardProfile* profile) {
    if (!config || !profile)
        return false;
    CComPtr<ILedCollection> leds = GetFeatureOf<ILedCollection>(device);
    return ForEachLed(leds, [&](ILed* led, ULONG id) {
        int32_t index = LedIndexFromId(id);
        BYTE on = 0;
        if (FAILED(led->GetState(&on)))
            on = 0;
        config->SetLedEnabled(index, on != 0, profile);
        if (CComPtr<ILedBrightness> brightness = LedPart<ILedBrightness>(led)) {
            ULONG value = 0;
            if (FAILED(brightness->GetBrightness(&value)))
                value = 0;
            config->SetLedBrightness(index, value, profile);
        }
        if (CComPtr<ILedColor> colour = LedPart<ILedColor>(led)) {
            ULONG value = 0;
            if (FAILED(colour->GetColor(&value)))
                value = 0;
            config->SetLedColor(index, value, profile);
        }
        if (CComPtr<ILedEffect> effect = LedPart<ILedEffect>(led)) {
            ULONG value = 0, timeOn = 0, timeOff = 0;
            if (FAILED(effect->GetEffect(&value, &timeOn, &timeOff)))
                value = 0;
            config->SetLedEffect(index, MapLedEffect(value), profile);
        }
    });
}

bool ReadVersionTexts(IDevice* device, CString& text1, CString& text2) {
    bool result = true;
    for (int text = 1; text <= 2; ++text) {
        DeviceInfo info = {};
        CString& out = text == 1 ? text1 : text2;
        if (!device || FAILED(device->GetInfo(&info))) {
            out.Format(L"%.2f", 0.0);
            result = false;
            continue;
        }
        CoTaskMemFree(info.text);
        out = text == 1 ? FormatVersion(info.firstVersionMajor, info.firstVersionMinor)
                        : FormatVersion(info.secondVersionMajor, info.secondVersionMinor);
    }
    return result;
}

bool WriteOnOffFeature(IDevice* device, IKeyboardConfig* config) {
    CComPtr<IOnOffFeature> onOff = GetFeatureOf<IOnOffFeature>(device);
    return onOff && config && SUCCEEDED(onOff->SetValue(config->GetOnOffFeature() != 0 ? 1 : 0));
}

bool ReadOnOffFeature(IDevice* device, IKeyboardConfig* config) {
    CComPtr<IOnOffFeature> onOff = GetFeatureOf<IOnOffFeature>(device);
    ULONG value = 0;
    if (!onOff || !config || FAILED(onOff->GetValue(&value)))
        return false;
    config->SetOnOffFeature(value == 1 ? 1 : 0);
    return true;
}

bool ReadOptionalFeature(IDevice* device) {
    CComPtr<IOptionalFeature> optional;
    BYTE state = 0;
    return device && SUCCEEDED(optional.QueryFrom(device, IID_IOptionalFeature)) &&
           SUCCEEDED(optional->GetState(&state)) && state != 0;
}

void SetDeviceLighting(uint32_t brightness, uint32_t colour, uint32_t effect, uint32_t flags) {
    CDeviceLink link;
    CComPtr<IDeviceFeatures> features = OpenKeyboardFeatures(link);
    CComPtr<IProfileManager> profiles = GetFeatureOf<IProfileManager>(features.Get());
    CComPtr<IDeviceProfile> active;
    if (!profiles || FAILED(profiles->GetActiveProfile(&active)) || !active)
        return;
    CComPtr<ILedCollection> leds = GetFeatureOf<ILedCollection>(active.Get());
    ForEachLed(leds, [&](ILed* led, ULONG id) {
        if (id != kLightingLedId)
            return;
        if (flags & kLightingFlagColour)
            if (CComPtr<ILedColor> part = LedPart<ILedColor>(led))
                part->SetColor(colour);
        if (flags & kLightingFlagBrightness)
            if (CComPtr<ILedBrightness> part = LedPart<ILedBrightness>(led))
                part->SetBrightness(brightness);
        if (flags & kLightingFlagEffect)
            if (CComPtr<ILedEffect> part = LedPart<ILedEffect>(led))
                part->SetEffect(effect == 5 ? 5 : 0, 0, 0);
    });
}

void SetDeviceFeature(bool on) {
    CDeviceLink link;
    CComPtr<IDeviceFeatures> features = OpenKeyboardFeatures(link);
    if (CComPtr<IOnOffFeature> onOff = GetFeatureOf<IOnOffFeature>(features.Get()))
        onOff->SetValue(on ? 1 : 0);
}

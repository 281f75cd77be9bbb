#include "model/device/LightingTransfer.h"

#include "model/device/CDeviceLink.h"
#include "model/device/DeviceCalls.h"

#include <objidl.h>

#include <algorithm>
#include <type_traits>

namespace {

constexpr uint32_t kLightingLedId = 5;

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

// The colour, brightness and effect of an LED; each null when the LED has
// none.  Through a proxy the three are asked for in one round trip.
struct LedParts {
    CComPtr<ILedColor> colour;
    CComPtr<ILedBrightness> brightness;
    CComPtr<ILedEffect> effect;
};

LedParts QueryLedParts(ILed* led) {
    LedParts parts;
    CComPtr<IMultiQI> multi;
    if (FAILED(multi.QueryFrom(led, IID_IMultiQI)) || !multi) {
        parts.colour = LedPart<ILedColor>(led);
        parts.brightness = LedPart<ILedBrightness>(led);
        parts.effect = LedPart<ILedEffect>(led);
        return parts;
    }
    MULTI_QI asked[3] = {{&IID_ILedColor, nullptr, S_OK},
                         {&IID_ILedBrightness, nullptr, S_OK},
                         {&IID_ILedEffect, nullptr, S_OK}};
    multi->QueryMultipleInterfaces(3, asked);
    auto take = [](MULTI_QI& answer, auto& part) {
        if (SUCCEEDED(answer.hr) && answer.pItf)
            part.Attach(static_cast<std::remove_reference_t<decltype(*part.Get())>*>(answer.pItf));
        else if (answer.pItf)
            answer.pItf->Release();
    };
    take(asked[0], parts.colour);
    take(asked[1], parts.brightness);
    take(asked[2], parts.effect);
    return parts;
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

bool WriteLighting(IDeviceProfile* device, IKeyboardConfig* config, IKeyboardProfile* profile,
                   const std::vector<int32_t>& leds) {
    if (!config || !profile)
        return false;
    if (leds.empty())
        return true;
    // The LEDs still to write; the walk ends once they are done.
    std::vector<int32_t> left = leds;
    const bool anyOther = std::find(left.begin(), left.end(), -1) != left.end();
    // A keyboard without LEDs has nothing to write.
    CComPtr<ILedCollection> collection = GetFeatureOf<ILedCollection>(device);
    bool result = true;
    ForEachDeviceItem(collection.Get(), &ILedCollection::GetLed, [&](ILed* led) {
        ULONG id = 0;
        if (FAILED(led->GetId(&id)))
            return true;
        const int32_t index = LedIndexFromId(id);
        auto it = std::find(left.begin(), left.end(), index);
        if (it == left.end())
            return true;
        // Several LEDs may have ids outside the store's: each of them goes.
        if (index != -1)
            left.erase(it);
        HRESULT hr = config->GetLedEnabled(index, profile) ? led->On() : led->Off();
        result = SUCCEEDED(hr) && result;
        LedParts parts = QueryLedParts(led);
        if (parts.colour)
            result = SUCCEEDED(parts.colour->SetColor(config->GetLedColor(index, profile))) && result;
        if (parts.brightness)
            result = SUCCEEDED(parts.brightness->SetBrightness(config->GetLedBrightness(index, profile))) && result;
        if (parts.effect)
            result = SUCCEEDED(parts.effect->SetEffect(MapLedEffect(config->GetLedEffect(index, profile)), 0, 0)) &&
                     result;
        return anyOther || !left.empty();
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
        LedParts parts = QueryLedParts(led);
        if (parts.brightness) {
            ULONG value = 0;
            if (FAILED(parts.brightness->GetBrightness(&value)))
                value = 0;
            config->SetLedBrightness(index, value, profile);
        }
        if (parts.colour) {
            ULONG value = 0;
            if (FAILED(parts.colour->GetColor(&value)))
                value = 0;
            config->SetLedColor(index, value, profile);
        }
        if (parts.effect) {
            ULONG value = 0, timeOn = 0, timeOff = 0;
            if (FAILED(parts.effect->GetEffect(&value, &timeOn, &timeOff)))
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
        if (flags & kLightingColour)
            if (CComPtr<ILedColor> part = LedPart<ILedColor>(led))
                part->SetColor(colour);
        if (flags & kLightingBrightness)
            if (CComPtr<ILedBrightness> part = LedPart<ILedBrightness>(led))
                part->SetBrightness(brightness);
        // Every effect the keyboard knows goes as it is, so that putting a
        // remembered lighting back restores it exactly.
        if (flags & kLightingEffect)
            if (CComPtr<ILedEffect> part = LedPart<ILedEffect>(led))
                part->SetEffect(MapLedEffect(effect), 0, 0);
    });
}

void SetDeviceFeature(bool on) {
    CDeviceLink link;
    CComPtr<IDeviceFeatures> features = OpenKeyboardFeatures(link);
    if (CComPtr<IOnOffFeature> onOff = GetFeatureOf<IOnOffFeature>(features.Get()))
        onOff->SetValue(on ? 1 : 0);
}

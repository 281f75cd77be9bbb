#pragma once
// The keyboard's lighting changed through its service, at once (the direct
// calls of LightingTransfer).

#include "model/device/IKeyboardLighting.h"

class CServiceLighting : public IKeyboardLighting {
public:
    void SetLighting(uint32_t brightness, uint32_t colour, uint32_t effect, uint32_t flags) override;
    void SetFeature(bool on) override;
};

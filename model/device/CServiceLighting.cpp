#include "model/device/CServiceLighting.h"

#include "model/device/LightingTransfer.h"

void CServiceLighting::SetLighting(uint32_t brightness, uint32_t colour, uint32_t effect, uint32_t flags) {
    SetDeviceLighting(brightness, colour, effect, flags);
}

void CServiceLighting::SetFeature(bool on) { SetDeviceFeature(on); }

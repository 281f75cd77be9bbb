#include "model/device/DeviceDescriptor.h"

#include "service/ServiceInterfaces.h"

namespace {
const uint32_t kKeyboardCapabilities[] = {1, 3, 4, 5, 6, 7, 8, 17};
}

const DeviceDescriptor kKeyboardDescriptor = {
    KEYBOARD_PRODUCT_ID, kKeyboardCapabilities, sizeof kKeyboardCapabilities / sizeof kKeyboardCapabilities[0], L"Mobek Tilvor", 0,
};

#include "model/device/KeyboardDevices.h"

#include "model/device/CKeyboard.h"
#include "model/device/CNullKeyboard.h"

#include <memory>

namespace {
std::unique_ptr<CKeyboard> g_keyboard;
std::unique_ptr<CNullKeyboard> g_nullKeyboard;
}  // namespace

IGenDevice* CreateKeyboardDevice(IKeyboardConfig* config) {
    DestroyKeyboardDevices();
    auto keyboard = std::make_unique<CKeyboard>();
    if (keyboard->Initialize(config)) {
        g_keyboard = std::move(keyboard);
        return g_keyboard.get();
    }
    keyboard.reset();
    g_nullKeyboard = std::make_unique<CNullKeyboard>();
    g_nullKeyboard->Initialize(config);
    return g_nullKeyboard.get();
}

void DestroyKeyboardDevices() {
    g_keyboard.reset();
    g_nullKeyboard.reset();
}

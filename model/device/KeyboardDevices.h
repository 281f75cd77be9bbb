#pragma once
// The program's one keyboard object, made at start-up and destroyed at exit.

#include "model/device/IGenDevice.h"
#include "model/store/IKeyboardConfig.h"

// The keyboard object when the keyboard can be reached and read; otherwise
// the null keyboard.  The object stays owned here.
IGenDevice* CreateKeyboardDevice(IKeyboardConfig* config);
// Destroys whichever object was made.
void DestroyKeyboardDevices();

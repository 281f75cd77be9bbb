#include "tray/CMacroLedScheme.h"

CMacroLedScheme::CMacroLedScheme()
    : m_steps{
          // LED, on, colour, brightness, effect, time on, time off
          {7, 1, 255, 100, 0, 0, 0},
          {7, 1, 255, 100, 1, 300, 300},
          {7, 0, 255, 100, 0, 0, 0},
      } {}

const CMacroLedScheme& GetMacroLedScheme() {
    static const CMacroLedScheme scheme;
    return scheme;
}

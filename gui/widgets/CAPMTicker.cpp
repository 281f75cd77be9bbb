#include "gui/widgets/CAPMTicker.h"

void CAPMTicker::SetCapRange(int max, int min) {
    m_capMin = ClampIndex(min);
    m_capMax = ClampIndex(max);
}

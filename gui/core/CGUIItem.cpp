#include "gui/core/CGUIItem.h"

void CGUIItem::Show(bool show) {
    if (m_itemWindow != nullptr)
        ::ShowWindow(m_itemWindow, show ? SW_SHOW : SW_HIDE);
}

#pragma once
// Presses on the popup list that is open, for the steps of a ModalScript
// (tests/support/ModalScript.h) run while the popup's own modal loop turns.

#include "gui/widgets/CListPanelList.h"

#include <windows.h>

#include <functional>
#include <vector>

// The popup list that has the mouse now.
CListPanelList* OpenList();
// A point in the middle height of a row of a popup list, in its client area.
LPARAM RowPoint(const CListPanelList& list, int row);
// Presses on the popup list that has the mouse.
std::function<void()> PressRow(int row, UINT message = WM_LBUTTONDOWN);

#pragma once
// The private window messages that widgets of this library send to the
// dialogs of the two programs.  A dialog includes this header and never
// defines a message of its own with the same number.

#include <windows.h>

// A slider track was clicked (wParam: the track's id, lParam: the point).
constexpr UINT WM_SLIDER_TRACK_CLICKED = WM_USER + 72;
// A key on a row of the list control (wParam: the row key, lParam: the list's window).
constexpr UINT WM_LIST_ROW_KEY = WM_USER + 508;

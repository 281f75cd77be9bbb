#pragma once
// The private window messages that widgets of this library send to the
// dialogs of the two programs (and to the library's own popups).  Every
// WM_USER number a widget sends is defined here, once, so no two share a
// number; a dialog includes this header and never defines a message of its
// own with the same number.

#include <windows.h>

// A slider's thumb was let go, or jumped to a click on its track, posted to
// the track and by the track to its owner (wParam: the value, lParam: the
// thumb's id).
constexpr UINT WM_SLIDER_VALUE_SET = WM_USER + 70;
// A dragged thumb reached another value, posted as WM_SLIDER_VALUE_SET.
constexpr UINT WM_SLIDER_VALUE_CHANGING = WM_USER + 71;
// A slider track was clicked (wParam: the track's id, lParam: the point).
constexpr UINT WM_SLIDER_TRACK_CLICKED = WM_USER + 72;
// A thumb moved, sent to its track (wParam: 0, lParam: the thumb's left
// edge (horizontal) or its edge that the fill follows (vertical)).
constexpr UINT WM_HSLIDER_THUMB_MOVED = WM_USER + 73;
constexpr UINT WM_VSLIDER_THUMB_MOVED = WM_USER + 74;
// A level marker was let go, posted to its parent (wParam: the value, lParam: the marker's id).
constexpr UINT WM_DMARKER_RELEASED = WM_USER + 90;
// An edit's text changed, sent to its owner (wParam: 0, lParam: the edit's window).
constexpr UINT WM_EDITITEM_CHANGED = WM_USER + 200;
// A colour of the palette, posted by the palette to its button (wParam: the
// colour, lParam: 0 for a choice, kPalettePreview for a keyboard move) and
// by the button to its notify window (wParam: 0 for a choice or
// kPalettePreview, lParam: the colour).
constexpr UINT WM_PALETTE_COLOUR_SELECTED = WM_USER + 220;
constexpr int kPalettePreview = 100;
// The palette was dismissed with Escape, posted by the palette to its button
// (wParam: its colour, lParam: 0) and sent by the button to its notify
// window (wParam: the colour, lParam: the button's control id).
constexpr UINT WM_PALETTE_DISMISSED = WM_USER + 221;
// The palette's custom button or Tab, posted to the button (wParam: the palette's colour).
constexpr UINT WM_PALETTE_CUSTOM_REQUESTED = WM_USER + 222;
// A value was picked, sent to the owner: a key edit captured a step (wParam:
// 0, lParam: the edit's window), or a colour button got a new colour
// (wParam: the colour, lParam: the button's control id).
constexpr UINT WM_GUI_VALUE_PICKED = WM_USER + 223;
// A popup list's choice, posted to its own popup (wParam: the sub-list's result or -1, lParam: the entry index or -1).
constexpr UINT WM_LISTPANEL_SELECT = WM_USER + 304;
// A DPI stage tile was picked, sent to its parent (wParam: the tile's stage
// number, lParam: the tile's id).
constexpr UINT WM_DPISTAGE_CLICKED = WM_USER + 500;
// A stage of a multi-stage APM slider was clicked, posted to the slider's
// owner (wParam: the stage's index from 0, lParam: the slider's id).
constexpr UINT WM_APMSLIDER_STAGE_CLICKED = WM_USER + 502;
// A key on a row of the list control (wParam: the row key, lParam: the list's window).
constexpr UINT WM_LIST_ROW_KEY = WM_USER + 508;
// A drop-down's choice was taken, sent to its parent (wParam: the entry index, lParam: the drop-down's window).
constexpr UINT WM_DROPDOWN_SELCHANGE = WM_USER + 532;
// A click on an enabled row of a list panel, posted to its parent (wParam: the entry index, lParam: the panel's id).
constexpr UINT WM_LISTPANEL_ITEM_CLICKED = WM_USER + 533;
// A drop-down is about to open its list, sent to its parent (wParam: 0, lParam: the drop-down's window).
constexpr UINT WM_GUI_QUERY_ITEM = WM_USER + 564;
// The macro editor's reports to its owner (wParam: 0, lParam: the editor's
// symbolic id): its steps changed (a delay inserted, edited or a step
// deleted or replaced); the user asked to edit the selected key step; a
// preview showed its last step.
constexpr UINT WM_MACRO_EVENTS_CHANGED = WM_USER + 700;
constexpr UINT WM_MACRO_EDIT_KEY_EVENT = WM_USER + 701;
constexpr UINT WM_MACRO_PREVIEW_DONE = WM_USER + 702;
// The pointer moved over a keyboard key, sent to its owner (wParam: 0, lParam: the key's symbolic id).
constexpr UINT WM_KEYITEM_HOVER = WM_USER + 800;
// A keyboard key was pressed, sent to its owner (wParam: 0, lParam: the key's symbolic id).
constexpr UINT WM_KEYITEM_CLICKED = WM_USER + 801;

// The list control's reports, sent to its notify window (its owner, else
// its parent).  wParam: the list's window; lParam: an XListNotify record
// (gui/widgets/CXListCtrl.h) valid during the call.
// A program was chosen for the row, or its program taken away (empty text).
constexpr UINT WM_XLIST_ASSIGN_APPLICATION = WM_USER + 301;
// A check cell changed (value: the new state, a one-byte bool).
constexpr UINT WM_XLIST_CHECK_CHANGED = WM_USER + 302;
// A left press on an enabled row, after the list handled it: the row-key
// message (wParam: the row key, lParam: the list's window).
constexpr UINT WM_XLIST_CELL_CLICKED = WM_LIST_ROW_KEY;
// A double click on a row (column: the one under the pointer).
constexpr UINT WM_XLIST_ITEM_ACTIVATED = WM_USER + 516;
// A right press on a row, before its menu opens.
constexpr UINT WM_XLIST_ROW_SELECTED = WM_USER + 518;
// An entry of the row's menu was chosen (value: its text).
constexpr UINT WM_XLIST_MENU_COMMAND = WM_USER + 520;
// A cell's text was changed in place or from its drop list (value: the new text).
constexpr UINT WM_XLIST_LABEL_EDITED = WM_USER + 521;

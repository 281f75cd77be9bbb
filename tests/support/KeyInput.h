#pragma once
// Keys and mouse buttons as the hardware sends them, through the system's
// input queue.

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

// Key events (virtual key, pressed) sent in one call: the system queues
// them in the same instant, as a fast hand's chord arrives.
void SendKeys(const std::vector<std::pair<WORD, bool>>& keys);
// Mouse button events (MOUSEEVENTF_LEFTDOWN, ..._RIGHTUP and the like) sent
// in one call, where the pointer is.
void SendMouseButtons(const std::vector<DWORD>& flags);

// Characters typed whatever the keyboard layout: each one pressed and
// released as the character itself.
void SendText(const std::wstring& text);

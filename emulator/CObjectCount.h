#pragma once
// How many of the emulator's COM objects are alive in this process.  The
// server ends some time after the count falls to 0; it is told through a
// message to a window of its own.

#include <windows.h>

class CObjectCount {
public:
    static void Add() noexcept;
    static void Remove() noexcept;
    static long Count() noexcept;
    // message is posted to window whenever the count falls to 0; null stops it.
    static void WatchForZero(HWND window, UINT message) noexcept;
};

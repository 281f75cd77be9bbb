#include "emulator/CObjectCount.h"

#include <atomic>

static std::atomic<long> g_count{0};
static std::atomic<HWND> g_window{nullptr};
static std::atomic<UINT> g_message{0};

void CObjectCount::Add() noexcept { ++g_count; }

void CObjectCount::Remove() noexcept {
    if (--g_count == 0) {
        HWND window = g_window.load();
        if (window)
            PostMessageW(window, g_message.load(), 0, 0);
    }
}

long CObjectCount::Count() noexcept { return g_count.load(); }

void CObjectCount::WatchForZero(HWND window, UINT message) noexcept {
    g_message = message;
    g_window = window;
}

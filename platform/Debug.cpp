#include "platform/Debug.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>

static std::atomic<long> g_assertCount{0};

void PlatformTrace(const wchar_t* format, ...) {
    wchar_t buffer[1024];
    va_list args;
    va_start(args, format);
    int n = _vsnwprintf(buffer, 1023, format, args);
    va_end(args);
    buffer[n < 0 ? 1023 : n] = 0;
    OutputDebugStringW(buffer);
}

void PlatformReportAssert(const char* expression, const char* file, int line) {
    g_assertCount.fetch_add(1);
    char buffer[512];
    _snprintf(buffer, sizeof buffer - 1, "%s(%d): check failed: %s\n", file, line, expression);
    buffer[sizeof buffer - 1] = 0;
    OutputDebugStringA(buffer);
}

long PlatformAssertCount() { return g_assertCount.load(); }

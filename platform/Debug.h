#pragma once
// Debug reports: invariants are checked and reported to the debugger output,
// never turned into a crash.  Tests can count reports to prove a path is hit.

#include <windows.h>

void PlatformTrace(const wchar_t* format, ...);
void PlatformReportAssert(const char* expression, const char* file, int line);
long PlatformAssertCount();

#define PLATFORM_ASSERT(expr) \
    ((expr) ? (void)0 : PlatformReportAssert(#expr, __FILE__, __LINE__))
#define TRACE(...) PlatformTrace(__VA_ARGS__)

#pragma once
// Debug reports: invariants are checked and reported to the debugger output,
// never turned into a crash and never shown in a window, so a check that
// fails under the tests or on a user's desktop blocks nothing.  Tests can
// count reports to prove a path is hit.

#include <windows.h>

void PlatformTrace(const wchar_t* format, ...);
void PlatformReportAssert(const char* expression, const char* file, int line);
long PlatformAssertCount();

// Reports a condition that does not hold, and hands its truth back.
inline bool PlatformCheckInvariant(bool holds, const char* expression, const char* file, int line) {
    if (!holds)
        PlatformReportAssert(expression, file, line);
    return holds;
}

// CHECK_INVARIANT(condition): checked in every build, reported when false,
// and usable as a condition, so a caller can leave the path it cannot take:
//     if (!CHECK_INVARIANT(m_selectedKey)) return;
#define CHECK_INVARIANT(expr) PlatformCheckInvariant(static_cast<bool>(expr), #expr, __FILE__, __LINE__)
#define TRACE(...) PlatformTrace(__VA_ARGS__)

#pragma once
// Thrown when a guarded list could not be locked in time.  Thread routines
// and the window-procedure trampoline catch exactly this type, so a lock that
// times out ends one operation, never the program.

#include <exception>

class CLockTimeoutException : public std::exception {
public:
    const char* what() const noexcept override { return "Waiting Lock Exception\n"; }
    const wchar_t* Text() const noexcept { return L"Waiting Lock Exception\n"; }
};

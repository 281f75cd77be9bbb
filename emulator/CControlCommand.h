#pragma once
// The emulator's control command: does to the running emulated keyboard what
// its hardware would, and what tests need.  The words after the program name:
//
//   plug | unplug             presence, then WM_DEVICECHANGE to the windows
//   profile-key [index]       the next profile (or that one) becomes active
//   record start | stop | cancel | save <key>
//                             a recording stage; key: a key name or key id
//   launch <path> [kind]      a launch key (kind 1 unless given)
//   reset                     back to a factory keyboard
//   dump                      the state, as the state file holds it
//   fail <Interface.Method> <hresult> [once | always]
//   fail clear                no more made failures
//   quit                      the emulator saves and ends
//
// It starts the emulator when none runs.  Exit code 0 on success, 1 when the
// emulator refused or could not be reached, 2 for a command it does not know.

#include <windows.h>

#include <cstdio>

class CControlCommand {
public:
    CControlCommand(FILE* out, FILE* err) : m_out(out), m_err(err) {}
    int Run(int argc, wchar_t** argv);
    void PrintUsage(FILE* to) const;

private:
    FILE* m_out;
    FILE* m_err;
};

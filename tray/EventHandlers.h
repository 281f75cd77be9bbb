#pragma once
// What the hidden dialog does with the service's events; each sink forwards
// its events to one of these.

#include <windows.h>

class IDpiEventHandler {
public:
    virtual void OnDpiChanged(LONG x, LONG y) = 0;

protected:
    ~IDpiEventHandler() = default;
};

class IProfileEventHandler {
public:
    virtual void OnProfileChanged(ULONG value) = 0;

protected:
    ~IProfileEventHandler() = default;
};

class IMacroEventHandler {
public:
    virtual void OnMacroRecordingStarted() = 0;
    virtual void OnMacroRecordingStopped() = 0;
    virtual void OnMacroRecordingCanceled() = 0;
    virtual void OnMacroRecordingSaved(ULONG first, ULONG keyId) = 0;

protected:
    ~IMacroEventHandler() = default;
};

class ILaunchAppEventHandler {
public:
    virtual void OnLaunchApplication(ULONG kind, const wchar_t* path) = 0;

protected:
    ~ILaunchAppEventHandler() = default;
};

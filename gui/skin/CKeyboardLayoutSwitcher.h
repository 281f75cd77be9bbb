#pragma once
// Makes the Windows keyboard layout of a layout setting active for the
// program, and puts back the layout that was active before.
//
// Only a layout that this program loaded is ever unloaded: a layout the
// user already had stays in the user's list whatever the program does.
// The system calls go through an interface, so the rules can be checked
// without touching the machine's layouts.

#include <windows.h>

#include <cstdint>
#include <vector>

class CKeyboardLayoutSwitcher {
public:
    // The system's keyboard-layout calls.
    class Api {
    public:
        virtual ~Api() = default;
        virtual HKL Load(const wchar_t* layoutName, UINT flags) = 0;
        // The layout it replaced; null on failure.
        virtual HKL Activate(HKL layout, UINT flags) = 0;
        virtual BOOL Unload(HKL layout) = 0;
        virtual HKL Current() = 0;
        virtual std::vector<HKL> Loaded() = 0;
    };

    // api null: the system's calls.  The switcher does not own the api.
    explicit CKeyboardLayoutSwitcher(Api* api = nullptr);
    // Puts the earlier layout back.
    ~CKeyboardLayoutSwitcher();
    CKeyboardLayoutSwitcher(const CKeyboardLayoutSwitcher&) = delete;
    CKeyboardLayoutSwitcher& operator=(const CKeyboardLayoutSwitcher&) = delete;

    // Undoes an earlier activation, then loads and activates the layout of
    // the setting with that id.  False, with nothing loaded, when there is
    // no such setting or its layout cannot be loaded.
    bool Activate(int32_t layoutId);
    // Reactivates the layout that was active before the first activation
    // and unloads the layout this program loaded.
    void Restore();

    // The layout id of the active setting; -1 when none is active.
    int32_t GetCurrent() const noexcept { return m_current; }
    HKL GetLoaded() const noexcept { return m_loaded; }

private:
    Api* m_api;
    int32_t m_current = -1;
    HKL m_loaded = nullptr;      // the layout of the last activation
    bool m_ownsLoaded = false;   // it was not in the user's list before
    HKL m_previous = nullptr;    // active before the first activation
};

// The program's switcher, on the system's calls.
CKeyboardLayoutSwitcher& GetKeyboardLayoutSwitcher();

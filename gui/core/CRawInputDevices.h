#pragma once
// The process's raw-input registrations: the HID usages (usage page 1) one
// client window registered, shared by the single-key edits and the macro
// editor's recording.  Only the window a registration was made for can
// undo it, so a client that never registered cannot take the input away
// from the one that did.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

class CRawInputDevices {
public:
    static constexpr uint16_t kUsageMouse = 2;
    static constexpr uint16_t kUsageKeyboard = 6;

    // The system call, replaceable so the bookkeeping can be tested without
    // registering anything.
    using RegisterFunction = BOOL(WINAPI*)(PCRAWINPUTDEVICE devices, UINT count, UINT size);

    explicit CRawInputDevices(RegisterFunction registerDevices = ::RegisterRawInputDevices);
    ~CRawInputDevices();
    CRawInputDevices(const CRawInputDevices&) = delete;
    CRawInputDevices& operator=(const CRawInputDevices&) = delete;

    // False when the usage is already in the list.
    bool AddUsage(uint16_t usage);
    // Registers every usage for target.  Refused while a registration
    // stands, without a target or without usages; a failed call leaves
    // nothing registered, so a later client may try again.
    bool RegisterAll(HWND target);
    // Removes the registration when client made it (null: whoever made it,
    // as at the end of the process); a client that did not register
    // changes nothing and gets false.
    bool UnregisterAll(HWND client);

    bool IsRegistered() const noexcept { return m_registered; }
    HWND GetTarget() const noexcept { return m_target; }
    const std::vector<uint16_t>& GetUsages() const noexcept { return m_usages; }

    // The flags a usage is registered with: input sink for the mouse,
    // input sink without legacy messages for the rest.
    static DWORD FlagsFor(uint16_t usage);

private:
    RegisterFunction m_register;
    std::vector<uint16_t> m_usages;
    std::unique_ptr<RAWINPUTDEVICE[]> m_devices;
    // Usages added after the registration are not in the array.
    size_t m_deviceCount = 0;
    bool m_registered = false;
    HWND m_target = nullptr;
};

// The process-wide registrations.
CRawInputDevices& GetRawInputDevices();

// The bytes of one raw input record from a WM_INPUT handle; false when
// they cannot be fetched.
bool FetchRawInput(HRAWINPUT input, std::vector<BYTE>& data);
// One raw keyboard record from a WM_INPUT handle: false when the data
// cannot be fetched, is not a keyboard record or is too short for one.
bool FetchRawKeyboard(HRAWINPUT input, RAWKEYBOARD& keyboard);
// The same checks over bytes already fetched.
bool ParseRawKeyboard(const BYTE* data, UINT size, RAWKEYBOARD& keyboard);
// A mouse record, checked in the same way.
bool ParseRawMouse(const BYTE* data, UINT size, RAWMOUSE& mouse);

#pragma once
// The one emulated keyboard that every client shares: its data, the file it
// persists in, its event sinks and the failures made on purpose.  All of it
// lives on the thread that made it; the COM objects are thin handles onto it.

#include "emulator/CDeferredCalls.h"
#include "emulator/CFaultTable.h"
#include "emulator/CSinkList.h"
#include "emulator/KeyboardData.h"

#include <windows.h>

#include <array>
#include <map>
#include <string>
#include <vector>

enum class EventKind { Profile, Recording, Application, Dpi };

class CKeyboardState {
public:
    // Loads the state file at path; a missing file gives a factory keyboard,
    // and so does one that cannot be read, which is first renamed aside.  An
    // empty path keeps the keyboard in memory only.
    explicit CKeyboardState(std::wstring path);
    // Saves what is still unsaved.
    ~CKeyboardState();
    CKeyboardState(const CKeyboardState&) = delete;
    CKeyboardState& operator=(const CKeyboardState&) = delete;

    const std::wstring& Path() const noexcept { return m_path; }
    // Where an unreadable state file was moved; empty when none was.
    const std::wstring& KeptAside() const noexcept { return m_keptAside; }

    // Every service call begins here: it counts as activity, and a failure
    // made for the operation, or an unplugged keyboard, ends the call before
    // anything changes.
    HRESULT Enter(const wchar_t* operation, bool needsDevice = true);
    DWORD LastActivityTick() const noexcept { return m_lastActivity; }
    // The calls entered since the last take; the count starts again.
    ULONG TakeCallCount() noexcept;
    // The same calls by operation ("Interface.Method"), for tests that look
    // at what a client sent; taken with the count.
    const std::map<std::wstring, ULONG>& CallsByOperation() const noexcept { return m_callsByOperation; }

    const KeyboardData& Data() const noexcept { return m_data; }
    // For changes made through the pointers below: saved a moment later.
    void Changed();
    HRESULT Flush();

    ProfileState* FindProfile(const GUID& guid);
    int ProfileIndex(const GUID& guid) const;
    MacroState* FindMacro(const GUID& guid);
    ApplicationState* FindApplication(const GUID& guid);

    HRESULT CreateProfile(GUID& guid);
    HRESULT DeleteProfile(const GUID& guid);
    HRESULT SetActiveProfile(const GUID& guid);
    HRESULT ImportProfile(const wchar_t* path, GUID& guid);
    HRESULT ExportProfile(const GUID& guid, const wchar_t* path);
    HRESULT SetDeviceMode(uint32_t mode);
    HRESULT SetOnOff(uint32_t on);

    HRESULT CreateMacro(GUID& guid);
    HRESULT DeleteMacro(const GUID& guid);
    HRESULT ImportMacro(const wchar_t* path, GUID& guid);
    HRESULT ExportMacro(const GUID& guid, const wchar_t* path);

    HRESULT CreateApplication(GUID& guid);
    HRESULT DeleteApplication(const GUID& guid);

    CSinkList& Sinks(EventKind kind) { return m_sinks[static_cast<size_t>(kind)]; }
    CFaultTable& Faults() noexcept { return m_faults; }

    // What the keyboard's own hardware does; events follow from the loop.
    void SetPresent(bool present);
    // index -1: the profile after the active one.
    HRESULT PressProfileKey(int index);
    HRESULT RunRecordingStage(ULONG stage, ULONG keyId);
    HRESULT PressLaunchKey(ULONG kind, const std::wstring& path);
    void ResetToFactory();
    std::string Dump() const;

private:
    void Load();
    void RaiseProfileChanged();
    // Puts item at the end of items and answers its GUID.
    template <typename Item>
    HRESULT Append(std::vector<Item>& items, Item item, GUID& guid);
    // An item read from the file at path, put at the end of items.
    template <typename Item>
    HRESULT Import(std::vector<Item>& items, HRESULT (*read)(const std::string&, Item&), const wchar_t* path,
                   GUID& guid);

    std::wstring m_path;
    std::wstring m_keptAside;
    bool m_saveBlocked = false;
    bool m_dirty = false;
    KeyboardData m_data;
    CFaultTable m_faults;
    std::array<CSinkList, 4> m_sinks;
    DWORD m_lastActivity;
    ULONG m_callCount = 0;
    std::map<std::wstring, ULONG> m_callsByOperation;
    // When the changes that wait to be saved began; a stream of changes that
    // never pauses is still saved this long after its first change.
    DWORD m_firstUnsaved = 0;
    CDeferredCalls m_deferred;
};

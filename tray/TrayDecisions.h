#pragma once
// The tray program's decisions, as functions of their inputs only: they take
// what the service, the system or the clock said and return what to do, so
// they are checked without a keyboard, a window or a taskbar.

#include "service/KeyboardIdentity.h"
#include "service/ServiceInterfaces.h"
#include "tray/TrayTypes.h"

#include <windows.h>
#include <dbt.h>

#include <cstdint>
#include <functional>
#include <vector>

// The text new macros are named after ("New Macro").
const CString& NewMacroText();

// "New Macro" followed by one more than the highest number a name carrying
// "New Macro" holds once the characters of "New Macro" are trimmed from its
// front (0 for a name whose rest does not start with digits).
CString NextNewMacroName(const std::vector<CString>& macroNames);

// What a session or device event does to the service-dependent work.
enum class ServiceAction {
    None,
    // Start timer 700 and connect the events.
    Start,
    // Stop timer 700, disconnect the events and cancel a capture (device mode 1, LED off).
    StopAndCancel,
    // Stop timer 700, end a capture (LED off only) and disconnect the events.
    StopAndEnd,
    // Ask whether the keyboard is still there; StopAndEnd when it is not.
    CheckPresence,
};
ServiceAction SessionChangeAction(UINT code);
// header: the broadcast's record (may be null).
ServiceAction DeviceChangeAction(UINT event, const DEV_BROADCAST_HDR* header, uint32_t vendorId);

// What a failed service call says about the service objects the tray holds.
enum class ServiceFault {
    // A refusal or an ordinary failure: the objects are still good.
    None,
    // The keyboard is not connected: the objects stand for nothing now.
    KeyboardGone,
    // The service's process went away or cut the connection: the objects are dead.
    ServiceGone,
};
ServiceFault ServiceFaultOf(HRESULT hr);

// The profile the foreground program asks for: the first entry, in the
// service's order, with automatic switching whose program is in front.
// Null when none.  isForeground is asked only for such entries, in order,
// until one answers true.
const _Profile_Setting_* FindAutoSwitchProfile(const std::vector<_Profile_Setting_>& settings,
                                               const std::function<bool(const CString&)>& isForeground);

// Whether a capture is worth storing as a macro: it holds at least one key
// or mouse-button step.  An empty one (stopped before any input, or
// cancelled before the key was chosen) stores nothing, so the chosen key
// keeps its function.
bool HoldsMacroSteps(const std::vector<CaptureEvent>& events);

// The macro-steps block for captured events: header {0, n}, the events, and
// 8 zero bytes.  Empty when there are more events than a block can carry.
std::vector<BYTE> BuildMacroStepsBlock(const std::vector<CaptureEvent>& events);

// The key record that makes a key play a macro.
DeviceKeyRecord MakeMacroKeyRecord(uint32_t keyId, const GUID& macro);

// The notification-icon protocol version for the system's major version and
// the shell's (0 when it gave none), and the record size that version takes
// on this target.
int ChooseNotifyIconVersion(DWORD systemMajor, DWORD shellMajor);
DWORD NotifyIconDataSize(int version);

// The window to put in front once the tray menu has closed: the one that
// was in front before the menu opened (before), while it still exists
// (beforeExists) and the owner the menu brought forward is still in front
// (now; a click into another window that closed the menu chose that one).
// Null: leave the front as it is.
HWND ForegroundAfterMenu(HWND before, HWND owner, HWND now, bool beforeExists);

// The on-screen display's text height for a horizontal resolution in dots
// per inch, and its strip on a monitor.
int OsdTextHeight(int dotsPerInchX);
RECT OsdPlacement(const RECT& monitor, int textHeight);

// Copies text into a buffer of count units, cut to fit, always terminated.
void CopyBounded(wchar_t* buffer, size_t count, const wchar_t* text);

#include "tray/TrayDecisions.h"

#include "platform/Guid.h"

#include <dbt.h>
#include <wtsapi32.h>
#include <shellapi.h>

#include <cstring>
#include <cwchar>

const CString& NewMacroText() {
    static const CString text(L"New Macro");
    return text;
}

namespace {
// The leading decimal digits of text, 0 when there are none; large numbers
// stop growing rather than wrap.
int64_t LeadingNumber(const CString& text) {
    int64_t value = 0;
    for (int i = 0; i < text.GetLength() && text[i] >= L'0' && text[i] <= L'9'; ++i)
        if (value < INT32_MAX)
            value = value * 10 + (text[i] - L'0');
    return value < INT32_MAX ? value : INT32_MAX;
}
}  // namespace

CString NextNewMacroName(const std::vector<CString>& macroNames) {
    int64_t highest = 0;
    for (const CString& name : macroNames) {
        if (name.Find(NewMacroText()) < 0)
            continue;
        // A trim of every character of the text from the front, not of the
        // text as a prefix: "New Macro10" leaves "10", "Old New Macro7" all of it.
        CString rest = name;
        rest.TrimLeft(NewMacroText());
        int64_t number = LeadingNumber(rest);
        if (number > highest)
            highest = number;
    }
    CString result;
    result.Format(L"%ls%d", static_cast<const wchar_t*>(NewMacroText()),
                  static_cast<int>(highest < INT32_MAX ? highest + 1 : INT32_MAX));
    return result;
}

ServiceAction SessionChangeAction(UINT code) {
    switch (code) {
    case WTS_CONSOLE_CONNECT:
    case WTS_SESSION_LOGON:
    case WTS_SESSION_UNLOCK:
        return ServiceAction::Start;
    case WTS_CONSOLE_DISCONNECT:
    case WTS_SESSION_LOGOFF:
    case WTS_SESSION_LOCK:
        return ServiceAction::StopAndCancel;
    default:
        return ServiceAction::None;
    }
}

ServiceAction DeviceChangeAction(UINT event, const DEV_BROADCAST_HDR* header, uint32_t vendorId) {
    if (event == DBT_DEVNODES_CHANGED)
        return ServiceAction::CheckPresence;
    if (event != DBT_DEVICEARRIVAL && event != DBT_DEVICEREMOVECOMPLETE)
        return ServiceAction::None;
    CString path;
    if (!DeviceInterfacePathOf(header, path) || !IsKeyboardDevicePath(path, vendorId))
        return ServiceAction::None;
    return event == DBT_DEVICEARRIVAL ? ServiceAction::Start : ServiceAction::StopAndEnd;
}

ServiceFault ServiceFaultOf(HRESULT hr) {
    switch (hr) {
    case RPC_E_DISCONNECTED:
    case RPC_E_SERVER_DIED:
    case RPC_E_SERVER_DIED_DNE:
    case RPC_E_CONNECTION_TERMINATED:
    case CO_E_OBJNOTCONNECTED:
    case ServiceWin32Failure(RPC_S_SERVER_UNAVAILABLE):
    case ServiceWin32Failure(RPC_S_CALL_FAILED):
    case ServiceWin32Failure(RPC_S_CALL_FAILED_DNE):
        return ServiceFault::ServiceGone;
    case kServiceNotConnected:
        return ServiceFault::KeyboardGone;
    default:
        return ServiceFault::None;
    }
}

const _Profile_Setting_* FindAutoSwitchProfile(const std::vector<_Profile_Setting_>& settings,
                                               const std::function<bool(const CString&)>& isForeground) {
    for (const _Profile_Setting_& entry : settings) {
        if (entry.autoSwitch == 0)
            continue;
        if (isForeground(entry.application))
            return &entry;
    }
    return nullptr;
}

bool HoldsMacroSteps(const std::vector<CaptureEvent>& events) {
    for (const CaptureEvent& event : events)
        if (event.type == kCaptureKey || event.type == kCaptureMouseButton)
            return true;
    return false;
}

std::vector<BYTE> BuildMacroStepsBlock(const std::vector<CaptureEvent>& events) {
    if (events.size() > kMaxMacroSteps)
        return {};
    const uint32_t count = static_cast<uint32_t>(events.size());
    std::vector<BYTE> block(MacroStepsBlockSize(count), 0);
    MacroStepsBlock header = {0, count};
    std::memcpy(block.data(), &header, sizeof header);
    if (count)
        std::memcpy(block.data() + sizeof header, events.data(), events.size() * sizeof(CaptureEvent));
    return block;
}

DeviceKeyRecord MakeMacroKeyRecord(uint32_t keyId, const GUID& macro) {
    DeviceKeyRecord record = {};
    record.header = 0;
    record.keyId = keyId;
    record.actionType = 8;
    uint32_t words[4];
    GuidToWords(macro, words);
    std::memcpy(record.data, words, sizeof words);
    record.data[16] = 1;
    record.data[17] = 0;
    return record;
}

int ChooseNotifyIconVersion(DWORD systemMajor, DWORD shellMajor) {
    if (systemMajor > 5)
        return 3;
    if (shellMajor > 5)
        return 2;
    if (shellMajor > 4)
        return 1;
    return 0;
}

DWORD NotifyIconDataSize(int version) {
    switch (version) {
    case 3: return sizeof(NOTIFYICONDATAW);
    case 2: return NOTIFYICONDATAW_V3_SIZE;
    case 1: return NOTIFYICONDATAW_V2_SIZE;
    default: return NOTIFYICONDATAW_V1_SIZE;
    }
}

HWND ForegroundAfterMenu(HWND before, HWND owner, HWND now, bool beforeExists) {
    if (!before || before == owner || !beforeExists || now != owner)
        return nullptr;
    return before;
}

int OsdTextHeight(int dotsPerInchX) {
    float scale = static_cast<float>(dotsPerInchX) / 72.0f;
    return static_cast<int>(scale * 20.0f);
}

RECT OsdPlacement(const RECT& monitor, int textHeight) {
    RECT strip;
    strip.left = monitor.left;
    strip.right = monitor.right - 10;
    strip.bottom = monitor.bottom - 50;
    strip.top = strip.bottom - textHeight;
    return strip;
}

void CopyBounded(wchar_t* buffer, size_t count, const wchar_t* text) {
    if (!buffer || count == 0)
        return;
    size_t length = text ? wcsnlen(text, count - 1) : 0;
    if (length)
        std::memcpy(buffer, text, length * sizeof(wchar_t));
    buffer[length] = L'\0';
}

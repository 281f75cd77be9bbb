#include "emulator/CKeyboardState.h"

#include "emulator/CAtomicFile.h"
#include "emulator/CKeyTable.h"
#include "emulator/CKeyboardXml.h"
#include "platform/Debug.h"
#include "platform/Guid.h"

#include <algorithm>
#include <cstdio>

namespace {

// A burst of changes (a transfer writes profile after profile) is saved
// once, shortly after its last change; a burst that goes on and on is saved
// at the latest kSaveLatestMs after the first change that waits.
const UINT_PTR kSaveTimer = 1;
const UINT kSaveDelayMs = 100;
const DWORD kSaveLatestMs = 2000;

template <typename Items>
auto FindByGuid(Items& items, const GUID& guid) -> decltype(&items[0]) {
    for (auto& item : items)
        if (item.guid == guid)
            return &item;
    return nullptr;
}

template <typename Items>
bool EraseByGuid(Items& items, const GUID& guid) {
    auto it = std::find_if(items.begin(), items.end(), [&](const auto& item) { return item.guid == guid; });
    if (it == items.end())
        return false;
    items.erase(it);
    return true;
}

}  // namespace

CKeyboardState::CKeyboardState(std::wstring path)
    : m_path(std::move(path)),
      m_sinks{CSinkList(IID__IProfileManagerEvents), CSinkList(IID__IOTFMacroRecordingEvents),
              CSinkList(IID__IApplicationEvent), CSinkList(IID__IDPIEvents)},
      m_lastActivity(GetTickCount()) {
    Load();
}

CKeyboardState::~CKeyboardState() { Flush(); }

void CKeyboardState::Load() {
    m_data = MakeFactoryKeyboard();
    if (m_path.empty())
        return;
    std::string bytes;
    HRESULT hr = CAtomicFile::Read(m_path, bytes);
    if (hr == HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) || hr == HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND)) {
        m_dirty = true;
        Flush();
        return;
    }
    KeyboardData loaded;
    if (SUCCEEDED(hr))
        hr = CKeyboardXml::ReadState(bytes, loaded);
    if (SUCCEEDED(hr)) {
        m_data = std::move(loaded);
        return;
    }
    // Never write over a file that could not be read: it may be all a user
    // has of their settings.
    HRESULT kept = CAtomicFile::KeepAside(m_path, m_keptAside);
    if (FAILED(kept)) {
        m_saveBlocked = true;
        std::fwprintf(stderr, L"keyboard emulator: cannot read %ls (0x%08lx) nor move it aside (0x%08lx); "
                      L"running a factory keyboard that is not saved\n",
                      m_path.c_str(), static_cast<unsigned long>(hr), static_cast<unsigned long>(kept));
        return;
    }
    std::fwprintf(stderr, L"keyboard emulator: cannot read %ls (0x%08lx); kept it as %ls and started a "
                  L"factory keyboard\n", m_path.c_str(), static_cast<unsigned long>(hr), m_keptAside.c_str());
    m_dirty = true;
    Flush();
}

HRESULT CKeyboardState::Enter(const wchar_t* operation, bool needsDevice) {
    m_lastActivity = GetTickCount();
    ++m_callCount;
    ++m_callsByOperation[operation];
    CHECK_INVARIANT(CFaultTable::IsKnownOperation(operation));
    HRESULT hr = m_faults.Take(operation);
    if (FAILED(hr))
        return hr;
    if (needsDevice && !m_data.present)
        return kServiceNotConnected;
    return S_OK;
}

ULONG CKeyboardState::TakeCallCount() noexcept {
    ULONG count = m_callCount;
    m_callCount = 0;
    m_callsByOperation.clear();
    return count;
}

void CKeyboardState::Changed() {
    const DWORD now = GetTickCount();
    if (!m_dirty || !m_deferred.IsScheduled(kSaveTimer))
        m_firstUnsaved = now;
    m_dirty = true;
    // Each change moves the save to just after it, so a burst is saved once.
    const DWORD waited = now - m_firstUnsaved;
    const UINT delay = waited >= kSaveLatestMs ? 0 : std::min<DWORD>(kSaveDelayMs, kSaveLatestMs - waited);
    m_deferred.Schedule(kSaveTimer, delay, [this] { Flush(); });
}

HRESULT CKeyboardState::Flush() {
    m_deferred.Cancel(kSaveTimer);
    if (!m_dirty || m_path.empty() || m_saveBlocked)
        return S_OK;
    HRESULT hr = CAtomicFile::Write(m_path, CKeyboardXml::WriteState(m_data));
    if (SUCCEEDED(hr))
        m_dirty = false;
    else
        TRACE(L"keyboard emulator: saving %s failed: 0x%08lx\n", m_path.c_str(), static_cast<unsigned long>(hr));
    return hr;
}

ProfileState* CKeyboardState::FindProfile(const GUID& guid) { return FindByGuid(m_data.profiles, guid); }

int CKeyboardState::ProfileIndex(const GUID& guid) const {
    for (size_t i = 0; i < m_data.profiles.size(); ++i)
        if (m_data.profiles[i].guid == guid)
            return static_cast<int>(i);
    return -1;
}

MacroState* CKeyboardState::FindMacro(const GUID& guid) { return FindByGuid(m_data.macros, guid); }

ApplicationState* CKeyboardState::FindApplication(const GUID& guid) {
    return FindByGuid(m_data.applications, guid);
}

template <typename Item>
HRESULT CKeyboardState::Append(std::vector<Item>& items, Item item, GUID& guid) {
    guid = item.guid;
    items.push_back(std::move(item));
    Changed();
    return S_OK;
}

template <typename Item>
HRESULT CKeyboardState::Import(std::vector<Item>& items, HRESULT (*read)(const std::string&, Item&),
                               const wchar_t* path, GUID& guid) {
    std::string bytes;
    HRESULT hr = CAtomicFile::Read(path, bytes);
    Item item;
    if (SUCCEEDED(hr))
        hr = read(bytes, item);
    return FAILED(hr) ? hr : Append(items, std::move(item), guid);
}

HRESULT CKeyboardState::CreateProfile(GUID& guid) {
    return Append(m_data.profiles, MakeDefaultProfile(L"New Profile"), guid);
}

HRESULT CKeyboardState::DeleteProfile(const GUID& guid) {
    if (!EraseByGuid(m_data.profiles, guid))
        return kServiceNotFound;
    // The keyboard cannot be without an active profile while it has any.
    if (m_data.activeProfile == guid) {
        m_data.activeProfile = m_data.profiles.empty() ? GUID_NULL : m_data.profiles.front().guid;
        RaiseProfileChanged();
    }
    Changed();
    return S_OK;
}

HRESULT CKeyboardState::SetActiveProfile(const GUID& guid) {
    if (!FindProfile(guid))
        return kServiceNotFound;
    m_data.activeProfile = guid;
    Changed();
    RaiseProfileChanged();
    return S_OK;
}

HRESULT CKeyboardState::ImportProfile(const wchar_t* path, GUID& guid) {
    return Import(m_data.profiles, &CKeyboardXml::ReadProfileFile, path, guid);
}

HRESULT CKeyboardState::ExportProfile(const GUID& guid, const wchar_t* path) {
    const ProfileState* profile = FindProfile(guid);
    if (!profile)
        return kServiceNotFound;
    return CAtomicFile::Write(path, CKeyboardXml::WriteProfileFile(*profile));
}

HRESULT CKeyboardState::SetDeviceMode(uint32_t mode) {
    if (mode != 1 && mode != 2)
        return E_INVALIDARG;
    m_data.deviceMode = mode;
    Changed();
    return S_OK;
}

HRESULT CKeyboardState::SetOnOff(uint32_t on) {
    if (on > 1)
        return E_INVALIDARG;
    m_data.onOff = on;
    Changed();
    return S_OK;
}

HRESULT CKeyboardState::CreateMacro(GUID& guid) {
    MacroState macro;
    macro.guid = NewGuid();
    return Append(m_data.macros, std::move(macro), guid);
}

HRESULT CKeyboardState::DeleteMacro(const GUID& guid) {
    if (!EraseByGuid(m_data.macros, guid))
        return kServiceNotFound;
    Changed();
    return S_OK;
}

HRESULT CKeyboardState::ImportMacro(const wchar_t* path, GUID& guid) {
    return Import(m_data.macros, &CKeyboardXml::ReadMacroFile, path, guid);
}

HRESULT CKeyboardState::ExportMacro(const GUID& guid, const wchar_t* path) {
    const MacroState* macro = FindMacro(guid);
    if (!macro)
        return kServiceNotFound;
    return CAtomicFile::Write(path, CKeyboardXml::WriteMacroFile(*macro));
}

HRESULT CKeyboardState::CreateApplication(GUID& guid) {
    ApplicationState application;
    application.guid = NewGuid();
    return Append(m_data.applications, std::move(application), guid);
}

HRESULT CKeyboardState::DeleteApplication(const GUID& guid) {
    if (!EraseByGuid(m_data.applications, guid))
        return kServiceNotFound;
    Changed();
    return S_OK;
}

void CKeyboardState::SetPresent(bool present) {
    m_lastActivity = GetTickCount();
    m_data.present = present;
    Changed();
}

HRESULT CKeyboardState::PressProfileKey(int index) {
    m_lastActivity = GetTickCount();
    if (!m_data.present)
        return kServiceNotConnected;
    if (m_data.profiles.empty())
        return kServiceNotFound;
    int count = static_cast<int>(m_data.profiles.size());
    if (index < -1 || index >= count)
        return E_INVALIDARG;
    if (index == -1)
        index = (ProfileIndex(m_data.activeProfile) + 1) % count;
    return SetActiveProfile(m_data.profiles[static_cast<size_t>(index)].guid);
}

HRESULT CKeyboardState::RunRecordingStage(ULONG stage, ULONG keyId) {
    m_lastActivity = GetTickCount();
    if (!m_data.present)
        return kServiceNotConnected;
    if (stage < RECORDING_STAGE_STARTED || stage > RECORDING_STAGE_CANCELED)
        return E_INVALIDARG;
    if (stage == RECORDING_STAGE_SAVED && CKeyTable::Instance().IndexOfKeyId(keyId) < 0)
        return E_INVALIDARG;
    ULONG profileIndex = static_cast<ULONG>(std::max(0, ProfileIndex(m_data.activeProfile)));
    m_deferred.Post([this, stage, keyId, profileIndex] {
        Sinks(EventKind::Recording).Fire([&](IUnknown* sink) {
            auto* events = static_cast<_IOTFMacroRecordingEvents*>(sink);
            switch (stage) {
            case RECORDING_STAGE_STARTED: return events->OnMacroRecordingStarted();
            case RECORDING_STAGE_STOPPED: return events->OnMacroRecordingStopped();
            case RECORDING_STAGE_SAVED: return events->OnMacroRecordingSaved(profileIndex, keyId);
            default: return events->OnMacroRecordingCanceled();
            }
        });
    });
    return S_OK;
}

HRESULT CKeyboardState::PressLaunchKey(ULONG kind, const std::wstring& path) {
    m_lastActivity = GetTickCount();
    if (!m_data.present)
        return kServiceNotConnected;
    if (path.size() > kMaxApplicationPathLength)
        return E_INVALIDARG;
    m_deferred.Post([this, kind, path] {
        Sinks(EventKind::Application).Fire([&](IUnknown* sink) {
            return static_cast<_IApplicationEvent*>(sink)->OnLaunchApplication(kind, path.c_str());
        });
    });
    return S_OK;
}

void CKeyboardState::ResetToFactory() {
    m_lastActivity = GetTickCount();
    bool present = m_data.present;
    m_data = MakeFactoryKeyboard();
    m_data.present = present;
    Changed();
    RaiseProfileChanged();
}

std::string CKeyboardState::Dump() const { return CKeyboardXml::WriteState(m_data); }

void CKeyboardState::RaiseProfileChanged() {
    int index = ProfileIndex(m_data.activeProfile);
    if (index < 0)
        return;
    m_deferred.Post([this, index] {
        Sinks(EventKind::Profile).Fire([&](IUnknown* sink) {
            return static_cast<_IProfileManagerEvents*>(sink)->OnProfileChanged(static_cast<ULONG>(index));
        });
    });
}

#include "model/device/CBaseDevice.h"

#include "model/device/DeviceCalls.h"
#include "model/device/LightingTransfer.h"
#include "model/device/MacroTransfer.h"
#include "platform/Debug.h"
#include "service/CProxyStubRegistration.h"

#include <exception>

namespace {

// Waits for handle; a thread in a single-threaded apartment goes on taking
// the calls that other apartments make into it meanwhile.
bool WaitTakingCalls(HANDLE handle, DWORD timeoutMs) {
    DWORD index = 0;
    HRESULT hr = CoWaitForMultipleHandles(0, timeoutMs, 1, &handle, &index);
    if (hr == CO_E_NOTINITIALIZED)
        return WaitForSingleObject(handle, timeoutMs) == WAIT_OBJECT_0;
    return hr == S_OK;
}

}  // namespace

struct CBaseDevice::WriteJob {
    WriteJob(IKeyboardConfig* store, uint32_t writeMask) : store(store), snapshot(store), mask(writeMask) {}

    IKeyboardConfig* store;
    CStoreSnapshot snapshot;
    uint32_t mask;
    const DeviceDescriptor* descriptor = nullptr;
    std::vector<uint32_t> keyIds;
    std::vector<AssignmentChange> resolved;
    KeyboardFindings found;
    std::atomic<WriteResult> result{WriteResult::Running};
};

// Connected for one operation: disconnects on every way out.
class CBaseDevice::ConnectionScope {
public:
    explicit ConnectionScope(CBaseDevice& owner) : m_owner(owner) {
        m_owner.CollectWrite();
        m_connected = m_owner.Connect();
    }
    ~ConnectionScope() {
        if (m_connected)
            m_owner.Disconnect();
    }
    ConnectionScope(const ConnectionScope&) = delete;
    ConnectionScope& operator=(const ConnectionScope&) = delete;
    explicit operator bool() const noexcept { return m_connected; }
    IDevice* Device() const noexcept { return m_owner.m_link.Device(); }

private:
    CBaseDevice& m_owner;
    bool m_connected;
};

CBaseDevice::CBaseDevice(const DeviceDescriptor* descriptor)
    : m_descriptor(descriptor ? descriptor : &kKeyboardDescriptor) {}

CBaseDevice::~CBaseDevice() {
    // The worker uses this object until it ends: never free it under the worker.
    WaitForWorker();
    m_job.reset();
    m_busy.store(false);
    Disconnect();
}

void CBaseDevice::WaitForWorker() {
    if (!m_worker.IsStarted())
        return;
    if (!WaitTakingCalls(m_worker.Handle(), kWorkerWaitMs)) {
        TRACE(L"CBaseDevice: a write still runs after %u ms; waiting for it to end\n", kWorkerWaitMs);
        WaitTakingCalls(m_worker.Handle(), INFINITE);
    }
    m_worker.Close();
}

bool CBaseDevice::Connect() {
    if (m_descriptor->productId == 0 || m_link.IsOpen() || m_busy.load())
        return false;
    m_connected = m_link.Open(m_descriptor->productId);
    return m_connected;
}

void CBaseDevice::Disconnect() { m_link.Close(); }

bool CBaseDevice::Initialize(IKeyboardConfig* config) {
    m_config = config;
    ConnectionScope connection(*this);
    if (!connection || !config)
        return false;
    return InitializeFromDevice(config);
}

bool CBaseDevice::InitializeFromDevice(IKeyboardConfig* config) {
    IDevice* device = m_link.Device();
    bool result = true;
    if (m_descriptor->Has(CapabilityVersions))
        result = ReadVersionTexts(device, m_versionText1, m_versionText2);
    // Whatever the store was told of the keyboard before is void now.
    if (CSyncedState* synced = SyncedStateOf(config))
        synced->Forget();
    if (m_descriptor->Has(CapabilityProfiles)) {
        config->ClearProfiles();
        CComPtr<IProfileManager> profiles = GetFeatureOf<IProfileManager>(device);
        if (!profiles)
            result = false;
        ForEachDeviceItem(profiles.Get(), &IProfileManager::GetProfile, [&](IDeviceProfile* profile) {
            CString name;
            GUID guid;
            IKeyboardProfile* made = nullptr;
            // A profile without its GUID would be sent as a new one and its
            // original deleted: both are needed.
            result = ReadItemName(profile, name) && ReadItemGuid(profile, guid) &&
                     (made = config->CreateProfile(name)) != nullptr;
            if (made)
                made->SetGuid(guid);
            return result;
        });
        if (result) {
            CComPtr<IDeviceProfile> active;
            GUID guid;
            result = SUCCEEDED(profiles->GetActiveProfile(&active)) && ReadItemGuid(active.Get(), guid);
            if (result && m_descriptor->Has(CapabilityKeyAssignments)) {
                CComPtr<IDeviceProfile> found = FindDeviceProfile(profiles, guid);
                result = found && ReadKeyIdList(found, m_keyIds);
            }
        }
    }
    if (m_descriptor->Has(CapabilityFeature14))
        config->InitRange();
    return result;
}

void CBaseDevice::Shutdown() {
    WaitForWorker();
    CollectWrite();
    Disconnect();
    m_keyIds.clear();
    m_connected = false;
}

bool CBaseDevice::IsBusy() {
    CollectWrite();
    return m_busy.load();
}

WriteResult CBaseDevice::GetLastWriteResult() {
    CollectWrite();
    return m_lastWrite;
}

bool CBaseDevice::WaitForWrite(DWORD timeoutMs) {
    if (m_worker.IsStarted() && !WaitTakingCalls(m_worker.Handle(), timeoutMs))
        return false;
    CollectWrite();
    return !m_busy.load();
}

void CBaseDevice::CollectWrite() {
    if (!m_job || m_busy.load())
        return;
    // The worker cleared busy as its last act; its thread is ending.
    if (m_worker.IsStarted()) {
        WaitTakingCalls(m_worker.Handle(), INFINITE);
        m_worker.Close();
    }
    m_lastWrite = m_job->result.load();
    // Only a write of every step leaves the keyboard holding the store.
    const bool whole = m_lastWrite == WriteResult::Succeeded && (m_job->mask & kMaskEveryStep) == kMaskEveryStep;
    m_job->snapshot.MergeInto(m_job->store, m_job->resolved, whole ? &m_job->found : nullptr, m_job->keyIds);
    m_job.reset();
}

bool CBaseDevice::Sync(IKeyboardConfig* config, int direction, uint32_t mask) {
    switch (direction) {
    case kSyncWrite: return StartTransferThread(config, mask);
    case kSyncRead: return RunTransfer(config, mask);
    default: return false;
    }
}

bool CBaseDevice::StartTransferThread(IKeyboardConfig* config, uint32_t mask) {
    CollectWrite();
    if (!config || m_busy.load() || m_job)
        return false;
    // The keyboard must be there; the worker connects again in its own apartment.
    if (!Connect())
        return false;
    Disconnect();

    auto job = std::make_unique<WriteJob>(config, mask);
    job->descriptor = m_descriptor;
    job->keyIds = m_keyIds;
    m_job = std::move(job);
    m_busy.store(true);
    if (!m_worker.Start(TransferThreadRoutine, this)) {
        m_busy.store(false);
        m_job.reset();
        m_lastWrite = WriteResult::Failed;
        return false;
    }
    m_lastWrite = WriteResult::Running;
    return true;
}

DWORD WINAPI CBaseDevice::TransferThreadRoutine(void* parameter) {
    auto* owner = static_cast<CBaseDevice*>(parameter);
    WriteJob& job = *owner->m_job;
    bool result = false;
    try {
        result = RunWrite(job);
    } catch (const std::exception&) {
        result = false;
    }
    job.result.store(result ? WriteResult::Succeeded : WriteResult::Failed);
    // The last touch of the owner: after this it may collect the job.
    owner->m_busy.store(false);
    return result ? 0 : 1;
}

bool CBaseDevice::RunWrite(WriteJob& job) {
    HRESULT init = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    bool result = false;
    {
        CProxyStubRegistration proxies;
        CDeviceLink link;
        if (link.Open(job.descriptor->productId)) {
            TransferContext context;
            context.descriptor = job.descriptor;
            context.device = link.Device();
            context.config = job.snapshot.Config();
            context.keyIds = &job.keyIds;
            context.synced = job.snapshot.Synced();
            context.resolved = &job.resolved;
            context.found = &job.found;
            // A lock that timed out (or any other failure) fails the write
            // but still leaves the apartment below.
            try {
                result = WriteTransfer(context, job.mask);
            } catch (const std::exception&) {
                result = false;
            }
            Sleep(kWriteSettleMs);
        }
    }
    if (SUCCEEDED(init))
        CoUninitialize();
    return result;
}

bool CBaseDevice::RunTransfer(IKeyboardConfig* config, uint32_t mask) {
    ConnectionScope connection(*this);
    if (!connection || !config)
        return false;
    struct BusyScope {
        std::atomic<bool>& busy;
        explicit BusyScope(std::atomic<bool>& b) : busy(b) { busy.store(true); }
        ~BusyScope() { busy.store(false); }
    } busy(m_busy);
    const bool result = ReadFromDevice(config, mask);
    // What the store holds now is the keyboard's (what a read could not
    // take stays as the store had it, and is no change to send).
    if (CSyncedState* synced = SyncedStateOf(config); synced && (mask & kMaskEveryStep) == kMaskEveryStep)
        synced->TakeStore(*config);
    return result;
}

TransferContext CBaseDevice::Context(IKeyboardConfig* config) {
    TransferContext context;
    context.descriptor = m_descriptor;
    context.device = m_link.Device();
    context.config = config;
    context.keyIds = &m_keyIds;
    context.synced = SyncedStateOf(config);
    return context;
}

bool CBaseDevice::WriteToDevice(IKeyboardConfig* config, uint32_t mask) {
    // On this thread the write works on the store itself; its record of the
    // keyboard changes only when the write has sent every step.
    TransferContext context = Context(config);
    CSyncedState* record = context.synced;
    CSyncedState working = record ? *record : CSyncedState();
    context.synced = &working;
    const bool result = WriteTransfer(context, mask);
    if (result && record && (mask & kMaskEveryStep) == kMaskEveryStep) {
        working.MarkKnown();
        *record = working;
    }
    return result;
}

bool CBaseDevice::ReadFromDevice(IKeyboardConfig* config, uint32_t mask) { return ReadTransfer(Context(config), mask); }

IKeyboardProfile* CBaseDevice::ProfileOrActive(IKeyboardProfile* profile) const {
    if (profile)
        return profile;
    return m_config ? m_config->GetActiveProfile() : nullptr;
}

bool CBaseDevice::ImportMacro(const wchar_t* path, IKeyboardConfig* config, CString* duplicateName) {
    ConnectionScope connection(*this);
    if (!connection || !config)
        return false;
    const int count = config->GetMacroCount();
    if (!ImportMacroFile(connection.Device(), path, config, duplicateName))
        return false;
    // The keyboard made the macro: it holds what the store now holds.
    const CMacro* imported = config->GetMacro(count);
    if (CSyncedState* synced = SyncedStateOf(config); synced && imported) {
        synced->PutMacro(*imported);
        synced->macroOrder.Append(imported->guid);
    }
    return true;
}

bool CBaseDevice::ExportMacro(const wchar_t* path, CMacro* macro) {
    ConnectionScope connection(*this);
    return connection && ExportMacroFile(connection.Device(), path, macro);
}

bool CBaseDevice::DeviceHasMacro(CMacro* macro) {
    ConnectionScope connection(*this);
    return connection && DeviceHoldsMacro(connection.Device(), macro);
}

bool CBaseDevice::ImportProfile(const wchar_t* path, IKeyboardConfig* config) {
    if (!m_descriptor->Has(CapabilityProfiles) || !path || !config)
        return false;
    ConnectionScope connection(*this);
    if (!connection)
        return false;
    CComPtr<IProfileManager> profiles = GetFeatureOf<IProfileManager>(connection.Device());
    CComPtr<IDeviceProfile> imported;
    if (!profiles || FAILED(profiles->ImportProfile(path, &imported)) || !imported)
        return false;
    CString name;
    GUID guid;
    IKeyboardProfile* created = nullptr;
    if (ReadItemName(imported.Get(), name) && ReadItemGuid(imported.Get(), guid) &&
        (created = config->CreateProfile(name)) != nullptr) {
        created->SetGuid(guid);
        if (ReadProfileContent(Context(config), imported, created)) {
            // The keyboard made the profile: it holds what the store now holds.
            if (CSyncedState* synced = SyncedStateOf(config)) {
                synced->PutProfile(*created);
                synced->profileOrder.Append(guid);
            }
            return true;
        }
        config->DeleteProfile(created);
    }
    // Half an import is none: the keyboard's new profile goes again, and
    // the store never shows a profile it could not read whole.
    profiles->DeleteProfile(imported.Get());
    return false;
}

bool CBaseDevice::ExportProfile(const wchar_t* path, IKeyboardProfile* profile) {
    profile = ProfileOrActive(profile);
    if (!path || !profile)
        return false;
    ConnectionScope connection(*this);
    if (!connection)
        return false;
    CComPtr<IDeviceProfile> found =
        FindDeviceProfile(GetFeatureOf<IProfileManager>(connection.Device()), profile->GetGuid());
    return found && SUCCEEDED(found->Export(path));
}

bool CBaseDevice::DeviceHasProfile(IKeyboardProfile* profile) {
    profile = ProfileOrActive(profile);
    if (!profile)
        return false;
    ConnectionScope connection(*this);
    return connection && FindDeviceProfile(GetFeatureOf<IProfileManager>(connection.Device()), profile->GetGuid());
}

bool CBaseDevice::SetDeviceMode(uint32_t mode) {
    ConnectionScope connection(*this);
    if (!connection)
        return false;
    CComPtr<IDeviceMode> deviceMode = GetFeatureOf<IDeviceMode>(connection.Device());
    return deviceMode && SUCCEEDED(deviceMode->SetMode(mode));
}

bool CBaseDevice::GetLayoutCode(int& code) {
    ConnectionScope connection(*this);
    if (!connection)
        return false;
    CComPtr<IDeviceFeatures> features;
    LONG value = 0;
    if (FAILED(features.QueryFrom(connection.Device(), IID_IDeviceFeatures)) || FAILED(features->GetLayoutCode(&value)))
        return false;
    code = value;
    return true;
}

bool CBaseDevice::ProbeFeature() {
    ConnectionScope connection(*this);
    return connection && ReadOptionalFeature(connection.Device());
}

int CBaseDevice::CountDeviceProfiles() {
    ConnectionScope connection(*this);
    if (!connection)
        return 0;
    CComPtr<IProfileManager> profiles = GetFeatureOf<IProfileManager>(connection.Device());
    int count = 0;
    ForEachDeviceItem(profiles.Get(), &IProfileManager::GetProfile, [&](IDeviceProfile*) { return ++count, true; });
    return count;
}

#pragma once
// The working half of the keyboard object: it connects to the keyboard
// service around every operation, describes the supported keyboard, and
// copies the store to and from the keyboard under a mask of capabilities.
//
// Threads: everything here is called on the thread that owns the store,
// except the write, which runs on one worker thread.  The worker joins its
// own apartment, opens its own connection and works on a snapshot of the
// store (CStoreSnapshot); what it finds out is given back to the store on
// the owner's thread by the next call that looks at the write (IsBusy,
// GetLastWriteResult, Sync and every device operation).  While a write
// runs, every other device operation is refused.
//
// The store keeps a record of what the keyboard holds (CSyncedState): a
// whole read sets it, a write sends only what differs from it and, when it
// succeeds, leaves it holding what the keyboard now holds.

#include "model/device/CDeviceLink.h"
#include "model/device/CProgressMessenger.h"
#include "model/device/CStoreSnapshot.h"
#include "model/device/DeviceDescriptor.h"
#include "model/device/IGenDevice.h"
#include "model/store/IKeyboardConfig.h"
#include "model/device/TransferSteps.h"
#include "platform/CString.h"
#include "platform/CThread.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

class CBaseDevice : public CProgressMessenger {
public:
    // How long a finished write waits before it disconnects.
    static constexpr DWORD kWriteSettleMs = 500;
    // How long the destructor and Shutdown wait for a write before they
    // report it; they go on waiting, since the worker uses this object.
    static constexpr DWORD kWorkerWaitMs = 7500;

    explicit CBaseDevice(const DeviceDescriptor* descriptor = &kKeyboardDescriptor);
    ~CBaseDevice() override;

    // Fails at once without a product id, while a device is held or while a
    // write runs.
    bool Connect();
    void Disconnect();

    bool Initialize(IKeyboardConfig* config);
    // Waits for a running write, then disconnects and forgets the keys.
    void Shutdown();
    bool IsBusy();
    WriteResult GetLastWriteResult();

    bool Sync(IKeyboardConfig* config, int direction, uint32_t mask);
    bool StartTransferThread(IKeyboardConfig* config, uint32_t mask);
    bool RunTransfer(IKeyboardConfig* config, uint32_t mask);
    // The two passes on the connection this thread holds (after Connect).
    bool WriteToDevice(IKeyboardConfig* config, uint32_t mask);
    bool ReadFromDevice(IKeyboardConfig* config, uint32_t mask);
    // Waits (taking this apartment's calls meanwhile) until no write runs.
    bool WaitForWrite(DWORD timeoutMs);

    bool ImportMacro(const wchar_t* path, IKeyboardConfig* config, CString* duplicateName = nullptr);
    bool ExportMacro(const wchar_t* path, CMacro* macro);
    bool DeviceHasMacro(CMacro* macro);
    bool ImportProfile(const wchar_t* path, IKeyboardConfig* config);
    bool ExportProfile(const wchar_t* path, IKeyboardProfile* profile);
    bool DeviceHasProfile(IKeyboardProfile* profile);
    bool SetDeviceMode(uint32_t mode);
    bool GetLayoutCode(int& code);
    bool ProbeFeature();
    int CountDeviceProfiles();

    bool IsConnected() const noexcept { return m_connected; }
    const CString& GetVersionText1() const noexcept { return m_versionText1; }
    const CString& GetVersionText2() const noexcept { return m_versionText2; }
    int GetProductId() const noexcept { return static_cast<int>(m_descriptor->productId); }
    CString GetDisplayName() const { return m_descriptor->displayName; }
    const std::vector<uint32_t>& GetKeyIds() const noexcept { return m_keyIds; }

private:
    struct WriteJob;
    class ConnectionScope;

    static DWORD WINAPI TransferThreadRoutine(void* parameter);
    static bool RunWrite(WriteJob& job);
    // Takes in a write that has ended: its findings go into the store.
    void CollectWrite();
    void WaitForWorker();
    TransferContext Context(IKeyboardConfig* config);
    IKeyboardProfile* ProfileOrActive(IKeyboardProfile* profile) const;
    bool InitializeFromDevice(IKeyboardConfig* config);

    const DeviceDescriptor* m_descriptor;
    CDeviceLink m_link;
    bool m_connected = false;
    CString m_versionText1;
    CString m_versionText2;
    std::vector<uint32_t> m_keyIds;
    std::atomic<bool> m_busy{false};
    CThread m_worker;
    std::unique_ptr<WriteJob> m_job;
    WriteResult m_lastWrite = WriteResult::None;
    IKeyboardConfig* m_config = nullptr;  // the store given to Initialize, for the active profile
};

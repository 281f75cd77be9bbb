#pragma once
// Times what the configuration program does with the keyboard, against the
// emulated keyboard running out of process (KeyboardEmulator.exe reached
// through COM, as the programs reach it), and prints one table.  Each
// scenario is bracketed by the emulator's call count, so the number of
// service calls is counted, not guessed; one call's round trip is measured
// just before each scenario, so that the wall time reads as calls x round
// trip + the rest under the machine's load of that moment.
//
// Runs on the thread that made it, which must be a single-threaded
// apartment with the service's proxies registered (the configuration
// program's user-interface thread is one).

#include "gui/core/CGUIItems.h"
#include "model/store/CKespaConfig.h"
#include "model/device/IGenDevice.h"
#include "platform/CComPtr.h"
#include "service/ServiceInterfaces.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CKeyboardBenchmark {
public:
    // writes: how many single-key writes scenario 7 makes in a row; 0 leaves it out.
    explicit CKeyboardBenchmark(int writes);
    ~CKeyboardBenchmark();
    CKeyboardBenchmark(const CKeyboardBenchmark&) = delete;
    CKeyboardBenchmark& operator=(const CKeyboardBenchmark&) = delete;

    // Runs every scenario and prints the table: 0 when each ran and its
    // transfer succeeded, 1 otherwise (the reason is printed).
    int Run();
    // A write did not end within its time-out.  Its worker still uses the
    // device object, whose destruction would wait for it: the caller then
    // ends the process instead of tearing down.
    bool WriteHung() const noexcept { return m_writeHung; }

private:
    enum class WriteEnd { Succeeded, Failed, NotStarted, Hung };

    struct Row {
        int number = 0;
        std::string name;
        bool ok = false;
        bool hung = false;
        bool isLoop = false;       // scenario 7: also read per write
        double wallMs = 0;
        long long calls = -1;      // -1: not known
        double roundTripMs = 0;
        double settleMs = 0;       // the writes' fixed settle within the wall time
        std::string note;          // why it failed, or what the count includes
    };

    struct WriteLoop {
        int asked = 0;
        int succeeded = 0;
        int failed = 0;
        int hung = 0;
        std::vector<double> times;  // of the writes that ended
    };

    // Set-up; each prints why it refuses.
    bool FindFolders();
    bool ConnectKeyboard();
    bool LoadKeyDefinitions();

    // The scenarios, in the order each builds what the next needs.
    void FirstWriteOfFullStore();
    void FirstReadOfFullKeyboard();
    void ApplyAfterOneKeyChanged();
    void ApplyAfterNothingChanged();
    void CancelReread();
    void ProgramStartToMainWindow();
    void WritesInARow();

    // The store and device object as the configuration program makes them
    // at start: the keyboard object, then the main dialog's first read.
    bool MakeStoreAndDevice(std::string& why);
    void DropStoreAndDevice();
    void FillStore();
    void ChangeOneKey();
    // Starts a write and waits for its end, messages moving; the time-out
    // stops the wait, not the write.
    WriteEnd WriteAndWait(DWORD timeoutMs, double& elapsedMs);
    Row TimedWrite(int number, const char* name, DWORD timeoutMs);
    // Whether the store the scenarios before made is there; when it is not,
    // the scenario is listed as not run.
    bool NeedsStore(int number, const char* name);

    // Just before a scenario's timed part: one call's round trip as it is
    // now, then the count taken, so that it holds the scenario's calls only.
    // False, with the reason in the row, when the keyboard did not answer.
    bool StartCounting(Row& row);
    // The service calls served since the last take; false when the
    // emulator did not answer.
    bool TakeCalls(long long& count);
    // The same from a thread of its own that is given up after timeoutMs:
    // after a hung write the keyboard may not answer.
    static bool TakeCallsWithin(DWORD timeoutMs, long long& count);

    void PrintTable() const;

    int m_writes;
    bool m_writeHung = false;
    std::wstring m_distFolder;   // the installed tree, ending in a backslash
    std::wstring m_workFolder;   // the benchmark's own state file and store folder
    std::wstring m_stateFile;

    CComPtr<IDeviceEnumerator> m_service;
    CComPtr<IKeyboardEmulatorControl> m_control;
    CComPtr<IDevice> m_device;   // for the round-trip calls only

    CGUIItems m_layouts;         // owns what loading the key definitions built
    std::vector<int32_t> m_keys; // the assignable keys of the key definitions
    int32_t m_editedKey = 0;
    int m_edits = 0;

    std::unique_ptr<CKespaConfig> m_store;
    IGenDevice* m_keyboard = nullptr;  // owned by KeyboardDevices

    std::vector<Row> m_rows;
    WriteLoop m_loop;
};

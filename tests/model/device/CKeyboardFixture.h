#pragma once
// An emulated keyboard for the device object: the keyboard (inside the test
// process, or the KeyboardEmulator.exe server), the program's key tables
// made from the same key list the keyboard reports, and a store.

#include "tests/service/CEmulatorSession.h"

#include "emulator/CKeyboardState.h"
#include "model/store/CKespaConfig.h"
#include "model/device/CKeyboard.h"
#include "model/store/IKeyTable.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

// Key defaults and device key codes of every key of skin/KeyTable.txt.
class EmulatorKeys : public IKeyTable {
public:
    EmulatorKeys();
    ~EmulatorKeys();
    EmulatorKeys(const EmulatorKeys&) = delete;
    EmulatorKeys& operator=(const EmulatorKeys&) = delete;

    uint32_t GetKeyTableValue(int32_t key) const override;
    int32_t FindKey(uint32_t deviceKeyCode) const override;
    // The program no longer knows this key.
    void Forget(const wchar_t* name) { m_values.erase(Key(name)); }

    static int32_t Key(const wchar_t* name);
    static uint32_t DeviceKeyId(const wchar_t* name);

private:
    std::map<int32_t, uint32_t> m_values;
};

class CKeyboardFixture : public ::testing::TestWithParam<KeyboardMode> {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    KeyboardMode Mode() const { return GetParam(); }
    CEmulatorSession& Session() { return *m_session; }
    IKeyboardEmulatorControl* Control() { return m_session->Control(); }
    // Null out of process.
    CKeyboardState* Keyboard() { return m_session->Keyboard(); }
    CKespaConfig& Store() { return *m_store; }
    // A keyboard object that has read the keyboard's profiles.
    std::unique_ptr<CKeyboard> StartKeyboard();
    // Waits for a write, taking the in-process keyboard's calls meanwhile.
    bool WaitForWrite(CKeyboard& keyboard, DWORD timeoutMs = 30000);
    void Fail(const wchar_t* operation, bool everyCall = false);
    // A write on this thread's own connection, without the worker.
    bool WriteNow(CKeyboard& keyboard, uint32_t mask = kMaskAll);

    // The keyboard's record of a key in a device profile.
    DeviceKeyRecord KeyRecord(ULONG profile, const wchar_t* key);

    static std::wstring s_folder;
    std::unique_ptr<CEmulatorSession> m_session;
    std::unique_ptr<CKespaConfig> m_store;
    std::unique_ptr<EmulatorKeys> m_keys;
    DWORD m_cookie = 0;
};

// With a keyboard object that has read the keyboard whole.
class CReadKeyboardFixture : public CKeyboardFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    std::unique_ptr<CKeyboard> m_keyboard;
};

std::string Utf8(const std::wstring& text);

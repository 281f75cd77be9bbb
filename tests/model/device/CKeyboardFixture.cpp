#include "tests/model/device/CKeyboardFixture.h"

#include "emulator/CKeyTable.h"
#include "model/device/DeviceService.h"
#include "model/device/KeyAssignmentTransfer.h"
#include "model/device/DeviceCalls.h"
#include "tests/support/MessagePump.h"
#include "tests/support/TestPaths.h"

#include <objidl.h>

namespace {

DWORD g_enumeratorCookie = 0;

CComPtr<IGlobalInterfaceTable> InterfaceTable() {
    CComPtr<IGlobalInterfaceTable> table;
    table.CoCreateInstance(CLSID_StdGlobalInterfaceTable, IID_IGlobalInterfaceTable, CLSCTX_INPROC_SERVER);
    return table;
}

// The in-process keyboard for any apartment: a thread other than the test's
// gets a proxy, and its calls run on the test thread while it pumps.
HRESULT InProcessService(IDeviceEnumerator** service) {
    CComPtr<IGlobalInterfaceTable> table = InterfaceTable();
    if (!table)
        return E_FAIL;
    return table->GetInterfaceFromGlobal(g_enumeratorCookie, IID_IDeviceEnumerator, reinterpret_cast<void**>(service));
}

}  // namespace

std::string Utf8(const std::wstring& text) { return CString(text).ToUtf8(); }

EmulatorKeys::EmulatorKeys() {
    for (const KeyTableEntry& row : CKeyTable::Instance().Rows())
        m_values.emplace(HashKeyName(row.name), row.scanCode | (row.extended ? 1u << 16 : 0u));
    SetKeyTable(this);
}

EmulatorKeys::~EmulatorKeys() {
    SetKeyTable(nullptr);
}

uint32_t EmulatorKeys::GetKeyTableValue(int32_t key) const {
    auto it = m_values.find(key);
    return it == m_values.end() ? 0 : it->second;
}

int32_t EmulatorKeys::FindKey(uint32_t deviceKeyCode) const {
    for (const auto& [key, value] : m_values)
        if (value == (deviceKeyCode & 0xFFFFFF))
            return key;
    return 0;
}

int32_t EmulatorKeys::Key(const wchar_t* name) { return HashKeyName(name); }

uint32_t EmulatorKeys::DeviceKeyId(const wchar_t* name) {
    const CKeyTable& table = CKeyTable::Instance();
    int index = table.IndexOfName(name);
    EXPECT_GE(index, 0) << Utf8(name);
    return index < 0 ? 0 : table.KeyIdAt(static_cast<size_t>(index));
}

std::wstring CKeyboardFixture::s_folder;

void CKeyboardFixture::SetUpTestSuite() {
    s_folder = MakeTempFolder(L"device");
    CEmulatorSession::StopServer();
}

void CKeyboardFixture::TearDownTestSuite() { CEmulatorSession::StopServer(); }

void CKeyboardFixture::SetUp() {
    std::wstring file = s_folder + (Mode() == KeyboardMode::InProcess ? L"\\inproc.xml" : L"\\server.xml");
    m_session = std::make_unique<CEmulatorSession>(Mode(), file);
    ASSERT_HRESULT_SUCCEEDED(m_session->Connect());
    ULONG vendorId = 0, productId = 0;
    ASSERT_HRESULT_SUCCEEDED(Control()->ClearFaults());
    ASSERT_HRESULT_SUCCEEDED(Control()->SetPresent(TRUE, &vendorId, &productId));
    ASSERT_HRESULT_SUCCEEDED(Control()->ResetToFactory());
    PumpUntilIdle(20, 1000);
    if (Mode() == KeyboardMode::InProcess) {
        CComPtr<IGlobalInterfaceTable> table = InterfaceTable();
        ASSERT_TRUE(table);
        ASSERT_HRESULT_SUCCEEDED(table->RegisterInterfaceInGlobal(m_session->Enumerator(), IID_IDeviceEnumerator, &m_cookie));
        g_enumeratorCookie = m_cookie;
        SetDeviceServiceFactory(InProcessService);
    }
    m_keys = std::make_unique<EmulatorKeys>();
    m_store = std::make_unique<CKespaConfig>((s_folder + L"\\").c_str());
}

void CKeyboardFixture::TearDown() {
    m_store.reset();
    m_keys.reset();
    SetDeviceServiceFactory(nullptr);
    if (m_cookie)
        if (CComPtr<IGlobalInterfaceTable> table = InterfaceTable())
            table->RevokeInterfaceFromGlobal(m_cookie);
    m_cookie = 0;
    if (Control())
        Control()->ClearFaults();
    m_session.reset();
}

std::unique_ptr<CKeyboard> CKeyboardFixture::StartKeyboard() {
    auto keyboard = std::make_unique<CKeyboard>();
    EXPECT_TRUE(keyboard->Initialize(m_store.get()));
    return keyboard;
}

bool CKeyboardFixture::WaitForWrite(CKeyboard& keyboard, DWORD timeoutMs) {
    return PumpUntil([&] { return !keyboard.IsBusy(); }, timeoutMs);
}

void CKeyboardFixture::Fail(const wchar_t* operation, bool everyCall) {
    ASSERT_HRESULT_SUCCEEDED(Control()->InjectFault(operation, static_cast<HRESULT>(0x80041234), everyCall ? TRUE : FALSE))
        << Utf8(operation);
}

DeviceKeyRecord CKeyboardFixture::KeyRecord(ULONG profile, const wchar_t* key) {
    DeviceKeyRecord none = {};
    auto keys = CEmulatorSession::ProfileFeature<IKeyAssignmentManager>(m_session->Profile(profile),
                                                                        IID_IKeyAssignmentManager);
    std::vector<DeviceKeyRecord> records;
    if (!ReadKeyRecords(keys, records))
        return none;
    const uint32_t id = EmulatorKeys::DeviceKeyId(key);
    for (const DeviceKeyRecord& r : records)
        if (r.keyId == id)
            return r;
    return none;
}

bool CKeyboardFixture::WriteNow(CKeyboard& keyboard, uint32_t mask) {
    if (!keyboard.Connect())
        return false;
    bool result = keyboard.WriteToDevice(m_store.get(), mask);
    keyboard.Disconnect();
    return result;
}

void CReadKeyboardFixture::SetUp() {
    CKeyboardFixture::SetUp();
    if (HasFatalFailure())
        return;
    m_keyboard = StartKeyboard();
    ASSERT_TRUE(m_keyboard->Sync(m_store.get(), kSyncRead, kMaskAll));
}

void CReadKeyboardFixture::TearDown() {
    m_keyboard.reset();
    CKeyboardFixture::TearDown();
}

#include "emulator/CDeviceProfile.h"

#include "emulator/CDpiEventSource.h"
#include "emulator/CKeyTable.h"
#include "emulator/CLed.h"
#include "emulator/CServiceObject.h"
#include "emulator/ItemCalls.h"
#include "service/ServiceText.h"

#include <cstring>

namespace {

// The action types a key record may carry (0: a key without an action).
bool IsKnownActionType(ULONG type) { return type <= 9 && type != 7; }

// Options written as {u16 id, u16 value} records; each id has its bit.
int OptionBit(uint16_t id) {
    switch (id) {
    case 1: return 0;
    case 2: return 1;
    case 4: return 2;
    default: return -1;
    }
}

}  // namespace

void* CDeviceProfile::Find(REFIID iid) {
    if (iid == IID_IUnknown || iid == IID_IDeviceProfile)
        return static_cast<IDeviceProfile*>(this);
    if (iid == IID_IProfileProperties)
        return static_cast<IProfileProperties*>(this);
    if (iid == IID_IKeyAssignmentManager)
        return static_cast<IKeyAssignmentManager*>(this);
    if (iid == IID_ILedCollection)
        return static_cast<ILedCollection*>(this);
    if (iid == IID_IServiceHandle)
        return static_cast<IServiceHandle*>(this);
    return nullptr;
}

ProfileState* CDeviceProfile::Open(const wchar_t* operation, HRESULT& hr) {
    return OpenItem(*m_state, operation, &CKeyboardState::FindProfile, m_guid, hr);
}

HRESULT CDeviceProfile::GetFeature(REFIID iid, IUnknown** feature) {
    HRESULT hr = ClearOut(feature);
    if (FAILED(hr) || !Open(L"IDeviceProfile.GetFeature", hr))
        return hr;
    void** out = reinterpret_cast<void**>(feature);
    if (iid == IID_IDpiEventSource)
        return CServiceObject<CDpiEventSource>::CreateAs<IDpiEventSource>(iid, out, m_state, m_guid);
    if (iid == IID_IServiceHandle)
        return E_NOINTERFACE;
    return static_cast<IDeviceProfile*>(this)->QueryInterface(iid, out);
}

HRESULT CDeviceProfile::GetGuid(ULONG* guid0, ULONG* guid1, ULONG* guid2, ULONG* guid3) {
    HRESULT hr = PutGuidWords(GUID_NULL, guid0, guid1, guid2, guid3);
    if (FAILED(hr) || !Open(L"IDeviceProfile.GetGuid", hr))
        return hr;
    return PutGuidWords(m_guid, guid0, guid1, guid2, guid3);
}

HRESULT CDeviceProfile::GetName(ULONG* cbName, BYTE** name) {
    HRESULT hr = ClearOut(cbName, name);
    if (FAILED(hr))
        return hr;
    ProfileState* profile = Open(L"IDeviceProfile.GetName", hr);
    return profile ? AllocServiceText(profile->name, cbName, name) : hr;
}

HRESULT CDeviceProfile::SetName(const WCHAR* name) {
    HRESULT hr;
    ProfileState* profile = Open(L"IDeviceProfile.SetName", hr);
    return profile ? PutItemText(*m_state, name, kMaxProfileNameLength, profile->name) : hr;
}

HRESULT CDeviceProfile::Export(const WCHAR* path) {
    HRESULT hr;
    if (!Open(L"IDeviceProfile.Export", hr))
        return hr;
    if (!path)
        return E_POINTER;
    return m_state->ExportProfile(m_guid, path);
}

HRESULT CDeviceProfile::GetProperty(ULONG id, ULONG reserved1, BYTE* buffer, ULONG reserved2, ULONG* size) {
    if (!size)
        return E_POINTER;
    // The size comes back no larger than it came in: the marshaled buffer is
    // only as long as the caller said.
    ULONG capacity = *size;
    *size = 0;
    HRESULT hr;
    ProfileState* profile = Open(L"IProfileProperties.GetProperty", hr);
    if (!profile)
        return hr;
    if (reserved1 || reserved2)
        return E_INVALIDARG;
    if (!buffer && capacity)
        return E_POINTER;
    if (id == PROFILE_PROPERTY_LINKED_PROGRAM) {
        if (capacity < PROFILE_LINKED_PROGRAM_BYTES)
            return kServiceBufferTooSmall;
        std::memset(buffer, 0, PROFILE_LINKED_PROGRAM_BYTES);
        std::memcpy(buffer, profile->linkedProgram.c_str(), profile->linkedProgram.size() * sizeof(wchar_t));
        *size = PROFILE_LINKED_PROGRAM_BYTES;
        return S_OK;
    }
    if (id == PROFILE_PROPERTY_OPTIONS) {
        if (capacity < 2)
            return kServiceBufferTooSmall;
        buffer[0] = static_cast<BYTE>(profile->options & 0xFF);
        buffer[1] = static_cast<BYTE>(profile->options >> 8);
        *size = 2;
        return S_OK;
    }
    return E_INVALIDARG;
}

HRESULT CDeviceProfile::SetProperty(ULONG id, const BYTE* buffer, ULONG reserved1, ULONG size, ULONG reserved2) {
    HRESULT hr;
    ProfileState* profile = Open(L"IProfileProperties.SetProperty", hr);
    if (!profile)
        return hr;
    if (reserved1 || reserved2)
        return E_INVALIDARG;
    if (!buffer && size)
        return E_POINTER;
    if (id == PROFILE_PROPERTY_LINKED_PROGRAM) {
        // A UTF-16 text whose terminator lies inside the buffer: at most 127
        // characters in the 256 bytes.
        if (size < sizeof(wchar_t) || size > PROFILE_LINKED_PROGRAM_BYTES || size % sizeof(wchar_t))
            return E_INVALIDARG;
        std::wstring text;
        size_t units = size / sizeof(wchar_t);
        size_t i = 0;
        for (; i < units; ++i) {
            wchar_t unit;
            std::memcpy(&unit, buffer + i * sizeof(wchar_t), sizeof unit);
            if (unit == 0)
                break;
            text.push_back(unit);
        }
        if (i == units)
            return E_INVALIDARG;
        profile->linkedProgram = text;
        m_state->Changed();
        return S_OK;
    }
    if (id == PROFILE_PROPERTY_OPTIONS) {
        if (size == 0 || size % 4)
            return E_INVALIDARG;
        uint16_t options = profile->options;
        for (ULONG at = 0; at < size; at += 4) {
            uint16_t option = static_cast<uint16_t>(buffer[at] | buffer[at + 1] << 8);
            uint16_t value = static_cast<uint16_t>(buffer[at + 2] | buffer[at + 3] << 8);
            int bit = OptionBit(option);
            if (bit < 0 || value > 1)
                return E_INVALIDARG;
            options = static_cast<uint16_t>(value ? options | 1u << bit : options & ~(1u << bit));
        }
        profile->options = options;
        m_state->Changed();
        return S_OK;
    }
    return E_INVALIDARG;
}

HRESULT CDeviceProfile::GetKeyCount(ULONG* count) {
    if (!count)
        return E_POINTER;
    *count = 0;
    HRESULT hr;
    ProfileState* profile = Open(L"IKeyAssignmentManager.GetKeyCount", hr);
    if (profile)
        *count = static_cast<ULONG>(profile->keys.size());
    return hr;
}

HRESULT CDeviceProfile::ReadKeys(ULONG* count, DeviceKeyRecord* records) {
    if (!count)
        return E_POINTER;
    ULONG capacity = *count;
    *count = 0;
    HRESULT hr;
    ProfileState* profile = Open(L"IKeyAssignmentManager.ReadKeys", hr);
    if (!profile)
        return hr;
    if (!records && capacity)
        return E_POINTER;
    if (capacity < profile->keys.size())
        return kServiceBufferTooSmall;
    std::memcpy(records, profile->keys.data(), profile->keys.size() * sizeof(DeviceKeyRecord));
    *count = static_cast<ULONG>(profile->keys.size());
    return S_OK;
}

HRESULT CDeviceProfile::WriteKeys(ULONG count, const DeviceKeyRecord* records) {
    HRESULT hr;
    ProfileState* profile = Open(L"IKeyAssignmentManager.WriteKeys", hr);
    if (!profile)
        return hr;
    if (count == 0)
        return E_INVALIDARG;
    if (!records)
        return E_POINTER;
    // All or nothing: a block with one bad record changes no key.
    const CKeyTable& table = CKeyTable::Instance();
    for (ULONG i = 0; i < count; ++i)
        if (table.IndexOfKeyId(records[i].keyId) < 0 || !IsKnownActionType(records[i].actionType))
            return E_INVALIDARG;
    for (ULONG i = 0; i < count; ++i)
        profile->keys[static_cast<size_t>(table.IndexOfKeyId(records[i].keyId))] = records[i];
    m_state->Changed();
    return S_OK;
}

HRESULT CDeviceProfile::GetLed(ULONG index, ILed** led) {
    HRESULT hr = ClearOut(led);
    if (FAILED(hr) || !Open(L"ILedCollection.GetLed", hr))
        return hr;
    if (index >= kLedCount)
        return kServiceNoMoreItems;
    return CServiceObject<CLed>::CreateInto(led, m_state, m_guid, index + 1);
}

#include "emulator/CDeviceMacro.h"

#include "emulator/ItemCalls.h"
#include "service/ServiceText.h"

#include <cstring>

void* CDeviceMacro::Find(REFIID iid) {
    if (iid == IID_IUnknown || iid == IID_IDeviceMacro)
        return static_cast<IDeviceMacro*>(this);
    if (iid == IID_IServiceHandle)
        return static_cast<IServiceHandle*>(this);
    return nullptr;
}

MacroState* CDeviceMacro::Open(const wchar_t* operation, HRESULT& hr) {
    return OpenItem(*m_state, operation, &CKeyboardState::FindMacro, m_guid, hr);
}

HRESULT CDeviceMacro::GetGuid(ULONG* guid0, ULONG* guid1, ULONG* guid2, ULONG* guid3) {
    HRESULT hr = PutGuidWords(GUID_NULL, guid0, guid1, guid2, guid3);
    if (FAILED(hr) || !Open(L"IDeviceMacro.GetGuid", hr))
        return hr;
    return PutGuidWords(m_guid, guid0, guid1, guid2, guid3);
}

HRESULT CDeviceMacro::GetName(ULONG* cbName, BYTE** name) {
    HRESULT hr = ClearOut(cbName, name);
    if (FAILED(hr))
        return hr;
    MacroState* macro = Open(L"IDeviceMacro.GetName", hr);
    return macro ? AllocServiceText(macro->name, cbName, name) : hr;
}

HRESULT CDeviceMacro::SetName(const WCHAR* name) {
    HRESULT hr;
    MacroState* macro = Open(L"IDeviceMacro.SetName", hr);
    return macro ? PutItemText(*m_state, name, kMaxMacroNameLength, macro->name) : hr;
}

HRESULT CDeviceMacro::Export(const WCHAR* path) {
    HRESULT hr;
    if (!Open(L"IDeviceMacro.Export", hr))
        return hr;
    if (!path)
        return E_POINTER;
    return m_state->ExportMacro(m_guid, path);
}

HRESULT CDeviceMacro::GetSteps(ULONG* cbBlock, BYTE** block) {
    HRESULT hr = ClearOut(cbBlock, block);
    if (FAILED(hr))
        return hr;
    MacroState* macro = Open(L"IDeviceMacro.GetSteps", hr);
    if (!macro)
        return hr;
    uint32_t count = static_cast<uint32_t>(macro->steps.size());
    uint32_t size = MacroStepsBlockSize(count);
    BYTE* out = static_cast<BYTE*>(CoTaskMemAlloc(size));
    if (!out)
        return E_OUTOFMEMORY;
    std::memset(out, 0, size);
    MacroStepsBlock header = {0, count};
    std::memcpy(out, &header, sizeof header);
    if (count)
        std::memcpy(out + sizeof header, macro->steps.data(), count * sizeof(MacroStepsBlockStep));
    *cbBlock = size;
    *block = out;
    return S_OK;
}

HRESULT CDeviceMacro::SetSteps(ULONG cbBlock, const BYTE* block) {
    HRESULT hr;
    MacroState* macro = Open(L"IDeviceMacro.SetSteps", hr);
    if (!macro)
        return hr;
    if (!block)
        return E_POINTER;
    // The count must fit the block it came in; the zero trailer may be left off.
    MacroStepsBlock header;
    if (cbBlock < sizeof header)
        return E_INVALIDARG;
    std::memcpy(&header, block, sizeof header);
    if (header.count > kMaxMacroSteps || (cbBlock - sizeof header) / sizeof(MacroStepsBlockStep) < header.count)
        return E_INVALIDARG;
    std::vector<MacroStepsBlockStep> steps(header.count);
    if (header.count)
        std::memcpy(steps.data(), block + sizeof header, header.count * sizeof(MacroStepsBlockStep));
    for (const MacroStepsBlockStep& step : steps)
        if (step.kind > MACRO_STEP_DELAY)
            return E_INVALIDARG;
    macro->steps = std::move(steps);
    m_state->Changed();
    return S_OK;
}

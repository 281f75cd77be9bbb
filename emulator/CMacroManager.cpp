#include "emulator/CMacroManager.h"

#include "emulator/CDeviceMacro.h"
#include "emulator/ItemCalls.h"

void* CMacroManager::Find(REFIID iid) {
    if (iid == IID_IUnknown || iid == IID_IMacroManager)
        return static_cast<IMacroManager*>(this);
    return nullptr;
}

HRESULT CMacroManager::GetMacro(ULONG index, IDeviceMacro** macro) {
    return GetItemAt<CDeviceMacro>(m_state, L"IMacroManager.GetMacro", &KeyboardData::macros, index, macro);
}

HRESULT CMacroManager::FindMacro(ULONG guid0, ULONG guid1, ULONG guid2, ULONG guid3, IDeviceMacro** macro) {
    return FindItem<CDeviceMacro>(m_state, L"IMacroManager.FindMacro", &KeyboardData::macros,
                                  GuidOfWords(guid0, guid1, guid2, guid3), macro);
}

HRESULT CMacroManager::CreateMacro(IDeviceMacro** macro) {
    return AddItem<CDeviceMacro>(
        m_state, L"IMacroManager.CreateMacro", [this](GUID& guid) { return m_state->CreateMacro(guid); }, macro);
}

HRESULT CMacroManager::DeleteMacro(IDeviceMacro* macro) {
    return ActOnItem(m_state, L"IMacroManager.DeleteMacro", macro, &CKeyboardState::DeleteMacro);
}

HRESULT CMacroManager::ImportMacro(const WCHAR* path, IDeviceMacro** macro) {
    return AddItem<CDeviceMacro>(
        m_state, L"IMacroManager.ImportMacro",
        [this, path](GUID& guid) { return path ? m_state->ImportMacro(path, guid) : E_POINTER; }, macro);
}

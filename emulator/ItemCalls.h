#pragma once
// The calls the profile, macro and application managers share: each manager
// hands out handles (Object, answered as interface I) onto one of the
// keyboard's item lists.

#include "emulator/CKeyboardState.h"
#include "emulator/CServiceObject.h"
#include "emulator/IServiceHandle.h"
#include "emulator/ServiceCalls.h"

#include <algorithm>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

// The item with guid that a handle's call operation works on; null, with hr
// saying why, when the call cannot go on.
template <typename Item>
Item* OpenItem(CKeyboardState& state, const wchar_t* operation, Item* (CKeyboardState::*find)(const GUID&),
               const GUID& guid, HRESULT& hr) {
    hr = state.Enter(operation);
    if (FAILED(hr))
        return nullptr;
    Item* item = (state.*find)(guid);
    if (!item)
        hr = kServiceNotFound;
    return item;
}

// Stores a name a client sets on an item: refused when missing or longer than
// maxLength.
inline HRESULT PutItemText(CKeyboardState& state, const WCHAR* text, size_t maxLength, std::wstring& field) {
    if (!text)
        return E_POINTER;
    if (std::wcslen(text) > maxLength)
        return E_INVALIDARG;
    field = text;
    state.Changed();
    return S_OK;
}

// Starts a call that answers an item: the out-parameter cleared, then the
// keyboard entered.
template <typename I>
HRESULT EnterFor(CKeyboardState& state, const wchar_t* operation, I** out) {
    HRESULT hr = ClearOut(out);
    return FAILED(hr) ? hr : state.Enter(operation);
}

// The item at index of list, or kServiceNoMoreItems past its end.
template <typename Object, typename I, typename Item>
HRESULT GetItemAt(const std::shared_ptr<CKeyboardState>& state, const wchar_t* operation,
                  std::vector<Item> KeyboardData::*list, ULONG index, I** out) {
    HRESULT hr = EnterFor(*state, operation, out);
    if (FAILED(hr))
        return hr;
    const std::vector<Item>& items = state->Data().*list;
    if (index >= items.size())
        return kServiceNoMoreItems;
    return CServiceObject<Object>::CreateInto(out, state, items[index].guid);
}

// The item of list with guid, or kServiceNotFound.
template <typename Object, typename I, typename Item>
HRESULT FindItem(const std::shared_ptr<CKeyboardState>& state, const wchar_t* operation,
                 std::vector<Item> KeyboardData::*list, const GUID& guid, I** out) {
    HRESULT hr = EnterFor(*state, operation, out);
    if (FAILED(hr))
        return hr;
    const std::vector<Item>& items = state->Data().*list;
    if (std::none_of(items.begin(), items.end(), [&](const Item& item) { return item.guid == guid; }))
        return kServiceNotFound;
    return CServiceObject<Object>::CreateInto(out, state, guid);
}

// An item that add (HRESULT(GUID&)) puts on the keyboard: created or imported.
template <typename Object, typename I, typename Add>
HRESULT AddItem(const std::shared_ptr<CKeyboardState>& state, const wchar_t* operation, Add add, I** out) {
    HRESULT hr = EnterFor(*state, operation, out);
    GUID guid;
    if (SUCCEEDED(hr))
        hr = add(guid);
    return FAILED(hr) ? hr : CServiceObject<Object>::CreateInto(out, state, guid);
}

// Applies act (a CKeyboardState call taking a GUID) to an item a client hands
// back; E_INVALIDARG for anything that is not one of this keyboard's items.
inline HRESULT ActOnItem(const std::shared_ptr<CKeyboardState>& state, const wchar_t* operation, IUnknown* item,
                         HRESULT (CKeyboardState::*act)(const GUID&)) {
    HRESULT hr = state->Enter(operation);
    if (FAILED(hr))
        return hr;
    GUID guid;
    if (!GuidOfHandle(item, state.get(), guid))
        return E_INVALIDARG;
    return ((*state).*act)(guid);
}

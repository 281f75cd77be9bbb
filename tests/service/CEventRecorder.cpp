#include "tests/service/CEventRecorder.h"

#include <ocidl.h>

#include <cstdio>

CComPtr<CEventRecorder> CEventRecorder::Create() { return CComPtr<CEventRecorder>(new CEventRecorder); }

DWORD CEventRecorder::Advise(IUnknown* source, REFIID iid, HRESULT* hr) {
    CComPtr<IConnectionPointContainer> container;
    CComPtr<IConnectionPoint> point;
    DWORD cookie = 0;
    HRESULT result = source ? source->QueryInterface(IID_IConnectionPointContainer,
                                                     reinterpret_cast<void**>(&container))
                            : E_POINTER;
    if (SUCCEEDED(result))
        result = container->FindConnectionPoint(iid, &point);
    if (SUCCEEDED(result))
        result = point->Advise(static_cast<_IProfileManagerEvents*>(this), &cookie);
    if (hr)
        *hr = result;
    return SUCCEEDED(result) ? cookie : 0;
}

HRESULT CEventRecorder::Unadvise(IUnknown* source, REFIID iid, DWORD cookie) {
    CComPtr<IConnectionPointContainer> container;
    CComPtr<IConnectionPoint> point;
    HRESULT hr = source ? source->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container))
                        : E_POINTER;
    if (SUCCEEDED(hr))
        hr = container->FindConnectionPoint(iid, &point);
    if (SUCCEEDED(hr))
        hr = point->Unadvise(cookie);
    return hr;
}

HRESULT CEventRecorder::QueryInterface(REFIID iid, void** out) {
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID__IProfileManagerEvents)
        *out = static_cast<_IProfileManagerEvents*>(this);
    else if (iid == IID__IOTFMacroRecordingEvents)
        *out = static_cast<_IOTFMacroRecordingEvents*>(this);
    else if (iid == IID__IApplicationEvent)
        *out = static_cast<_IApplicationEvent*>(this);
    else if (iid == IID__IDPIEvents)
        *out = static_cast<_IDPIEvents*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

ULONG CEventRecorder::Release() {
    LONG refs = InterlockedDecrement(&m_refs);
    if (refs == 0)
        delete this;
    return static_cast<ULONG>(refs);
}

void CEventRecorder::Add(const std::wstring& event) {
    events.push_back(event);
    threads.push_back(GetCurrentThreadId());
}

HRESULT CEventRecorder::OnProfileChanged(ULONG index) {
    Add(L"profile " + std::to_wstring(index));
    return S_OK;
}

HRESULT CEventRecorder::OnMacroRecordingStarted() {
    Add(L"started");
    return S_OK;
}

HRESULT CEventRecorder::OnMacroRecordingStopped() {
    Add(L"stopped");
    return S_OK;
}

HRESULT CEventRecorder::OnMacroRecordingSaved(ULONG profileIndex, ULONG keyId) {
    wchar_t text[64];
    std::swprintf(text, 64, L"saved %lu 0x%05lX", profileIndex, keyId);
    Add(text);
    return S_OK;
}

HRESULT CEventRecorder::OnMacroRecordingCanceled() {
    Add(L"canceled");
    return S_OK;
}

HRESULT CEventRecorder::OnLaunchApplication(ULONG kind, const WCHAR* path) {
    Add(L"launch " + std::to_wstring(kind) + L" " + (path ? path : L"<null>"));
    return S_OK;
}

HRESULT CEventRecorder::OnDpiChanged(LONG x, LONG y) {
    Add(L"dpi " + std::to_wstring(x) + L" " + std::to_wstring(y));
    return S_OK;
}

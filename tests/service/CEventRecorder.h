#pragma once
// A sink for every event interface of the service that writes down each
// event as a line ("profile 2", "saved 0 0x0003B", "launch 1 C:\x.exe"), and
// the advise/unadvise steps a client takes.

#include "platform/CComPtr.h"
#include "service/ServiceInterfaces.h"

#include <string>
#include <vector>

class CEventRecorder : public _IProfileManagerEvents,
                       public _IOTFMacroRecordingEvents,
                       public _IApplicationEvent,
                       public _IDPIEvents {
public:
    static CComPtr<CEventRecorder> Create();

    std::vector<std::wstring> events;
    // The thread each event arrived on.
    std::vector<DWORD> threads;

    // The cookie, or 0 with the failure in hr.
    DWORD Advise(IUnknown* source, REFIID iid, HRESULT* hr = nullptr);
    static HRESULT Unadvise(IUnknown* source, REFIID iid, DWORD cookie);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&m_refs)); }
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE OnProfileChanged(ULONG index) override;
    HRESULT STDMETHODCALLTYPE OnMacroRecordingStarted() override;
    HRESULT STDMETHODCALLTYPE OnMacroRecordingStopped() override;
    HRESULT STDMETHODCALLTYPE OnMacroRecordingSaved(ULONG profileIndex, ULONG keyId) override;
    HRESULT STDMETHODCALLTYPE OnMacroRecordingCanceled() override;
    HRESULT STDMETHODCALLTYPE OnLaunchApplication(ULONG kind, const WCHAR* path) override;
    HRESULT STDMETHODCALLTYPE OnDpiChanged(LONG x, LONG y) override;

private:
    CEventRecorder() = default;
    void Add(const std::wstring& event);
    LONG m_refs = 0;
};

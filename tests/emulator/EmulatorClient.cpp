// A second client process for the tests: makes the profile of the given
// name active through the service, as another program would.
//   emulator_test_client set-active <name>
// Exit code 0 when done, 1 when the service refused, 2 for bad arguments.

#include "platform/CComPtr.h"
#include "platform/CString.h"
#include "service/CProxyStubRegistration.h"
#include "service/ServiceInterfaces.h"
#include "service/ServiceText.h"

static HRESULT SetActiveByName(const wchar_t* wanted) {
    CComPtr<IDeviceEnumerator> enumerator;
    CComPtr<IDevice> device;
    CComPtr<IUnknown> feature;
    CComPtr<IProfileManager> profiles;
    HRESULT hr = enumerator.CoCreateInstance(CLSID_DeviceService, IID_IDeviceEnumerator, 23);
    if (SUCCEEDED(hr))
        hr = enumerator->GetDevice(0, &device);
    if (SUCCEEDED(hr))
        hr = device->GetFeature(IID_IProfileManager, &feature);
    if (SUCCEEDED(hr))
        hr = profiles.QueryFrom(feature, IID_IProfileManager);
    for (ULONG i = 0; SUCCEEDED(hr); ++i) {
        CComPtr<IDeviceProfile> profile;
        hr = profiles->GetProfile(i, &profile);
        ULONG cb = 0;
        BYTE* block = nullptr;
        CString name;
        if (SUCCEEDED(hr) && SUCCEEDED(profile->GetName(&cb, &block)) && TakeServiceText(cb, block, name) &&
            name == wanted)
            return profiles->SetActiveProfile(profile);
    }
    return hr;
}

int wmain(int argc, wchar_t** argv) {
    if (argc != 3 || CompareNoCase(argv[1], L"set-active") != 0)
        return 2;
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 1;
    HRESULT hr;
    {
        CProxyStubRegistration proxies;
        hr = SetActiveByName(argv[2]);
    }
    CoUninitialize();
    return SUCCEEDED(hr) ? 0 : 1;
}

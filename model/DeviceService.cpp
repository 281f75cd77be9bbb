#include "model/DeviceService.h"

#include <atomic>

namespace {
std::atomic<DeviceServiceFactory> g_factory{nullptr};
constexpr DWORD kServiceContext = 23;  // in-process, handler, local and remote servers
constexpr ULONG kMaxDevices = 256;
}  // namespace

void SetDeviceServiceFactory(DeviceServiceFactory factory) noexcept { g_factory.store(factory); }

HRESULT CreateDeviceService(IDeviceEnumerator** service) {
    if (!service)
        return E_POINTER;
    *service = nullptr;
    if (DeviceServiceFactory factory = g_factory.load())
        return factory(service);
    return CoCreateInstance(CLSID_DeviceService, nullptr, kServiceContext, IID_IDeviceEnumerator,
                            reinterpret_cast<void**>(service));
}

CComPtr<IDevice> FindServiceDevice(IDeviceEnumerator* service, uint32_t productId) {
    if (!service)
        return CComPtr<IDevice>();
    for (ULONG index = 0; index < kMaxDevices; ++index) {
        CComPtr<IDevice> device;
        if (FAILED(service->GetDevice(index, &device)) || !device)
            break;
        DeviceInfo info = {};
        if (FAILED(device->GetInfo(&info)))
            continue;
        CoTaskMemFree(info.text);
        if (info.productId == productId)
            return device;
    }
    return CComPtr<IDevice>();
}

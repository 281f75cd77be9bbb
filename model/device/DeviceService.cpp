#include "model/device/DeviceService.h"

#include "model/device/DeviceCalls.h"

#include <atomic>

namespace {
std::atomic<DeviceServiceFactory> g_factory{nullptr};
constexpr DWORD kServiceContext = 23;  // in-process, handler, local and remote servers
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
    return FindServiceDevice(service, [productId](IDevice* device) {
        DeviceInfo info = {};
        if (FAILED(device->GetInfo(&info)))
            return false;
        CoTaskMemFree(info.text);
        return info.productId == productId;
    });
}

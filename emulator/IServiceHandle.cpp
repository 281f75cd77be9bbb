#include "emulator/IServiceHandle.h"

#include "platform/CComPtr.h"

const IID IID_IServiceHandle = {0x1f667719, 0x58c8, 0x4367, {0x93, 0x5a, 0x75, 0xe1, 0x10, 0xc1, 0x46, 0x6c}};

bool GuidOfHandle(IUnknown* item, const CKeyboardState* keyboard, GUID& guid) {
    if (!item)
        return false;
    CComPtr<IServiceHandle> handle;
    if (FAILED(item->QueryInterface(IID_IServiceHandle, reinterpret_cast<void**>(&handle))) || !handle ||
        handle->Keyboard() != keyboard)
        return false;
    guid = handle->ItemGuid();
    return true;
}

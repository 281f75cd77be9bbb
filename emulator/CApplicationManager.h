#pragma once
// The programs the keyboard's launch keys start; raises _IApplicationEvent
// when such a key is pressed.

#include "emulator/CKeyboardState.h"
#include "service/ServiceInterfaces.h"

#include <memory>

class CApplicationManager : public IApplicationManager, public IConnectionPointContainer {
public:
    explicit CApplicationManager(std::shared_ptr<CKeyboardState> state) : m_state(std::move(state)) {}
    void* Find(REFIID iid);

    HRESULT STDMETHODCALLTYPE GetApplication(ULONG index, IDeviceApplication** application) override;
    HRESULT STDMETHODCALLTYPE FindApplication(ULONG guid0, ULONG guid1, ULONG guid2, ULONG guid3,
                                              IDeviceApplication** application) override;
    HRESULT STDMETHODCALLTYPE CreateApplication(IDeviceApplication** application) override;
    HRESULT STDMETHODCALLTYPE DeleteApplication(IDeviceApplication* application) override;

    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override;
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

private:
    std::shared_ptr<CKeyboardState> m_state;
};

#pragma once
// The keyboard's profiles: by index, by GUID, the active one; raises
// _IProfileManagerEvents when the active profile changes.

#include "emulator/CKeyboardState.h"
#include "service/ServiceInterfaces.h"

#include <memory>

class CProfileManager : public IProfileManager, public IConnectionPointContainer {
public:
    explicit CProfileManager(std::shared_ptr<CKeyboardState> state) : m_state(std::move(state)) {}
    void* Find(REFIID iid);

    // IProfileManager
    HRESULT STDMETHODCALLTYPE GetProfile(ULONG index, IDeviceProfile** profile) override;
    HRESULT STDMETHODCALLTYPE FindProfile(ULONG guid0, ULONG guid1, ULONG guid2, ULONG guid3,
                                          IDeviceProfile** profile) override;
    HRESULT STDMETHODCALLTYPE SetActiveProfile(IDeviceProfile* profile) override;
    HRESULT STDMETHODCALLTYPE GetActiveProfile(IDeviceProfile** profile) override;
    HRESULT STDMETHODCALLTYPE CreateProfile(IDeviceProfile** profile) override;
    HRESULT STDMETHODCALLTYPE DeleteProfile(IDeviceProfile* profile) override;
    HRESULT STDMETHODCALLTYPE ImportProfile(const WCHAR* path, IDeviceProfile** profile) override;

    // IConnectionPointContainer
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override;
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

private:
    std::shared_ptr<CKeyboardState> m_state;
};

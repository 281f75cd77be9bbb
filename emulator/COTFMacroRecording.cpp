#include "emulator/COTFMacroRecording.h"

#include "emulator/CConnectionPoint.h"
#include "emulator/ServiceCalls.h"

void* COTFMacroRecording::Find(REFIID iid) {
    if (iid == IID_IUnknown || iid == IID_IOTFMacroRecording)
        return static_cast<IOTFMacroRecording*>(this);
    if (iid == IID_IConnectionPointContainer)
        return static_cast<IConnectionPointContainer*>(this);
    return nullptr;
}

HRESULT COTFMacroRecording::EnumConnectionPoints(IEnumConnectionPoints** points) {
    HRESULT hr = ClearOut(points);
    return FAILED(hr) ? hr : E_NOTIMPL;
}

HRESULT COTFMacroRecording::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
    return CConnectionPoint::FindFor(m_state, EventKind::Recording, this, iid, point);
}

#pragma once
// On-the-fly recording: the keyboard's own recording keys raise
// _IOTFMacroRecordingEvents; the client does the recording itself.

#include "emulator/CKeyboardState.h"
#include "service/ServiceInterfaces.h"

#include <memory>

class COTFMacroRecording : public IOTFMacroRecording, public IConnectionPointContainer {
public:
    explicit COTFMacroRecording(std::shared_ptr<CKeyboardState> state) : m_state(std::move(state)) {}
    void* Find(REFIID iid);

    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) override;
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

private:
    std::shared_ptr<CKeyboardState> m_state;
};

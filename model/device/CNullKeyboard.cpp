#include "model/device/CNullKeyboard.h"

#include "model/device/LightingTransfer.h"

CNullKeyboard::~CNullKeyboard() = default;

GUID CNullKeyboard::PlaceholderGuid(int k) noexcept {
    const uint32_t a = static_cast<uint32_t>((k - 1) % 9 + 1);
    const uint32_t b = static_cast<uint32_t>(k <= 9 ? k : (k - 1) % 5 + 1);
    GUID guid;
    guid.Data1 = a * 11111111u;
    guid.Data2 = static_cast<unsigned short>(b * 1111u);
    guid.Data3 = static_cast<unsigned short>(b * 1111u);
    for (unsigned char& byte : guid.Data4)
        byte = static_cast<unsigned char>(b);
    return guid;
}

bool CNullKeyboard::Initialize(IKeyboardConfig* config) {
    if (!config)
        return false;
    config->ClearProfiles();
    for (int k = 1; k <= kProfileCount; ++k) {
        CString name;
        name.Format(L"PROFILE%02d", k);
        if (IKeyboardProfile* profile = config->CreateProfile(name))
            profile->SetGuid(PlaceholderGuid(k));
    }
    config->SetActiveProfile(config->GetProfile(0));
    return true;
}

bool CNullKeyboard::GetVersionText1(CString& text) {
    text = FormatVersion(1, 0);
    return true;
}

bool CNullKeyboard::GetVersionText2(CString& text) {
    text = FormatVersion(1, 0);
    return true;
}

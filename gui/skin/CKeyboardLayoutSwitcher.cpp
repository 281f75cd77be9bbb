#include "gui/skin/CKeyboardLayoutSwitcher.h"

#include "gui/skin/CKeyboardLayoutSetting.h"

#include <algorithm>

namespace {

class SystemApi : public CKeyboardLayoutSwitcher::Api {
public:
    HKL Load(const wchar_t* layoutName, UINT flags) override { return ::LoadKeyboardLayoutW(layoutName, flags); }
    HKL Activate(HKL layout, UINT flags) override { return ::ActivateKeyboardLayout(layout, flags); }
    BOOL Unload(HKL layout) override { return ::UnloadKeyboardLayout(layout); }
    HKL Current() override { return ::GetKeyboardLayout(0); }
    std::vector<HKL> Loaded() override {
        int count = ::GetKeyboardLayoutList(0, nullptr);
        std::vector<HKL> layouts(count > 0 ? static_cast<size_t>(count) : 0);
        if (count > 0)
            layouts.resize(static_cast<size_t>(std::max(0, ::GetKeyboardLayoutList(count, layouts.data()))));
        return layouts;
    }
};

SystemApi& TheSystemApi() {
    static SystemApi api;
    return api;
}

}  // namespace

CKeyboardLayoutSwitcher::CKeyboardLayoutSwitcher(Api* api) : m_api(api ? api : &TheSystemApi()) {}

CKeyboardLayoutSwitcher::~CKeyboardLayoutSwitcher() { Restore(); }

void CKeyboardLayoutSwitcher::Restore() {
    if (!m_loaded)
        return;
    if (m_previous && m_previous != m_loaded) {
        // Where the process-wide switch is refused (it is under Wine) the
        // activation was the thread's only, and so is its undoing.
        if (!m_api->Activate(m_previous, KLF_SETFORPROCESS) && !m_api->Activate(m_previous, 0))
            return;
    }
    if (m_ownsLoaded && m_api->Unload(m_loaded) != 1)
        return;
    m_loaded = nullptr;
    m_ownsLoaded = false;
    m_previous = nullptr;
    m_current = -1;
}

bool CKeyboardLayoutSwitcher::Activate(int32_t layoutId) {
    const CKeyboardLayoutSetting* setting = CKeyboardLayoutSetting::FindByLayoutId(layoutId);
    if (!setting)
        return false;
    Restore();
    // A layout still held (its undoing failed) keeps the original previous
    // layout; otherwise the previous one is what is active now, before the
    // load's own activation replaces it.
    if (!m_loaded)
        m_previous = m_api->Current();
    const std::vector<HKL> before = m_api->Loaded();
    HKL layout = m_api->Load(setting->m_layoutName, KLF_ACTIVATE);
    if (!layout)
        return false;
    if (m_loaded && m_loaded != layout && m_ownsLoaded)
        m_api->Unload(m_loaded);
    m_loaded = layout;
    m_ownsLoaded = std::find(before.begin(), before.end(), layout) == before.end();
    m_current = layoutId;
    m_api->Activate(layout, KLF_SETFORPROCESS);
    return true;
}

CKeyboardLayoutSwitcher& GetKeyboardLayoutSwitcher() {
    static CKeyboardLayoutSwitcher switcher;
    return switcher;
}

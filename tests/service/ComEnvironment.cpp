// The test program's main thread is a single-threaded apartment that can
// marshal the service's interfaces, as the programs' user-interface threads are.

#include "service/CProxyStubRegistration.h"

#include <gtest/gtest.h>

#include <objbase.h>

#include <memory>

namespace {

class ComEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        m_proxies = std::make_unique<CProxyStubRegistration>();
        ASSERT_HRESULT_SUCCEEDED(m_proxies->Result());
    }
    void TearDown() override {
        m_proxies.reset();
        CoUninitialize();
    }

private:
    std::unique_ptr<CProxyStubRegistration> m_proxies;
};

::testing::Environment* const g_com = ::testing::AddGlobalTestEnvironment(new ComEnvironment);

}  // namespace

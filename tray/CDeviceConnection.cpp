#include "tray/CDeviceConnection.h"

CDeviceConnection::CDeviceConnection(Factory factory) : m_factory(std::move(factory)) {
    if (!m_factory)
        m_factory = [] { return new CDeviceManager; };
}

void CDeviceConnection::Release() noexcept { m_manager.reset(); }

CDeviceConnection::Lease CDeviceConnection::Lend() {
    Lease lease;
    if (m_manager) {
        lease.manager = m_manager;
    } else {
        CDeviceManager* made = m_factory();
        // A factory that could not make one gives a manager without a service.
        lease.manager.reset(made ? made : new CDeviceManager(nullptr), CDeviceManagerDeleter());
        lease.fresh = true;
        // Kept at once, so a job nested in this one uses it too.
        m_manager = lease.manager;
    }
    lease.changesBefore = lease.manager->ChangeCount();
    return lease;
}

bool CDeviceConnection::GiveBack(const Lease& lease, bool mayRetry) {
    const ServiceFault fault = lease.manager->Fault();
    if (fault == ServiceFault::None && lease.manager->IsDevicePresent())
        return false;
    // Without the keyboard there is nothing to keep; a nested job may have
    // connected afresh already, and that connection stays.
    if (m_manager == lease.manager)
        m_manager.reset();
    // A manager made for this job is not made again (no loop), nor is a job
    // repeated that may have changed the keyboard.  A keyboard the service
    // says is not connected would not be found by a new manager either.
    return mayRetry && fault == ServiceFault::ServiceGone && !lease.fresh &&
           lease.manager->ChangeCount() == lease.changesBefore;
}

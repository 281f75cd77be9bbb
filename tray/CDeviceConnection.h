#pragma once
// The tray program's connection to the keyboard's service: one
// CDeviceManager, kept from the moment it finds the keyboard and lent to
// every job, so the service's objects are made once rather than per job.
// It is given up when the keyboard leaves, when the user's session goes,
// when the program ends, and when a call finds it dead.
//
// A job may run inside another one: the service's events reach the tray
// while it waits for a call's answer.  Each job therefore holds the manager
// it was lent, and giving the connection up never frees a manager a job
// still works with.

#include "tray/CDeviceManager.h"

#include <functional>
#include <memory>

class CDeviceConnection {
public:
    // Makes a manager that reaches the service; null: the service by its class.
    using Factory = std::function<CDeviceManager*()>;

    explicit CDeviceConnection(Factory factory = nullptr);
    ~CDeviceConnection() = default;
    CDeviceConnection(const CDeviceConnection&) = delete;
    CDeviceConnection& operator=(const CDeviceConnection&) = delete;

    // Runs job (bool(CDeviceManager&)) with the kept manager, or with a new
    // one when none is kept.  When a call finds the service gone, the
    // manager is given up; a job that found a manager kept from before dead
    // before it changed anything runs once more with a new one.  A job run
    // twice must do its own side effects (on-screen display, menus) after
    // Run, from what the last run left.
    template <typename Job>
    bool Run(Job&& job) {
        Lease lease = Lend();
        bool result = job(*lease.manager);
        if (GiveBack(lease, true)) {
            lease = Lend();
            result = job(*lease.manager);
            GiveBack(lease, false);
        }
        return result;
    }

    // Lets the kept manager go; the next job connects afresh.
    void Release() noexcept;
    bool IsHeld() const noexcept { return m_manager != nullptr; }

private:
    struct Lease {
        std::shared_ptr<CDeviceManager> manager;
        // Made for this job, not kept from before.
        bool fresh = false;
        unsigned long changesBefore = 0;
    };
    Lease Lend();
    // Keeps or drops the lent manager as its calls went; true when the job
    // should run again with a new one (only when mayRetry).
    bool GiveBack(const Lease& lease, bool mayRetry);

    Factory m_factory;
    std::shared_ptr<CDeviceManager> m_manager;
};

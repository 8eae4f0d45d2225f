#include "retry/RetryTimer.h"

#include "link/PlotterPort.h"

CRetryTimer::~CRetryTimer() {
    StopThread();
}

void CRetryTimer::Start() {
    if (m_thread.joinable()) {
        return;
    }
    {
        const std::lock_guard lock(m_mutex);
        m_bStopping = false;
    }
    m_thread = std::thread([this] { Run(); });
}

void CRetryTimer::Stop() {
    StopThread();
    m_port.WaitForPort();
}

void CRetryTimer::StopThread() {
    if (!m_thread.joinable()) {
        return;
    }
    {
        const std::lock_guard lock(m_mutex);
        m_bStopping = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void CRetryTimer::Run() {
    using Clock = std::chrono::steady_clock;
    Clock::time_point due = Clock::now() + kPeriod;
    std::unique_lock lock(m_mutex);
    while (!m_wake.wait_until(lock, due, [this] { return m_bStopping; })) {
        lock.unlock();
        m_fnTick();
        lock.lock();
        due += kPeriod;
        const Clock::time_point now = Clock::now();
        if (due <= now) {
            due = now + kPeriod;
        }
    }
}

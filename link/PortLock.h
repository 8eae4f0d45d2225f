#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

// The port lock: a semaphore with one slot, taken with a bounded wait. Built on a condition
// variable rather than a timed mutex, so it may be released from another thread than the
// one that took it, and thread checkers see every wait.
class CPortLock {
public:
    // True when the slot was taken within `wait`.
    bool TryTake(std::chrono::milliseconds wait) {
        std::unique_lock lock(m_mutex);
        if (!m_freed.wait_for(lock, wait, [this] { return !m_bTaken; })) {
            return false;
        }
        m_bTaken = true;
        return true;
    }

    void Release() {
        {
            const std::lock_guard lock(m_mutex);
            m_bTaken = false;
        }
        m_freed.notify_one();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_freed;
    bool m_bTaken = false;
};

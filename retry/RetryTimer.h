#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

class CPlotterPort;

// Runs the retry tick every 500 ms on a thread of its own, on the steady clock. A tick that
// overruns its period is not made up for: the next one follows a full period later, as with a
// periodic system timer. Started once by the main window after its start-up; stopped when the
// main window goes away.
class CRetryTimer {
public:
    static constexpr std::chrono::milliseconds kPeriod{500};

    CRetryTimer(CPlotterPort& port, std::function<void()> tick)
        : m_port(port), m_fnTick(std::move(tick)) {}
    // Stops the thread; does not wait for the port.
    ~CRetryTimer();
    CRetryTimer(const CRetryTimer&) = delete;
    CRetryTimer& operator=(const CRetryTimer&) = delete;

    // Starts ticking; a second call while running does nothing.
    void Start();
    // Stops ticking and joins the thread, so no tick runs afterwards, then waits until no
    // other operation holds the port.
    void Stop();
    bool IsRunning() const { return m_thread.joinable(); }

private:
    void StopThread();
    void Run();

    CPlotterPort& m_port;
    std::function<void()> m_fnTick;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_bStopping = false;
    std::thread m_thread;
};

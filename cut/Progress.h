#pragma once

#include <chrono>
#include <cstddef>
#include <cstdio>

// How far a job has gone, on standard error: a bar redrawn in place on a terminal, plain
// lines at every tenth otherwise; both with bytes, per cent and the time left. Time in which
// the plotter took nothing does not count toward the rate.
class CProgress {
public:
    using Clock = std::chrono::steady_clock;

    CProgress(std::size_t total, bool terminal, std::FILE* out = stderr);

    void Update(std::size_t sent);
    // The plotter takes no data; said once until it takes data again.
    void Waiting();
    void Done();

private:
    void Draw(std::size_t sent, bool force);
    long SecondsLeft(std::size_t sent) const;

    std::size_t m_nTotal;
    bool m_bTerminal;
    std::FILE* m_pOut;
    Clock::time_point m_start = Clock::now();
    Clock::time_point m_lastDraw{};
    Clock::duration m_waited{};
    Clock::time_point m_waitingSince{};
    bool m_bWaiting = false;
    bool m_bLineOpen = false; // a bar is on the terminal's current line
    int m_nLastTenth = -1;
    std::size_t m_nSent = 0;
    static constexpr std::size_t kNothingDrawn = static_cast<std::size_t>(-1);
    std::size_t m_nDrawn = kNothingDrawn; // what the last line or bar showed
};

#include "cut/Progress.h"

#include <string>

namespace {

constexpr int kBarWidth = 30;
constexpr auto kRedrawEvery = std::chrono::milliseconds(100);

int Percent(std::size_t sent, std::size_t total) {
    return total == 0 ? 100 : static_cast<int>(sent * 100 / total);
}

std::string Duration(long seconds) {
    if (seconds < 0) {
        return "--:--";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld", seconds / 60, seconds % 60);
    return text;
}

} // namespace

CProgress::CProgress(std::size_t total, bool terminal, std::FILE* out)
    : m_nTotal(total), m_bTerminal(terminal), m_pOut(out) {}

long CProgress::SecondsLeft(std::size_t sent) const {
    const double seconds = std::chrono::duration<double>(Clock::now() - m_start - m_waited).count();
    if (sent == 0 || seconds <= 0) {
        return -1;
    }
    return static_cast<long>((m_nTotal - sent) * seconds / static_cast<double>(sent) + 0.5);
}

void CProgress::Draw(std::size_t sent, bool force) {
    if (force && sent == m_nDrawn && m_nDrawn != kNothingDrawn) {
        return;
    }
    const int percent = Percent(sent, m_nTotal);
    const std::string left = Duration(SecondsLeft(sent));
    if (m_bTerminal) {
        const Clock::time_point now = Clock::now();
        if (!force && now - m_lastDraw < kRedrawEvery) {
            return;
        }
        m_lastDraw = now;
        const int filled = percent * kBarWidth / 100;
        std::fprintf(m_pOut, "\r[%s%s] %3d %%  %zu of %zu bytes  %s left ",
                     std::string(static_cast<std::size_t>(filled), '#').c_str(),
                     std::string(static_cast<std::size_t>(kBarWidth - filled), '-').c_str(),
                     percent, sent, m_nTotal, left.c_str());
        m_bLineOpen = true;
        m_nDrawn = sent;
    } else {
        const int tenth = percent / 10;
        if (!force && tenth == m_nLastTenth) {
            return;
        }
        m_nLastTenth = tenth;
        std::fprintf(m_pOut, "quirn-cut: %zu of %zu bytes sent (%d %%), %s left\n", sent, m_nTotal,
                     percent, left.c_str());
        m_nDrawn = sent;
    }
    std::fflush(m_pOut);
}

void CProgress::Update(std::size_t sent) {
    m_nSent = sent;
    if (m_bWaiting) {
        m_bWaiting = false;
        m_waited += Clock::now() - m_waitingSince;
        std::fprintf(m_pOut, "%squirn-cut: the plotter takes data again\n",
                     m_bLineOpen ? "\n" : "");
        m_bLineOpen = false;
        Draw(sent, true);
        return;
    }
    Draw(sent, false);
}

void CProgress::Waiting() {
    if (m_bWaiting) {
        return;
    }
    m_bWaiting = true;
    m_waitingSince = Clock::now();
    std::fprintf(m_pOut,
                 "%squirn-cut: waiting: the plotter takes no data (paused, or out of medium?); "
                 "Ctrl-C stops\n",
                 m_bLineOpen ? "\n" : "");
    m_bLineOpen = false;
    std::fflush(m_pOut);
}

void CProgress::Done() {
    Draw(m_nSent, true);
    if (m_bLineOpen) {
        std::fputc('\n', m_pOut);
        m_bLineOpen = false;
    }
    std::fflush(m_pOut);
}

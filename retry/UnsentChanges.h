#pragma once

#include <atomic>

// Changes the user made while the plotter was busy or not ready, waiting to be sent. Set on
// the user-interface thread, taken and cleared by the retry timer's thread: every bit is set,
// taken and cleared atomically on its own, so neither thread can lose the other's update.
class CUnsentChanges {
public:
    enum Bit : unsigned {
        kPanelSettings = 1,    // switch to the plotter's own panel conditions
        kCuttingCondition = 2, // the current cutting condition
        kMediaOrientation = 4, // the media orientation
        kAdvancedSettings = 8, // the advanced settings
    };

    void Set(unsigned bits) { m_bits.fetch_or(bits); }
    void Clear(unsigned bits) { m_bits.fetch_and(~bits); }
    // Clears `bit` and tells whether it was set.
    bool Take(unsigned bit) { return (m_bits.fetch_and(~bit) & bit) != 0; }
    unsigned Bits() const { return m_bits.load(); }
    bool Any() const { return Bits() != 0; }

private:
    std::atomic<unsigned> m_bits{0};
};

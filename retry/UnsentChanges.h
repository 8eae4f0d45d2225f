#pragma once

#include <atomic>

// Changes the user made while the plotter was busy or not ready, waiting to be sent. Set on
// the user-interface thread, sent and cleared by the retry timer's thread. A change counts as
// unsent until its send has arrived, and one made again while it is on its way stays unsent
// after that send: the retry tick may have read the values before the user changed them.
class CUnsentChanges {
public:
    enum Bit : unsigned {
        kPanelSettings = 1,    // switch to the plotter's own panel conditions
        kCuttingCondition = 2, // the current cutting condition
        kMediaOrientation = 4, // the media orientation
        kAdvancedSettings = 8, // the advanced settings
    };

    void Set(unsigned bits) { m_word.fetch_or(bits | bits << kSetAgainShift); }
    void Clear(unsigned bits) { m_word.fetch_and(~(bits | bits << kSetAgainShift)); }
    // Starts sending `bit`; tells whether it is unsent. It stays unsent meanwhile.
    [[nodiscard]] bool BeginSend(unsigned bit) {
        return (m_word.fetch_and(~(bit << kSetAgainShift)) & bit) != 0;
    }
    // The send begun by BeginSend has arrived: clears `bit` unless it was set again since.
    void SendArrived(unsigned bit) {
        unsigned word = m_word.load();
        while ((word & bit << kSetAgainShift) == 0 &&
               !m_word.compare_exchange_weak(word, word & ~bit)) {
        }
    }
    unsigned Bits() const { return m_word.load() & kBitsMask; }
    bool Any() const { return Bits() != 0; }

private:
    // The low bits say what is unsent; the same bits shifted up, which of them were set since
    // their send began.
    static constexpr unsigned kSetAgainShift = 8;
    static constexpr unsigned kBitsMask = (1u << kSetAgainShift) - 1;

    std::atomic<unsigned> m_word{0};
};

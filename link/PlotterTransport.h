#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The byte pipe between the plotter port and a plotter. The port owns locking, the
// transaction pattern and reply normalisation; a transport only moves bytes. The USB
// transport goes through libzefralink.so; tests plug in the simulated plotter in-process.
class IPlotterTransport {
public:
    virtual ~IPlotterTransport() = default;

    // Sends every byte of `bytes` within `timeoutMs`; reply bytes still waiting from an earlier
    // exchange are dropped first. Returns 0, msg::kNoPlotter (pipe cannot be opened),
    // msg::kPortBusy (another program holds the device), msg::kTimeout or msg::kWriteFailed.
    [[nodiscard]] virtual int Write(const std::string& bytes, int timeoutMs) = 0;

    // As Write, and says in `sent` how many bytes the device took, also when it stopped
    // taking them: a long stream goes on from there. A transport that cannot tell reports all
    // or nothing.
    [[nodiscard]] virtual int WriteSome(std::string_view bytes, int timeoutMs, std::size_t& sent) {
        const int result = Write(std::string(bytes), timeoutMs);
        sent = result == 0 ? bytes.size() : 0;
        return result;
    }

    // Receives one reply's raw bytes (the port keeps at most 512 of them) within `timeoutMs`.
    // Returns 0, msg::kNoPlotter, msg::kPortBusy, msg::kTimeout or msg::kReadFailed.
    [[nodiscard]] virtual int Read(std::string& raw, int timeoutMs) = 0;

    // Called after every transaction: nothing of the device may stay open once it returns,
    // so that another program can open the plotter between the controller's exchanges.
    virtual void EndExchange() {}
};

#pragma once

#include <string>

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

    // Receives one reply's raw bytes (the port keeps at most 512 of them) within `timeoutMs`.
    // Returns 0, msg::kNoPlotter, msg::kPortBusy, msg::kTimeout or msg::kReadFailed.
    [[nodiscard]] virtual int Read(std::string& raw, int timeoutMs) = 0;

    // Called after every transaction: nothing of the device may stay open once it returns,
    // so that another program can open the plotter between the controller's exchanges.
    virtual void EndExchange() {}
};

#pragma once

#include "link/PlotterTransport.h"

#include <cstddef>
#include <string>

class CPlotterPort;
class CSimPlotter;

// The in-process simulated plotter behind the port's transport seam, with the faults of a
// real device on demand. Time is simulated: a delay longer than the caller's time-out is a
// time-out at once, so tests never sit through the five-second waits; with
// m_bRealTime the adapter really waits (at most the time-out), for tests about concurrency.
class CSimTransport : public IPlotterTransport {
public:
    struct Faults {
        bool bUnplugged = false;   // the pipes cannot be opened
        bool bHeldByOther = false; // another program has the device open
        // Bytes the device still takes before it is unplugged in the middle of an exchange:
        // a write it cuts off fails (as on usblp), a read that waits for its reply gets end of
        // file (an empty reply), and then the device is away (bUnplugged); -1 = never.
        long long nUnplugAfterBytes = -1;
        int nWriteDelayMs = 0;       // before the device takes a command
        std::size_t nChunkBytes = 0; // bytes per piece handed to the plotter; 0 = all at once
        long long nAcceptBytes = -1; // bytes the device still takes before it stalls; -1 = all
        int nReplyDelayMs = 0;       // from the command to its reply
        int nDropReplies = 0;        // the next this many replies are lost
        bool bRealTime = false;
    };

    explicit CSimTransport(CSimPlotter& plotter) : m_plotter(plotter) {}

    // Creates an adapter over `plotter`, hands it to `port` and returns it, so that the
    // caller can set faults while the port owns it.
    static CSimTransport& Attach(CPlotterPort& port, CSimPlotter& plotter);

    int Write(const std::string& bytes, int timeoutMs) override;
    int Read(std::string& raw, int timeoutMs) override;

    Faults m_faults;

private:
    void Wait(int delayMs, int timeoutMs) const;
    void Deliver(const std::string& bytes);
    void Unplug();

    CSimPlotter& m_plotter;
    std::string m_strPending;    // reply bytes the host has not read yet
    bool m_bPendingLate = false; // their delay has not passed yet
    bool m_bHungUp = false;      // unplugged while the host was waiting for a reply
};

#pragma once

#include "sim/SimOptions.h"
#include "sim/SimPlotter.h"

#include <chrono>
#include <cstdio>
#include <deque>
#include <string>

typedef struct _UMockdevTestbed UMockdevTestbed;

// One simulated plotter shown as a USB printer in a umockdev test bed: the USB device, its
// printer interface with the IEEE 1284 device ID and the usbmisc entry lpN whose node is a
// pty. It moves bytes between the node and its CSimPlotter, late when asked to, and can
// disappear for a while and come back.
//
// Reply bytes wait in the pty until somebody reads them, as they wait in the plotter while
// the device is closed: a reply later than the host's time-out is what the next read gets.
class CSimDevice {
public:
    using Clock = std::chrono::steady_clock;

    CSimDevice(UMockdevTestbed* testbed, SimPlotterConfig config, int number);
    ~CSimDevice();
    CSimDevice(const CSimDevice&) = delete;
    CSimDevice& operator=(const CSimDevice&) = delete;

    // Adds the device to the test bed. Returns false with a reason in `error`.
    bool Plug(std::string& error);

    // The node's server end, or -1 while unplugged.
    int ServerFd() const { return m_bPresent ? m_nServerFd : -1; }
    const std::string& NodePath() const { return m_strNode; }
    const SimPlotterConfig& Config() const { return m_config; }

    // Whether the plotter takes bytes now: not while it pauses or stalls, nor beyond its
    // byte rate. Poll ServerFd() for reading only then.
    bool TakesInput(Clock::time_point now);
    // Takes what the host wrote (call when ServerFd() is readable).
    void OnReadable(Clock::time_point now);
    // The command has ended: what it wrote and the plotter would still take reaches the
    // plotter, and the drawing data is complete.
    void Finish();
    // Sends replies that are due and brings an unplugged device back when its time came.
    void OnTime(Clock::time_point now);
    // The next moment OnTime has something to do, or Clock::time_point::max().
    Clock::time_point NextEvent() const;
    // The cable pulled out (descriptors open on the node hang up) and plugged in again.
    void PullOut();
    void PlugIn();

private:
    struct PendingReply {
        Clock::time_point due;
        std::string bytes;
    };

    void Unplug(Clock::time_point now);
    bool SetPresent(bool present);
    // Every descriptor open on the node hangs up, as usblp's do when the device goes.
    void HangUp();
    bool OpenClient();
    // Another program has the node open: the kernel refuses other opens with EBUSY.
    void SetHeld(bool held, Clock::time_point now);
    void WriteLog(const char* bytes, std::size_t size);
    // Hands bytes read from the node to the plotter, and its replies to the node's queue.
    void Take(const char* bytes, std::size_t size, Clock::time_point now);
    void WriteJobLog();
    // How many bytes the plotter takes now: up to the pause or stall ahead, and within the
    // byte rate when `paced`.
    std::size_t Allowance(Clock::time_point now, bool paced);
    // The bytes the rate must have saved up before the next read.
    double RateThreshold() const;

    UMockdevTestbed* m_pTestbed;
    SimPlotterConfig m_config;
    CSimPlotter m_plotter;
    int m_nNumber;
    std::string m_strRoot;
    std::string m_strPrinterPath;
    std::string m_strNode;
    std::string m_strDescription;
    int m_nServerFd = -1;
    int m_nClientFd = -1; // kept open so the server end never sees a hang-up
    std::FILE* m_pLog = nullptr;
    std::FILE* m_pJobLog = nullptr;
    std::size_t m_nJobWritten = 0;
    double m_dRateCredit = 0.0;
    Clock::time_point m_lastRefill = Clock::now();
    Clock::time_point m_pausedUntil = Clock::time_point::min();
    bool m_bPauseDone = false;
    std::deque<PendingReply> m_replies;
    std::size_t m_nRequests = 0;
    std::size_t m_nBytesTaken = 0;
    std::size_t m_nLateReplies = 0;
    Clock::time_point m_heldUntil = Clock::time_point::max();
    bool m_bHeld = false;
    bool m_bHoldDone = false;
    bool m_bPresent = true;
    bool m_bUnplugDone = false;
    Clock::time_point m_replugAt = Clock::time_point::max();
};

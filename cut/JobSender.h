#pragma once

#include "cut/PlotterJob.h"

#include <atomic>
#include <cstddef>

class CPlotterPort;
class CPlotterModel;
class CProgress;

// Sends a job to the plotter the port has opened: checks that the plotter runs the job's
// command set (switching it first when asked), that no print job waits for it and that it is
// ready, then streams the job in pieces that end on command boundaries, each one port
// transaction with the port's transfer time-out. Messages go to standard error; the result is
// an exit code of quirn-cut.
class CJobSender {
public:
    struct Settings {
        bool checkQueues = true;
        bool switchCommandSet = false;
    };
    // The pieces' sizes adapt to the plotter's pace between these bounds.
    static constexpr std::size_t kFirstPiece = 4096;
    static constexpr std::size_t kLargestPiece = 4 * 1024 * 1024;
    static constexpr int kCommandSetWaitMs = 2000;
    static constexpr int kReadyPollMs = 1000;

    // `stop` is set from outside (Ctrl-C): the job ends at the next command boundary.
    CJobSender(CPlotterPort& port, CPlotterModel& model, const std::atomic<bool>& stop)
        : m_port(port), m_model(model), m_stop(stop) {}

    int Send(const PlotterJob& job, Settings settings, CProgress& progress);

private:
    int CheckCommandSet(const PlotterJob& job, Settings settings);
    int WaitUntilReady(bool checkQueues);
    int Stream(const PlotterJob& job, CProgress& progress);
    // Ctrl-C: finishes the command under way and lifts the tool.
    int Stop(const PlotterJob& job, std::size_t sent);
    // One transaction writing job bytes from `from` to `to`; adds what the plotter took.
    int WritePiece(const PlotterJob& job, std::size_t from, std::size_t to, std::size_t& sent);

    CPlotterPort& m_port;
    CPlotterModel& m_model;
    const std::atomic<bool>& m_stop;
};

// The port's message for a code, on one line, with the code.
std::string PortMessage(int code);

#include "cut/JobSender.h"

#include "core/ControllerSettings.h"
#include "core/messages/CStringTable.h"
#include "core/messages/MessageCodes.h"
#include "cut/CutExit.h"
#include "cut/Progress.h"
#include "link/PlotterPort.h"
#include "models/PlotterModel.h"
#include "protocol/PlotterCommands.h"
#include "protocol/PlotterQueries.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// A piece that went out this fast grows fourfold (every piece ends with the device closed and
// opened again, so a fast plotter is best given few, large pieces); one that took longer
// shrinks.
constexpr auto kQuickPiece = std::chrono::milliseconds(250);
constexpr auto kSlowPiece = std::chrono::milliseconds(1000);
constexpr std::size_t kGrowth = 4;

// Where a piece that starts at `from` and should be about `size` bytes long ends: at the last
// command end within it, or at the first one after `from` when a command is longer.
std::size_t PieceEnd(const std::vector<std::size_t>& ends, std::size_t from, std::size_t size) {
    const auto first = std::upper_bound(ends.begin(), ends.end(), from);
    const auto beyond = std::upper_bound(first, ends.end(), from + size);
    return beyond == first ? *first : *(beyond - 1);
}

void Say(const std::string& text) {
    std::fprintf(stderr, "quirn-cut: %s\n", text.c_str());
}

} // namespace

std::string PortMessage(int code) {
    std::string text = CStringTable().LoadString(code);
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text + " [code = " + std::to_string(code) + "]";
}

int CJobSender::Send(const PlotterJob& job, Settings settings, CProgress& progress) {
    if (const int checked = CheckCommandSet(job, settings); checked != cutexit::kSent) {
        return checked;
    }
    if (const int ready = WaitUntilReady(settings.checkQueues); ready != cutexit::kSent) {
        return ready;
    }
    return Stream(job, progress);
}

int CJobSender::CheckCommandSet(const PlotterJob& job, Settings settings) {
    CControllerSettings plotterState;
    CPlotterQueries queries(m_port, m_model, plotterState);
    if (const int read = queries.ReadCommandSet(); read != msg::kOk) {
        Say("cannot read the plotter's command set: " + PortMessage(read) + "; nothing was sent");
        return cutexit::kNoPlotter;
    }
    const int wanted = CommandSetOf(job.language);
    if (plotterState.m_bOtherCommandSet == wanted) {
        return cutexit::kSent;
    }
    const JobLanguage active = wanted == 1 ? JobLanguage::Native : JobLanguage::Hpgl;
    if (!settings.switchCommandSet) {
        Say(std::string("the plotter runs ") + NameOf(active) + " and this job is " +
            NameOf(job.language) + ": nothing was sent. Switch the plotter to " +
            NameOf(job.language) +
            " (quirn-cut --switch-command-set, or the controller's "
            "Advanced settings, Command) and cut again.");
        return cutexit::kNoPlotter;
    }
    Say(std::string("switching the plotter to ") + NameOf(job.language));
    CPlotterCommands commands(m_port, m_model);
    // The plotter changes over while the port stays locked, as the controller's wait window
    // holds it.
    commands.SetCommandSetWait(
        [] { std::this_thread::sleep_for(std::chrono::milliseconds(kCommandSetWaitMs)); });
    if (const int switched = commands.SwitchCommandSet(wanted, settings.checkQueues, true);
        switched != msg::kOk) {
        Say("cannot switch the command set: " + PortMessage(switched) + "; nothing was sent");
        return cutexit::kNoPlotter;
    }
    return cutexit::kSent;
}

int CJobSender::WaitUntilReady(bool checkQueues) {
    bool said = false;
    for (;;) {
        const int ready = m_port.CheckReady(checkQueues, true);
        if (ready == msg::kOk) {
            return cutexit::kSent;
        }
        if (ready != msg::kPlotterNotReady) {
            Say("the plotter cannot take the job: " + PortMessage(ready) + "; nothing was sent");
            return cutexit::kNoPlotter;
        }
        if (!said) {
            Say("waiting: the plotter is not ready (media lever raised, or a menu open?); "
                "Ctrl-C stops");
            said = true;
        }
        if (m_stop) {
            Say("stopped: nothing was sent");
            return cutexit::kInterrupted;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(kReadyPollMs));
    }
}

int CJobSender::WritePiece(const PlotterJob& job, std::size_t from, std::size_t to,
                           std::size_t& sent) {
    std::size_t took = 0;
    const int written = m_port.Transact(false, false, [&] {
        return m_port.WriteSome(std::string_view(job.bytes).substr(from, to - from),
                                CPlotterPort::kTransferTimeoutMs, took);
    });
    sent += took;
    return written;
}

int CJobSender::Stream(const PlotterJob& job, CProgress& progress) {
    const std::size_t total = job.bytes.size();
    std::size_t sent = 0;
    std::size_t piece = kFirstPiece;
    progress.Update(0);
    while (sent < total) {
        if (m_stop) {
            return Stop(job, sent);
        }
        const std::size_t from = sent;
        const std::size_t to = PieceEnd(job.commandEnds, from, piece);
        const Clock::time_point start = Clock::now();
        const int written = WritePiece(job, from, to, sent);
        const Clock::duration took = Clock::now() - start;
        if (written == msg::kOk) {
            piece = took < kQuickPiece ? std::min(piece * kGrowth, kLargestPiece) : piece;
            piece = took > kSlowPiece ? std::max(piece / 2, kFirstPiece / 4) : piece;
            progress.Update(sent);
            continue;
        }
        // Nothing, or not the whole piece, within the time-out: the plotter has stopped
        // taking data (paused, out of medium) or another program holds it. It is waited for;
        // a piece it took only part of was too large for its pace.
        if (written == msg::kTimeout || written == msg::kPortBusy) {
            piece = sent > from ? std::max(piece / 2, kFirstPiece / 4) : piece;
            progress.Waiting();
            continue;
        }
        progress.Done();
        Say("the transfer broke off after " + std::to_string(sent) + " of " +
            std::to_string(total) + " bytes: " + PortMessage(written));
        return sent == 0 ? cutexit::kNoPlotter : cutexit::kSendFailed;
    }
    progress.Done();
    return cutexit::kSent;
}

int CJobSender::Stop(const PlotterJob& job, std::size_t sent) {
    const std::size_t total = job.bytes.size();
    // A piece that timed out may have ended inside a command: that command is finished, so the
    // plotter is not left with half of one.
    std::size_t boundary = sent;
    const bool inside = !std::binary_search(job.commandEnds.begin(), job.commandEnds.end(), sent);
    if (sent > 0 && inside) {
        boundary = *std::upper_bound(job.commandEnds.begin(), job.commandEnds.end(), sent);
        std::size_t finished = sent;
        if (WritePiece(job, sent, boundary, finished) != msg::kOk) {
            boundary = finished;
        }
    }
    if (boundary == 0) {
        Say("stopped: nothing was sent");
        return cutexit::kInterrupted;
    }
    const std::string lift = LiftToolCommand(job.language);
    const bool atBoundary =
        std::binary_search(job.commandEnds.begin(), job.commandEnds.end(), boundary);
    bool lifted = false;
    if (!lift.empty() && atBoundary) {
        lifted = m_port.Transact(false, false, [&] {
            return m_port.WriteCommand(lift, CPlotterPort::kTransferTimeoutMs);
        }) == msg::kOk;
    }
    const std::size_t left = total - boundary;
    std::fprintf(stderr, "\nquirn-cut: stopped: %zu of %zu bytes (%d %%) were not sent; %s\n", left,
                 total, static_cast<int>(left * 100 / total),
                 lifted         ? "the tool was lifted"
                 : lift.empty() ? "the plotter has no lift command in this command set"
                                : "the tool could not be lifted");
    return cutexit::kInterrupted;
}

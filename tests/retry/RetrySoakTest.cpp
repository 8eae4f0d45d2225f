// The window's thread and the retry timer's thread share the port for 100,000 operations
// against the in-process simulated plotter, which takes every request a byte at a time: each
// request must arrive whole and alone. Also run under ThreadSanitizer.
#include "tests/link/SimTransport.h"

#include "core/messages/MessageCodes.h"
#include "link/PlotterPort.h"
#include "models/PlotterModel.h"
#include "protocol/AdvancedSettingsLink.h"
#include "protocol/PlotterCommands.h"
#include "retry/RetryTick.h"
#include "retry/RetryTimer.h"
#include "retry/UnsentChanges.h"
#include "sim/SimPlotter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <iostream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

// Remembers every write that went out whole, and from which thread, on its way to the
// simulated plotter. Called under the port lock only.
class CTallyTransport : public IPlotterTransport {
public:
    CTallyTransport(std::unique_ptr<IPlotterTransport> device, std::thread::id window)
        : m_pDevice(std::move(device)), m_window(window) {}

    int Write(const std::string& bytes, int timeoutMs) override {
        const int written = m_pDevice->Write(bytes, timeoutMs);
        if (written == msg::kOk) {
            (std::this_thread::get_id() == m_window ? m_windowWrites : m_timerWrites)
                .push_back(bytes);
        }
        return written;
    }
    int Read(std::string& raw, int timeoutMs) override { return m_pDevice->Read(raw, timeoutMs); }

    std::vector<std::string> m_windowWrites;
    std::vector<std::string> m_timerWrites;

private:
    std::unique_ptr<IPlotterTransport> m_pDevice;
    std::thread::id m_window;
};

// The requests in a byte stream: ESC ... ':' for a device-control query, text up to ETX for
// a setting command. A piece of another request inside one shows as a request of its own.
std::vector<std::string> SplitRequests(const std::string& stream) {
    std::vector<std::string> requests;
    std::size_t start = 0;
    for (std::size_t i = 0; i < stream.size(); ++i) {
        const bool query = stream[start] == CSimPlotter::kEsc;
        if ((query && stream[i] == ':') || (!query && stream[i] == CSimPlotter::kEtx) ||
            (i > start && stream[i] == CSimPlotter::kEsc)) {
            const std::size_t end = stream[i] == CSimPlotter::kEsc ? i : i + 1;
            requests.push_back(stream.substr(start, end - start));
            start = end;
        }
    }
    if (start < stream.size()) {
        requests.push_back(stream.substr(start));
    }
    return requests;
}

class CSoakSource : public IRetrySource {
public:
    bool SkipQueueCheck() const override { return true; }
    bool UseControllerCondition() const override { return true; }
    std::optional<CuttingCondition> CurrentCondition() const override {
        return CuttingCondition{"Vinyl", "KR16U", 14, 30, 2, 0};
    }
    int MediaOrientation() const override { return 1; }
    AdvancedSettings StoredAdvancedSettings() const override { return {}; }
};

TEST(RetrySoak, WindowAndTimerRequestsArriveWholeAndAlone) {
    constexpr int kOperations = 100000;
    constexpr int kTickTransactions = 3; // the ready check, the condition, the orientation
    CPlotterModel model;
    model.Identify("RX3600-60");
    model.SelectBladeCatalogue(1033);
    CPlotterPort port(model);
    CSimPlotter plotter("RX3600-60");
    auto device = std::make_unique<CSimTransport>(plotter);
    device->m_faults.nChunkBytes = 1;
    auto owned = std::make_unique<CTallyTransport>(std::move(device), std::this_thread::get_id());
    CTallyTransport& tally = *owned;
    port.SetTransport(std::move(owned));

    CPlotterCommands commands(port, model);
    CAdvancedSettingsLink advanced(port, model);
    CUnsentChanges unsent;
    CSoakSource source;
    CRetryTick tick(port, commands, advanced, unsent, source);
    std::atomic<int> timerOperations{0};
    std::atomic<bool> done{false};
    // The timer's thread keeps ticking, with changes to send each time, until the window is
    // through; its first tick comes after one period.
    CRetryTimer timer(port, [&] {
        while (!done.load()) {
            unsent.Set(CUnsentChanges::kCuttingCondition | CUnsentChanges::kMediaOrientation);
            tick.OnTick();
            timerOperations += kTickTransactions;
        }
    });
    timer.Start();
    while (timerOperations.load() == 0) {
        std::this_thread::yield();
    }

    const CuttingCondition condition{"Paper", "KR16U", 10, 20, 1, 0};
    int windowOperations = 0;
    std::vector<int> results;
    for (; windowOperations + timerOperations.load() < kOperations; ++windowOperations) {
        switch (windowOperations % 3) {
        case 0:
            results.push_back(commands.SendCuttingCondition(condition, false, true));
            break;
        case 1:
            results.push_back(commands.SendMediaOrientation(windowOperations % 2, false, true));
            break;
        default:
            results.push_back(commands.MoveToOrigin(false, true));
            break;
        }
    }
    done = true;
    timer.Stop();

    // A window operation either went through or found the port in use and sent nothing.
    const auto sent = std::count(results.begin(), results.end(), msg::kOk);
    const auto busy = std::count(results.begin(), results.end(), msg::kPortBusy);
    EXPECT_EQ(sent + busy, windowOperations);
    EXPECT_GT(sent, 0);
    EXPECT_FALSE(tally.m_timerWrites.empty());

    std::vector<std::string> written = tally.m_windowWrites;
    written.insert(written.end(), tally.m_timerWrites.begin(), tally.m_timerWrites.end());
    for (const std::string& write : written) {
        ASSERT_EQ(SplitRequests(write), std::vector<std::string>{write});
    }
    std::vector<std::string> received = SplitRequests(plotter.Log());
    EXPECT_TRUE(plotter.Unknown().empty());
    EXPECT_EQ(received.size(), written.size());
    std::sort(received.begin(), received.end());
    std::sort(written.begin(), written.end());
    EXPECT_TRUE(received == written) << "a request arrived cut or mixed with another";
    std::cout << "window " << windowOperations << " (" << busy << " found the port in use), timer "
              << timerOperations.load() << ", requests " << received.size() << "\n";
}

} // namespace

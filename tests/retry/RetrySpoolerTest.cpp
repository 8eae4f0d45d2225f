// The retry tick with a print job waiting in the plotter's queue of a private cupsd: ticks
// send nothing while the job waits, and everything pending in one tick once it is gone.
#include "tests/protocol/SimPlotterLink.h"

#include "protocol/AdvancedSettingsLink.h"
#include "protocol/PlotterCommands.h"
#include "retry/RetryTick.h"
#include "retry/UnsentChanges.h"
#include "tests/link/PrivateCupsd.h"

#include <cups/cups.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include <dlfcn.h>

namespace {

class CQueueCheckingSource : public IRetrySource {
public:
    bool SkipQueueCheck() const override { return false; }
    bool UseControllerCondition() const override { return false; }
    std::optional<CuttingCondition> CurrentCondition() const override { return {}; }
    int MediaOrientation() const override { return 1; }
    AdvancedSettings StoredAdvancedSettings() const override { return {}; }
};

TEST(RetrySpooler, WaitingJobHoldsTicksBackThenAllGoInOneTick) {
    CPrivateCupsd cupsd(std::vector<CPrivateCupsd::Queue>{{"Cutter_RX", "Morvalin RX3600 Series"}});
    std::string error;
    ASSERT_TRUE(cupsd.Start(error)) << error;
    cupsSetServer(cupsd.Server().c_str());
    ASSERT_TRUE(cupsd.AddHeldJob("Cutter_RX"));

    SimPlotterLink link("RX3600-60");
    // Open lists the spooler's queues and takes the family from the (fake) USB probe.
    link.port.SetLibraryCandidates({FAKE_ZEFRALINK});
    void* library = dlopen(FAKE_ZEFRALINK, RTLD_NOW);
    ASSERT_NE(library, nullptr);
    reinterpret_cast<void (*)(const char*)>(dlsym(library, "FakeZefr_SetPresent"))("RX3600");
    ASSERT_EQ(link.port.Open(), msg::kOk);
    dlclose(library);
    link.port.SetTransport(std::make_unique<CSimPlotterTransport>(link.sim)); // Open set USB
    link.model.Identify("RX3600-60");

    CPlotterCommands commands(link.port, link.model);
    CAdvancedSettingsLink advanced(link.port, link.model);
    CUnsentChanges unsent;
    CQueueCheckingSource source;
    CRetryTick tick(link.port, commands, advanced, unsent, source);
    unsent.Set(CUnsentChanges::kPanelSettings | CUnsentChanges::kCuttingCondition |
               CUnsentChanges::kMediaOrientation | CUnsentChanges::kAdvancedSettings);

    tick.OnTick();
    tick.OnTick();
    EXPECT_EQ(link.sim.Log(), "") << "nothing reaches the plotter while the job waits";
    EXPECT_EQ(unsent.Bits(), 15u);

    ASSERT_EQ(cupsCancelJob2(CUPS_HTTP_DEFAULT, "Cutter_RX", CUPS_JOBID_ALL, 1), IPP_STATUS_OK)
        << cupsLastErrorString();
    // The spooler ends the cancelled job on its own time; wait until the queue is empty.
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    for (;;) {
        cups_job_t* jobs = nullptr;
        const int active =
            cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, "Cutter_RX", 0, CUPS_WHICHJOBS_ACTIVE);
        cupsFreeJobs(active > 0 ? active : 0, jobs);
        if (active == 0) {
            break;
        }
        ASSERT_LT(std::chrono::steady_clock::now(), end) << "the job never left the queue";
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    tick.OnTick();
    EXPECT_EQ(unsent.Bits(), 0u);
    const std::vector<std::string>& sent = link.sim.Commands();
    ASSERT_GE(sent.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(sent.begin(), sent.begin() + 4),
              (std::vector<std::string>{"C1", "TC10,", "TC21,1", "C31;16"}));
    cupsSetServer(nullptr);
}

} // namespace

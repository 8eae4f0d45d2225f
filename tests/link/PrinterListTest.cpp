// The print-queue check against a cupsd of the test's own, a stopped one and a hung one.
#include "link/PrinterList.h"
#include "core/messages/MessageCodes.h"
#include "link/PlotterPort.h"
#include "models/PlotterModel.h"
#include "tests/link/FakeTransport.h"
#include "tests/link/PrivateCupsd.h"

#include <cups/cups.h>
#include <gtest/gtest.h>

#include <chrono>

#include <dlfcn.h>

namespace {

constexpr int kRx3600 = 3;
constexpr int kNimboPro = 1;
constexpr int kNimboProS = 2;

const std::vector<CPrivateCupsd::Queue> kQueues{
    {"Cutter_RX", "Morvalin RX3600 Series"},
    {"Cutter_Nimbo", "Morvalin Nimbo Pro"},
    {"Cutter_NimboS", "Morvalin Nimbo Pro S"},
    {"Office", "Generic Laser Printer"},
};

class SpoolerTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(m_cupsd.Start(error)) << error;
        cupsSetServer(m_cupsd.Server().c_str());
        ASSERT_EQ(m_printers.Refresh(), msg::kOk);
    }
    void TearDown() override { cupsSetServer(nullptr); }

    int CheckFor(int family) {
        m_model.SetFamilyIndex(family);
        return m_printers.CheckQueues([this](const std::string& description) {
            return m_model.MatchesPrinterDescription(description);
        });
    }

    CPrivateCupsd m_cupsd{kQueues};
    CPrinterList m_printers;
    CPlotterModel m_model;
};

TEST_F(SpoolerTest, ListsEveryQueueWithItsUpperCasedDriver) {
    std::vector<std::pair<std::string, std::string>> listed;
    ASSERT_EQ(m_printers.Names().size(), m_printers.Descriptions().size());
    for (std::size_t i = 0; i < m_printers.Names().size(); ++i) {
        listed.emplace_back(m_printers.Names()[i], m_printers.Descriptions()[i]);
    }
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (std::vector<std::pair<std::string, std::string>>{
                          {"Cutter_Nimbo", "MORVALIN NIMBO PRO"},
                          {"Cutter_NimboS", "MORVALIN NIMBO PRO S"},
                          {"Cutter_RX", "MORVALIN RX3600 SERIES"},
                          {"Office", "GENERIC LASER PRINTER"}}));
}

TEST_F(SpoolerTest, IdleQueuesLetEveryFamilyThrough) {
    for (int family = 0; family < CPlotterModel::FamilyCount(); ++family) {
        EXPECT_EQ(CheckFor(family), msg::kOk) << family;
    }
}

// A job for a Nimbo Pro S waits: its own family is busy; a Nimbo-Pro, whose token the
// Nimbo Pro S driver name also contains, is not held up by it.
TEST_F(SpoolerTest, JobCountsOnlyForItsOwnFamily) {
    ASSERT_TRUE(m_cupsd.AddHeldJob("Cutter_NimboS"));
    EXPECT_EQ(CheckFor(kNimboProS), msg::kPlotterBusy);
    EXPECT_EQ(CheckFor(kNimboPro), msg::kOk);
    EXPECT_EQ(CheckFor(kRx3600), msg::kOk);
    ASSERT_TRUE(m_cupsd.AddHeldJob("Cutter_Nimbo"));
    EXPECT_EQ(CheckFor(kNimboPro), msg::kPlotterBusy);
}

TEST_F(SpoolerTest, QueueThatCannotBeAskedIsReported) {
    ASSERT_TRUE(m_cupsd.DeleteQueue("Cutter_RX"));
    EXPECT_EQ(CheckFor(kRx3600), msg::kQueueUnavailable);
    EXPECT_EQ(CheckFor(kNimboProS), msg::kOk); // other queues are still asked normally
}

// With a job waiting, operations that check the queues fail with 1100 before a byte goes to
// the plotter; operations without the check still reach it.
TEST_F(SpoolerTest, BusyQueueStopsOnlyOperationsThatCheckIt) {
    ASSERT_TRUE(m_cupsd.AddHeldJob("Cutter_RX"));
    CPlotterPort port(m_model);
    // Open reads the port's own list and sets the family.
    port.SetLibraryCandidates({FAKE_ZEFRALINK});
    void* library = dlopen(FAKE_ZEFRALINK, RTLD_NOW);
    ASSERT_NE(library, nullptr);
    reinterpret_cast<void (*)(const char*)>(dlsym(library, "FakeZefr_SetPresent"))("RX3600");
    ASSERT_EQ(port.Open(), msg::kOk);
    dlclose(library);
    ASSERT_EQ(m_model.FamilyIndex(), kRx3600);
    auto script = std::make_shared<FakeScript>();
    port.SetTransport(std::make_unique<CFakeTransport>(script));
    const auto command = [&] { return port.WriteCommand("TC1,100\x03", 1000); };

    EXPECT_EQ(port.Transact(true, true, command), msg::kPlotterBusy);
    EXPECT_EQ(port.CheckReady(true, false), msg::kPlotterBusy);
    EXPECT_TRUE(script->Writes().empty());

    script->QueueRead("0\x03");
    EXPECT_EQ(port.Transact(false, true, command), msg::kOk);
    EXPECT_EQ(script->Writes(), (std::vector<std::string>{"\x1b.C1:", "TC1,100\x03"}));
}

struct DeadSpoolerCase {
    const char* pszName;
    bool bHung;
};

class DeadSpoolerTest : public ::testing::TestWithParam<DeadSpoolerCase> {};

// A spooler that stopped or hangs after the list was read: refreshing keeps the list, and a
// plotter queue that cannot be asked is reported, each within the short time-outs (the
// test's time-out fails a wait of the library's default minutes).
TEST_P(DeadSpoolerTest, CostsSecondsAndIsReported) {
    CPrinterList printers;
    {
        CPrivateCupsd cupsd(kQueues);
        std::string error;
        ASSERT_TRUE(cupsd.Start(error)) << error;
        cupsSetServer(cupsd.Server().c_str());
        ASSERT_EQ(printers.Refresh(), msg::kOk);
    }
    const std::vector<std::string> names = printers.Names();
    ASSERT_EQ(names.size(), kQueues.size());

    CSilentListener silent;
    cupsSetServer(GetParam().bHung ? silent.Server().c_str() : ClosedServer().c_str());
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(printers.Refresh(), msg::kOk);
    const auto refreshed = std::chrono::steady_clock::now();
    EXPECT_EQ(printers.Names(), names);
    CPlotterModel model;
    model.SetFamilyIndex(kRx3600);
    EXPECT_EQ(printers.CheckQueues([&](const std::string& description) {
        return model.MatchesPrinterDescription(description);
    }),
              msg::kQueueUnavailable);
    const auto checked = std::chrono::steady_clock::now();
    cupsSetServer(nullptr);

    using std::chrono::duration_cast;
    using std::chrono::milliseconds;
    RecordProperty("refresh_ms",
                   static_cast<int>(duration_cast<milliseconds>(refreshed - start).count()));
    RecordProperty("check_ms",
                   static_cast<int>(duration_cast<milliseconds>(checked - refreshed).count()));
}

INSTANTIATE_TEST_SUITE_P(Spoolers, DeadSpoolerTest,
                         ::testing::Values(DeadSpoolerCase{"Stopped", false},
                                           DeadSpoolerCase{"Hung", true}),
                         [](const auto& info) { return info.param.pszName; });

} // namespace

// The port against the in-process simulated plotter: whole exchanges, and the device's
// faults as the port sees them.
#include "tests/link/SimTransport.h"
#include "core/messages/MessageCodes.h"
#include "link/PlotterPort.h"
#include "models/PlotterModel.h"
#include "sim/SimPlotter.h"

#include <gtest/gtest.h>

#include <future>

namespace {

const std::string kStatusQuery = "\x1b.C1:";
const std::string kModelQuery = "\x1b.C31;9:";
const std::string kSpeedCommand = "TC1,300\x03";

class SimPortTest : public ::testing::Test {
protected:
    CPlotterModel m_model;
    CPlotterPort m_port{m_model};
    CSimPlotter m_plotter{"RX3600-60"};
    CSimTransport& m_sim = CSimTransport::Attach(m_port, m_plotter);

    int AskModel(std::string& reply) {
        return m_port.Transact(false, true, [&] { return m_port.Query(kModelQuery, reply); });
    }
};

TEST_F(SimPortTest, QueryAfterTheReadyCheckGoesOutByteForByte) {
    std::string reply;
    EXPECT_EQ(AskModel(reply), msg::kOk);
    EXPECT_EQ(reply, "RX3600-60,V1.20");
    EXPECT_EQ(m_plotter.Log(), kStatusQuery + kModelQuery);
}

TEST_F(SimPortTest, NotReadyPlotterGetsNothingButTheStatusQuery) {
    m_plotter.m_nStatus = 1;
    const int result = m_port.Transact(false, true, [&] {
        return m_port.WriteCommand(kSpeedCommand, CPlotterPort::kTransferTimeoutMs);
    });
    EXPECT_EQ(result, msg::kPlotterNotReady);
    EXPECT_EQ(m_plotter.Log(), kStatusQuery);
    EXPECT_EQ(m_plotter.m_nSpeed, 300);
}

// However the bytes are cut up on the way, the plotter gets the whole command.
TEST_F(SimPortTest, CommandInPiecesArrivesWhole) {
    m_sim.m_faults.nChunkBytes = 1;
    const std::string command = "TC1,150\x03";
    EXPECT_EQ(m_port.Transact(false, false, [&] { return m_port.WriteCommand(command, 100); }),
              msg::kOk);
    EXPECT_EQ(m_plotter.Log(), command);
    EXPECT_EQ(m_plotter.m_nSpeed, 150);
}

TEST_F(SimPortTest, StalledDeviceIsATimeOutNotASuccess) {
    m_sim.m_faults.nAcceptBytes = 4;
    EXPECT_EQ(
        m_port.Transact(false, false, [&] { return m_port.WriteCommand("TC1,150\x03", 100); }),
        msg::kTimeout);
    EXPECT_EQ(m_plotter.Log(), "TC1,");
}

struct FaultCase {
    const char* pszName;
    CSimTransport::Faults faults;
    int nExpected;
};

class SimFaultTest : public SimPortTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(SimFaultTest, FaultBecomesItsCode) {
    m_sim.m_faults = GetParam().faults;
    std::string reply = "stale";
    EXPECT_EQ(m_port.Transact(false, false, [&] { return m_port.Query(kModelQuery, reply); }),
              GetParam().nExpected);
    EXPECT_EQ(reply, "");
}

INSTANTIATE_TEST_SUITE_P(
    Faults, SimFaultTest,
    ::testing::Values(FaultCase{"Unplugged", {.bUnplugged = true}, msg::kNoPlotter},
                      FaultCase{"WriteLate", {.nWriteDelayMs = 5001}, msg::kTimeout},
                      FaultCase{"ReplyLate", {.nReplyDelayMs = 5001}, msg::kTimeout},
                      FaultCase{"ReplyLost", {.nDropReplies = 1}, msg::kTimeout}),
    [](const auto& info) { return info.param.pszName; });

// A reply that came too late waits in the device; the next exchange drops it before it
// writes, so its query reads its own reply and not the old one.
TEST_F(SimPortTest, LateReplyIsDroppedBeforeTheNextQuery) {
    m_sim.m_faults.nReplyDelayMs = 6000;
    std::string reply;
    EXPECT_EQ(m_port.Transact(false, false, [&] { return m_port.Query(kModelQuery, reply); }),
              msg::kTimeout);
    m_sim.m_faults.nReplyDelayMs = 0;
    EXPECT_EQ(m_port.Transact(false, false, [&] { return m_port.Query("\x1b.C31;16:", reply); }),
              msg::kOk);
    EXPECT_EQ(reply, "2");
}

// Over the simulated plotter in real time: a slow exchange holds the port for longer than
// the lock wait, and a second operation meanwhile returns 1005 without a byte on the wire.
TEST_F(SimPortTest, SlowExchangeKeepsASecondOperationOff) {
    m_sim.m_faults.bRealTime = true;
    m_sim.m_faults.nReplyDelayMs = 1500;
    std::promise<void> started;
    auto first = std::async(std::launch::async, [&] {
        std::string reply;
        return m_port.Transact(false, false, [&] {
            started.set_value();
            return m_port.Query(kModelQuery, reply);
        });
    });
    started.get_future().wait();
    const int second = m_port.Transact(false, true, [&] {
        return m_port.WriteCommand(kSpeedCommand, CPlotterPort::kTransferTimeoutMs);
    });
    EXPECT_EQ(second, msg::kPortBusy);
    EXPECT_EQ(first.get(), msg::kOk);
    EXPECT_EQ(m_plotter.Log(), kModelQuery);
}

} // namespace

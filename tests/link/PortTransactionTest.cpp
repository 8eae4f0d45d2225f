// The port's reply normalisation, transaction pattern, lock and demo mode, over a scripted
// transport.
#include "core/messages/MessageCodes.h"
#include "link/PlotterPort.h"
#include "models/PlotterModel.h"
#include "tests/link/FakeTransport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <future>
#include <mutex>
#include <thread>

namespace {

const std::string kStatusQuery = "\x1b.C1:";
const std::string kCommand = "TC1,5\x03";

struct NormaliseCase {
    const char* pszName;
    std::string strRaw;
    std::string strReply;
};

class NormaliseReplyTest : public ::testing::TestWithParam<NormaliseCase> {};

TEST_P(NormaliseReplyTest, KeepsTheTextBeforeTheFirstEtx) {
    EXPECT_EQ(CPlotterPort::NormaliseReply(GetParam().strRaw), GetParam().strReply);
}

const std::string kLong600 = std::string(600, 'A');

INSTANTIATE_TEST_SUITE_P(
    Replies, NormaliseReplyTest,
    ::testing::Values(NormaliseCase{"OneThenEtxThenMore",
                                    std::string("1\x03"
                                                "2,3\x03",
                                                6),
                                    "1"},
                      NormaliseCase{"NoEtxIsEmpty", "1,2,3", ""},
                      NormaliseCase{"BlankZeroEtx", " 0\x03", "0"},
                      NormaliseCase{"ZeroBytes", "", ""}, NormaliseCase{"OnlyEtx", "\x03", ""},
                      NormaliseCase{"LeadingWhiteSpaceOff", "\t\r\n  RX3600-60 , V1.20 \x03",
                                    "RX3600-60 , V1.20 "},
                      NormaliseCase{"ZeroByteEndsTheText", std::string("12\0\x03", 4), ""},
                      NormaliseCase{"ZeroByteAfterEtx", std::string("12\x03\0", 4), "12"},
                      NormaliseCase{"EtxAtByte512IsDropped", std::string(511, 'A') + "\x03",
                                    std::string(511, 'A')},
                      NormaliseCase{"EtxBeyond512IsLost", std::string(512, 'A') + "\x03", ""},
                      NormaliseCase{"LongReplyCutAtEtx", "7\x03" + kLong600, "7"}),
    [](const auto& info) { return info.param.pszName; });

class PortTest : public ::testing::Test {
protected:
    PortTest() { UseTransport(); }

    void UseTransport() { m_port.SetTransport(std::make_unique<CFakeTransport>(m_script)); }

    CPlotterModel m_model;
    CPlotterPort m_port{m_model};
    std::shared_ptr<FakeScript> m_script = std::make_shared<FakeScript>();
};

TEST_F(PortTest, ReadReplyNormalisesWhatTheTransportGave) {
    m_script->QueueRead(std::string("1\x03"
                                    "abc",
                                    5));
    std::string reply = "stale";
    EXPECT_EQ(m_port.ReadReply(reply, CPlotterPort::kTransferTimeoutMs), msg::kOk);
    EXPECT_EQ(reply, "1");

    m_script->QueueRead("", msg::kTimeout);
    EXPECT_EQ(m_port.ReadReply(reply, CPlotterPort::kTransferTimeoutMs), msg::kTimeout);
    EXPECT_EQ(reply, "");
}

TEST_F(PortTest, WithoutPlotterEveryTransferFailsAsNotConnected) {
    m_port.SetTransport(nullptr);
    std::string reply;
    EXPECT_EQ(m_port.WriteCommand(kCommand, 100), msg::kNoPlotter);
    EXPECT_EQ(m_port.ReadReply(reply, 100), msg::kNoPlotter);
    EXPECT_EQ(m_port.CheckReady(false, true), msg::kNoPlotter);
}

struct StatusCase {
    const char* pszName;
    std::string strRaw;
    int nReadResult;
    int nExpected;
};

class StatusTest : public PortTest, public ::testing::WithParamInterface<StatusCase> {};

// The ready check runs before the operation's own bytes, and a failing check sends nothing
// more.
TEST_P(StatusTest, ReadyCheckGatesTheOperation) {
    m_script->QueueRead(GetParam().strRaw, GetParam().nReadResult);
    bool bodyRan = false;
    const int result = m_port.Transact(false, true, [&] {
        bodyRan = true;
        return m_port.WriteCommand(kCommand, CPlotterPort::kTransferTimeoutMs);
    });
    EXPECT_EQ(result, GetParam().nExpected);
    EXPECT_EQ(bodyRan, GetParam().nExpected == msg::kOk);
    std::vector<std::string> expected{kStatusQuery};
    if (GetParam().nExpected == msg::kOk) {
        expected.push_back(kCommand);
    }
    EXPECT_EQ(m_script->Writes(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, StatusTest,
    ::testing::Values(StatusCase{"Ready", "0\x03", 0, msg::kOk},
                      StatusCase{"NoEtxReadsAsReady", "5", 0, msg::kOk},
                      StatusCase{"LowBitsNotReady", "33\x03", 0, msg::kPlotterNotReady},
                      StatusCase{"BusyBitOne", " 1\x03", 0, msg::kPlotterNotReady},
                      StatusCase{"HighBitOnlyUnknown", "32\x03", 0, msg::kReadFailed},
                      StatusCase{"ReadTimesOut", "", msg::kTimeout, msg::kTimeout},
                      StatusCase{"ReadFails", "", msg::kReadFailed, msg::kReadFailed}),
    [](const auto& info) { return info.param.pszName; });

TEST_F(PortTest, WithoutFlagsOnlyTheBodyTalks) {
    m_script->QueueRead("OK\x03");
    std::string reply;
    EXPECT_EQ(m_port.Transact(false, false, [&] { return m_port.Query("\x1b.C31;16:", reply); }),
              msg::kOk);
    EXPECT_EQ(reply, "OK");
    EXPECT_EQ(m_script->Writes(), std::vector<std::string>{"\x1b.C31;16:"});
}

TEST_F(PortTest, FirstFailureEndsTheBodyAndIsReturned) {
    m_script->FailWritesWith(msg::kWriteFailed);
    std::string reply;
    EXPECT_EQ(m_port.Transact(false, false, [&] { return m_port.Query("\x1b.C13:", reply); }),
              msg::kWriteFailed);
    EXPECT_EQ(m_script->ReadCount(), 0); // no read after a failed write
    // The lock was released: the next transaction runs.
    m_script->FailWritesWith(msg::kOk);
    EXPECT_EQ(m_port.CheckReady(false, false), msg::kOk);
}

// The queue check comes first; with no queue of the plotter listed it passes without a
// spooler connection and the status query follows.
TEST_F(PortTest, QueueCheckWithoutPlotterQueuesGoesOnToTheStatus) {
    m_script->QueueRead("0\x03");
    EXPECT_EQ(m_port.CheckReady(true, true), msg::kOk);
    EXPECT_EQ(m_script->Writes(), std::vector<std::string>{kStatusQuery});
}

// One thread holds the port for longer than the lock wait; a second operation meanwhile
// gets 1005 and sends nothing.
TEST_F(PortTest, SecondOperationWhileThePortIsHeldIsBusyAndSendsNothing) {
    std::promise<void> inside;
    std::promise<void> release;
    auto holder = std::async(std::launch::async, [&] {
        return m_port.Transact(false, false, [&] {
            inside.set_value();
            release.get_future().wait();
            return m_port.WriteCommand("FIRST\x03", CPlotterPort::kTransferTimeoutMs);
        });
    });
    inside.get_future().wait();

    auto second = std::async(std::launch::async, [&] {
        return m_port.Transact(false, false, [&] {
            return m_port.WriteCommand("SECOND\x03", CPlotterPort::kTransferTimeoutMs);
        });
    });
    EXPECT_EQ(second.get(), msg::kPortBusy);
    EXPECT_EQ(m_port.CheckReady(false, true), msg::kPortBusy); // the ready check sends nothing
    release.set_value();
    EXPECT_EQ(holder.get(), msg::kOk);

    EXPECT_EQ(m_script->Writes(), std::vector<std::string>{"FIRST\x03"});
    EXPECT_EQ(m_port.Transact(false, false, [&] { return m_port.WriteCommand("THIRD\x03", 100); }),
              msg::kOk);
}

// Many threads hammer the port: every exchange is whole, never interleaved with another.
TEST_F(PortTest, TransactionsNeverInterleave) {
    constexpr int kThreads = 4;
    constexpr int kRounds = 50;
    std::atomic<int> inside{0};
    std::atomic<bool> overlapped{false};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < kRounds; ++i) {
                const int result = m_port.Transact(false, false, [&] {
                    if (inside.fetch_add(1) != 0) {
                        overlapped = true;
                    }
                    const int a = m_port.WriteCommand("A" + std::to_string(t), 100);
                    const int b = m_port.WriteCommand("B" + std::to_string(t), 100);
                    inside.fetch_sub(1);
                    return a != 0 ? a : b;
                });
                EXPECT_EQ(result, msg::kOk);
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_FALSE(overlapped);
    const std::vector<std::string> writes = m_script->Writes();
    ASSERT_EQ(writes.size(), static_cast<std::size_t>(2 * kThreads * kRounds));
    for (std::size_t i = 0; i < writes.size(); i += 2) {
        EXPECT_EQ(writes[i][0], 'A');
        EXPECT_EQ(writes[i + 1], "B" + writes[i].substr(1));
    }
}

TEST_F(PortTest, WaitForPortReturnsOnceTheHolderIsDone) {
    std::promise<void> inside;
    std::atomic<bool> holderDone{false};
    auto holder = std::async(std::launch::async, [&] {
        return m_port.Transact(false, false, [&] {
            inside.set_value();
            // Longer than one lock wait, so WaitForPort has to try again.
            std::this_thread::sleep_for(std::chrono::milliseconds(700));
            holderDone = true;
            return msg::kOk;
        });
    });
    inside.get_future().wait();
    m_port.WaitForPort();
    EXPECT_TRUE(holderDone);
    EXPECT_EQ(holder.get(), msg::kOk);
}

// A transaction that never ends must not keep shutdown waiting forever.
TEST_F(PortTest, WaitForPortGivesUpAfterItsTries) {
    std::promise<void> inside;
    std::promise<void> release;
    auto holder = std::async(std::launch::async, [&] {
        return m_port.Transact(false, false, [&] {
            inside.set_value();
            release.get_future().wait();
            return msg::kOk;
        });
    });
    inside.get_future().wait();
    m_port.WaitForPort(); // returns although the holder still holds the port
    EXPECT_EQ(m_port.CheckReady(false, false), msg::kPortBusy);
    release.set_value();
    EXPECT_EQ(holder.get(), msg::kOk);
}

class DemoPortTest : public PortTest {
protected:
    DemoPortTest() {
        m_port.SetOptions(PortOptions{true, false, {}});
        m_port.SetLibraryCandidates({"/nonexistent/libzefralink.so"});
    }
};

TEST_F(DemoPortTest, EverythingSucceedsWithoutTraffic) {
    EXPECT_EQ(m_port.Open(), msg::kOk); // although no library can be loaded
    m_script->QueueRead("1\x03");       // a not-ready plotter would fail the status check
    std::string reply = "stale";
    EXPECT_EQ(m_port.Transact(true, true, [&] { return m_port.Query("\x1b.C31;9:", reply); }),
              msg::kOk);
    EXPECT_EQ(reply, "");
    EXPECT_EQ(m_port.CheckReady(true, true), msg::kOk);
    EXPECT_EQ(m_port.QueryStatus(), msg::kOk);
    EXPECT_TRUE(m_script->Writes().empty());
    EXPECT_EQ(m_script->ReadCount(), 0);
}

} // namespace

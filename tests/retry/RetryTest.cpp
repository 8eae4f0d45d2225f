// The retry tick against the in-process simulated plotter, and the timer thread that runs it.
#include "tests/protocol/SimPlotterLink.h"

#include "conditions/MediaList.h"
#include "protocol/AdvancedSettingsLink.h"
#include "protocol/PlotterCommands.h"
#include "retry/RetryTick.h"
#include "retry/RetryTimer.h"
#include "retry/RetryValues.h"
#include "retry/UnsentChanges.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <mutex>
#include <thread>

namespace {

using Bits = CUnsentChanges;

// The application's side of a tick, safe to read from the timer thread.
class CTestRetrySource : public IRetrySource {
public:
    bool SkipQueueCheck() const override { return true; }
    bool UseControllerCondition() const override { return m_bController.load(); }
    std::optional<CuttingCondition> CurrentCondition() const override {
        if (m_fnOnLookup) {
            m_fnOnLookup();
        }
        const std::lock_guard lock(m_mutex);
        return m_condition;
    }
    int MediaOrientation() const override { return m_nOrientation.load(); }
    AdvancedSettings StoredAdvancedSettings() const override {
        const std::lock_guard lock(m_mutex);
        return m_advanced;
    }

    std::atomic<bool> m_bController{true};
    std::atomic<int> m_nOrientation{1};
    std::function<void()> m_fnOnLookup;
    mutable std::mutex m_mutex;
    std::optional<CuttingCondition> m_condition = CuttingCondition{"Vinyl", "KR16U", 14, 30, 2, 0};
    AdvancedSettings m_advanced;
};

struct RetryRig {
    explicit RetryRig(std::string_view type = "RX3600-60") : link(type) {}

    SimPlotterLink link;
    CPlotterCommands commands{link.port, link.model};
    CAdvancedSettingsLink advanced{link.port, link.model};
    CUnsentChanges unsent;
    CTestRetrySource source;
    CRetryTick tick{link.port, commands, advanced, unsent, source};
};

constexpr unsigned kAll = Bits::kPanelSettings | Bits::kCuttingCondition | Bits::kMediaOrientation |
                          Bits::kAdvancedSettings;

TEST(UnsentChanges, BitsAreSetSentAndClearedOnTheirOwn) {
    CUnsentChanges unsent;
    unsent.Set(Bits::kCuttingCondition | Bits::kAdvancedSettings);
    EXPECT_EQ(unsent.Bits(), 10u);
    EXPECT_TRUE(unsent.BeginSend(Bits::kCuttingCondition));
    unsent.SendArrived(Bits::kCuttingCondition);
    EXPECT_FALSE(unsent.BeginSend(Bits::kCuttingCondition));
    unsent.Clear(Bits::kPanelSettings);
    EXPECT_EQ(unsent.Bits(), 8u);
    unsent.Clear(Bits::kAdvancedSettings);
    EXPECT_FALSE(unsent.Any());
}

TEST(RetryTick, NotReadyPlotterHoldsTheTickBackThenAllGoInOrder) {
    RetryRig rig;
    rig.link.sim.m_nStatus = 1;
    rig.link.sim.m_nStatusReplies = 2; // not ready twice, then ready
    rig.unsent.Set(kAll);
    rig.tick.OnTick();
    rig.tick.OnTick();
    EXPECT_EQ(rig.unsent.Bits(), kAll);
    EXPECT_EQ(rig.link.sim.Commands(), (std::vector<std::string>{"C1", "C1"}));

    rig.tick.OnTick();
    EXPECT_FALSE(rig.unsent.Any());
    const std::vector<std::string>& sent = rig.link.sim.Commands();
    ASSERT_GE(sent.size(), 9u);
    const int tool = rig.link.model.Catalogue().ToolCodeForName("KR16U");
    const std::vector<std::string> head = {
        "C1",     "C1",      "C1",     "TC4," + std::to_string(tool),
        "TC3,14", "TC1,300", "TC2,10", "TC5,0",
        "TC21,1", "C31;16",  "TC25,0"};
    EXPECT_EQ(std::vector<std::string>(sent.begin(), sent.begin() + 11), head);
    EXPECT_EQ(rig.link.sim.m_nMediaOrientation, 1);
}

TEST(RetryTick, UnderPlotterSettingsPanelGoesAndConditionIsDropped) {
    RetryRig rig;
    rig.source.m_bController = false;
    rig.unsent.Set(Bits::kPanelSettings | Bits::kCuttingCondition | Bits::kMediaOrientation);
    rig.tick.OnTick();
    EXPECT_FALSE(rig.unsent.Any());
    EXPECT_EQ(rig.link.sim.Log(), kEsc + ".C1:" + "TC10," + kEtx + "TC21,1" + kEtx);
}

TEST(RetryTick, ConditionBitClearedWithoutSendingUnderPlotterSettings) {
    RetryRig rig;
    rig.source.m_bController = false;
    rig.unsent.Set(Bits::kCuttingCondition);
    rig.tick.OnTick();
    EXPECT_FALSE(rig.unsent.Any());
    EXPECT_EQ(rig.link.sim.Log(), kEsc + ".C1:");
}

TEST(RetryTick, FailingOrientationKeepsItAndTheLaterBits) {
    RetryRig rig;
    rig.unsent.Set(kAll);
    rig.link.FailWritesStartingWith("TC21,", msg::kTimeout);
    rig.tick.OnTick();
    EXPECT_EQ(rig.unsent.Bits(), Bits::kMediaOrientation | Bits::kAdvancedSettings);
    EXPECT_EQ(rig.link.sim.Log().find("C31;16"), std::string::npos) << "advanced not tried";

    rig.link.transport->m_fnFault = nullptr;
    rig.tick.OnTick();
    EXPECT_FALSE(rig.unsent.Any());
}

TEST(RetryTick, NothingPendingSendsOnlyTheReadyCheck) {
    RetryRig rig;
    rig.tick.OnTick();
    EXPECT_EQ(rig.link.sim.Log(), kEsc + ".C1:");
}

TEST(RetryTick, AChangeMarkedWhileItIsSentStaysMarked) {
    RetryRig rig;
    rig.unsent.Set(Bits::kCuttingCondition);
    // The user picks another condition while the tick is sending: the new choice must not be
    // lost when the tick finishes with the old one.
    rig.source.m_fnOnLookup = [&] { rig.unsent.Set(Bits::kCuttingCondition); };
    rig.tick.OnTick();
    EXPECT_EQ(rig.unsent.Bits(), Bits::kCuttingCondition);
}

// Closing the window asks about unsent changes; one that is on its way has not arrived yet.
TEST(RetryTick, AChangeBeingSentStillCountsAsUnsent) {
    struct Case {
        unsigned bit;
        bool controller;
        int sendResult;
        unsigned after;
    } const cases[] = {
        {Bits::kPanelSettings, false, msg::kOk, 0},
        {Bits::kCuttingCondition, true, msg::kOk, 0},
        {Bits::kMediaOrientation, true, msg::kOk, 0},
        {Bits::kAdvancedSettings, true, msg::kOk, 0},
        {Bits::kMediaOrientation, true, msg::kTimeout, Bits::kMediaOrientation},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bit << " " << c.sendResult);
        RetryRig rig;
        rig.source.m_bController = c.controller;
        rig.unsent.Set(c.bit);
        std::vector<bool> seen; // Any(), asked by another thread during each send's writes
        rig.link.transport->m_fnFault = [&](const std::string& bytes) {
            if (bytes == kEsc + ".C1:") {
                return msg::kOk; // the tick's ready check
            }
            std::thread([&] { seen.push_back(rig.unsent.Any()); }).join();
            return c.sendResult;
        };
        rig.tick.OnTick();
        ASSERT_FALSE(seen.empty());
        EXPECT_EQ(std::ranges::count(seen, false), 0);
        EXPECT_EQ(rig.unsent.Bits(), c.after);
    }
}

TEST(RetryTick, ConditionGoneFromTheStoreDoesNotBlockLaterChanges) {
    RetryRig rig;
    rig.source.m_condition.reset();
    rig.unsent.Set(Bits::kCuttingCondition | Bits::kMediaOrientation);
    rig.tick.OnTick();
    EXPECT_FALSE(rig.unsent.Any());
    EXPECT_EQ(rig.link.sim.Log(), kEsc + ".C1:" + "TC21,1" + kEtx);
}

TEST(RetryValues, TickSendsWhatTheWindowPublished) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    RetryRig rig("RX3600-60");
    CMediaList store(rig.link.model, root.path().toStdString());
    std::filesystem::create_directories(store.Folder());
    ASSERT_EQ(store.AddCondition({"Vinyl", "KR16UB", 20, 10, 3, 2}), msg::kOk);
    CRetryValues values(store);
    CRetryTick tick(rig.link.port, rig.commands, rig.advanced, rig.unsent, values);

    CControllerSettings settings(true);
    settings.m_nCutCondSetting = 1;
    settings.m_condition.m_strName = "Vinyl";
    settings.m_nMediaOrient = 1;
    AdvancedSettings advanced;
    advanced.mirror = 1;
    values.Publish(settings, true, advanced);
    settings.m_nMediaOrient = 0; // later changes reach the tick only when published
    rig.unsent.Set(kAll);
    tick.OnTick();

    EXPECT_FALSE(rig.unsent.Any());
    const std::string tool = std::to_string(rig.link.model.Catalogue().ToolCodeForName("KR16UB"));
    const std::string& log = rig.link.sim.Log();
    EXPECT_TRUE(log.starts_with(kEsc + ".C1:" + "TC4," + tool + kEtx + "TC3,20" + kEtx + "TC1,100" +
                                kEtx + "TC2,15" + kEtx + "TC5,2" + kEtx + "TC21,1" + kEtx))
        << log;
    EXPECT_NE(log.find("TC26,1" + kEtx), std::string::npos);
}

// A current list the store no longer has is not sent as a made-up default record.
TEST(RetryValues, NameTheStoreLacksSendsNoCondition) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    RetryRig rig("RX3600-60");
    const CMediaList store(rig.link.model, root.path().toStdString());
    CRetryValues values(store);
    CRetryTick tick(rig.link.port, rig.commands, rig.advanced, rig.unsent, values);
    CControllerSettings settings(true);
    settings.m_nCutCondSetting = 1;
    settings.m_condition.m_strName = "Gone";
    values.Publish(settings, true, AdvancedSettings());
    rig.unsent.Set(Bits::kCuttingCondition);
    tick.OnTick();
    EXPECT_FALSE(rig.unsent.Any());
    EXPECT_EQ(rig.link.sim.Log(), kEsc + ".C1:");
}

// Waits for a condition that a running timer brings about; a condition that never comes
// fails the test when the wait ends, never by its speed.
template <typename Predicate> bool Eventually(Predicate&& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

TEST(RetryTimer, TicksOnItsThreadUntilStopped) {
    RetryRig rig;
    CRetryTimer timer(rig.link.port, [&] { rig.tick.OnTick(); });
    timer.Start();
    timer.Start(); // no second thread
    EXPECT_TRUE(timer.IsRunning());
    rig.unsent.Set(kAll);
    ASSERT_TRUE(Eventually([&] { return !rig.unsent.Any(); }));
    timer.Stop();
    EXPECT_FALSE(timer.IsRunning());
    const std::size_t sent = rig.link.sim.Commands().size();
    EXPECT_NE(std::ranges::find(rig.link.sim.Commands(), "TC21,1"), rig.link.sim.Commands().end());
    std::this_thread::sleep_for(CRetryTimer::kPeriod * 3);
    EXPECT_EQ(rig.link.sim.Commands().size(), sent) << "no tick after Stop";
}

TEST(RetryTimer, RunsBesideTheUserInterfaceThread) {
    RetryRig rig;
    std::atomic<int> ticks{0};
    CRetryTimer timer(rig.link.port, [&] {
        rig.tick.OnTick();
        ++ticks;
    });
    timer.Start();
    // The user-interface thread keeps marking and sending changes of its own meanwhile.
    while (ticks.load() < 3) {
        rig.unsent.Set(Bits::kMediaOrientation);
        rig.source.m_nOrientation = ticks.load() % 2;
        const int sent = rig.commands.SendMediaOrientation(0, false, false);
        ASSERT_TRUE(sent == msg::kOk || sent == msg::kPortBusy) << sent;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    timer.Stop();
    EXPECT_TRUE(rig.link.sim.Unknown().empty()) << "no interleaved bytes";
}

TEST(RetryTimer, StopWaitsForAnOperationThatHoldsThePort) {
    RetryRig rig;
    CRetryTimer timer(rig.link.port, [] {});
    timer.Start();
    std::atomic<bool> holding{false};
    std::atomic<bool> released{false};
    std::thread other([&] {
        const int held = rig.link.port.Transact(false, false, [&] {
            holding = true;
            std::this_thread::sleep_for(std::chrono::milliseconds(800));
            released = true;
            return msg::kOk;
        });
        EXPECT_EQ(held, msg::kOk);
    });
    ASSERT_TRUE(Eventually([&] { return holding.load(); }));
    timer.Stop();
    EXPECT_TRUE(released.load()) << "Stop returned while the port was still held";
    other.join();
}

TEST(RetryTimer, DestructorStopsTheThread) {
    std::atomic<int> ticks{0};
    {
        SimPlotterLink link("WX8800-60");
        CRetryTimer timer(link.port, [&] { ++ticks; });
        timer.Start();
        ASSERT_TRUE(Eventually([&] { return ticks.load() >= 1; }));
    }
    const int after = ticks.load();
    std::this_thread::sleep_for(CRetryTimer::kPeriod * 2);
    EXPECT_EQ(ticks.load(), after);
}

} // namespace

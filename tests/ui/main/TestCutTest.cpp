// The test cut from the main window and the progress window that follows it.
#include "ModalAnswer.h"
#include "WindowRig.h"
#include "protocol/PlotterQueries.h"
#include "tests/protocol/SimPlotterLink.h"

#include "core/messages/MessageCodes.h"
#include "skin/SkinButton.h"
#include "skin/SkinFolders.h"
#include "ui/main/ControlIds.h"
#include "ui/main/MessageDlg.h"

#include <QLabel>

#include <gtest/gtest.h>

namespace {

const std::string kEnterQuery = "\x1b.C13:";
const std::string kPressEnter = "\x1b.C14:";

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++n;
    }
    return n;
}

// The progress window on its own, against a plotter in the middle of a test cut.
class ProgressWindow : public ::testing::Test {
protected:
    ProgressWindow() : m_link("WX8800-60") { m_link.sim.m_bTestCutRunning = true; }

    int Run(const std::function<void(CMessageDlg&)>& whileOpen = {}) {
        CMessageDlg dlg(m_queries, m_folders, 13);
        QTimer watcher;
        watcher.setInterval(20);
        QObject::connect(&watcher, &QTimer::timeout, [&] {
            if (!dlg.isVisible()) {
                return;
            }
            m_bEnterSeen = m_bEnterSeen || dlg.Control(ctl::kOk)->isEnabled();
            if (whileOpen) {
                whileOpen(dlg);
            }
        });
        watcher.start();
        return dlg.exec();
    }

    SimPlotterLink m_link;
    CPlotterQueries m_queries{m_link.port, m_link.model, m_link.settings};
    CSkinFolders m_folders{QUIRN_RUNTIME_DIR, "BMP/ENG"};
    CScopedRecordingSink m_recording;
    bool m_bEnterSeen = false;
};

TEST_F(ProgressWindow, EnterWaitEnablesEnterWhichIsSentOnce) {
    m_link.sim.m_enterReplies = {"0", "6"};
    const int result = Run([](CMessageDlg& dlg) {
        QWidget* enter = dlg.Control(ctl::kOk);
        if (enter->isEnabled()) {
            EXPECT_EQ(static_cast<QLabel*>(dlg.Control(ctl::kMessageText))->text(),
                      "Press the Enter button. ");
            QTest::mouseClick(enter, Qt::LeftButton);
        }
    });
    EXPECT_EQ(result, CMessageDlg::kResultDone);
    EXPECT_TRUE(m_bEnterSeen);
    EXPECT_EQ(Count(m_link.sim.Log(), kPressEnter), 1u);
    EXPECT_EQ(m_link.sim.m_nEnterPresses, 1);
    EXPECT_TRUE(m_recording.Sink().m_vecShown.empty());
}

struct EndCase {
    const char* name;
    std::vector<std::string> replies;
    int result;
    std::size_t messages;
};

class ProgressWindowEnds : public ProgressWindow, public ::testing::WithParamInterface<EndCase> {};

TEST_P(ProgressWindowEnds, WithoutEnter) {
    m_link.sim.m_enterReplies = GetParam().replies;
    if (GetParam().replies.empty()) {
        m_link.sim.m_replyOverrides["C13"] = ""; // the plotter stops answering
    }
    EXPECT_EQ(Run(), GetParam().result);
    EXPECT_FALSE(m_bEnterSeen);
    EXPECT_EQ(m_recording.Sink().m_vecShown.size(), GetParam().messages);
    EXPECT_EQ(Count(m_link.sim.Log(), kPressEnter), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    States, ProgressWindowEnds,
    ::testing::Values(EndCase{"Finished", {"1", "2", "8"}, CMessageDlg::kResultDone, 0},
                      EndCase{"AbortedSilently", {"0", "10"}, CMessageDlg::kResultAborted, 0},
                      EndCase{"PlotterSilentIsShown", {}, CMessageDlg::kResultFailed, 1}),
    [](const auto& info) { return std::string(info.param.name); });

class MainWindowTestCut : public ::testing::Test {
protected:
    void SetUp() override {
        m_rig.AddMediaList({"Vinyl", "KR10A (1)", 14, 40, 2, 1});
        m_rig.commandLine.m_bSkipQueueCheck = 1;
        WindowRig::Remember("CutCondSetting", 1);
        WindowRig::Remember("MediaListName", "Vinyl");
        ASSERT_EQ(m_rig.Open(), 0);
        m_rig.TakeWire();
    }
    WindowRig m_rig;
};

TEST_F(MainWindowTestCut, ConfirmedTestCutSendsOnlyTC7AndFollowsTheProgress) {
    m_rig.recording.Sink().AnswerNext(true);
    ModalAnswer progress(&m_rig.Dlg(), [](QWidget*) {}); // the plotter ends it by itself
    QTest::mouseClick(m_rig.Control(ctl::kTestCut), Qt::LeftButton);

    EXPECT_TRUE(progress.Seen());
    EXPECT_STREQ(progress.SeenClass(), "CMessageDlg");
    EXPECT_EQ(m_rig.ShownCodes(), std::vector<int>{msg::kConfirmTestCut});
    const std::string wire = m_rig.TakeWire();
    EXPECT_EQ(wire.substr(0, 10), "\x1b.C1:TC7,\x03");
    EXPECT_GE(Count(wire, kEnterQuery), 1u);
    EXPECT_EQ(wire.find("TC4"), std::string::npos); // the plotter keeps its condition
}

TEST_F(MainWindowTestCut, RefusedQuestionsSendNothing) {
    m_rig.recording.Sink().AnswerNext(false);
    QTest::mouseClick(m_rig.Control(ctl::kTestCut), Qt::LeftButton);
    m_rig.recording.Sink().AnswerNext(false);
    QTest::mouseClick(m_rig.Control(ctl::kCrossCut), Qt::LeftButton);
    EXPECT_EQ(m_rig.ShownCodes(), (std::vector<int>{msg::kConfirmTestCut, msg::kConfirmCrossCut}));
    EXPECT_EQ(m_rig.TakeWire(), "");
}

TEST_F(MainWindowTestCut, ConfirmedCrossCutSendsTC35) {
    m_rig.recording.Sink().AnswerNext(true);
    QTest::mouseClick(m_rig.Control(ctl::kCrossCut), Qt::LeftButton);
    EXPECT_EQ(m_rig.TakeWire(), "\x1b.C1:TC35,\x03");
    EXPECT_EQ(m_rig.sim.m_nCrossCuts, 1);
}

TEST_F(MainWindowTestCut, FailedTestCutIsShownAndOpensNoProgressWindow) {
    m_rig.sim.m_nStatus = 1; // not ready
    m_rig.recording.Sink().AnswerNext(true);
    QTest::mouseClick(m_rig.Control(ctl::kTestCut), Qt::LeftButton);
    EXPECT_EQ(m_rig.ShownCodes(), (std::vector<int>{msg::kConfirmTestCut, msg::kPlotterNotReady}));
    EXPECT_EQ(m_rig.TakeWire(), "\x1b.C1:");
}

} // namespace

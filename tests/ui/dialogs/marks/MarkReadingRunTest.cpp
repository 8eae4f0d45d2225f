// Reading the registration marks through the reading window, against the in-process simulated
// plotter: the bytes on the wire, the messages shown and the code the main window gets.
#include "tests/ui/dialogs/common/ShownCodes.h"

#include "protocol/MarkReading.h"
#include "skin/SkinFolders.h"
#include "tests/protocol/SimPlotterLink.h"
#include "tests/ui/main/ModalAnswer.h"
#include "ui/dialogs/marks/MarkReadingRun.h"
#include "ui/dialogs/marks/RegMarkReadDlg.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

const std::string kPoll = kEsc + ".C11:";
const std::string kAbort = kEsc + ".C12:";

// A WX8800-60 at 20 steps per mm with three-point marks 200 by 150 mm apart, searched
// automatically; LM is given, so no print queue is asked.
struct ReadingRig {
    explicit ReadingRig(bool demo = false) : link("WX8800-60", demo) {
        link.commandLine.m_bSkipQueueCheck = 1;
        link.settings.m_nTomboDisX = 200000;
        link.settings.m_nTomboDisY = 150000;
    }

    int Run() { return RunMarkReading(marks, link.commandLine, folders, nullptr); }

    // What the start sends, ready check first.
    static std::string Start() {
        return kEsc + ".C1:" + kEsc + ".C31;16:" + kEsc + ".C10:" + "TB99," + kEtx + "TB52,2," +
               kEtx + "TB51,200," + kEtx + "TB53,10," + kEtx + "TB55,1," + kEtx +
               "TB123,4000,3000," + kEtx + "TB99," + kEtx;
    }

    static std::string Polls(int count) {
        std::string polls;
        for (int i = 0; i < count; ++i) {
            polls += kPoll;
        }
        return polls;
    }

    CScopedRecordingSink recording;
    SimPlotterLink link;
    CMarkReading marks{link.port, link.model, link.settings};
    CSkinFolders folders{QUIRN_RUNTIME_DIR, "BMP/ENG"};
};

TEST(MarkReadingRun, PollsUntilThePlotterReportsTheOutcome) {
    const struct {
        std::vector<std::string> replies;
        int code;
        std::vector<int> shown;
        int polls;
    } cases[] = {
        {{"1", "2"}, 0, {}, 2},
        {{"11", "2"}, 0, {}, 2}, // 11 is state 1: still reading
        {{"0", "10"}, 1102, {1102}, 2},
    };
    for (const auto& c : cases) {
        ReadingRig rig;
        rig.link.sim.m_markReadReplies = c.replies;
        EXPECT_EQ(rig.Run(), c.code) << c.replies.back();
        EXPECT_EQ(ShownCodes(rig.recording.Sink()), c.shown) << c.replies.back();
        EXPECT_EQ(rig.link.sim.Log(), ReadingRig::Start() + ReadingRig::Polls(c.polls))
            << c.replies.back();
    }
}

// Abort asks the plotter to stop and waits for it to report the end; Enter and F1 do nothing.
TEST(MarkReadingRun, AbortWaitsForThePlotter) {
    const std::function<void(CRegMarkReadDlg&)> aborts[] = {
        [](CRegMarkReadDlg& w) { qobject_cast<QPushButton*>(w.Control(2))->click(); },
        [](CRegMarkReadDlg& w) { QTest::keyClick(&w, Qt::Key_Escape); },
        [](CRegMarkReadDlg& w) { w.close(); },
    };
    for (std::size_t way = 0; way < std::size(aborts); ++way) {
        ReadingRig rig;
        rig.link.sim.m_markReadReplies = {"1"};
        bool openAfterAbort = false;
        bool abortEnabled = true;
        ModalAnswer answer(nullptr, [&](QWidget* modal) {
            auto& window = *qobject_cast<CRegMarkReadDlg*>(modal);
            QTest::keyClick(&window, Qt::Key_Return);
            QTest::keyClick(&window, Qt::Key_F1);
            aborts[way](window);
            openAfterAbort = window.isVisible();
            abortEnabled = window.Control(CRegMarkReadDlg::kIdAbort)->isEnabled();
        });
        EXPECT_EQ(rig.Run(), 1102) << way;
        ASSERT_TRUE(answer.Seen()) << way;
        EXPECT_TRUE(openAfterAbort) << way;
        EXPECT_FALSE(abortEnabled) << way;
        EXPECT_EQ(ShownCodes(rig.recording.Sink()), std::vector<int>{1102}) << way;
        // Polls may have run before the abort; after it, one poll answers "failed".
        const std::string& wire = rig.link.sim.Log();
        ASSERT_TRUE(wire.starts_with(ReadingRig::Start())) << way;
        std::string waiting = wire.substr(ReadingRig::Start().size());
        ASSERT_TRUE(waiting.ends_with(kAbort + kPoll)) << way;
        waiting.resize(waiting.size() - kAbort.size() - kPoll.size());
        EXPECT_EQ(waiting, ReadingRig::Polls(static_cast<int>(waiting.size() / kPoll.size())))
            << way;
    }
}

// Nothing but the plotter's "read" counts as read: every failure gives its code, and its
// message has been shown. A reading the window gives up on is aborted, so the plotter is not
// left searching.
TEST(MarkReadingRun, FailuresAreShownAndNeverCountAsRead) {
    const QTemporaryDir noSkins;
    const std::string start = ReadingRig::Start();
    const struct {
        const char* name;
        bool demo;
        bool abort; // Abort is clicked as soon as the window shows
        std::function<void(ReadingRig&)> arrange;
        int code;
        std::vector<int> shown;
        std::string wire;
    } cases[] = {
        {"start refused",
         false,
         false,
         [](ReadingRig& r) { r.link.sim.m_nStatus = 33; },
         1101,
         {1101},
         kEsc + ".C1:"},
        {"poll unanswered",
         false,
         false,
         [](ReadingRig& r) { r.link.sim.m_replyOverrides["C11"] = ""; },
         1006,
         {1006},
         start + kPoll + kAbort},
        {"poll unanswered after an earlier reading",
         false,
         false,
         [](ReadingRig& r) {
             ASSERT_EQ(r.Run(), 0);
             r.link.sim.m_replyOverrides["C11"] = "";
         },
         1006,
         {1006},
         start + ReadingRig::Polls(2) + start + kPoll + kAbort},
        {"poll rejected",
         false,
         false,
         [](ReadingRig& r) { r.link.sim.m_replyOverrides["C11"] = "7\x03"; },
         1008,
         {1008},
         start + kPoll + kAbort},
        {"poll not sent",
         false,
         false,
         [](ReadingRig& r) { r.link.FailWritesStartingWith(kPoll, 1007); },
         1102,
         {1007, 1102},
         start + kAbort},
        {"abort not sent",
         false,
         true,
         [](ReadingRig& r) {
             r.link.sim.m_markReadReplies = {"1"};
             r.link.FailWritesStartingWith(kAbort, 1007);
         },
         1007,
         {1007},
         start},
        {"no Abort skin",
         false,
         false,
         [&noSkins](ReadingRig& r) { r.folders = CSkinFolders(noSkins.path(), "BMP/ENG"); },
         1015,
         {1015},
         start + kAbort},
        {"demonstration", true, false, [](ReadingRig&) {}, 1102, {1102}, ""},
    };
    for (const auto& c : cases) {
        ReadingRig rig(c.demo);
        c.arrange(rig);
        ModalAnswer answer(nullptr, [&](QWidget* modal) {
            if (c.abort) {
                auto* window = qobject_cast<CRegMarkReadDlg*>(modal);
                qobject_cast<QPushButton*>(window->Control(CRegMarkReadDlg::kIdAbort))->click();
            }
        });
        EXPECT_EQ(rig.Run(), c.code) << c.name;
        EXPECT_EQ(ShownCodes(rig.recording.Sink()), c.shown) << c.name;
        if (c.abort) {
            // The abort never reached the plotter; polls before it may have.
            EXPECT_TRUE(rig.link.sim.Log().starts_with(c.wire)) << c.name;
            EXPECT_EQ(rig.link.sim.Log().find(kAbort), std::string::npos) << c.name;
        } else {
            EXPECT_EQ(rig.link.sim.Log(), c.wire) << c.name;
            EXPECT_FALSE(rig.link.sim.m_bMarkReading) << c.name;
        }
    }
}

} // namespace

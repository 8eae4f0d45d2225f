// Closing the main window: its results, the unsent-changes question and the saved settings.
#include "ModalAnswer.h"
#include "WindowRig.h"

#include "core/messages/MessageCodes.h"
#include "skin/SkinButtonBase.h"
#include "skin/SkinCombo.h"
#include "ui/dialogs/common/SkinnedDialog.h"
#include "ui/main/ControlIds.h"

#include <QLabel>
#include <QSettings>

#include <gtest/gtest.h>

namespace {

const CuttingCondition kPaper{"Paper", "KR10A (2)", 10, 50, 3, 0};
const CuttingCondition kVinyl{"Vinyl", "KR10A (1)", 14, 40, 2, 1};

QVariant Stored(const char* key) {
    return QSettings("Morvalin", "Vireclip").value(QString("Status/") + key);
}

class Closing : public ::testing::Test {
protected:
    void Open(bool cutMode) {
        m_rig.AddMediaList(kPaper);
        m_rig.AddMediaList(kVinyl);
        m_rig.commandLine.m_bSkipQueueCheck = 1;
        m_rig.commandLine.m_bCutMode = cutMode ? 1 : 0;
        WindowRig::Remember("CutCondSetting", 1);
        WindowRig::Remember("MediaListName", "Vinyl");
        ASSERT_EQ(m_rig.Open(), 0);
        m_rig.TakeWire();
    }

    void Click(int id) { QTest::mouseClick(m_rig.Control(id), Qt::LeftButton); }

    // Picks a media type as the user does.
    void Choose(const QString& name) {
        auto* media = static_cast<CSkinCombo*>(m_rig.Control(ctl::kMediaType));
        const int index = media->findText(name);
        ASSERT_GE(index, 0);
        media->setCurrentIndex(index);
        emit media->activated(index);
    }

    WindowRig m_rig;
};

TEST_F(Closing, CloseEndsWithOneAndSavesTheSettings) {
    Open(false);
    Choose("Paper");
    EXPECT_EQ(m_rig.TakeWire(), "\x1b.C1:TC4,2\x03TC3,10\x03TC1,500\x03TC2,15\x03TC5,0\x03");
    Click(ctl::kOk);
    EXPECT_EQ(m_rig.Dlg().result(), CControllerDlg::kResultOk);
    EXPECT_FALSE(m_rig.Dlg().isVisible());
    EXPECT_TRUE(m_rig.ShownCodes().empty());
    EXPECT_EQ(Stored("MediaListName").toString(), "Paper");
    EXPECT_EQ(Stored("CutCondSetting").toInt(), 1);
    EXPECT_EQ(Stored("TmbStep").toInt(), 500000);
}

TEST_F(Closing, CloseBoxAndEscapeMeanCancelAlsoWithoutCutMode) {
    Open(false);
    m_rig.Dlg().close();
    EXPECT_EQ(m_rig.Dlg().result(), CControllerDlg::kResultCancel);
    EXPECT_TRUE(Stored("UnitType").isValid());
}

TEST_F(Closing, CutModeOffersCutAndCancel) {
    Open(true);
    auto* ok = static_cast<CSkinButtonBase*>(m_rig.Control(ctl::kOk));
    EXPECT_EQ(ok->Caption(), "Cut");
    EXPECT_EQ(ok->height(), 34);
    ASSERT_TRUE(m_rig.Control(ctl::kCancel)->isVisible());
    Click(ctl::kCancel);
    EXPECT_EQ(m_rig.Dlg().result(), CControllerDlg::kResultCancel);
    EXPECT_EQ(m_rig.TakeWire(), "");
}

TEST_F(Closing, CutWithMarksOffChecksTheReadyStateOnly) {
    Open(true);
    Click(ctl::kOk);
    EXPECT_EQ(m_rig.Dlg().result(), CControllerDlg::kResultOk);
    EXPECT_EQ(m_rig.TakeWire(), "\x1b.C1:");
    EXPECT_TRUE(m_rig.ShownCodes().empty());
}

TEST_F(Closing, CutOnANotReadyPlotterIsShownAndKeepsTheWindowOpen) {
    Open(true);
    m_rig.sim.m_nStatus = 1;
    Click(ctl::kOk);
    EXPECT_EQ(m_rig.ShownCodes(), std::vector<int>{msg::kPlotterNotReady});
    EXPECT_TRUE(m_rig.Dlg().isVisible());
    EXPECT_FALSE(Stored("UnitType").isValid());
}

TEST_F(Closing, CutWithMarksReadByHandAsksWhenThePlotterHasNone) {
    WindowRig::Remember("TomboRead", 1);
    WindowRig::Remember("TomboAuto", 0);
    Open(true);
    m_rig.recording.Sink().AnswerNext(false);
    Click(ctl::kOk);
    EXPECT_TRUE(m_rig.Dlg().isVisible());
    EXPECT_EQ(m_rig.TakeWire(), "\x1b.C1:TC23,\x03");
    m_rig.recording.Sink().AnswerNext(true);
    Click(ctl::kOk);
    EXPECT_EQ(m_rig.Dlg().result(), CControllerDlg::kResultOk);
    EXPECT_EQ(m_rig.ShownCodes(),
              (std::vector<int>{msg::kConfirmMarksNotRead, msg::kConfirmMarksNotRead}));
}

// "Cut" first hands the plotter what it has not got yet, in the order the retry timer would;
// a change that cannot be sent is shown and the job waits, so it is never cut with settings
// the plotter does not have.
TEST_F(Closing, CutSendsUnsentChangesFirstAndWaitsWhileOneFails) {
    Open(true);
    m_rig.sim.m_nStatus = 1; // not ready while the user changes the condition and the settings
    Choose("Paper");
    ModalAnswer advanced(&m_rig.Dlg(), [](QWidget* window) {
        QTest::mouseClick(static_cast<CSkinnedDialog*>(window)->Control(CSkinnedDialog::kIdOk),
                          Qt::LeftButton);
    });
    Click(ctl::kAdvanced);
    ASSERT_TRUE(advanced.Seen());
    ASSERT_EQ(m_rig.unsent.Bits(),
              unsigned{CUnsentChanges::kCuttingCondition | CUnsentChanges::kAdvancedSettings});
    m_rig.sim.m_nStatus = 0;
    m_rig.sim.m_replyOverrides["C31;16"] = "7\x03"; // no step size the plotter knows: 1008
    m_rig.TakeWire();

    Click(ctl::kOk);
    EXPECT_EQ(m_rig.TakeWire(), "\x1b.C1:TC4,2\x03TC3,10\x03TC1,500\x03TC2,15\x03TC5,0\x03"
                                "\x1b.C31;16:");
    EXPECT_EQ(m_rig.ShownCodes(), std::vector<int>{msg::kReadFailed});
    EXPECT_TRUE(m_rig.Dlg().isVisible());
    EXPECT_FALSE(Stored("UnitType").isValid());
    EXPECT_EQ(m_rig.unsent.Bits(), unsigned{CUnsentChanges::kAdvancedSettings});

    m_rig.sim.m_replyOverrides.clear();
    Click(ctl::kOk);
    EXPECT_TRUE(m_rig.TakeWire().starts_with("\x1b.C1:\x1b.C31;16:TC25,"));
    EXPECT_EQ(m_rig.Dlg().result(), CControllerDlg::kResultOk);
    EXPECT_FALSE(m_rig.unsent.Any());
    EXPECT_EQ(m_rig.ShownCodes(), std::vector<int>{msg::kReadFailed});
}

struct UnsentCase {
    const char* name;
    int button; // 0: the close box
    int result;
};

class ClosingWithUnsentChange : public Closing, public ::testing::WithParamInterface<UnsentCase> {};

TEST_P(ClosingWithUnsentChange, AsksFirstAndStaysOpenOnCancel) {
    Open(GetParam().button == ctl::kCancel);
    m_rig.sim.m_nStatus = 1; // the plotter is not ready when the user picks a media type
    Choose("Paper");
    EXPECT_EQ(m_rig.TakeWire(), "\x1b.C1:");
    EXPECT_TRUE(m_rig.ShownCodes().empty());
    // The choice is kept and shown.
    EXPECT_EQ(static_cast<QLabel*>(m_rig.Control(ctl::kForceValue))->text(), "10");

    auto close = [this] {
        if (GetParam().button == 0) {
            m_rig.Dlg().close();
        } else {
            Click(GetParam().button);
        }
    };
    m_rig.recording.Sink().AnswerNext(false);
    close();
    EXPECT_TRUE(m_rig.Dlg().isVisible());
    EXPECT_FALSE(Stored("UnitType").isValid());
    m_rig.recording.Sink().AnswerNext(true);
    close();
    EXPECT_EQ(m_rig.Dlg().result(), GetParam().result);
    EXPECT_EQ(m_rig.ShownCodes(),
              (std::vector<int>{msg::kConfirmUnsentChanges, msg::kConfirmUnsentChanges}));
    // Given up for this run, but remembered.
    EXPECT_EQ(Stored("MediaListName").toString(), "Paper");
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, ClosingWithUnsentChange,
    ::testing::Values(UnsentCase{"Close", ctl::kOk, CControllerDlg::kResultOk},
                      UnsentCase{"Cancel", ctl::kCancel, CControllerDlg::kResultCancel},
                      UnsentCase{"CloseBox", 0, CControllerDlg::kResultCancel}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Closing, FailedMediaChoiceIsShownAndPutBack) {
    Open(false);
    m_rig.sim.m_nStatus = 32; // a status the plotter does not know: 1008
    Choose("Paper");
    EXPECT_EQ(m_rig.ShownCodes(), std::vector<int>{msg::kReadFailed});
    auto* media = static_cast<CSkinCombo*>(m_rig.Control(ctl::kMediaType));
    EXPECT_EQ(media->currentText(), "Vinyl");
    EXPECT_EQ(static_cast<QLabel*>(m_rig.Control(ctl::kForceValue))->text(), "14");
    EXPECT_FALSE(m_rig.unsent.Any());
}

TEST_F(Closing, SwitchingToThePlotterSettingsEmptiesTheConditionArea) {
    Open(false);
    Click(ctl::kUsePlotterSettings);
    EXPECT_EQ(m_rig.TakeWire(), "\x1b.C1:TC10,\x03");
    EXPECT_FALSE(m_rig.Control(ctl::kMediaType)->isEnabled());
    EXPECT_FALSE(m_rig.Control(ctl::kTestCut)->isEnabled());
    EXPECT_TRUE(static_cast<QLabel*>(m_rig.Control(ctl::kBladeValue))->text().isEmpty());
    Click(ctl::kUseControllerSettings);
    EXPECT_EQ(m_rig.TakeWire(), "\x1b.C1:TC4,2\x03TC3,14\x03TC1,400\x03TC2,10\x03TC5,1\x03");
    EXPECT_TRUE(m_rig.Control(ctl::kMediaType)->isEnabled());
    Click(ctl::kOk);
    EXPECT_EQ(Stored("CutCondSetting").toInt(), 1);
}

} // namespace

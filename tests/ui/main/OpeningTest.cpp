// The main window's opening: what goes over the wire, byte for byte, and how the window looks
// afterwards.
#include "ModalAnswer.h"
#include "WindowRig.h"

#include "core/messages/MessageCodes.h"
#include "skin/SkinButtonBase.h"
#include "skin/SkinCombo.h"
#include "ui/dialogs/model/ModelSelectDlg.h"
#include "ui/main/ControlIds.h"
#include "ui/main/ControllerLayout.h"

#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

std::string Query(const std::string& body) {
    return kEscByte + "." + body + ":";
}
std::string Command(const std::string& text) {
    return text + kEtxByte;
}

// Identification, command set and panel settings.
const std::string kIdentify = Query("C31;9") + Query("C31;24");
const std::string kPanel = Query("C31;17") + Query("C31;20") + Query("C31;26");
const std::string kStatus = Query("C1");

const CuttingCondition kPaper{"Paper", "KR10A (2)", 10, 50, 3, 0};
const CuttingCondition kVinyl{"Vinyl", "KR10A (1)", 14, 40, 2, 1};
const std::string kVinylOnWire = Command("TC4,2") + Command("TC3,14") + Command("TC1,400") +
                                 Command("TC2,10") + Command("TC5,1");

QString LabelText(WindowRig& rig, int id) {
    return static_cast<QLabel*>(rig.Control(id))->text();
}
bool Checked(WindowRig& rig, int id) {
    return static_cast<QRadioButton*>(rig.Control(id))->isChecked();
}

TEST(Opening, FirstRunUsesThePlotterSettings) {
    WindowRig rig;
    rig.AddMediaList(kPaper);
    rig.AddMediaList(kVinyl);
    ASSERT_EQ(rig.Open(), 0);

    EXPECT_EQ(rig.TakeWire(), kIdentify + kPanel + kStatus + Command("TC21,0"));
    EXPECT_TRUE(rig.ShownCodes().empty());
    EXPECT_EQ(LabelText(rig, ctl::kTitle), "WX8800-60");
    EXPECT_TRUE(Checked(rig, ctl::kUsePlotterSettings));
    EXPECT_FALSE(Checked(rig, ctl::kUseControllerSettings));
    // With the plotter's own settings nothing of the media lists is offered or shown.
    auto* media = static_cast<CSkinCombo*>(rig.Control(ctl::kMediaType));
    EXPECT_FALSE(media->isEnabled());
    EXPECT_TRUE(media->Items().isEmpty());
    EXPECT_FALSE(rig.Control(ctl::kTestCut)->isEnabled());
    EXPECT_FALSE(rig.Control(ctl::kForceValue)->isVisible());
    EXPECT_TRUE(LabelText(rig, ctl::kBladeValue).isEmpty());
    // Family 0 offers the cross cut and the advanced settings; Cancel belongs to cut mode.
    EXPECT_TRUE(rig.Control(ctl::kCrossCut)->isVisible());
    EXPECT_TRUE(rig.Control(ctl::kAdvanced)->isVisible());
    EXPECT_FALSE(rig.Control(ctl::kCancel)->isVisible());
    EXPECT_EQ(static_cast<CSkinButtonBase*>(rig.Control(ctl::kOk))->Caption(), "Close");
}

// The first start offers the media types by name, without regard to letter case, whatever order
// the folder lists them in; with no name remembered the first by name is the one sent.
TEST(Opening, FirstStartOffersTheListsByName) {
    WindowRig rig;
    rig.AddMediaList(kVinyl);
    rig.AddMediaList({"card", "KR10A (1)", 12, 20, 1, 0});
    rig.AddMediaList(kPaper);
    rig.AddMediaList({"Banner", "KR10A (1)", 14, 40, 2, 1});
    WindowRig::Remember("CutCondSetting", 1);
    ASSERT_EQ(rig.Open(), 0);

    auto* media = static_cast<CSkinCombo*>(rig.Control(ctl::kMediaType));
    EXPECT_EQ(media->Items(), (QStringList{"Banner", "card", "Paper", "Vinyl"}));
    EXPECT_EQ(media->currentText(), "Banner");
    EXPECT_EQ(rig.TakeWire(),
              kIdentify + kPanel + kStatus + Command("TC21,0") + kStatus + kVinylOnWire);
}

TEST(Opening, StoredMediaNameIsSentAndShown) {
    WindowRig rig;
    rig.AddMediaList(kPaper);
    rig.AddMediaList(kVinyl);
    WindowRig::Remember("CutCondSetting", 1);
    WindowRig::Remember("MediaListName", "Vinyl");
    ASSERT_EQ(rig.Open(), 0);

    EXPECT_EQ(rig.TakeWire(),
              kIdentify + kPanel + kStatus + Command("TC21,0") + kStatus + kVinylOnWire);
    EXPECT_TRUE(rig.ShownCodes().empty());
    EXPECT_TRUE(Checked(rig, ctl::kUseControllerSettings));
    auto* media = static_cast<CSkinCombo*>(rig.Control(ctl::kMediaType));
    EXPECT_TRUE(media->isEnabled());
    EXPECT_EQ(media->Items().size(), 2);
    EXPECT_EQ(media->currentText(), "Vinyl");
    EXPECT_EQ(LabelText(rig, ctl::kBladeValue), "KR10A (1)");
    EXPECT_EQ(LabelText(rig, ctl::kForceValue), "14");
    EXPECT_EQ(LabelText(rig, ctl::kSpeedValue), "40");
    EXPECT_EQ(LabelText(rig, ctl::kQualityValue), "2");
    EXPECT_EQ(LabelText(rig, ctl::kOffsetValue), "1");
    EXPECT_TRUE(rig.Control(ctl::kOffsetValue)->isVisible());
}

TEST(Opening, ForcedControllerSettingsOverrideTheStoredChoice) {
    WindowRig rig;
    rig.AddMediaList(kVinyl);
    WindowRig::Remember("CutCondSetting", 0);
    rig.commandLine.m_bForceController = 1;
    ASSERT_EQ(rig.Open(), 0);

    EXPECT_EQ(rig.TakeWire(),
              kIdentify + kPanel + kStatus + Command("TC21,0") + kStatus + kVinylOnWire);
    EXPECT_TRUE(Checked(rig, ctl::kUseControllerSettings));
    EXPECT_FALSE(rig.Control(ctl::kUsePlotterSettings)->isEnabled());
    EXPECT_FALSE(rig.Control(ctl::kUseControllerSettings)->isEnabled());
}

TEST(Opening, OtherCommandSetIsSwitchedAfterTheQuestion) {
    WindowRig rig;
    rig.AddMediaList(kVinyl);
    rig.sim.m_nCommandSet = 1;
    rig.commandLine.m_bSkipQueueCheck = 1;
    rig.recording.Sink().AnswerNext(true);
    ASSERT_EQ(rig.Open(), 0);

    EXPECT_EQ(rig.ShownCodes(), std::vector<int>{msg::kConfirmCommandSetSwitch});
    EXPECT_EQ(rig.TakeWire(),
              kIdentify + kStatus + Command("TC24,0") + kPanel + kStatus + Command("TC21,0"));
    EXPECT_EQ(rig.sim.m_nCommandSet, 0);
}

TEST(Opening, RefusedCommandSetSwitchEndsWithThree) {
    WindowRig rig;
    rig.AddMediaList(kVinyl);
    rig.sim.m_nCommandSet = 1;
    rig.commandLine.m_bForceController = 1;
    rig.recording.Sink().AnswerNext(false);
    EXPECT_EQ(rig.Open(), CControllerDlg::kResultSwitchRefused);
    EXPECT_EQ(rig.TakeWire(), kIdentify);
    EXPECT_EQ(rig.ShownCodes(), std::vector<int>{msg::kConfirmCommandSetSwitch});
}

TEST(Opening, BusyPlotterKeepsTheSettingsUnsentWithoutAMessage) {
    WindowRig rig;
    rig.AddMediaList(kVinyl);
    WindowRig::Remember("CutCondSetting", 1);
    WindowRig::Remember("MediaListName", "Vinyl");
    rig.sim.m_nStatus = 1; // not ready: every ready check answers 1101
    ASSERT_EQ(rig.Open(), 0);

    EXPECT_EQ(rig.TakeWire(), kIdentify + kPanel + kStatus + kStatus);
    EXPECT_TRUE(rig.ShownCodes().empty());
    EXPECT_EQ(rig.unsent.Bits(),
              unsigned{CUnsentChanges::kMediaOrientation | CUnsentChanges::kCuttingCondition});
    // The choice is kept all the same.
    EXPECT_EQ(LabelText(rig, ctl::kForceValue), "14");
}

TEST(Opening, UnsentChangesGoOutOnTheNextReadyTick) {
    WindowRig rig;
    rig.AddMediaList(kVinyl);
    WindowRig::Remember("CutCondSetting", 1);
    WindowRig::Remember("MediaListName", "Vinyl");
    rig.sim.m_nStatus = 1;
    rig.sim.m_nStatusReplies = 2; // busy through the opening, ready afterwards
    ASSERT_EQ(rig.Open(/*keepTicking=*/true), 0);
    // Every tick either finds the bits cleared or leaves them; wait for the one that sends.
    for (int tries = 0; tries < 100 && rig.unsent.Any(); ++tries) {
        QTest::qWait(50);
    }
    rig.Dlg().done(CControllerDlg::kResultCancel);
    rig.StopTicking();
    EXPECT_FALSE(rig.unsent.Any());
    const std::string wire = rig.TakeWire();
    EXPECT_NE(wire.find(Command("TC4,2") + Command("TC3,14")), std::string::npos);
    EXPECT_NE(wire.find(Command("TC21,0")), std::string::npos);
}

TEST(Opening, TwoPlottersAreChosenBetweenBeforeAnythingIsSent) {
    WindowRig rig;
    rig.AddMediaList(kVinyl);
    rig.presentModels = "WX8800;RX3600";
    QStringList offered;
    ModalAnswer choice(nullptr, [&](QWidget* window) {
        auto* dlg = static_cast<CModelSelectDlg*>(window);
        auto* list = static_cast<QComboBox*>(dlg->Control(CModelSelectDlg::kIdModelList));
        for (int i = 0; i < list->count(); ++i) {
            offered << list->itemText(i);
        }
        EXPECT_TRUE(rig.TakeWire().empty());
        QTest::mouseClick(dlg->Control(CModelSelectDlg::kIdOk), Qt::LeftButton);
    });
    ASSERT_EQ(rig.Open(), 0);
    EXPECT_TRUE(choice.Seen());
    EXPECT_EQ(offered, (QStringList{"WX8800", "RX3600"}));
    EXPECT_EQ(rig.TakeWire(), kIdentify + kPanel + kStatus + Command("TC21,0"));
}

TEST(Opening, PlotterChoiceClosedWithoutOkCancelsTheStartSilently) {
    WindowRig rig;
    rig.AddMediaList(kVinyl);
    rig.presentModels = "WX8800;RX3600";
    ModalAnswer choice(nullptr, [](QWidget* window) { window->close(); });
    EXPECT_EQ(rig.Open(), CControllerDlg::kResultCancel); // exit code 1
    EXPECT_TRUE(choice.Seen());
    EXPECT_TRUE(rig.ShownCodes().empty());
    EXPECT_TRUE(rig.TakeWire().empty());
}

TEST(Opening, MissingMediaListsEndTheWindowWith1013) {
    WindowRig rig;
    EXPECT_EQ(rig.Open(), msg::kMediaListMissing);
    EXPECT_EQ(rig.ShownCodes(), std::vector<int>{msg::kMediaListMissing});
    EXPECT_EQ(rig.TakeWire(), kIdentify + kPanel + kStatus + Command("TC21,0"));
    // A window that never opened writes no settings.
    EXPECT_FALSE(QSettings("Morvalin", "Vireclip").contains("Status/UnitType"));
}

TEST(Opening, NoPlotterEndsTheWindowWith1004) {
    WindowRig rig;
    rig.AddMediaList(kVinyl);
    rig.useSimulator = false; // the real USB library finds no plotter here
    EXPECT_EQ(rig.Open(), msg::kNoPlotter);
    EXPECT_EQ(rig.ShownCodes(), std::vector<int>{msg::kNoPlotter});
    EXPECT_TRUE(rig.TakeWire().empty());
}

TEST(Opening, DemoModeRunsWithoutTraffic) {
    WindowRig rig("WX8800-75"); // the demonstration model
    rig.AddMediaList(kVinyl);
    rig.useSimulator = false;
    rig.commandLine.m_bDemo = 1;
    WindowRig::Remember("CutCondSetting", 1);
    ASSERT_EQ(rig.Open(), 0);
    EXPECT_TRUE(rig.TakeWire().empty());
    EXPECT_TRUE(rig.ShownCodes().empty());
    EXPECT_EQ(LabelText(rig, ctl::kTitle), "WX8800-75 Demo Mode");
    EXPECT_EQ(LabelText(rig, ctl::kForceValue), "14");
}

TEST(Opening, UnsupportedSystemEndsTheWindowWith1000) {
    WindowRig rig;
    rig.AddMediaList(kVinyl);
    rig.systemCode = 7; // NT 4
    EXPECT_EQ(rig.Open(), msg::kUnsupportedSystem);
    EXPECT_EQ(rig.ShownCodes(), std::vector<int>{msg::kUnsupportedSystem});
    EXPECT_TRUE(rig.TakeWire().empty());
}

TEST(Opening, MissingSkinFileEndsTheWindowWith1015BeforeAnyTraffic) {
    // A program folder whose skin lacks the pictures of one push button kind.
    const QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const std::filesystem::path skin = std::filesystem::path(folder.path().toStdString()) / "BMP";
    std::filesystem::copy(QUIRN_RUNTIME_DIR "/BMP", skin, std::filesystem::copy_options::recursive);
    ASSERT_TRUE(std::filesystem::remove(skin / "CMN" / "BUTTON_1_UP.BMP"));

    WindowRig rig;
    rig.AddMediaList(kVinyl);
    rig.skinFolder = folder.path().toStdString() + "/";
    EXPECT_EQ(rig.Open(), msg::kControlPicturesFailed);
    EXPECT_EQ(rig.ShownCodes(), std::vector<int>{msg::kControlPicturesFailed});
    EXPECT_TRUE(rig.TakeWire().empty());
}

TEST(Opening, EverySkinnedControlHasItsKindsSize) {
    WindowRig rig;
    rig.AddMediaList(kVinyl);
    ASSERT_EQ(rig.Open(), 0);
    const CLanguageSet& language = rig.language;
    for (const ControlPlacement& place :
         MainWindowLayout({language.GetTextHeight(), language.GetWidthA(), language.GetWidthB()})) {
        QWidget* control = rig.Control(place.id);
        ASSERT_NE(control, nullptr) << "control " << place.id;
        EXPECT_EQ(control->geometry(), place.rect) << "control " << place.id;
    }
}

} // namespace

// A print job waiting for the plotter while the main window opens: the settings are kept as
// unsent and nothing is shown.
#include "WindowRig.h"

#include "core/messages/MessageCodes.h"
#include "tests/link/PrivateCupsd.h"
#include "ui/main/ControlIds.h"

#include <cups/cups.h>

#include <gtest/gtest.h>

namespace {

TEST(OpeningWithQueuedJob, KeepsTheSettingsUnsentWithoutAMessage) {
    CPrivateCupsd cupsd({{"Cutter_WX", "Morvalin WX8800 Series"}, {"Office", "Generic Laser"}});
    std::string error;
    ASSERT_TRUE(cupsd.Start(error)) << error;
    ASSERT_TRUE(cupsd.AddHeldJob("Cutter_WX"));
    cupsSetServer(cupsd.Server().c_str());

    WindowRig rig;
    rig.AddMediaList({"Vinyl", "KR10A (1)", 14, 40, 2, 1});
    WindowRig::Remember("CutCondSetting", 1);
    WindowRig::Remember("MediaListName", "Vinyl");
    const int opened = rig.Open();
    cupsSetServer(nullptr);

    ASSERT_EQ(opened, 0);
    EXPECT_TRUE(rig.ShownCodes().empty());
    EXPECT_EQ(rig.unsent.Bits(),
              unsigned{CUnsentChanges::kMediaOrientation | CUnsentChanges::kCuttingCondition});
    // The queue check comes before anything is sent: only the queries reach the plotter.
    EXPECT_EQ(rig.TakeWire(), kEscByte + ".C31;9:" + kEscByte + ".C31;24:" + kEscByte +
                                  ".C31;17:" + kEscByte + ".C31;20:" + kEscByte + ".C31;26:");

    rig.recording.Sink().AnswerNext(false);
    QTest::mouseClick(rig.Control(ctl::kOk), Qt::LeftButton);
    EXPECT_EQ(rig.ShownCodes(), std::vector<int>{msg::kConfirmUnsentChanges});
    EXPECT_TRUE(rig.Dlg().isVisible());
}

// With a job waiting for the plotter, "Read Marks" is refused with 1100 before anything is
// sent, unless the launch parameter LM turned the print-queue check off.
TEST(ReadMarksWithQueuedJob, ChecksTheQueueUnlessLmIsGiven) {
    CPrivateCupsd cupsd(std::vector<CPrivateCupsd::Queue>{{"Cutter_WX", "Morvalin WX8800 Series"}});
    std::string error;
    ASSERT_TRUE(cupsd.Start(error)) << error;
    ASSERT_TRUE(cupsd.AddHeldJob("Cutter_WX"));
    cupsSetServer(cupsd.Server().c_str());
    for (const bool lm : {false, true}) {
        SCOPED_TRACE(lm ? "LM" : "no LM");
        WindowRig rig;
        rig.AddMediaList({"Vinyl", "KR10A (1)", 14, 40, 2, 1});
        rig.commandLine.m_bSkipQueueCheck = lm ? 1 : 0;
        WindowRig::Remember("TomboRead", 1);
        WindowRig::Remember("TomboAuto", 1);
        WindowRig::Remember("TomboDisX", 300000);
        WindowRig::Remember("TomboDisY", 200000);
        rig.sim.m_markReadReplies = {"2"};
        ASSERT_EQ(rig.Open(), 0);
        rig.TakeWire();
        QTest::mouseClick(rig.Control(ctl::kReadMarks), Qt::LeftButton);
        const std::string wire = rig.TakeWire();
        if (lm) {
            EXPECT_TRUE(
                wire.starts_with(kEscByte + ".C1:" + kEscByte + ".C31;16:" + kEscByte + ".C10:"))
                << wire;
            EXPECT_TRUE(rig.ShownCodes().empty());
        } else {
            EXPECT_EQ(wire, "");
            EXPECT_EQ(rig.ShownCodes(), std::vector<int>{msg::kPlotterBusy});
        }
    }
    cupsSetServer(nullptr);
}

} // namespace

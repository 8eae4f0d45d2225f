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

} // namespace

// The edit window's test cut with a job waiting in the plotter's queue of a private cupsd: the
// queues are asked unless LM was given.
#include "ConditionRig.h"

#include "core/messages/MessageCodes.h"
#include "tests/link/PrivateCupsd.h"
#include "ui/dialogs/conditions/CondEditDlg.h"

#include <QApplication>

#include <cups/cups.h>
#include <gtest/gtest.h>

namespace {

TEST(CondEditSpooler, TestCutAsksTheQueuesUnlessLm) {
    CPrivateCupsd cupsd(std::vector<CPrivateCupsd::Queue>{{"Cutter_WX", "Morvalin WX8800 Series"}});
    std::string error;
    ASSERT_TRUE(cupsd.Start(error)) << error;
    ASSERT_TRUE(cupsd.AddHeldJob("Cutter_WX"));
    cupsSetServer(cupsd.Server().c_str());

    const CuttingCondition vinyl{"Vinyl", "KR16U", 14, 40, 2, 1};
    const struct {
        bool lm;
        std::vector<int> codes;
        std::string wire;
    } cases[] = {
        {false, {msg::kConfirmTestCut, msg::kPlotterBusy}, ""},
        {true,
         {msg::kConfirmTestCut},
         kEsc + ".C1:" + ConditionBytes(3, 14, 400, 10, 1) + "TC7," + kEtx +
             ConditionBytes(3, 14, 400, 10, 1)},
    };
    for (const auto& c : cases) {
        ConditionRig rig("WX8800-60", 1033, c.lm);
        // Opening the port lists the spooler's queues; the simulated plotter stays its pipe.
        rig.link.port.SetLibraryCandidates({FAKE_ZEFRALINK});
        rig.link.port.SetOptions(PortOptions{false, true, "WX8800"});
        ASSERT_EQ(rig.link.port.Open(), msg::kOk);
        rig.Load({vinyl}, "Vinyl");
        rig.TakeWire();

        CCondEditDlg dlg(rig.Links());
        dlg.SetMode(CCondEditDlg::kModeEditCurrent);
        dlg.SetCondition(vinyl);
        ASSERT_EQ(dlg.OnInitDialog(), msg::kOk);
        dlg.show();
        QApplication::setActiveWindow(&dlg);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
        rig.Answer(true);
        Click(dlg, CCondEditDlg::kIdTestCut);

        EXPECT_EQ(rig.ShownCodes(), c.codes) << "LM " << c.lm;
        EXPECT_EQ(rig.TakeWire(), c.wire) << "LM " << c.lm;
    }
    cupsSetServer(nullptr);
}

} // namespace

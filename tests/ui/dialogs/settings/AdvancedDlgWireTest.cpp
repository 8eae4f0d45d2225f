// The Advanced Settings window against the simulated plotter: what it reads when it opens,
// what it shows, and what it writes on OK, byte for byte.
#include "tests/ui/UserInput.h"
#include "tests/ui/dialogs/settings/SettingsRig.h"
#include "ui/dialogs/settings/AdvancedDlgLayout.h"

#include <QAbstractButton>
#include <QApplication>

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace advctl;

std::string Q(const std::string& body) {
    return kEsc + "." + body + ":";
}
std::string C(const std::string& text) {
    return text + kEtx;
}
std::string Slot(int slot) {
    return std::to_string(slot);
}

// The queries of the read, from the step size to the ninth tangential record.
std::string ReadQueries(bool fan, bool slotModes) {
    std::string wire = Q("C31;16") + Q("C31;25") + Q("C31;30") + Q("C31;32") + Q("C31;31") +
                       Q("C31;29") + Q("C31;27") + (fan ? Q("C31;34") : "") + Q("C31;26");
    for (int slot = 1; slot <= 9; ++slot) {
        wire += Q("C31;33;" + Slot(slot));
    }
    if (slotModes) {
        for (int slot = 11; slot <= 19; ++slot) {
            wire += Q("C31;28;" + Slot(slot));
        }
    } else {
        wire += Q("C31;28;0");
    }
    for (int slot = 1; slot <= 9; ++slot) {
        wire += Q("C31;28;" + Slot(slot));
    }
    return wire;
}

// What both models report: 40 steps/mm, page length 1500 mm, feed 914 mm, distance adjust
// slot 1 on at -0.50/0.25 % and slot 2 on at 0/0, tangential slot 2 on at 0.5/0.7 mm.
void Report(CSimPlotter& sim) {
    sim.m_nStepSize = 2;
    sim.m_nPageLength = 60000;
    sim.m_nOffsetAngle = 30;
    sim.m_nInitialDownForce = 7;
    sim.m_nStepPass = 5;
    sim.m_nAutoPreFeed = 1;
    sim.m_nFeedLength = 36560;
    sim.m_nMirror = 1;
    sim.m_distanceAdjust[0] = {1, 150, 225};
    sim.m_distanceAdjust[1] = {1, 200, 200};
    sim.m_tangential[1] = {1, 20, 28};
}

// The write that follows OK, from the ready check to the ninth tangential record. Every value
// goes back as the plotter reported it, those of the records that are off included (the
// simulated plotter holds 200,200 for distance adjust and 6,10 steps for tangential emulation).
std::string Write(const std::string& penUp, const std::string& fan, const std::string& modes,
                  const std::string& slot3) {
    std::string wire = Q("C1") + Q("C31;16") + C("TC25,60000") + C("TC30,30") + C("TC32,7") +
                       C("TC31,5") + C("TC29," + penUp) + C("TC27,1,36560") + fan + C("TC26,1") +
                       C("TC33,1,1,150,225") + C("TC33,2,1,200,200");
    for (int slot = 3; slot <= 9; ++slot) {
        wire += C("TC33," + Slot(slot) + ",0,200,200");
    }
    wire += modes + C("TC28,1,0,6,10") + C("TC28,2,1,20,28") + slot3;
    for (int slot = 4; slot <= 9; ++slot) {
        wire += C("TC28," + Slot(slot) + ",0,6,10");
    }
    return wire;
}

struct WireCase {
    const char* type;
    std::function<void(CSimPlotter&)> report;
    std::function<void(CAdvancedDlg&)> act;
    QStringList penUpItems;
    QString penUpShown;
    bool fanOffered;
    const char* fanChecked; // the radio that shows
    std::string read;
    std::string write;
};

class AdvancedWire : public testing::TestWithParam<WireCase> {};

TEST_P(AdvancedWire, ReadsAtOpeningShowsAndWritesOnOk) {
    const WireCase& c = GetParam();
    SettingsRig rig(c.type);
    Report(rig.link.sim);
    c.report(rig.link.sim);
    CAdvancedDlg dlg(rig.Links());
    ASSERT_EQ(dlg.OnInitDialog(), msg::kOk);
    dlg.show();
    EXPECT_EQ(rig.TakeWire(), c.read);

    EXPECT_EQ(static_cast<QLineEdit*>(dlg.Control(kPageLength))->text(), "150");
    EXPECT_EQ(static_cast<QLineEdit*>(dlg.Control(kFeedLength))->text(), "1");
    auto* penUp = static_cast<QComboBox*>(dlg.Control(kPenUpSpeed));
    QStringList items;
    for (int i = 0; i < penUp->count(); ++i) {
        items << penUp->itemText(i);
    }
    EXPECT_EQ(items, c.penUpItems);
    EXPECT_EQ(penUp->currentText(), c.penUpShown);
    EXPECT_EQ(dlg.Control(kFanNormal)->isEnabled(), c.fanOffered);
    EXPECT_EQ(dlg.Control(kFanWeak)->isEnabled(), c.fanOffered);
    for (const int fan : {kFanNormal, kFanWeak}) {
        EXPECT_EQ(static_cast<QAbstractButton*>(dlg.Control(fan))->isChecked(),
                  static_cast<QAbstractButton*>(dlg.Control(fan))->text() == c.fanChecked);
    }
    EXPECT_EQ(static_cast<QLineEdit*>(dlg.Control(kL))->text(), "-0.50");
    EXPECT_EQ(static_cast<QLineEdit*>(dlg.Control(kW))->text(), "0.25");

    c.act(dlg);
    Click(dlg.Control(CSkinnedDialog::kIdOk));
    EXPECT_EQ(dlg.result(), CSkinnedDialog::kIdOk);
    EXPECT_EQ(rig.TakeWire(), c.write);
    EXPECT_TRUE(rig.Shown().empty());
    EXPECT_FALSE(rig.unsent.Any());
}

std::string NineModes(int slotWithMode2) {
    std::string modes;
    for (int slot = 1; slot <= 9; ++slot) {
        modes += C("TC28," + Slot(slot + 10) + (slot == slotWithMode2 ? ",2" : ",1"));
    }
    return modes;
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, AdvancedWire,
    testing::Values(
        // Template 136 with fan power; the pen-up speed travels as its value; nothing changed.
        WireCase{"WX8800-60",
                 [](CSimPlotter& sim) {
                     sim.m_nPenUpSpeed = 60;
                     sim.m_nFanPower = 1;
                     sim.m_nTangentialMode = 2;
                 },
                 [](CAdvancedDlg&) {},
                 {"AUTO", "10", "20", "30", "40", "50", "60"},
                 "60",
                 true,
                 "Weak",
                 ReadQueries(true, false),
                 Write("60", C("TC34,1"), C("TC28,0,2"), C("TC28,3,0,6,10"))},
        // Template 137 without fan power; the pen-up speed travels as its index: 60 is 4.
        // Mode 2 on condition 3, which was off, turns its emulation on with the 0.15/0.25 mm
        // (6/10 steps) it holds.
        WireCase{"RX3600-60",
                 [](CSimPlotter& sim) { sim.m_nPenUpSpeed = 1; },
                 [](CAdvancedDlg& dlg) {
                     Choose(dlg.Control(kPenUpSpeed), 4);
                     Choose(dlg.Control(kTangentialSlot), 2);
                     Click(dlg.Control(kMode2));
                 },
                 {"AUTO", "10", "20", "30", "60"},
                 "10",
                 false,
                 "Normal",
                 ReadQueries(false, true),
                 Write("4", "", NineModes(3), C("TC28,3,1,6,10"))}),
    [](const testing::TestParamInfo<WireCase>& info) {
        return std::string(info.param.type).substr(0, 6);
    });

// A field that a check box or radio button turns on takes the user's typing at once: the
// toggle clicked as a user clicks, the keys typed into whatever has the focus, then OK. The
// simulated plotter starts with auto pre feed, every distance-adjust and tangential record off.
TEST(AdvancedToggles, TheFieldTurnedOnTakesTypingAtOnce) {
    const struct {
        const char* type;
        int toggle;
        const char* keys;
        std::string sent; // at 20 steps per mm
    } cases[] = {
        {"WX8800-60", kAutoPreFeed, "7", C("TC27,1,140000")},
        {"WX8800-60", kDistanceOn, "1.5", C("TC33,1,1,350,200")},
        {"WX8800-60", kTangentialOn, "0.5", C("TC28,1,1,11,10")},
        {"RX3600-60", kMode2, "0.5", C("TC28,1,1,11,10")},
    };
    for (const auto& c : cases) {
        SettingsRig rig(c.type);
        rig.link.sim.m_nAutoPreFeed = 0;
        CAdvancedDlg dlg(rig.Links());
        ASSERT_EQ(dlg.OnInitDialog(), msg::kOk);
        dlg.show();
        QApplication::setActiveWindow(&dlg);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
        rig.TakeWire();
        ClickWhereShown(dlg.Control(c.toggle));
        TypeIntoFocus(&dlg, c.keys);
        ClickWhereShown(dlg.Control(CSkinnedDialog::kIdOk));
        EXPECT_EQ(dlg.result(), CSkinnedDialog::kIdOk) << c.toggle;
        const std::string wire = rig.TakeWire();
        EXPECT_NE(wire.find(c.sent), std::string::npos) << c.toggle << ": " << wire;
    }
}

} // namespace

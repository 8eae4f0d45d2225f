// The Advanced Settings window's checks, its slot switching, and what becomes of OK when the
// plotter cannot take the settings; observed as the message shown, the window's result and
// the settings kept.
#include "conditions/units/LengthUnits.h"
#include "core/messages/MessageCodes.h"
#include "tests/ui/dialogs/settings/SettingsRig.h"
#include "tests/ui/main/ModalAnswer.h"
#include "ui/dialogs/settings/AdvancedDlgLayout.h"

#include <QAbstractButton>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <tuple>

namespace {

using namespace advctl;

// A window opened on the rig's plotter with the given display unit.
std::unique_ptr<CAdvancedDlg> Open(SettingsRig& rig, int unit = 0) {
    rig.link.settings.m_nUnitType = unit;
    auto dlg = std::make_unique<CAdvancedDlg>(rig.Links());
    EXPECT_EQ(dlg->OnInitDialog(), msg::kOk);
    dlg->show();
    return dlg;
}

std::string Code(int code) {
    return " [code = " + std::to_string(code) + "]";
}

QString Text(const CAdvancedDlg& dlg, int id) {
    return static_cast<QLineEdit*>(dlg.Control(id))->text();
}

bool Checked(const CAdvancedDlg& dlg, int id) {
    return static_cast<QAbstractButton*>(dlg.Control(id))->isChecked();
}

// The commands the plotter received since the last look, without framing.
std::vector<std::string> Sent(SettingsRig& rig) {
    std::vector<std::string> sent;
    std::string wire = rig.TakeWire();
    for (std::size_t at = wire.find("TC"); at != std::string::npos; at = wire.find("TC", at)) {
        const std::size_t end = wire.find(kEtx, at);
        sent.push_back(wire.substr(at, end - at));
        at = end;
    }
    return sent;
}

bool Holds(const std::vector<std::string>& sent, const std::string& command) {
    return std::find(sent.begin(), sent.end(), command) != sent.end();
}

struct CheckCase {
    const char* name;
    int unit;
    std::vector<int> clicks; // before typing
    std::vector<std::pair<int, QString>> typed;
    int code; // 0: the settings pass and the window closes
    const char* bounds;
};

class AdvancedOk : public testing::TestWithParam<CheckCase> {};

TEST_P(AdvancedOk, ChecksTheValuesAgainstTheModelsBounds) {
    const CheckCase& c = GetParam();
    SettingsRig rig;
    const auto dlg = Open(rig, c.unit);
    for (const int id : c.clicks) {
        Click(dlg->Control(id));
    }
    for (const auto& [id, text] : c.typed) {
        Type(dlg->Control(id), text);
    }
    rig.TakeWire();
    Click(dlg->Control(CSkinnedDialog::kIdOk));
    if (c.code == 0) {
        EXPECT_EQ(dlg->result(), CSkinnedDialog::kIdOk);
        EXPECT_TRUE(rig.Shown().empty());
        EXPECT_NE(rig.TakeWire().find("TC25,"), std::string::npos);
        return;
    }
    EXPECT_EQ(dlg->result(), 0) << "the window stays open";
    ASSERT_EQ(rig.Shown().size(), 1u);
    const std::string shown = rig.Shown().front();
    EXPECT_TRUE(shown.ends_with(Code(c.code))) << shown;
    EXPECT_NE(shown.find(std::string(" ") + c.bounds + " "), std::string::npos) << shown;
    auto* edit = static_cast<QLineEdit*>(dlg->Control(c.typed.back().first));
    EXPECT_EQ(dlg->focusWidget(), edit);
    EXPECT_EQ(edit->selectedText(), edit->text());
    EXPECT_EQ(rig.TakeWire(), "") << "nothing is sent";
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, AdvancedOk,
    testing::Values(
        CheckCase{"PageLength5000Cm", 0, {}, {{kPageLength, "5000"}}, 0, ""},
        CheckCase{"PageLength5001Cm", 0, {}, {{kPageLength, "5001"}}, 1210, "0 to 5000"},
        // Far beyond 32 bits of micrometres: saturates and fails instead of wrapping.
        CheckCase{"PageLengthHugeCm", 0, {}, {{kPageLength, "99999999999"}}, 1210, "0 to 5000"},
        CheckCase{"PageLength1968Inch", 1, {}, {{kPageLength, "1968"}}, 0, ""},
        CheckCase{"PageLength1969Inch", 1, {}, {{kPageLength, "1969"}}, 1211, "0 to 1968"},
        CheckCase{"OffsetAngleHuge", 0, {}, {{kOffsetAngle, "99999999999"}}, 1212, "0 to 60"},
        CheckCase{"StepPass21", 0, {}, {{kStepPass, "21"}}, 1214, "0 to 20"},
        CheckCase{"FeedOneM", 0, {}, {{kFeedLength, "1"}}, 0, ""},
        CheckCase{"FeedZeroM", 0, {}, {{kFeedLength, "0"}}, 1215, "1 to 50"},
        CheckCase{"FeedZeroMWithoutPreFeed", 0, {kAutoPreFeed}, {{kFeedLength, "0"}}, 0, ""},
        CheckCase{"FeedTwoFeet", 1, {}, {{kFeedLength, "2"}}, 1216, "3 to 167"},
        CheckCase{"L2Point01", 0, {kDistanceOn}, {{kL, "2.01"}}, 1217, "-2.00 to 2.00"},
        CheckCase{"WMinus2Point01", 0, {kDistanceOn}, {{kW, "-2.01"}}, 1218, "-2.00 to 2.00"},
        CheckCase{"End0Point9Mm", 0, {kTangentialOn}, {{kEnd, "0.9"}}, 0, ""},
        CheckCase{"End1Point0Mm", 0, {kTangentialOn}, {{kEnd, "1.0"}}, 1221, "0.0 to 0.9"},
        CheckCase{"Start1Point0Mm", 0, {kTangentialOn}, {{kStart, "1.0"}}, 1219, "0.0 to 0.9"},
        CheckCase{"End0Point035Inch", 1, {kTangentialOn}, {{kEnd, "0.035"}}, 0, ""},
        CheckCase{
            "End0Point036Inch", 1, {kTangentialOn}, {{kEnd, "0.036"}}, 1222, "0.000 to 0.035"}),
    [](const testing::TestParamInfo<CheckCase>& info) { return info.param.name; });

struct SlotCase {
    const char* name;
    int on;    // the radio that turns the shown record on
    int value; // the edit whose value is checked
    int combo;
    int code;
    const char* bounds;
    const char* half; // 0.5 as the edit shows it
};

class AdvancedSlots : public testing::TestWithParam<SlotCase> {};

TEST_P(AdvancedSlots, SwitchingAwayFromAnInvalidRecordIsRefused) {
    const SlotCase& c = GetParam();
    SettingsRig rig;
    const auto dlg = Open(rig);
    auto* combo = static_cast<QComboBox*>(dlg->Control(c.combo));
    Click(dlg->Control(c.on));
    Type(dlg->Control(c.value), "2.5");
    Choose(combo, 2);
    ASSERT_EQ(rig.Shown().size(), 1u);
    EXPECT_TRUE(rig.Shown().front().ends_with(Code(c.code)));
    EXPECT_NE(rig.Shown().front().find(c.bounds), std::string::npos);
    EXPECT_EQ(combo->currentIndex(), 0) << "back to the record shown";
    EXPECT_TRUE(dlg->Control(c.value)->isEnabled());

    Type(dlg->Control(c.value), "0.5");
    Choose(combo, 2);
    EXPECT_EQ(rig.Shown().size(), 1u);
    EXPECT_EQ(combo->currentIndex(), 2);
    EXPECT_FALSE(dlg->Control(c.value)->isEnabled()) << "condition 3 is off";

    Choose(combo, 0);
    EXPECT_EQ(static_cast<QLineEdit*>(dlg->Control(c.value))->text(), c.half);
}

INSTANTIATE_TEST_SUITE_P(Records, AdvancedSlots,
                         testing::Values(SlotCase{"DistanceAdjustW", kDistanceOn, kW, kDistanceSlot,
                                                  1218, "-2.00 to 2.00", "0.50"},
                                         SlotCase{"TangentialStart", kTangentialOn, kStart,
                                                  kTangentialSlot, 1219, "0.0 to 0.9", "0.5"}),
                         [](const testing::TestParamInfo<SlotCase>& info) {
                             return info.param.name;
                         });

TEST(AdvancedEdits, RefuseAThirdDecimalAndEnterDoesNotPressOk) {
    SettingsRig rig;
    const auto dlg = Open(rig);
    Click(dlg->Control(kDistanceOn));
    Type(dlg->Control(kL), "2.00");
    Type(dlg->Control(kL), "2.001");
    EXPECT_EQ(static_cast<QLineEdit*>(dlg->Control(kL))->text(), "2.00");
    rig.TakeWire();
    QTest::keyClick(dlg->Control(kPageLength), Qt::Key_Return);
    EXPECT_EQ(dlg->result(), 0);
    EXPECT_EQ(rig.TakeWire(), "");
}

struct BusyCase {
    const char* name;
    std::function<void(SettingsRig&)> fault;
    int result;
    std::vector<int> shown;
    bool unsent;
};

class AdvancedWrite : public testing::TestWithParam<BusyCase> {};

TEST_P(AdvancedWrite, BusyKeepsTheSettingsUnsentOtherFailuresStayOpen) {
    const BusyCase& c = GetParam();
    SettingsRig rig;
    const auto dlg = Open(rig);
    const int read = rig.link.settings.m_advanced.pageLength;
    Type(dlg->Control(kPageLength), "300");
    c.fault(rig);
    Click(dlg->Control(CSkinnedDialog::kIdOk));
    EXPECT_EQ(dlg->result(), c.result);
    std::vector<int> shown;
    for (const std::string& text : rig.Shown()) {
        shown.push_back(std::stoi(text.substr(text.rfind("= ") + 2)));
    }
    EXPECT_EQ(shown, c.shown);
    EXPECT_EQ(rig.unsent.Bits(), c.unsent ? CUnsentChanges::kAdvancedSettings : 0u);
    const int kept = c.unsent ? 3000000 : read;
    EXPECT_EQ(rig.link.settings.m_advanced.pageLength, kept);
    EXPECT_EQ(rig.retryValues.StoredAdvancedSettings().pageLength, c.unsent ? kept : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, AdvancedWrite,
    testing::Values(BusyCase{"NotReady",
                             [](SettingsRig& rig) { rig.link.sim.m_nStatus = 1; },
                             CSkinnedDialog::kIdOk,
                             {},
                             true},
                    BusyCase{"WriteFails",
                             [](SettingsRig& rig) {
                                 rig.link.FailWritesStartingWith("TC25,", msg::kWriteFailed);
                             },
                             0,
                             {msg::kWriteFailed},
                             false}),
    [](const testing::TestParamInfo<BusyCase>& info) { return info.param.name; });

struct ReadCase {
    const char* name;
    std::function<void(CSimPlotter&)> fault;
    int code;
};

class AdvancedOpening : public testing::TestWithParam<ReadCase> {};

TEST_P(AdvancedOpening, AFailedReadIsShownAndEndsTheWindow) {
    const ReadCase& c = GetParam();
    SettingsRig rig;
    c.fault(rig.link.sim);
    CAdvancedDlg dlg(rig.Links());
    EXPECT_EQ(dlg.exec(), c.code);
    EXPECT_EQ(dlg.result(), c.code);
    ASSERT_EQ(rig.Shown().size(), 1u);
    EXPECT_TRUE(rig.Shown().front().ends_with(Code(c.code)));
    EXPECT_EQ(rig.link.sim.Log().find("TC"), std::string::npos);
    EXPECT_EQ(rig.link.settings.m_advanced, AdvancedSettings{}) << "nothing made up is kept";
}

INSTANTIATE_TEST_SUITE_P(
    Replies, AdvancedOpening,
    testing::Values(ReadCase{"Malformed", [](CSimPlotter& sim) { sim.m_bMalformedReplies = true; },
                             msg::kReadFailed},
                    ReadCase{"DistanceAdjustOutOfRange",
                             [](CSimPlotter& sim) {
                                 sim.m_distanceAdjust[3] = {1, 450, 200};
                             },
                             msg::kReadFailed},
                    ReadCase{"Silent",
                             [](CSimPlotter& sim) { sim.m_replyOverrides["C31;30"] = ""; },
                             msg::kTimeout}),
    [](const testing::TestParamInfo<ReadCase>& info) { return info.param.name; });

// Settings the plotter has not got yet are what it will have: the window shows them, and the
// read does not replace them.
TEST(AdvancedOpening, UnsentSettingsAreShownAndKept) {
    SettingsRig rig;
    rig.link.settings.m_advanced.pageLength = 1230000;
    rig.unsent.Set(CUnsentChanges::kAdvancedSettings);
    const auto dlg = Open(rig);
    EXPECT_EQ(static_cast<QLineEdit*>(dlg->Control(kPageLength))->text(), "123");
    EXPECT_EQ(rig.link.settings.m_advanced.pageLength, 1230000);
}

// Values shown rounded pass their own check untouched, in either unit: the demo's 50000 mm page
// length shows as 1968 inches, stored settings not yet sent show 914 mm as 3 feet and 0.9 mm as
// 0.035 inch; each lies beyond the exact bound of what its text reads as.
TEST(AdvancedShown, UntouchedValuesPassOkInEitherUnit) {
    for (const bool demo : {true, false}) {
        for (const int unit : {kUnitMetric, kUnitInch}) {
            SettingsRig rig;
            if (demo) {
                rig.link.commandLine.m_bDemo = 1;
                rig.link.port.SetOptions(PortOptions{true, false, {}});
            } else {
                AdvancedSettings& stored = rig.link.settings.m_advanced;
                stored.pageLength = 50000000;
                stored.autoPreFeed = 1;
                stored.feedLength = 914000;
                stored.distanceAdjust[0] = {1, -2.0, 2.0};
                stored.tangential[0] = {1, 900, 900};
                rig.unsent.Set(CUnsentChanges::kAdvancedSettings);
            }
            const auto dlg = Open(rig, unit);
            Click(dlg->Control(CSkinnedDialog::kIdOk));
            EXPECT_EQ(rig.Shown(), std::vector<std::string>{}) << demo << unit;
            EXPECT_EQ(dlg->result(), CSkinnedDialog::kIdOk) << demo << unit;
        }
    }
}

// A text put back as it was shown sends what was read; any other text is a typed value,
// converted as typed (1968 inches are 49998811 um, 999976 steps at 20 steps per mm).
TEST(AdvancedShown, ATextPutBackSendsWhatWasReadAnotherSendsWhatItSays) {
    for (const auto& [typed, sent] :
         {std::pair{"1968", "TC25,1000000"}, {"01968", "TC25,999976"}}) {
        SettingsRig rig;
        rig.link.sim.m_nPageLength = 1000000; // 50000 mm
        const auto dlg = Open(rig, kUnitInch);
        ASSERT_EQ(Text(*dlg, kPageLength), "1968");
        Type(dlg->Control(kPageLength), "1969");
        Type(dlg->Control(kPageLength), typed);
        rig.TakeWire();
        Click(dlg->Control(CSkinnedDialog::kIdOk));
        EXPECT_TRUE(Holds(Sent(rig), sent)) << typed;
    }
}

// The bounds a range message quotes are the ones the check applies to what the edit shows:
// each passes when typed, and one shown step beyond it fails with the same message.
TEST(AdvancedBounds, TheQuotedBoundsAreTheCheckedOnes) {
    const struct {
        int edit;
        int on;          // the radio that turns the edit's record on, or 0
        int decimals[2]; // metric, inch
    } edits[] = {{kPageLength, 0, {0, 0}},        {kFeedLength, 0, {0, 0}},
                 {kL, kDistanceOn, {2, 2}},       {kW, kDistanceOn, {2, 2}},
                 {kStart, kTangentialOn, {1, 3}}, {kEnd, kTangentialOn, {1, 3}}};
    const QRegularExpression quoted("range +(\\S+) to (\\S+) ");
    for (const int unit : {kUnitMetric, kUnitInch}) {
        for (const auto& e : edits) {
            // What OK makes of `text` in the edit: the message shown, or "" when it passed.
            const auto ok = [&](const QString& text) {
                SettingsRig rig;
                const auto dlg = Open(rig, unit);
                if (e.on != 0) {
                    Click(dlg->Control(e.on));
                }
                Type(dlg->Control(e.edit), text);
                Click(dlg->Control(CSkinnedDialog::kIdOk));
                return rig.Shown().empty() ? std::string() : rig.Shown().front();
            };
            const std::string message = ok("9999");
            const QRegularExpressionMatch bounds = quoted.match(QString::fromStdString(message));
            ASSERT_TRUE(bounds.hasMatch()) << message;
            const int decimals = e.decimals[unit];
            const double step = std::pow(10.0, -decimals);
            for (const auto& [bound, beyond] :
                 {std::pair{bounds.captured(1), -step}, {bounds.captured(2), step}}) {
                EXPECT_EQ(ok(bound), "") << e.edit << " " << bound.toStdString();
                const QString outside = QString::number(bound.toDouble() + beyond, 'f', decimals);
                EXPECT_EQ(ok(outside), message) << e.edit << " " << outside.toStdString();
            }
        }
    }
}

// The feed shows at most 50 m (feet are not capped), and its edit takes input only while
// "Auto Pre Feed" is ticked.
TEST(AdvancedFeed, ShowsAtMost50MetresAndIsEditableOnlyWithAutoPreFeed) {
    const struct {
        int steps; // at 20 steps per mm
        const char* metres;
        const char* feet;
    } cases[] = {{989980, "49", "162"}, {1010000, "50", "166"}, {1018260, "50", "167"}};
    for (const auto& c : cases) {
        for (const int unit : {kUnitMetric, kUnitInch}) {
            SettingsRig rig;
            rig.link.sim.m_nFeedLength = c.steps;
            rig.link.sim.m_nAutoPreFeed = 0;
            const auto dlg = Open(rig, unit);
            EXPECT_EQ(Text(*dlg, kFeedLength), unit == kUnitMetric ? c.metres : c.feet);
            for (const bool ticked : {false, true, false}) {
                EXPECT_EQ(Checked(*dlg, kAutoPreFeed), ticked);
                for (const int id : {kFeedLabel, kFeedLength, kFeedUnit}) {
                    EXPECT_EQ(dlg->Control(id)->isEnabled(), ticked) << id;
                }
                Click(dlg->Control(kAutoPreFeed));
            }
        }
    }
}

// L and W are checked while their record is on; a record turned off is not checked, and a
// value typed into it, never checked, goes as 0 while the other keeps what was read.
TEST(AdvancedDistanceAdjust, LAndWAreCheckedOnlyWhileTheirRecordIsOn) {
    for (const auto& [edit, typed, code, sentOff] :
         {std::tuple{kL, "2.01", 1217, "TC33,1,0,0,200"}, {kW, "-2.01", 1218, "TC33,1,0,200,0"}}) {
        for (const bool on : {true, false}) {
            SettingsRig rig;
            const auto dlg = Open(rig);
            Click(dlg->Control(kDistanceOn));
            Type(dlg->Control(edit), typed);
            if (!on) {
                Click(dlg->Control(kDistanceOff));
            }
            rig.TakeWire();
            Click(dlg->Control(CSkinnedDialog::kIdOk));
            if (on) {
                ASSERT_EQ(rig.Shown().size(), 1u);
                EXPECT_TRUE(rig.Shown().front().ends_with(Code(code)));
                EXPECT_EQ(rig.TakeWire(), "");
            } else {
                EXPECT_EQ(rig.Shown(), std::vector<std::string>{});
                EXPECT_TRUE(Holds(Sent(rig), sentOff)) << typed;
            }
        }
    }
}

// Template 137 shows a condition's mode only while its emulation is on; template 136 shows the
// whole plotter's mode whatever the record.
TEST(AdvancedModes, AConditionThatIsOffShowsNoModeInTemplate137) {
    const struct {
        const char* type;
        int slot;
        bool mode1;
        bool mode2;
    } cases[] = {{"RX3600-60", 0, false, false}, {"RX3600-60", 1, false, true},
                 {"RX3600-60", 2, true, false},  {"Nimbo Pro S", 0, false, false},
                 {"WX8800-60", 0, false, true},  {"WX8800-60", 1, false, true}};
    for (const auto& c : cases) {
        SettingsRig rig(c.type);
        CSimPlotter& sim = rig.link.sim;
        sim.m_tangentialModes = {2, 2, 1, 2, 2, 2, 2, 2, 2};
        sim.m_nTangentialMode = 2;
        sim.m_tangential[1].on = 1;
        sim.m_tangential[2].on = 1;
        const auto dlg = Open(rig);
        Choose(dlg->Control(kTangentialSlot), c.slot);
        EXPECT_EQ(Checked(*dlg, kMode1), c.mode1) << c.type << " " << c.slot;
        EXPECT_EQ(Checked(*dlg, kMode2), c.mode2) << c.type << " " << c.slot;
        EXPECT_EQ(Checked(*dlg, kTangentialOff), c.slot == 0);
    }
}

TEST(AdvancedCommand, OpensTheCommandSettingWindowUnlessLaunchedWithLm) {
    for (const int lm : {0, 1}) {
        SettingsRig rig;
        rig.link.commandLine.m_bSkipQueueCheck = lm;
        const auto dlg = Open(rig);
        QWidget* command = dlg->Control(kCommand);
        EXPECT_EQ(command->isEnabled(), lm == 0);
        if (lm == 0) {
            ModalAnswer answer(dlg.get(), [](QWidget* window) { window->close(); });
            Click(command);
            EXPECT_STREQ(answer.SeenClass(), "CCommandSetDlg");
            EXPECT_EQ(rig.TakeWire().find("TC24"), std::string::npos);
        }
    }
}

} // namespace

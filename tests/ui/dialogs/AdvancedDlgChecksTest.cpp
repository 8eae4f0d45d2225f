// The Advanced Settings window's checks, its slot switching, and what becomes of OK when the
// plotter cannot take the settings; observed as the message shown, the window's result and
// the settings kept.
#include "core/messages/MessageCodes.h"
#include "tests/ui/dialogs/SettingsRig.h"
#include "tests/ui/main/ModalAnswer.h"
#include "ui/dialogs/AdvancedDlgLayout.h"

#include <gtest/gtest.h>

#include <memory>

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

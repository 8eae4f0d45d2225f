// The orientation and registration-mark panel: the media orientation on the wire, the
// distance edits and their checks, and the mark reading started by "Read Marks" and F7.
#include "ModalAnswer.h"
#include "WindowRig.h"

#include "tests/ui/UserInput.h"

#include "core/messages/MessageCodes.h"
#include "ui/dialogs/marks/RegMarkDlg.h"
#include "ui/dialogs/option/OptionDlg.h"
#include "ui/main/ControlIds.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSettings>

#include <functional>

#include <gtest/gtest.h>

namespace {

std::string Query(const std::string& body) {
    return kEscByte + "." + body + ":";
}
std::string Command(const std::string& text) {
    return text + kEtxByte;
}

const std::string kPoll = Query("C11");

// The start of a mark reading with the first-run mark settings (type 1, length 10 mm,
// thickness 0.5 mm) at 20 steps per mm, around its search command.
std::string MarkStart(const std::string& search) {
    return Query("C1") + Query("C31;16") + Query("C10") + Command("TB99,") + Command("TB52,2,") +
           Command("TB51,200,") + Command("TB53,10,") + Command("TB55,1,") + Command(search) +
           Command("TB99,");
}

QVariant Stored(const char* key) {
    return QSettings("Morvalin", "Vireclip").value(QString("Status/") + key);
}

class MarkPanel : public ::testing::Test {
protected:
    // Marks on with automatic search and distances X 300 mm, Y 200 mm, unless a test remembers
    // otherwise before.
    void Open() {
        m_rig.AddMediaList({"Vinyl", "KR10A (1)", 14, 40, 2, 1});
        m_rig.commandLine.m_bSkipQueueCheck = 1;
        for (const auto& [key, value] : {std::pair{"TomboRead", 1},
                                         {"TomboAuto", 1},
                                         {"TomboDisX", 300000},
                                         {"TomboDisY", 200000}}) {
            if (!Stored(key).isValid()) {
                WindowRig::Remember(key, value);
            }
        }
        ASSERT_EQ(m_rig.Open(), 0);
        m_rig.TakeWire();
        // Keys go where the focus is, as in an active window.
        QApplication::setActiveWindow(&m_rig.Dlg());
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_rig.Dlg()));
    }

    QLineEdit* Edit(int id) { return static_cast<QLineEdit*>(m_rig.Control(id)); }
    void Click(int id) { QTest::mouseClick(m_rig.Control(id), Qt::LeftButton); }
    void Key(Qt::Key key) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus != nullptr ? focus : &m_rig.Dlg(), key);
    }
    // Replaces an edit's text keystroke by keystroke, as the user types.
    void Type(int id, const QString& text) {
        QLineEdit* edit = Edit(id);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    std::string LastMessage() { return m_rig.recording.Sink().m_vecShown.back().text; }

    WindowRig m_rig;
};

struct MediaCase {
    const char* name;
    int status; // the plotter's status reply when the radio is clicked
    std::string wire;
    int checkedRadio;
    int orientation;
    unsigned unsent;
    std::vector<int> shown;
};

class MediaOrientation : public MarkPanel, public ::testing::WithParamInterface<MediaCase> {};

TEST_P(MediaOrientation, IsSentKeptUnsentOrUndone) {
    const MediaCase& c = GetParam();
    Open();
    Click(ctl::kMediaUnrotated); // the value it has: nothing to send
    EXPECT_EQ(m_rig.TakeWire(), "");

    m_rig.sim.m_nStatus = c.status;
    Click(ctl::kMediaRotated);
    EXPECT_EQ(m_rig.TakeWire(), c.wire);
    EXPECT_TRUE(static_cast<QRadioButton*>(m_rig.Control(c.checkedRadio))->isChecked());
    EXPECT_EQ(m_rig.settings.m_nMediaOrient, c.orientation);
    EXPECT_EQ(m_rig.unsent.Bits(), c.unsent);
    EXPECT_EQ(m_rig.ShownCodes(), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Plotter, MediaOrientation,
    ::testing::Values(
        MediaCase{"Ready", 0, Query("C1") + Command("TC21,1"), ctl::kMediaRotated, 1, 0, {}},
        MediaCase{"NotReadyKeepsItUnsent", 1, Query("C1"), ctl::kMediaRotated, 1, 4, {}},
        MediaCase{"FailureIsShownAndUndone",
                  32, // a status the plotter does not know: 1008
                  Query("C1"),
                  ctl::kMediaUnrotated,
                  0,
                  0,
                  {msg::kReadFailed}}),
    [](const auto& info) { return std::string(info.param.name); });

struct ReadCase {
    const char* name;
    bool f7;         // F7 instead of the button
    int tomboAuto;   // automatic search
    bool cutMode;    // started with /CUTMODE
    int available;   // the plotter offers mark reading
    bool answer1806; // OK on the question of a search by hand
    std::vector<std::string> replies;
    std::string wire;
    std::vector<int> shown;
};

class ReadMarks : public MarkPanel, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ReadMarks, StartsTheSearchAndWaitsForIt) {
    const ReadCase& c = GetParam();
    WindowRig::Remember("TomboAuto", c.tomboAuto);
    m_rig.commandLine.m_bCutMode = c.cutMode ? 1 : 0;
    m_rig.sim.m_nMarksAvailable = c.available;
    m_rig.sim.m_markReadReplies = c.replies;
    Open();
    m_rig.recording.Sink().AnswerNext(c.answer1806);
    if (c.f7) {
        Key(Qt::Key_F7);
    } else {
        Click(ctl::kReadMarks);
    }
    EXPECT_EQ(m_rig.TakeWire(), c.wire);
    EXPECT_EQ(m_rig.ShownCodes(), c.shown);
    EXPECT_TRUE(m_rig.Dlg().isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Triggers, ReadMarks,
    ::testing::Values(
        ReadCase{"ButtonWithAutomaticSearch",
                 false,
                 1,
                 false,
                 1,
                 true,
                 {"1", "2"},
                 MarkStart("TB123,6000,4000,") + kPoll + kPoll,
                 {}},
        ReadCase{"F7ByHandAfterTheQuestion",
                 true,
                 0,
                 false,
                 1,
                 true,
                 {"2"},
                 MarkStart("TB223,6000,4000,") + kPoll,
                 {msg::kConfirmMarkSearch}},
        ReadCase{"CancelOnTheQuestionSendsNothing",
                 true,
                 0,
                 false,
                 1,
                 false,
                 {"2"},
                 "",
                 {msg::kConfirmMarkSearch}},
        ReadCase{"FailedReadingIsShown",
                 false,
                 1,
                 false,
                 1,
                 true,
                 {"1", "10"},
                 MarkStart("TB123,6000,4000,") + kPoll + kPoll,
                 {msg::kMarkReadingFailed}},
        // F7 does only what the button offers.
        ReadCase{"F7WithoutMarkReadingOnThePlotter", true, 1, false, 0, true, {"2"}, "", {}},
        ReadCase{"F7InCutModeWithAutomaticSearch", true, 1, true, 1, true, {"2"}, "", {}}),
    [](const auto& info) { return std::string(info.param.name); });

struct StepCase {
    const char* name;
    int storedMethod;     // "TmbReadType" of an earlier run
    bool launchArea;      // /TBM,5 switches to Area
    int step;             // "TmbStep", micrometres
    int unit;             // display unit
    bool cut;             // "Cut" with automatic search instead of "Read Marks"
    int code;             // 0: the reading starts
    std::string expected; // the limits the message names, or the search command sent
};

class AreaStep : public MarkPanel, public ::testing::WithParamInterface<StepCase> {};

// The step goes to the plotter only with the Area method, and only within its limits, however
// it was stored: under another method, where the settings window lets it be, then switched to
// Area by the launching program.
TEST_P(AreaStep, IsCheckedBeforeAnythingIsSent) {
    const StepCase& c = GetParam();
    WindowRig::Remember("TmbReadType", c.storedMethod);
    WindowRig::Remember("TmbStep", c.step);
    WindowRig::Remember("UnitType", c.unit);
    m_rig.commandLine.m_bCorrection = c.launchArea ? 1 : 0;
    m_rig.commandLine.m_nCorrection = 3;
    m_rig.commandLine.m_bCutMode = c.cut ? 1 : 0;
    m_rig.sim.m_markReadReplies = {"2"};
    Open();
    Click(c.cut ? ctl::kOk : ctl::kReadMarks);
    const std::string wire = m_rig.TakeWire();
    const std::string ready = c.cut ? Query("C1") : "";
    if (c.code == 0) {
        EXPECT_EQ(wire, ready + MarkStart(c.expected) + kPoll);
        EXPECT_TRUE(m_rig.ShownCodes().empty());
        return;
    }
    EXPECT_EQ(wire, ready);
    EXPECT_TRUE(m_rig.Dlg().isVisible());
    ASSERT_EQ(m_rig.ShownCodes(), std::vector<int>{c.code});
    EXPECT_NE(LastMessage().find(c.expected), std::string::npos) << LastMessage();
}

// WX8800-60: the step lies between 100 and 10000 mm (3.936 and 393.609 inches).
INSTANTIATE_TEST_SUITE_P(
    Methods, AreaStep,
    ::testing::Values(
        StepCase{"StoredUnderThreePointsThenArea", 1, true, 99900, 0, false, msg::kRangeMarkStepMm,
                 "range 100.0 to 10000.0 mm."},
        StepCase{"InInches", 1, true, 50000, 1, false, msg::kRangeMarkStepInch,
                 "range 3.936 to 393.609 inches."},
        StepCase{"AboveTheRangeOnCut", 0, true, 10000100, 0, true, msg::kRangeMarkStepMm,
                 "range 100.0 to 10000.0 mm."},
        StepCase{"AtItsLimit", 1, true, 100000, 0, false, 0, "TB125,6000,4000,0,2000"},
        StepCase{"AtItsLimitOnCut", 1, true, 10000000, 0, true, 0, "TB125,6000,4000,0,200000"},
        StepCase{"NotSentWithThreePoints", 1, false, 99900, 0, false, 0, "TB123,6000,4000,"}),
    [](const auto& info) { return std::string(info.param.name); });

struct CheckCase {
    const char* name;
    int unit;
    int mediaOrient;
    int edit;
    const char* typed;
    int code;          // 0: in range, the reading starts
    std::string quote; // the limits the message names, or the search command sent
};

class DistanceCheck : public MarkPanel, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(DistanceCheck, NamesTheLimitsAndHoldsTheFocus) {
    const CheckCase& c = GetParam();
    WindowRig::Remember("UnitType", c.unit);
    WindowRig::Remember("TomboDisX", 0);
    WindowRig::Remember("TomboDisY", 0);
    m_rig.sim.m_nMediaOrientation = c.mediaOrient;
    Open();
    Type(c.edit, c.typed);
    ASSERT_EQ(Edit(c.edit)->text(), c.typed);
    Click(ctl::kReadMarks);

    const std::string wire = m_rig.TakeWire();
    if (c.code == 0) {
        EXPECT_EQ(wire.substr(0, MarkStart(c.quote).size()), MarkStart(c.quote));
        return;
    }
    EXPECT_EQ(wire, "");
    EXPECT_EQ(m_rig.ShownCodes(), std::vector<int>{c.code});
    EXPECT_NE(LastMessage().find(c.quote), std::string::npos) << LastMessage();
    EXPECT_EQ(QApplication::focusWidget(), Edit(c.edit));
    EXPECT_EQ(Edit(c.edit)->selectedText(), c.typed);
}

// WX8800-60: across 0 to 582 mm (22.908 inches), along 0 to 50000 mm (1968.047 inches).
INSTANTIATE_TEST_SUITE_P(
    Limits, DistanceCheck,
    ::testing::Values(
        CheckCase{"RotatedXAcross", 0, 1, ctl::kDistanceX, "582.1", msg::kRangeMarkDistXMm,
                  "range 0.0 to 582.0 mm."},
        CheckCase{"RotatedXAtItsLimit", 0, 1, ctl::kDistanceX, "582", 0, "TB123,11640,0,"},
        CheckCase{"RotatedYAlong", 0, 1, ctl::kDistanceY, "50000.1", msg::kRangeMarkDistYMm,
                  "range 0.0 to 50000.0 mm."},
        CheckCase{"UnrotatedXAlong", 0, 0, ctl::kDistanceX, "50000.1", msg::kRangeMarkDistXMm,
                  "range 0.0 to 50000.0 mm."},
        CheckCase{"UnrotatedYAcross", 0, 0, ctl::kDistanceY, "582.1", msg::kRangeMarkDistYMm,
                  "range 0.0 to 582.0 mm."},
        CheckCase{"Negative", 0, 0, ctl::kDistanceX, "-1", msg::kRangeMarkDistXMm, "0.0 to"},
        CheckCase{"BeyondThirtyTwoBits", 0, 0, ctl::kDistanceX, "99999999999",
                  msg::kRangeMarkDistXMm, "0.0 to 50000.0 mm."},
        CheckCase{"InchX", 1, 1, ctl::kDistanceX, "22.909", msg::kRangeMarkDistXInch,
                  "range 0.000 to 22.908 inches."},
        CheckCase{"InchXAtItsLimit", 1, 1, ctl::kDistanceX, "22.908", 0, "TB123,11639,0,"},
        CheckCase{"InchY", 1, 1, ctl::kDistanceY, "1968.048", msg::kRangeMarkDistYInch,
                  "range 0.000 to 1968.047 inches."}),
    [](const auto& info) { return std::string(info.param.name); });

struct TypingCase {
    const char* name;
    int unit;
    const char* typed; // nullptr: left as shown
    const char* shown;
    int stored; // "TomboDisX" after Close
};

class DistanceTyping : public MarkPanel, public ::testing::WithParamInterface<TypingCase> {};

TEST_P(DistanceTyping, StoresOnlyFilteredTextAndClampsOnClosing) {
    const TypingCase& c = GetParam();
    WindowRig::Remember("UnitType", c.unit);
    WindowRig::Remember("TomboDisX", 300549);
    Open();
    if (c.typed != nullptr) {
        Type(ctl::kDistanceX, c.typed);
    }
    EXPECT_EQ(Edit(ctl::kDistanceX)->text(), c.shown);
    Click(ctl::kOk);
    EXPECT_EQ(m_rig.Dlg().result(), CControllerDlg::kResultOk);
    EXPECT_EQ(Stored("TomboDisX").toInt(), c.stored);
    EXPECT_EQ(Stored("TomboDisY").toInt(), 200000);
}

INSTANTIATE_TEST_SUITE_P(
    Keystrokes, DistanceTyping,
    ::testing::Values(TypingCase{"Untouched", 0, nullptr, "300.5", 300549},
                      TypingCase{"OneDecimalInMm", 0, "12.34", "12.3", 12300},
                      TypingCase{"MinusOnlyFirst", 0, "5-", "5", 5000},
                      TypingCase{"CommaTakenAsTheSeparator", 0, "1,5", "1.5", 1500},
                      TypingCase{"BelowTheRange", 0, "-5", "-5", 0},
                      TypingCase{"AboveTheAlongRange", 0, "60000", "60000", 50000000},
                      TypingCase{"BeyondThirtyTwoBits", 0, "99999999999", "99999999999", 50000000},
                      TypingCase{"ThreeDecimalsInInches", 1, "1.2345", "1.234", 31350},
                      TypingCase{"Inches", 1, "19.685", "19.685", 500115},
                      TypingCase{"AboveTheAlongRangeInInches", 1, "2000", "2000", 50000005}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MarkPanel, EnterInADistanceEditDoesNotClose) {
    Open();
    for (const int id : {ctl::kDistanceX, ctl::kDistanceY}) {
        Edit(id)->setFocus();
        Key(Qt::Key_Return);
        Key(Qt::Key_Enter);
        EXPECT_TRUE(m_rig.Dlg().isVisible());
    }
    EXPECT_EQ(m_rig.TakeWire(), "");
    EXPECT_FALSE(Stored("UnitType").isValid());
}

// Ticked as a user ticks it, "Registration Marks" hands the X distance the focus with its text
// selected, so the keys typed next are the distance.
TEST_F(MarkPanel, CheckBoxesOfferTheControlsAndAreStored) {
    WindowRig::Remember("TomboRead", 0);
    m_rig.commandLine.m_bCutMode = 1;
    Open();
    EXPECT_FALSE(m_rig.Control(ctl::kDistanceX)->isEnabled());
    ClickWhereShown(m_rig.Control(ctl::kMarks));
    TypeIntoFocus(&m_rig.Dlg(), "123.4");
    EXPECT_TRUE(m_rig.Control(ctl::kDistanceX)->isEnabled());
    EXPECT_TRUE(m_rig.Control(ctl::kMarkSettings)->isEnabled());
    EXPECT_FALSE(m_rig.Control(ctl::kReadMarks)->isEnabled()); // "Cut" reads them
    Click(ctl::kSearchMarks);
    EXPECT_TRUE(m_rig.Control(ctl::kReadMarks)->isEnabled());
    Click(ctl::kCancel);
    EXPECT_EQ(Stored("TomboRead").toInt(), 1);
    EXPECT_EQ(Stored("TomboAuto").toInt(), 0);
    EXPECT_EQ(Stored("TomboDisX").toInt(), 123400);
}

// The design orientation lives in the settings alone: each radio stores its value, nothing
// goes to the plotter, and the value is saved on closing.
TEST_F(MarkPanel, DesignOrientationIsStoredNotSent) {
    WindowRig::Remember("ImageType", 1);
    Open();
    EXPECT_TRUE(static_cast<QRadioButton*>(m_rig.Control(ctl::kDesignPortrait))->isChecked());
    const struct {
        int radio;
        int stored;
    } clicks[] = {
        {ctl::kDesignLandscape, 0}, {ctl::kDesignPortrait, 1}, {ctl::kDesignLandscape, 0}};
    for (const auto& click : clicks) {
        Click(click.radio);
        EXPECT_EQ(m_rig.settings.m_nImageType, click.stored) << click.radio;
    }
    Click(ctl::kOk);
    EXPECT_EQ(m_rig.TakeWire(), "");
    EXPECT_EQ(Stored("ImageType").toInt(), 0);
}

struct LaunchCase {
    const char* name;
    std::function<void(CControllerCommandLine&)> launch;
    bool offered; // "Registration Marks" and the distances may be changed
    bool checked;
};

class LaunchOwnsMarks : public MarkPanel, public ::testing::WithParamInterface<LaunchCase> {};

// The launching program owns the marks when it gave the distances or, for a cutting job,
// turned the marks off; a rejected or ignored launch value leaves them to the user.
TEST_P(LaunchOwnsMarks, OnlyWhenItsValuesCount) {
    GetParam().launch(m_rig.commandLine);
    Open();
    EXPECT_EQ(m_rig.Control(ctl::kMarks)->isEnabled(), GetParam().offered);
    EXPECT_EQ(m_rig.Control(ctl::kDistanceX)->isEnabled(), GetParam().offered);
    EXPECT_EQ(static_cast<QCheckBox*>(m_rig.Control(ctl::kMarks))->isChecked(), GetParam().checked);
}

void Distances(CControllerCommandLine& cl, double x, double y) {
    cl.m_bMarkDistance = 1;
    cl.m_dMarkDistX = x;
    cl.m_dMarkDistY = y;
}

// Media orientation 0 on a WX8800-60: X lies along the medium (to 50000 mm), Y across it (to
// 582 mm).
INSTANTIATE_TEST_SUITE_P(
    Launch, LaunchOwnsMarks,
    ::testing::Values(
        LaunchCase{"NoLaunchValues", [](CControllerCommandLine&) {}, true, true},
        LaunchCase{"DistancesGiven", [](CControllerCommandLine& cl) { Distances(cl, 300, 200); },
                   false, true},
        LaunchCase{"DistancesRejected", [](CControllerCommandLine& cl) { Distances(cl, 300, 600); },
                   true, true},
        LaunchCase{"NoMarksForACut",
                   [](CControllerCommandLine& cl) {
                       cl.m_bNoMarks = 1;
                       cl.m_bCutMode = 1;
                   },
                   false, false},
        LaunchCase{"NoMarksWithoutACut", [](CControllerCommandLine& cl) { cl.m_bNoMarks = 1; },
                   true, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MarkPanel, MarkSettingsReachTheNextReading) {
    Open();
    ModalAnswer answer(&m_rig.Dlg(), [](QWidget* window) {
        auto* dialog = static_cast<CRegMarkDlg*>(window);
        auto* length = static_cast<QLineEdit*>(dialog->Control(CRegMarkDlg::kIdLength));
        length->selectAll();
        QTest::keyClicks(length, "15");
        QTest::mouseClick(dialog->Control(CRegMarkDlg::kIdOk), Qt::LeftButton);
    });
    Click(ctl::kMarkSettings);
    ASSERT_TRUE(answer.Seen());
    EXPECT_STREQ(answer.SeenClass(), "CRegMarkDlg");
    EXPECT_EQ(m_rig.TakeWire(), "");

    m_rig.sim.m_markReadReplies = {"2"};
    Click(ctl::kReadMarks);
    EXPECT_NE(m_rig.TakeWire().find(Command("TB51,300,")), std::string::npos);
}

TEST_F(MarkPanel, UnitChangeReadsTheTypedDistanceInItsOwnUnit) {
    Open();
    Type(ctl::kDistanceX, "5000");
    ModalAnswer answer(&m_rig.Dlg(), [](QWidget* window) {
        auto* option = static_cast<COptionDlg*>(window);
        QTest::mouseClick(option->Control(COptionDlg::kIdInches), Qt::LeftButton);
        QTest::mouseClick(option->Control(CSkinnedDialog::kIdOk), Qt::LeftButton);
    });
    Click(ctl::kOption);
    ASSERT_TRUE(answer.Seen());
    EXPECT_EQ(Edit(ctl::kDistanceX)->text(), "196.805");
    EXPECT_EQ(static_cast<QLabel*>(m_rig.Control(ctl::kDistanceXUnit))->text(), "inch");
    Click(ctl::kOk);
    // 5000 mm, not the 1968.047 inches that 5000 read as inches would be clamped to.
    EXPECT_EQ(Stored("TomboDisX").toInt(), 5000000);
    EXPECT_EQ(Stored("UnitType").toInt(), 1);
}

struct CutCase {
    const char* name;
    int tomboAuto;
    int distanceX;   // micrometres
    int marksRead;   // the plotter's answer to whether it has read the marks
    bool answer1807; // OK on the question whether to cut without them
    std::vector<std::string> replies;
    std::string wire; // after the ready check
    std::vector<int> shown;
    bool closed;
};

class CutWithMarks : public MarkPanel, public ::testing::WithParamInterface<CutCase> {};

TEST_P(CutWithMarks, ReadsOrAsksBeforeTheCut) {
    const CutCase& c = GetParam();
    WindowRig::Remember("TomboAuto", c.tomboAuto);
    WindowRig::Remember("TomboDisX", c.distanceX);
    m_rig.commandLine.m_bCutMode = 1;
    m_rig.sim.m_nMarksRead = c.marksRead;
    m_rig.sim.m_markReadReplies = c.replies;
    Open();
    m_rig.recording.Sink().AnswerNext(c.answer1807);
    Click(ctl::kOk);
    EXPECT_EQ(m_rig.TakeWire(), Query("C1") + c.wire);
    EXPECT_EQ(m_rig.ShownCodes(), c.shown);
    EXPECT_EQ(!m_rig.Dlg().isVisible(), c.closed);
    EXPECT_EQ(Stored("UnitType").isValid(), c.closed);
    if (c.closed) {
        EXPECT_EQ(m_rig.Dlg().result(), CControllerDlg::kResultOk);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Closing, CutWithMarks,
    ::testing::Values(CutCase{"AutomaticSearchRead",
                              1,
                              300000,
                              0,
                              false,
                              {"1", "2"},
                              MarkStart("TB123,6000,4000,") + kPoll + kPoll,
                              {},
                              true},
                      CutCase{"AutomaticSearchFailedStaysOpen",
                              1,
                              300000,
                              0,
                              false,
                              {"10"},
                              MarkStart("TB123,6000,4000,") + kPoll,
                              {msg::kMarkReadingFailed},
                              false},
                      CutCase{"XOutOfRangeStaysOpen",
                              1,
                              50000100,
                              0,
                              false,
                              {"2"},
                              "",
                              {msg::kRangeMarkDistXMm},
                              false},
                      CutCase{"ReadByHand", 0, 300000, 1, false, {"2"}, Command("TC23,"), {}, true},
                      CutCase{"NotReadCutAnyway",
                              0,
                              300000,
                              0,
                              true,
                              {"2"},
                              Command("TC23,"),
                              {msg::kConfirmMarksNotRead},
                              true}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace

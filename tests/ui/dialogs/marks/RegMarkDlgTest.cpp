// The Registration Mark Settings window, driven offscreen by control id.
#include "tests/ui/UserInput.h"
#include "tests/ui/dialogs/common/ShownCodes.h"

#include "conditions/units/LengthUnits.h"
#include "core/ControllerCommandLine.h"
#include "core/ControllerSettings.h"
#include "models/PlotterModel.h"
#include "skin/SkinControl.h"
#include "skin/SkinPictures.h"
#include "ui/dialogs/marks/RegMarkDlg.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <set>
#include <vector>

namespace {

using Dlg = CRegMarkDlg;

// The application's objects as the main window hands them over, with a WX8800-60 by default.
struct MarkSettingsRig {
    explicit MarkSettingsRig(std::string_view type = "WX8800-60") { model.Identify(type); }

    // Builds the window, sets it up and shows it.
    Dlg& Open() {
        dialog = std::make_unique<Dlg>(settings, commandLine, model, folders,
                                       [this](QWidget* window, int topic) {
                                           helpWindow = window;
                                           helpTopic = topic;
                                       });
        EXPECT_EQ(dialog->OnInitDialog(), 0);
        dialog->show();
        dialog->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        return *dialog;
    }

    QLineEdit* Edit(int id) const { return qobject_cast<QLineEdit*>(dialog->Control(id)); }
    void Click(int id) const { qobject_cast<QAbstractButton*>(dialog->Control(id))->click(); }
    // Empties the edit as the user would and types `keys` into it.
    void Type(int id, const char* keys) const {
        QLineEdit* edit = Edit(id);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, keys);
    }

    CScopedRecordingSink recording;
    CControllerCommandLine commandLine;
    CPlotterModel model;
    CControllerSettings settings{true};
    CSkinFolders folders{QUIRN_RUNTIME_DIR, "BMP/ENG"};
    std::unique_ptr<Dlg> dialog;
    QWidget* helpWindow = nullptr;
    int helpTopic = -1;
};

TEST(RegMarkDlg, ShowsTheValuesInTheDisplayUnit) {
    const struct {
        int unit;
        char separator;
        const char* step;
        const char* length;
        const char* thickness;
        const char* unitText;
    } cases[] = {
        {kUnitMetric, '.', "500.0", "20.0", "0.5", "mm"},
        {kUnitMetric, ',', "500,0", "20,0", "0,5", "mm"},
        {kUnitInch, '.', "19.680", "0.787", "0.020", "inch"},
    };
    for (const auto& c : cases) {
        MarkSettingsRig rig;
        rig.settings.m_nUnitType = c.unit;
        rig.settings.m_cDecimalSeparator = c.separator;
        rig.settings.m_nTmbLength = 20000;
        Dlg& dialog = rig.Open();
        EXPECT_EQ(dialog.windowTitle(), "Registration Mark Settings");
        EXPECT_EQ(dialog.size(), QSize(306, 485));
        EXPECT_EQ(rig.Edit(Dlg::kIdStep)->text(), c.step);
        EXPECT_EQ(rig.Edit(Dlg::kIdLength)->text(), c.length);
        EXPECT_EQ(rig.Edit(Dlg::kIdThickness)->text(), c.thickness);
        for (const int label : {Dlg::kIdStepUnit, Dlg::kIdLengthUnit, Dlg::kIdThicknessUnit}) {
            EXPECT_EQ(qobject_cast<QLabel*>(dialog.Control(label))->text(), c.unitText);
        }
        EXPECT_EQ(rig.Edit(Dlg::kIdLength)->palette().color(QPalette::Text), QColor(255, 0, 0));
        EXPECT_EQ(rig.Edit(Dlg::kIdThickness)->palette().color(QPalette::Text), QColor(0, 0, 255));
    }
}

// What a typed text becomes, and what OK makes of it: the settings, or the range message with
// its limits and the focus on the edit.
TEST(RegMarkDlg, TypedValuesAreFilteredStoredAndCheckedOnOk) {
    const struct {
        int unit;
        char separator;
        int method;
        int edit;
        const char* keys;
        const char* shown; // the edit's text after typing
        int code;          // 0: OK closes the window
        const char* range; // quoted by the message
        std::int32_t stored;
    } cases[] = {
        {kUnitMetric, '.', 1, Dlg::kIdLength, "12.34", "12.3", 0, "", 12300},
        {kUnitMetric, '.', 1, Dlg::kIdLength, "5-", "5", 0, "", 5000},
        {kUnitMetric, '.', 1, Dlg::kIdLength, "-5", "-5", 1206, "5.0 to 20.0 mm.", 0},
        {kUnitMetric, '.', 1, Dlg::kIdLength, "", "", 1206, "5.0 to 20.0 mm.", 0},
        {kUnitMetric, '.', 1, Dlg::kIdLength, "99999999999", "99999999999", 1206, "5.0 to 20.0", 0},
        {kUnitMetric, ',', 1, Dlg::kIdLength, "12,5", "12,5", 0, "", 12500},
        {kUnitMetric, ',', 1, Dlg::kIdLength, "12.5", "12,5", 0, "", 12500}, // the other separator
        {kUnitMetric, '.', 1, Dlg::kIdThickness, "1.01", "1.0", 0, "", 1000},
        {kUnitMetric, '.', 1, Dlg::kIdThickness, "0.2", "0.2", 1208, "0.3 to 1.0 mm.", 0},
        {kUnitMetric, '.', 3, Dlg::kIdStep, "100.0", "100.0", 0, "", 100000},
        {kUnitMetric, '.', 3, Dlg::kIdStep, "99.9", "99.9", 1204, "100.0 to 10000.0 mm.", 0},
        {kUnitInch, '.', 1, Dlg::kIdLength, "0.1234", "0.123", 1207, "0.197 to 0.787 inches.", 0},
        {kUnitInch, '.', 1, Dlg::kIdLength, "0.197", "0.197", 0, "", 5004},
        {kUnitInch, '.', 1, Dlg::kIdLength, "0.196", "0.196", 1207, "0.197 to 0.787 inches.", 0},
        {kUnitInch, '.', 1, Dlg::kIdThickness, "1e10", "110", 1209, "0.012 to 0.039 inches.", 0},
        {kUnitInch, '.', 1, Dlg::kIdThickness, "0.012", "0.012", 0, "", 304},
        {kUnitInch, '.', 3, Dlg::kIdStep, "3.935", "3.935", 1205, "3.936 to 393.609 inches.", 0},
    };
    for (const auto& c : cases) {
        MarkSettingsRig rig;
        rig.settings.m_nUnitType = c.unit;
        rig.settings.m_cDecimalSeparator = c.separator;
        rig.settings.m_nTmbReadType = c.method;
        const CControllerSettings before = rig.settings;
        Dlg& dialog = rig.Open();
        rig.Type(c.edit, c.keys);
        const std::string where = std::string(c.keys) + " into " + std::to_string(c.edit);
        EXPECT_EQ(rig.Edit(c.edit)->text(), c.shown) << where;

        rig.Click(Dlg::kIdOk);
        const CControllerSettings& after = rig.settings;
        const int stored = c.edit == Dlg::kIdStep     ? after.m_nTmbStep
                           : c.edit == Dlg::kIdLength ? after.m_nTmbLength
                                                      : after.m_nTmbThickness;
        if (c.code == 0) {
            EXPECT_TRUE(ShownCodes(rig.recording.Sink()).empty()) << where;
            EXPECT_EQ(dialog.result(), Dlg::kResultOk) << where;
            EXPECT_EQ(stored, c.stored) << where;
            continue;
        }
        ASSERT_EQ(ShownCodes(rig.recording.Sink()), std::vector<int>{c.code}) << where;
        EXPECT_NE(rig.recording.Sink().m_vecShown[0].text.find(c.range), std::string::npos)
            << rig.recording.Sink().m_vecShown[0].text;
        EXPECT_TRUE(dialog.isVisible()) << where;
        EXPECT_EQ(QApplication::focusWidget(), rig.Edit(c.edit)) << where;
        EXPECT_EQ(rig.Edit(c.edit)->selectedText(), c.shown) << where;
        EXPECT_EQ(after.m_nTmbStep, before.m_nTmbStep) << where;
        EXPECT_EQ(after.m_nTmbLength, before.m_nTmbLength) << where;
        EXPECT_EQ(after.m_nTmbThickness, before.m_nTmbThickness) << where;
    }
}

// What the window shows from the stored settings or a launch value passes OK untouched in
// either unit and stays exactly as it was, although in inches each of these edges lies beyond
// the exact bound of its rounded text (5000 um shows as 0.197, which reads as 5004). An edit a
// launch value fixed does not hold up the other changes.
TEST(RegMarkDlg, ShownValuesPassOkUntouchedAndStayAsTheyWere) {
    const struct {
        std::int32_t step;
        std::int32_t length;
        std::int32_t thickness;
    } edges[] = {{100000, 5000, 300}, {10000000, 20000, 1000}};
    int CControllerCommandLine::*const fixed[] = {nullptr, &CControllerCommandLine::m_bMarkStep,
                                                  &CControllerCommandLine::m_bMarkLength,
                                                  &CControllerCommandLine::m_bMarkThickness};
    for (const int unit : {kUnitMetric, kUnitInch}) {
        for (const auto& edge : edges) {
            for (const auto flag : fixed) {
                MarkSettingsRig rig;
                rig.settings.m_nUnitType = unit;
                rig.settings.m_nTmbReadType = Dlg::kMethodArea;
                rig.settings.m_nTmbType = 1;
                rig.settings.m_nTmbStep = edge.step;
                rig.settings.m_nTmbLength = edge.length;
                rig.settings.m_nTmbThickness = edge.thickness;
                if (flag != nullptr) {
                    rig.commandLine.*flag = 1;
                }
                Dlg& dialog = rig.Open();
                rig.Click(Dlg::kIdTypeInside);
                rig.Click(Dlg::kIdOk);
                const std::string where = std::to_string(unit) + "/" + std::to_string(edge.length);
                EXPECT_TRUE(ShownCodes(rig.recording.Sink()).empty()) << where;
                EXPECT_EQ(dialog.result(), Dlg::kResultOk) << where;
                EXPECT_EQ(rig.settings.m_nTmbType, 0) << where;
                EXPECT_EQ(rig.settings.m_nTmbStep, edge.step) << where;
                EXPECT_EQ(rig.settings.m_nTmbLength, edge.length) << where;
                EXPECT_EQ(rig.settings.m_nTmbThickness, edge.thickness) << where;
            }
        }
    }
}

// A text put back as it was shown keeps the stored value; any other text is a typed value.
TEST(RegMarkDlg, ATextPutBackKeepsTheStoredValue) {
    for (const auto& [typed, stored] : {std::pair{"0.197", 5000}, {"00.197", 5004}}) {
        MarkSettingsRig rig;
        rig.settings.m_nUnitType = kUnitInch;
        rig.settings.m_nTmbLength = 5000;
        Dlg& dialog = rig.Open();
        rig.Type(Dlg::kIdLength, "0.5");
        rig.Type(Dlg::kIdLength, typed);
        rig.Click(Dlg::kIdOk);
        EXPECT_EQ(dialog.result(), Dlg::kResultOk) << typed;
        EXPECT_EQ(rig.settings.m_nTmbLength, stored) << typed;
    }
}

// The bounds a range message quotes are the ones the check applies to what the edit shows:
// each passes when typed, and one shown step beyond it fails with the same message.
TEST(RegMarkDlg, TheQuotedBoundsAreTheCheckedOnes) {
    const QRegularExpression quoted("range (\\S+) to (\\S+) ");
    for (const int unit : {kUnitMetric, kUnitInch}) {
        for (const int edit : {Dlg::kIdStep, Dlg::kIdLength, Dlg::kIdThickness}) {
            // What OK makes of `keys` in the edit: the message shown, or "" when it passed.
            const auto ok = [&](const QString& keys) {
                MarkSettingsRig rig;
                rig.settings.m_nUnitType = unit;
                rig.settings.m_nTmbReadType = Dlg::kMethodArea;
                rig.Open();
                rig.Type(edit, keys.toLatin1().constData());
                rig.Click(Dlg::kIdOk);
                const auto& shown = rig.recording.Sink().m_vecShown;
                return shown.empty() ? std::string() : shown.front().text;
            };
            const std::string message = ok("99999");
            const QRegularExpressionMatch bounds = quoted.match(QString::fromStdString(message));
            ASSERT_TRUE(bounds.hasMatch()) << message;
            const int decimals = unit == kUnitInch ? 3 : 1;
            const double step = std::pow(10.0, -decimals);
            for (const auto& [bound, beyond] :
                 {std::pair{bounds.captured(1), -step}, {bounds.captured(2), step}}) {
                EXPECT_EQ(ok(bound), "") << edit << " " << bound.toStdString();
                const QString outside = QString::number(bound.toDouble() + beyond, 'f', decimals);
                EXPECT_EQ(ok(outside), message) << edit << " " << outside.toStdString();
            }
        }
    }
}

TEST(RegMarkDlg, CancelDiscardsEveryChange) {
    MarkSettingsRig rig;
    rig.settings.m_nTmbReadType = 1;
    rig.settings.m_nTmbType = 1;
    const CControllerSettings before = rig.settings;
    Dlg& dialog = rig.Open();
    rig.Click(Dlg::kIdArea);
    rig.Click(Dlg::kIdTypeInside);
    rig.Type(Dlg::kIdStep, "200");
    rig.Type(Dlg::kIdLength, "15");
    rig.Click(Dlg::kIdCancel);
    EXPECT_EQ(dialog.result(), Dlg::kResultCancel);
    EXPECT_EQ(rig.settings.m_nTmbReadType, before.m_nTmbReadType);
    EXPECT_EQ(rig.settings.m_nTmbType, before.m_nTmbType);
    EXPECT_EQ(rig.settings.m_nTmbStep, before.m_nTmbStep);
    EXPECT_EQ(rig.settings.m_nTmbLength, before.m_nTmbLength);
}

// Which controls the user may change, by the launch values that fixed some of them, the
// model and the method.
TEST(RegMarkDlg, LaunchValuesAndTheModelDisableTheirControls) {
    const std::set<int> methods{Dlg::kIdTwoPoints, Dlg::kIdThreePoints, Dlg::kIdFourPoints,
                                Dlg::kIdArea};
    const std::set<int> types{Dlg::kIdTypeInside, Dlg::kIdTypeOutside};
    const std::set<int> step{Dlg::kIdStepLabel, Dlg::kIdStepALabel, Dlg::kIdStep, Dlg::kIdStepUnit};
    const std::set<int> length{Dlg::kIdLength, Dlg::kIdLengthUnit};
    const std::set<int> thickness{Dlg::kIdThickness, Dlg::kIdThicknessUnit};
    const struct {
        const char* name;
        const char* model;
        int method;
        int CControllerCommandLine::*flag;
        std::set<int> disabled;
    } cases[] = {
        {"nothing fixed", "WX8800-60", 1, nullptr, step},
        {"nothing fixed, Area", "WX8800-60", 3, nullptr, {}},
        {"Nimbo-Pro2",
         "Nimbo-Pro2",
         1,
         nullptr,
         {Dlg::kIdArea, Dlg::kIdStepLabel, Dlg::kIdStepALabel, Dlg::kIdStep, Dlg::kIdStepUnit}},
        {"TBM", "WX8800-60", 3, &CControllerCommandLine::m_bCorrection, methods},
        {"TB52", "WX8800-60", 3, &CControllerCommandLine::m_bMarkType, types},
        {"TBS", "WX8800-60", 1, &CControllerCommandLine::m_bMarkStep, step},
        {"TBS, Area", "WX8800-60", 3, &CControllerCommandLine::m_bMarkStep, {}},
        {"TB51", "WX8800-60", 3, &CControllerCommandLine::m_bMarkLength, length},
        {"TB53", "WX8800-60", 3, &CControllerCommandLine::m_bMarkThickness, thickness},
    };
    for (const auto& c : cases) {
        MarkSettingsRig rig(c.model);
        rig.settings.m_nTmbReadType = c.method;
        if (c.flag != nullptr) {
            rig.commandLine.*c.flag = 1;
        }
        Dlg& dialog = rig.Open();
        for (int id = Dlg::kIdTwoPoints; id <= Dlg::kIdThicknessUnit; ++id) {
            if (id != Dlg::kIdTypeGroup) {
                EXPECT_EQ(dialog.Control(id)->isEnabled(), !c.disabled.contains(id))
                    << c.name << ": control " << id;
            }
        }
        EXPECT_TRUE(
            qobject_cast<QRadioButton*>(dialog.Control(Dlg::kIdTwoPoints + c.method))->isChecked())
            << c.name;
    }
}

// Only the Area method checks the step; the others keep it as typed.
TEST(RegMarkDlg, TheMethodSwitchesTheStepGroupAndOkStoresTheChoice) {
    MarkSettingsRig rig;
    rig.settings.m_nTmbReadType = 1;
    rig.settings.m_nTmbType = 1;
    Dlg& dialog = rig.Open();
    rig.Click(Dlg::kIdArea);
    EXPECT_TRUE(rig.Edit(Dlg::kIdStep)->isEnabled());
    rig.Type(Dlg::kIdStep, "99.9");
    rig.Click(Dlg::kIdFourPoints);
    EXPECT_FALSE(rig.Edit(Dlg::kIdStep)->isEnabled());
    EXPECT_FALSE(dialog.Control(Dlg::kIdStepALabel)->isEnabled());
    rig.Click(Dlg::kIdTypeInside);
    rig.Click(Dlg::kIdOk);
    EXPECT_EQ(dialog.result(), Dlg::kResultOk);
    EXPECT_TRUE(ShownCodes(rig.recording.Sink()).empty());
    EXPECT_EQ(rig.settings.m_nTmbReadType, 2);
    EXPECT_EQ(rig.settings.m_nTmbType, 0);
    EXPECT_EQ(rig.settings.m_nTmbStep, 99900);
}

// Clicked as a user clicks, "Area" hands the step edit the focus with its text selected, and
// a click into the edit reaches it (the method frame around it once took that click); with
// Area the window opens so. Each way the typed step is what OK stores.
TEST(RegMarkDlg, TheStepTakesTypingAfterAreaAndAClick) {
    const struct {
        int method;
        std::vector<int> clicks;
        bool selectAll; // Ctrl+A before typing
    } cases[] = {
        {1, {Dlg::kIdArea}, false},
        {Dlg::kMethodArea, {}, false},
        {Dlg::kMethodArea, {Dlg::kIdLength, Dlg::kIdStep}, true},
    };
    for (const auto& c : cases) {
        MarkSettingsRig rig;
        rig.settings.m_nTmbReadType = c.method;
        Dlg& dialog = rig.Open();
        for (const int id : c.clicks) {
            ClickWhereShown(dialog.Control(id));
        }
        if (c.selectAll) {
            TypeIntoFocus(&dialog, "a", Qt::ControlModifier);
        }
        TypeIntoFocus(&dialog, "250");
        ClickWhereShown(dialog.Control(Dlg::kIdOk));
        EXPECT_EQ(dialog.result(), Dlg::kResultOk) << c.method;
        EXPECT_EQ(rig.settings.m_nTmbReadType, Dlg::kMethodArea) << c.method;
        EXPECT_EQ(rig.settings.m_nTmbStep, 250000) << c.method;
    }
}

TEST(RegMarkDlg, EnterIsSwallowedInTheEditsAndIsOkElsewhere) {
    MarkSettingsRig rig;
    rig.settings.m_nTmbReadType = 3;
    Dlg& dialog = rig.Open();
    rig.Type(Dlg::kIdLength, "15");
    for (const int edit : {Dlg::kIdStep, Dlg::kIdLength, Dlg::kIdThickness}) {
        rig.Edit(edit)->setFocus();
        QTest::keyClick(rig.Edit(edit), Qt::Key_Return);
        QTest::keyClick(rig.Edit(edit), Qt::Key_Enter);
        EXPECT_TRUE(dialog.isVisible()) << edit;
    }
    dialog.Control(Dlg::kIdArea)->setFocus();
    QTest::keyClick(dialog.Control(Dlg::kIdArea), Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), Dlg::kResultOk);
    EXPECT_EQ(rig.settings.m_nTmbLength, 15000);
}

TEST(RegMarkDlg, F1AsksForItsHelpAndEscapeCancels) {
    MarkSettingsRig rig;
    Dlg& dialog = rig.Open();
    rig.Type(Dlg::kIdLength, "15");
    QTest::keyClick(rig.Edit(Dlg::kIdLength), Qt::Key_F1);
    EXPECT_EQ(rig.helpWindow, &dialog);
    EXPECT_EQ(rig.helpTopic, 3);
    QTest::keyClick(rig.Edit(Dlg::kIdLength), Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), Dlg::kResultCancel);
    EXPECT_EQ(rig.settings.m_nTmbLength, 10000);
}

// The correction picture by method, media orientation and mark type, as drawn.
TEST(RegMarkDlg, DrawsTheCorrectionPictureOfTheMethod) {
    const struct {
        int method;
        int media;
        int type;
        std::string file; // empty: nothing drawn
    } cases[] = {
        {0, 0, 0, std::string(skin::kMarkAreaDisabled)},
        {1, 1, 1, std::string(skin::kMarkAreaDisabled)},
        {2, 0, 1, std::string(skin::kMarkAreaDisabled)},
        {3, 0, 0, "/TB_AREA_RT_OFF_INSIDE.BMP"},
        {3, 0, 1, "/TB_AREA_RT_OFF_OUTSIDE.BMP"},
        {3, 1, 0, "/TB_AREA_RT_ON_INSIDE.BMP"},
        {3, 1, 1, "/TB_AREA_RT_ON_OUTSIDE.BMP"},
        {3, 2, 1, ""},
    };
    for (const auto& c : cases) {
        MarkSettingsRig rig;
        rig.settings.m_nTmbReadType = c.method;
        rig.settings.m_nMediaOrient = c.media;
        rig.settings.m_nTmbType = c.type;
        Dlg& dialog = rig.Open();
        const QImage drawn = dialog.grab(Dlg::kCorrectionRect).toImage();
        if (c.file.empty()) {
            const QColor plain = drawn.pixelColor(0, 0);
            for (const QPoint at : {QPoint(40, 40), QPoint(68, 52), QPoint(100, 80)}) {
                EXPECT_EQ(drawn.pixelColor(at), plain);
            }
            continue;
        }
        const QImage expected =
            skin::LoadScaledPicture(rig.folders.CommonPicture(c.file), Dlg::kCorrectionRect.size());
        ASSERT_FALSE(expected.isNull()) << c.file;
        EXPECT_EQ(drawn.convertToFormat(QImage::Format_RGB32),
                  expected.convertToFormat(QImage::Format_RGB32))
            << c.file;
    }
}

TEST(RegMarkDlg, MissingButtonSkinsEndTheWindowWithoutChanges) {
    MarkSettingsRig rig;
    QTemporaryDir empty;
    rig.folders = CSkinFolders(empty.path(), "BMP/ENG");
    const CControllerSettings before = rig.settings;
    Dlg dialog(rig.settings, rig.commandLine, rig.model, rig.folders, nullptr);
    EXPECT_EQ(dialog.exec(), 1015);
    EXPECT_EQ(ShownCodes(rig.recording.Sink()), std::vector<int>{1015});
    EXPECT_EQ(rig.settings.m_nTmbLength, before.m_nTmbLength);
    EXPECT_EQ(rig.settings.m_nTmbReadType, before.m_nTmbReadType);
}

} // namespace

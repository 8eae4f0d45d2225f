// The condition edit window, driven offscreen by control id: what OK does in each mode on the
// wire and in the files, the names it refuses, the test cuts, the sliders' bounds and steps.
#include "ConditionRig.h"

#include "core/messages/MessageCodes.h"
#include "protocol/AdvancedSettingsLink.h"
#include "retry/RetryTick.h"
#include "skin/SkinCombo.h"
#include "skin/SkinRadio.h"
#include "skin/SkinSlider.h"
#include "ui/dialogs/common/WindowLook.h"
#include "ui/dialogs/conditions/CondEditDlg.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <memory>

namespace {

using Dlg = CCondEditDlg;

const std::string kStatus = kEsc + ".C1:";
// The current list (KR16U: tool 3) and another one (KR10A (1): tool 2) of a WX8800-60.
const CuttingCondition kVinyl{"Vinyl", "KR16U", 14, 40, 2, 1};
const CuttingCondition kPaper{"Paper", "KR10A (1)", 10, 20, 3, -2};
const std::string kVinylBytes = ConditionBytes(3, 14, 400, 10, 1);

std::unique_ptr<Dlg> Open(ConditionRig& rig, Dlg::Mode mode, const CuttingCondition& list) {
    auto dlg = std::make_unique<Dlg>(rig.Links());
    dlg->SetMode(mode);
    dlg->SetCondition(list);
    EXPECT_EQ(dlg->OnInitDialog(), msg::kOk);
    dlg->show();
    QApplication::setActiveWindow(dlg.get());
    EXPECT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
    return dlg;
}

QString TextOf(Dlg& dlg, int id) {
    return static_cast<QLabel*>(dlg.Control(id))->text();
}

CSkinSlider* Slider(Dlg& dlg, int id) {
    return static_cast<CSkinSlider*>(dlg.Control(id));
}

// A press and release on the slider at x, as on its arrows or its track.
void PressSlider(Dlg& dlg, int id, int x) {
    QTest::mousePress(Slider(dlg, id), Qt::LeftButton, {}, QPoint(x, 8));
    QTest::mouseRelease(Slider(dlg, id), Qt::LeftButton, {}, QPoint(x, 8));
}

// A key typed while the control has the focus.
void PressKey(Dlg& dlg, int id, Qt::Key key) {
    dlg.Control(id)->setFocus();
    QTest::keyClick(dlg.Control(id), key);
}

void ChooseBlade(Dlg& dlg, const char* blade) {
    auto* combo = static_cast<CSkinCombo*>(dlg.Control(Dlg::kIdBlade));
    combo->setCurrentIndex(combo->findText(blade));
}

class CondEdit : public ::testing::Test {
protected:
    void SetUp() override {
        m_rig.Load({kVinyl, kPaper}, "Vinyl");
        m_rig.TakeWire();
    }
    ConditionRig m_rig;
};

// The edited values go first, then the pattern, then the main window's condition again; the
// progress window follows once all of that is on the wire.
TEST_F(CondEdit, TestCutSendsTheEditedValuesThenPutsTheMainConditionBack) {
    struct Case {
        const char* what;
        std::function<void(Dlg&)> start;
        int question;
        std::string cut;
    } const cases[] = {
        {"button", [](Dlg& d) { Click(d, Dlg::kIdTestCut); }, msg::kConfirmTestCut, "TC7," + kEtx},
        {"F9", [](Dlg& d) { PressKey(d, Dlg::kIdName, Qt::Key_F9); }, msg::kConfirmFiveTestCuts,
         "TC8," + kEtx},
    };
    for (const Case& c : cases) {
        ConditionRig rig;
        rig.Load({kVinyl, kPaper}, "Vinyl");
        rig.TakeWire();
        const auto dlg = Open(rig, Dlg::kModeEdit, kPaper);
        ChooseBlade(*dlg, "KR16U-SQ");
        PressSlider(*dlg, Dlg::kIdQuality, 175); // quality 3 -> 4
        rig.Answer(true);
        c.start(*dlg);

        const std::string expected =
            kStatus + ConditionBytes(3, 10, 200, 20, -2) + c.cut + kVinylBytes;
        EXPECT_EQ(rig.TakeWire(), expected) << c.what;
        EXPECT_EQ(rig.wireAtProgress, std::vector<std::string>{expected}) << c.what;
        EXPECT_EQ(rig.ShownCodes(), std::vector<int>{c.question}) << c.what;
        EXPECT_TRUE(dlg->isVisible()) << c.what;
        EXPECT_EQ(rig.store.FindCondition("Paper"), kPaper) << c.what; // nothing stored
    }
}

TEST_F(CondEdit, TestCutsAreOffWhileThePlotterUsesItsOwnConditions) {
    m_rig.settings.m_nCutCondSetting = 0;
    const auto dlg = Open(m_rig, Dlg::kModeEdit, kPaper);
    for (const int id :
         {Dlg::kIdTestCut, Dlg::kIdFiveTestCut, Dlg::kIdTestLabel, Dlg::kIdFiveTestLabel}) {
        EXPECT_FALSE(dlg->Control(id)->isEnabled()) << id;
    }
    PressKey(*dlg, Dlg::kIdName, Qt::Key_F8);
    PressKey(*dlg, Dlg::kIdName, Qt::Key_F9);
    Click(*dlg, Dlg::kIdTestCut);
    EXPECT_TRUE(m_rig.ShownCodes().empty());
    EXPECT_EQ(m_rig.TakeWire(), "");
}

// OK by mode: what is asked, what the plotter gets, what the file and the current condition
// become. Every case raises the force by one.
TEST(CondEditOk, EachModeStoresAndSendsWhatItShould) {
    struct Case {
        const char* what;
        Dlg::Mode mode;
        CuttingCondition list;
        int cutCondSetting;
        std::vector<bool> answers;
        std::vector<int> codes;
        bool sent;
        bool closed;
    } const cases[] = {
        {"edit current", Dlg::kModeEditCurrent, kVinyl, 1, {}, {}, true, true},
        {"import asks 1810", Dlg::kModeImport, kVinyl, 1, {true}, {1810}, true, true},
        {"import declined", Dlg::kModeImport, kVinyl, 1, {false}, {1810}, false, false},
        {"list in use asks 1811", Dlg::kModeEdit, kVinyl, 1, {true}, {1811}, true, true},
        {"list in use declined", Dlg::kModeEdit, kVinyl, 1, {false}, {1811}, false, false},
        {"other list", Dlg::kModeEdit, kPaper, 1, {}, {}, false, true},
        {"list in use, panel settings", Dlg::kModeEdit, kVinyl, 0, {}, {}, false, true},
    };
    for (const Case& c : cases) {
        ConditionRig rig;
        rig.Load({kVinyl, kPaper}, "Vinyl");
        rig.settings.m_nCutCondSetting = c.cutCondSetting;
        rig.TakeWire();
        const std::string fileBefore = ReadText(rig.File(c.list.m_strName));
        const auto dlg = Open(rig, c.mode, c.list);
        PressSlider(*dlg, Dlg::kIdForce, 175);
        for (const bool answer : c.answers) {
            rig.Answer(answer);
        }
        Click(*dlg, Dlg::kIdOk);

        CuttingCondition edited = c.list;
        ++edited.m_nForce;
        EXPECT_EQ(rig.ShownCodes(), c.codes) << c.what;
        EXPECT_EQ(rig.TakeWire(), c.sent ? kStatus + ConditionBytes(3, 15, 400, 10, 1) : "")
            << c.what;
        EXPECT_EQ(dlg->isVisible(), !c.closed) << c.what;
        EXPECT_EQ(rig.store.FindCondition(c.list.m_strName), c.closed ? edited : c.list) << c.what;
        if (!c.closed) {
            EXPECT_EQ(ReadText(rig.File(c.list.m_strName)), fileBefore) << c.what;
        }
        // The current condition follows its list, sent or not.
        const bool current = c.closed && c.list.m_strName == "Vinyl";
        EXPECT_EQ(rig.settings.m_condition, current ? edited : kVinyl) << c.what;
        EXPECT_EQ(rig.unsent.Bits(), 0u) << c.what;
    }
}

// Not ready: the list is stored and current without a message, and the retry timer's next
// tick on a ready plotter sends it.
TEST_F(CondEdit, BusyPlotterKeepsTheEditForTheRetryTimer) {
    m_rig.link.sim.m_nStatus = 1;
    const auto dlg = Open(m_rig, Dlg::kModeEditCurrent, kVinyl);
    PressSlider(*dlg, Dlg::kIdSpeed, 175);
    Click(*dlg, Dlg::kIdOk);

    const CuttingCondition edited{"Vinyl", "KR16U", 14, 41, 2, 1};
    EXPECT_TRUE(m_rig.ShownCodes().empty());
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(m_rig.TakeWire(), kStatus);
    EXPECT_EQ(m_rig.unsent.Bits(), unsigned{CUnsentChanges::kCuttingCondition});
    EXPECT_EQ(m_rig.settings.m_condition, edited);
    EXPECT_EQ(m_rig.store.FindCondition("Vinyl"), edited);

    m_rig.link.sim.m_nStatus = 0;
    CAdvancedSettingsLink advanced(m_rig.link.port, m_rig.link.model);
    CRetryTick tick(m_rig.link.port, m_rig.commands, advanced, m_rig.unsent, m_rig.retryValues);
    tick.OnTick();
    EXPECT_EQ(m_rig.TakeWire(), kStatus + ConditionBytes(3, 14, 410, 10, 1));
    EXPECT_EQ(m_rig.unsent.Bits(), 0u);
}

// Any other failure is shown; the window keeps the values on screen, and the file, the store
// and the current condition stay as they were.
TEST_F(CondEdit, FailedSendChangesNothing) {
    m_rig.link.FailWritesStartingWith("TC5", msg::kWriteFailed);
    const std::string fileBefore = ReadText(m_rig.File("Vinyl"));
    const auto dlg = Open(m_rig, Dlg::kModeEditCurrent, kVinyl);
    PressSlider(*dlg, Dlg::kIdForce, 175);
    Click(*dlg, Dlg::kIdOk);

    EXPECT_EQ(m_rig.ShownCodes(), std::vector<int>{msg::kWriteFailed});
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(TextOf(*dlg, Dlg::kIdForceValue), "15");
    EXPECT_EQ(ReadText(m_rig.File("Vinyl")), fileBefore);
    EXPECT_EQ(m_rig.store.FindCondition("Vinyl"), kVinyl);
    EXPECT_EQ(m_rig.settings.m_condition, kVinyl);
    EXPECT_EQ(m_rig.unsent.Bits(), 0u);
}

// Names typed for a new list: refused ones leave the window open and the folder alone;
// accepted ones get their own file, which a reload finds again.
TEST(CondEditNames, RefusedAndAcceptedNames) {
    struct Case {
        std::string name;
        int code;
    };
    std::vector<Case> cases;
    for (const char c : std::string("\\/:*?\"<>|")) {
        cases.push_back({std::string("a") + c + "b", msg::kInvalidName});
    }
    cases.push_back({"", msg::kInvalidName});
    cases.push_back({".", msg::kInvalidName});
    cases.push_back({"..", msg::kInvalidName});
    cases.push_back({"Paper", msg::kNameInUse});
    cases.push_back({"   ", msg::kOk});
    cases.push_back({"paper", msg::kOk}); // differs from "Paper" in letter case only
    for (const Case& c : cases) {
        ConditionRig rig;
        rig.Load({kVinyl, kPaper}, "Vinyl");
        const std::vector<std::string> before = rig.Files();
        const auto dlg = Open(rig, Dlg::kModeNew, rig.store.DefaultCondition("New Media"));
        static_cast<QLineEdit*>(dlg->Control(Dlg::kIdName))
            ->setText(QString::fromStdString(c.name));
        Click(*dlg, Dlg::kIdOk);

        if (c.code != msg::kOk) {
            EXPECT_EQ(rig.ShownCodes(), std::vector<int>{c.code}) << c.name;
            EXPECT_TRUE(dlg->isVisible()) << c.name;
            EXPECT_EQ(rig.Files(), before) << c.name;
            continue;
        }
        EXPECT_TRUE(rig.ShownCodes().empty()) << c.name;
        EXPECT_FALSE(dlg->isVisible()) << c.name;
        CuttingCondition reloaded = kVinyl;
        ASSERT_EQ(rig.store.Load(reloaded), msg::kOk);
        EXPECT_EQ(rig.store.GetCount(), 3) << c.name;
        EXPECT_EQ(rig.store.FindCondition(c.name).m_strBlade, "KR10A (1)") << c.name;
        EXPECT_EQ(rig.store.FindCondition("Paper"), kPaper) << c.name;
    }
}

// A new list and a copy are offered a name no list has, which OK stores as it is; a copy keeps
// the source's values. A list whose file name holds a character that a typed name may not
// (copied in by hand) is edited and stored under its own name.
TEST(CondEditNames, ProposedAndOwnNamesAreStored) {
    const CuttingCondition kColon{"Sign: red", "KR16U", 20, 30, 4, 0};
    const CuttingCondition kPaper2{"Paper (2)", "KR10A (1)", 11, 21, 4, -1};
    const struct {
        const char* what;
        Dlg::Mode mode;
        std::vector<CuttingCondition> lists;
        CuttingCondition source;
        std::string shown;
    } cases[] = {
        {"copy", Dlg::kModeCopy, {kVinyl, kPaper}, kPaper, "Paper (2)"},
        {"copy, (2) taken", Dlg::kModeCopy, {kVinyl, kPaper, kPaper2}, kPaper, "Paper (3)"},
        {"copy of a copy", Dlg::kModeCopy, {kVinyl, kPaper, kPaper2}, kPaper2, "Paper (3)"},
        {"copy of a hand-made name", Dlg::kModeCopy, {kVinyl, kColon}, kColon, "Sign: red (2)"},
        {"new, name taken",
         Dlg::kModeNew,
         {kVinyl, {"New Media", "KR16U", 1, 1, 1, 0}},
         {"New Media", "KR10A (1)", 1, 1, 1, 0},
         "New Media (2)"},
        {"edit a hand-made name", Dlg::kModeEdit, {kVinyl, kColon}, kColon, "Sign: red"},
        {"edit the current hand-made name",
         Dlg::kModeEditCurrent,
         {kColon, kVinyl},
         kColon,
         "Sign: red"},
    };
    for (const auto& c : cases) {
        ConditionRig rig;
        rig.Load(c.lists, c.lists.front().m_strName);
        const auto dlg = Open(rig, c.mode, c.source);
        EXPECT_EQ(static_cast<QLineEdit*>(dlg->Control(Dlg::kIdName))->text().toStdString(),
                  c.shown)
            << c.what;
        PressSlider(*dlg, Dlg::kIdForce, 175);
        Click(*dlg, Dlg::kIdOk);

        EXPECT_TRUE(rig.ShownCodes().empty()) << c.what;
        EXPECT_FALSE(dlg->isVisible()) << c.what;
        CuttingCondition stored = c.source;
        stored.m_strName = c.shown;
        ++stored.m_nForce;
        CuttingCondition reloaded;
        ASSERT_EQ(rig.store.Load(reloaded), msg::kOk);
        EXPECT_EQ(rig.store.FindCondition(c.shown), stored) << c.what;
        if (c.shown != c.source.m_strName) { // the list it started from stays as it was
            EXPECT_EQ(rig.store.FindCondition(c.source.m_strName),
                      *std::ranges::find(c.lists, c.source.m_strName, &CuttingCondition::m_strName))
                << c.what;
        }
    }
}

TEST_F(CondEdit, TitleAndNameBoxByMode) {
    const struct {
        Dlg::Mode mode;
        const char* title;
        bool editable;
    } cases[] = {
        {Dlg::kModeEditCurrent, "Edit cutting conditions", false},
        {Dlg::kModeImport, "Import cutting conditions from plotter", false},
        {Dlg::kModeNew, "Create new cutting conditions", true},
        {Dlg::kModeEdit, "Edit cutting conditions", false},
        {Dlg::kModeCopy, "Copy cutting conditions", true},
    };
    for (const auto& c : cases) {
        const auto dlg = Open(m_rig, c.mode, kPaper);
        auto* name = static_cast<QLineEdit*>(dlg->Control(Dlg::kIdName));
        EXPECT_EQ(dlg->windowTitle(), c.title);
        EXPECT_EQ(name->text(), c.editable ? "Paper (2)" : "Paper");
        EXPECT_EQ(name->isReadOnly(), !c.editable) << c.title;
        // A box that takes no typing shows the window's background, not a field's white.
        const QImage shown = name->grab().toImage();
        EXPECT_EQ(shown.pixelColor(shown.width() - 5, shown.height() / 2) == kWindowBackground,
                  !c.editable)
            << c.title;
    }
}

// The bounds labels, the slider ranges and whether quality is offered, per model.
TEST(CondEditLevels, BoundsFollowTheModel) {
    struct Case {
        const char* model;
        const char* blade;
        IntRange force, speed, quality;
        bool quality_offered;
    } const cases[] = {
        {"WX8800-60", "KR16U", {1, 48}, {1, 105}, {1, 8}, true},
        {"Nimbo-Pro2", "KR16U", {1, 31}, {1, 40}, {1, 1}, false},
        {"RX3600-120", "KR16U", {1, 38}, {1, 71}, {1, 2}, true},
    };
    for (const Case& c : cases) {
        ConditionRig rig(c.model);
        const auto dlg = Open(rig, Dlg::kModeNew, {"New Media", c.blade, 20, 50, 1, 0});
        const struct {
            int slider, lower, upper;
            IntRange bounds;
        } levels[] = {
            {Dlg::kIdForce, Dlg::kIdForceLower, Dlg::kIdForceUpper, c.force},
            {Dlg::kIdSpeed, Dlg::kIdSpeedLower, Dlg::kIdSpeedUpper, c.speed},
            {Dlg::kIdQuality, Dlg::kIdQualityLower, Dlg::kIdQualityUpper, c.quality},
        };
        for (const auto& level : levels) {
            EXPECT_EQ(Slider(*dlg, level.slider)->minimum(), level.bounds.nMin) << c.model;
            EXPECT_EQ(Slider(*dlg, level.slider)->maximum(), level.bounds.nMax) << c.model;
            EXPECT_EQ(TextOf(*dlg, level.lower), QString::number(level.bounds.nMin)) << c.model;
            EXPECT_EQ(TextOf(*dlg, level.upper), QString::number(level.bounds.nMax)) << c.model;
        }
        EXPECT_EQ(Slider(*dlg, Dlg::kIdQuality)->isEnabled(), c.quality_offered) << c.model;
        EXPECT_EQ(dlg->Control(Dlg::kIdQualityLabel)->isEnabled(), c.quality_offered) << c.model;
        for (const int id : {Dlg::kIdQualityValue, Dlg::kIdQualityLower, Dlg::kIdQualityUpper}) {
            EXPECT_EQ(dlg->Control(id)->isVisible(), c.quality_offered) << c.model << " " << id;
        }
        // A speed beyond the model's bounds comes in at the upper bound.
        EXPECT_EQ(TextOf(*dlg, Dlg::kIdSpeedValue),
                  QString::asprintf("%2d", std::min(50, c.speed.nMax)))
            << c.model;
    }
}

// A click on the track beside the thumb moves force and speed by 5 and quality by 1.
TEST_F(CondEdit, PageStepsOfTheLevels) {
    const struct {
        int slider;
        int value;
        const char* right;
        const char* left;
    } levels[] = {
        {Dlg::kIdForce, Dlg::kIdForceValue, "15", "10"},
        {Dlg::kIdSpeed, Dlg::kIdSpeedValue, "25", "20"},
        {Dlg::kIdQuality, Dlg::kIdQualityValue, " 4", " 3"},
    };
    const auto dlg = Open(m_rig, Dlg::kModeEdit, kPaper);
    for (const auto& level : levels) {
        const CSkinSlider* slider = Slider(*dlg, level.slider);
        PressSlider(*dlg, level.slider, slider->width() - slider->ArrowWidth() - 1);
        EXPECT_EQ(TextOf(*dlg, level.value), level.right) << level.slider;
        PressSlider(*dlg, level.slider, slider->ArrowWidth() + 1);
        EXPECT_EQ(TextOf(*dlg, level.value), level.left) << level.slider;
    }
}

// The offset follows the blade: the pen adapter's 1 to 99 in steps of 5, no offset for a tool
// series, -5 to 5 in steps of 1 for a blade. Each step: blade, then one slider press.
TEST_F(CondEdit, OffsetFollowsTheBlade) {
    struct Step {
        const char* blade;
        int pressX; // 0: no press
        const char* value;
        bool offered;
        const char* lower;
        const char* upper;
    } const steps[] = {
        {"PNH40-TQ20", 0, " 1", true, "1", "99"},   // 0 moves into the pen adapter's bounds
        {"PNH40-TQ20", 150, " 6", true, "1", "99"}, // page right: 5
        {"LM300 Series", 0, " 0", false, "0", "0"}, {"KR16U", 0, " 0", true, "-5", "5"},
        {"KR16U", 150, " 1", true, "-5", "5"}, // page right: 1
        {"KR16U", 5, " 0", true, "-5", "5"},   // line left
    };
    const auto dlg = Open(m_rig, Dlg::kModeEdit, {"Paper", "KR16U", 10, 20, 3, 0});
    for (const Step& s : steps) {
        ChooseBlade(*dlg, s.blade);
        if (s.pressX != 0) {
            PressSlider(*dlg, Dlg::kIdOffset, s.pressX);
        }
        EXPECT_EQ(TextOf(*dlg, Dlg::kIdOffsetValue), s.value) << s.blade;
        EXPECT_EQ(Slider(*dlg, Dlg::kIdOffset)->isEnabled(), s.offered) << s.blade;
        EXPECT_EQ(dlg->Control(Dlg::kIdOffsetLabel)->isEnabled(), s.offered) << s.blade;
        EXPECT_EQ(dlg->Control(Dlg::kIdOffsetValue)->isVisible(), s.offered) << s.blade;
        EXPECT_EQ(TextOf(*dlg, Dlg::kIdOffsetLower), s.lower) << s.blade;
        EXPECT_EQ(TextOf(*dlg, Dlg::kIdOffsetUpper), s.upper) << s.blade;
    }
    // What is stored is what was shown.
    Click(*dlg, Dlg::kIdOk);
    EXPECT_EQ(m_rig.store.FindCondition("Paper"),
              (CuttingCondition{"Paper", "KR16U", 10, 20, 3, 0}));
}

// Enter in the name box ends nothing; on a button it clicks that button; elsewhere it is OK.
// F1 and "About the Blades..." ask for their help pages; F6 switches keyboard jogging.
TEST_F(CondEdit, KeysAndHelp) {
    const auto dlg = Open(m_rig, Dlg::kModeNew, m_rig.store.DefaultCondition("New Media"));
    PressKey(*dlg, Dlg::kIdName, Qt::Key_Return);
    EXPECT_TRUE(dlg->isVisible());
    PressKey(*dlg, Dlg::kIdAboutBlades, Qt::Key_Return);
    EXPECT_TRUE(dlg->isVisible());
    PressKey(*dlg, Dlg::kIdName, Qt::Key_F1);
    EXPECT_EQ(m_rig.helpTopics, (std::vector<int>{5, 2}));

    auto* keyboard = static_cast<CSkinRadio*>(dlg->Control(Dlg::kIdUseKeyboard));
    PressKey(*dlg, Dlg::kIdName, Qt::Key_F6);
    EXPECT_TRUE(keyboard->IsOn());
    EXPECT_EQ(m_rig.jog.InputMode(), CJogKeyState::kInputKeyboard);
    PressKey(*dlg, Dlg::kIdUseKeyboard, Qt::Key_F6);
    EXPECT_FALSE(keyboard->IsOn());
    EXPECT_EQ(m_rig.jog.InputMode(), CJogKeyState::kInputButtons);
    EXPECT_TRUE(m_rig.ShownCodes().empty());

    PressKey(*dlg, Dlg::kIdBlade, Qt::Key_Return);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_TRUE(std::filesystem::exists(m_rig.File("New Media")));
}

} // namespace

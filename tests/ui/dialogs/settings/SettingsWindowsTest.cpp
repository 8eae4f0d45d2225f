// The Command Setting and Option windows, and what every settings window shares: the program
// icon, the title, F1 help and the About picture.
#include "core/messages/MessageCodes.h"
#include "retry/RetryTimer.h"
#include "tests/ui/dialogs/settings/SettingsRig.h"
#include "tests/ui/main/ModalAnswer.h"
#include "ui/dialogs/common/WindowLook.h"
#include "ui/dialogs/option/OptionDlg.h"
#include "ui/dialogs/settings/CommandSetDlg.h"
#include "ui/main/AboutDlg.h"

#include <QApplication>
#include <QLabel>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>

namespace {

struct SwitchCase {
    int current;
    int chosenRadio;
    int expected; // the set sent and kept
};

class CommandSwitch : public testing::TestWithParam<SwitchCase> {};

// The switch is sent also for the set already active, and the port stays locked for the wait
// window's two seconds: the retry timer's ticks meanwhile find it busy.
TEST_P(CommandSwitch, SendsTheSetAndHoldsThePortThroughTheWait) {
    const SwitchCase& c = GetParam();
    SettingsRig rig;
    rig.link.settings.m_bOtherCommandSet = c.current;
    std::mutex mutex;
    std::vector<int> ticks;
    std::atomic<bool> waiting = false;
    CRetryTimer timer(rig.link.port, [&] {
        const int ready = rig.link.port.CheckReady(false, true);
        if (waiting) {
            const std::lock_guard lock(mutex);
            ticks.push_back(ready);
        }
    });
    auto elapsed = std::chrono::steady_clock::duration{};
    rig.commands.SetCommandSetWait([&] {
        waiting = true;
        const auto start = std::chrono::steady_clock::now();
        CCommandWaitDlg::Wait();
        elapsed = std::chrono::steady_clock::now() - start;
        waiting = false;
    });
    timer.Start();

    CCommandSetDlg dlg(rig.folders, rig.commands, rig.link.settings, rig.link.commandLine, {});
    ASSERT_EQ(dlg.OnInitDialog(), msg::kOk);
    dlg.show();
    Click(dlg.Control(c.chosenRadio));
    Click(dlg.Control(CSkinnedDialog::kIdOk));
    timer.Stop();

    EXPECT_EQ(dlg.result(), CSkinnedDialog::kIdOk);
    EXPECT_EQ(rig.link.settings.m_bOtherCommandSet, c.expected);
    const std::string wire = rig.TakeWire();
    EXPECT_TRUE(wire.starts_with(kEsc + ".C1:TC24," + std::to_string(c.expected) + kEtx)) << wire;
    EXPECT_GE(elapsed, std::chrono::milliseconds(CCommandWaitDlg::kWaitMs));
    const std::lock_guard lock(mutex);
    EXPECT_GE(ticks.size(), 1u);
    EXPECT_EQ(std::count(ticks.begin(), ticks.end(), msg::kPortBusy),
              static_cast<long>(ticks.size()));
}

INSTANTIATE_TEST_SUITE_P(Sets, CommandSwitch,
                         testing::Values(SwitchCase{0, CCommandSetDlg::kIdQvcl, 0},
                                         SwitchCase{0, CCommandSetDlg::kIdHpgl, 1}));

TEST(CommandSwitch, AFailureIsShownAndTheWindowStaysCancelSendsNothing) {
    SettingsRig rig;
    rig.link.sim.m_nStatus = 1; // not ready
    CCommandSetDlg dlg(rig.folders, rig.commands, rig.link.settings, rig.link.commandLine, {});
    ASSERT_EQ(dlg.OnInitDialog(), msg::kOk);
    dlg.show();
    Click(dlg.Control(CCommandSetDlg::kIdHpgl));
    Click(dlg.Control(CSkinnedDialog::kIdOk));
    EXPECT_EQ(dlg.result(), 0);
    ASSERT_EQ(rig.Shown().size(), 1u);
    EXPECT_TRUE(rig.Shown().front().ends_with("[code = 1101]"));
    EXPECT_EQ(rig.link.settings.m_bOtherCommandSet, 0);
    EXPECT_EQ(rig.TakeWire(), kEsc + ".C1:");

    Click(dlg.Control(CSkinnedDialog::kIdCancel));
    EXPECT_EQ(dlg.result(), CSkinnedDialog::kIdCancel);
    EXPECT_EQ(rig.TakeWire(), "");
}

struct UnitCase {
    int unit;
    int radio;
    int button; // or 0: Escape
    int result;
    int kept;
};

class OptionUnit : public testing::TestWithParam<UnitCase> {};

TEST_P(OptionUnit, OkStoresTheChosenUnitAnythingElseKeepsIt) {
    const UnitCase& c = GetParam();
    SettingsRig rig;
    rig.link.settings.m_nUnitType = c.unit;
    COptionDlg dlg(rig.folders, rig.link.settings, {});
    ASSERT_EQ(dlg.OnInitDialog(), msg::kOk);
    dlg.show();
    EXPECT_TRUE(static_cast<QRadioButton*>(
                    dlg.Control(c.unit == 0 ? COptionDlg::kIdMillimetres : COptionDlg::kIdInches))
                    ->isChecked());
    Click(dlg.Control(c.radio));
    if (c.button != 0) {
        Click(dlg.Control(c.button));
    } else {
        QTest::keyClick(&dlg, Qt::Key_Escape);
    }
    EXPECT_EQ(dlg.result(), c.result);
    EXPECT_EQ(rig.link.settings.m_nUnitType, c.kept);
}

INSTANTIATE_TEST_SUITE_P(
    Units, OptionUnit,
    testing::Values(UnitCase{0, COptionDlg::kIdInches, CSkinnedDialog::kIdOk, 1, 1},
                    UnitCase{1, COptionDlg::kIdMillimetres, CSkinnedDialog::kIdOk, 1, 0},
                    UnitCase{0, COptionDlg::kIdInches, CSkinnedDialog::kIdCancel, 2, 0},
                    UnitCase{0, COptionDlg::kIdInches, 0, 2, 0}));

struct WindowCase {
    const char* title;
    int helpTopic;
    QSize size;
    std::function<std::unique_ptr<CSkinnedDialog>(SettingsRig&)> make;
};

class SettingsWindow : public testing::TestWithParam<WindowCase> {};

TEST_P(SettingsWindow, HasTheProgramIconItsTitleSizeAndHelpTopic) {
    const WindowCase& c = GetParam();
    SettingsRig rig;
    const std::unique_ptr<CSkinnedDialog> dlg = c.make(rig);
    ASSERT_EQ(dlg->OnInitDialog(), msg::kOk);
    dlg->show();
    EXPECT_EQ(dlg->windowTitle(), c.title);
    EXPECT_EQ(dlg->size(), c.size);
    EXPECT_EQ(dlg->windowIcon().availableSizes().size(), 8);
    QTest::keyClick(dlg.get(), Qt::Key_F1);
    EXPECT_EQ(rig.helpTopics, std::vector<int>{c.helpTopic});
}

ShowHelpFn Recorder(SettingsRig& rig) {
    return [&rig](QWidget*, int topic) { rig.helpTopics.push_back(topic); };
}

INSTANTIATE_TEST_SUITE_P(
    Windows, SettingsWindow,
    testing::Values(WindowCase{"Advanced Settings",
                               4,
                               {417, 410},
                               [](SettingsRig& rig) {
                                   return std::make_unique<CAdvancedDlg>(rig.Links());
                               }},
                    WindowCase{"Command Setting",
                               4,
                               {348, 75},
                               [](SettingsRig& rig) {
                                   return std::make_unique<CCommandSetDlg>(
                                       rig.folders, rig.commands, rig.link.settings,
                                       rig.link.commandLine, Recorder(rig));
                               }},
                    WindowCase{"Option", 0, {313, 75}, [](SettingsRig& rig) {
                                   return std::make_unique<COptionDlg>(
                                       rig.folders, rig.link.settings, Recorder(rig));
                               }}));

// Drawn at every size a desktop asks for, with the plotter in the middle and nothing in the
// corners; the About window shows it as its picture.
TEST(ProgramIcon, ComesInEverySizeAndIsTheAboutPicture) {
    const QIcon icon = ProgramIcon(QUIRN_RUNTIME_DIR);
    QList<QSize> sizes = icon.availableSizes();
    std::sort(sizes.begin(), sizes.end(), [](QSize a, QSize b) { return a.width() < b.width(); });
    const QList<QSize> expected = {{16, 16}, {22, 22}, {24, 24},   {32, 32},
                                   {48, 48}, {64, 64}, {128, 128}, {256, 256}};
    EXPECT_EQ(sizes, expected);
    for (const QSize size : expected) {
        const QImage image = icon.pixmap(size).toImage();
        EXPECT_EQ(image.size(), size);
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << size.width();
        EXPECT_EQ(qAlpha(image.pixel(size.width() / 2, size.height() * 3 / 8)), 255)
            << size.width();
    }
    // Between two files the larger is drawn smaller; beyond the largest, the largest as it is.
    EXPECT_EQ(icon.pixmap(QSize(40, 40)).size(), QSize(40, 40));
    EXPECT_EQ(icon.actualSize(QSize(40, 40)), QSize(40, 40));
    EXPECT_EQ(icon.pixmap(QSize(300, 300)).size(), QSize(256, 256));

    SettingsRig rig;
    CAboutDlg about(rig.folders, {});
    QImage picture;
    ModalAnswer answer(nullptr, [&](QWidget* window) {
        picture =
            static_cast<QLabel*>(static_cast<CAboutDlg*>(window)->Control(150))->pixmap().toImage();
        window->close();
    });
    about.exec();
    EXPECT_EQ(picture, icon.pixmap(32, 32).toImage());
    EXPECT_EQ(about.windowIcon().availableSizes().size(), 8);
}

} // namespace

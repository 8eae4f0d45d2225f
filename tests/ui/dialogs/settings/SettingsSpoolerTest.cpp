// The Command Setting window with a print job waiting in the plotter's queue of a private
// cupsd: the queue check follows "not LM".
#include "tests/link/PrivateCupsd.h"
#include "tests/ui/dialogs/settings/SettingsRig.h"
#include "ui/dialogs/settings/CommandSetDlg.h"

#include <cups/cups.h>
#include <gtest/gtest.h>

#include <dlfcn.h>

namespace {

// Opens the rig's port through the fake USB library, so that it lists the spooler's queues,
// then talks to the simulated plotter again.
void OpenPort(SettingsRig& rig) {
    SimPlotterLink& link = rig.link;
    link.port.SetLibraryCandidates({FAKE_ZEFRALINK});
    void* library = dlopen(FAKE_ZEFRALINK, RTLD_NOW);
    ASSERT_NE(library, nullptr);
    reinterpret_cast<void (*)(const char*)>(dlsym(library, "FakeZefr_SetPresent"))("WX8800");
    ASSERT_EQ(link.port.Open(), msg::kOk);
    dlclose(library);
    auto transport = std::make_unique<CSimPlotterTransport>(link.sim);
    link.transport = transport.get();
    link.port.SetTransport(std::move(transport));
    link.model.Identify("WX8800-60");
}

TEST(CommandSwitchSpooler, AWaitingJobHoldsTheSwitchBackUnlessLaunchedWithLm) {
    CPrivateCupsd cupsd(std::vector<CPrivateCupsd::Queue>{{"Cutter_WX", "Morvalin WX8800 Series"}});
    std::string error;
    ASSERT_TRUE(cupsd.Start(error)) << error;
    ASSERT_TRUE(cupsd.AddHeldJob("Cutter_WX"));
    cupsSetServer(cupsd.Server().c_str());
    for (const int lm : {0, 1}) {
        SettingsRig rig;
        OpenPort(rig);
        rig.link.commandLine.m_bSkipQueueCheck = lm;
        rig.commands.SetCommandSetWait([] {});
        CCommandSetDlg dlg(rig.folders, rig.commands, rig.link.settings, rig.link.commandLine, {});
        ASSERT_EQ(dlg.OnInitDialog(), msg::kOk);
        dlg.show();
        Click(dlg.Control(CCommandSetDlg::kIdHpgl));
        Click(dlg.Control(CSkinnedDialog::kIdOk));
        if (lm == 0) {
            EXPECT_EQ(dlg.result(), 0) << "the window stays open";
            ASSERT_EQ(rig.Shown().size(), 1u);
            EXPECT_TRUE(rig.Shown().front().ends_with("[code = 1100]")) << rig.Shown().front();
            EXPECT_EQ(rig.TakeWire(), "");
            EXPECT_EQ(rig.link.settings.m_bOtherCommandSet, 0);
        } else {
            EXPECT_EQ(dlg.result(), CSkinnedDialog::kIdOk);
            EXPECT_EQ(rig.Shown(), std::vector<std::string>{});
            EXPECT_EQ(rig.TakeWire(), kEsc + ".C1:TC24,1" + kEtx);
            EXPECT_EQ(rig.link.settings.m_bOtherCommandSet, 1);
        }
    }
    cupsSetServer(nullptr);
}

} // namespace

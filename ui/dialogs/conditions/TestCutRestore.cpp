#include "ui/dialogs/conditions/TestCutRestore.h"

#include "conditions/MediaList.h"
#include "core/ControllerSettings.h"
#include "protocol/PlotterCommands.h"

void ConnectTestCutRestore(CPlotterCommands& commands, const CMediaList& store,
                           const CControllerSettings& settings) {
    commands.SetCurrentCondition(
        [&store, &settings] { return store.Lookup(settings.m_condition.m_strName); });
}

#pragma once

#include "conditions/CuttingCondition.h"
#include "conditions/MediaList.h"
#include "core/ControllerSettings.h"
#include "link/PlotterPort.h"
#include "models/PlotterModel.h"
#include "protocol/AdvancedSettings.h"
#include "protocol/AdvancedSettingsLink.h"
#include "protocol/PlotterCommands.h"
#include "protocol/PlotterQueries.h"
#include "retry/RetryTick.h"
#include "retry/RetryValues.h"
#include "retry/UnsentChanges.h"

#include <string_view>

// The kinds of exchange the main window and the retry timer have with the plotter.
enum class Exchange {
    Opening, // the opening's queries: model and firmware, command set, panel settings
    Setting, // a condition chosen in the main window, sent with the ready check
    Tick,    // one retry tick with the condition unsent
    Poll,    // one Enter-state poll of the test-cut progress window
};

// What the user is left with after one exchange.
struct ExchangeOutcome {
    int nShown = 0;       // the message code shown; 0: nothing
    unsigned nUnsent = 0; // unsent-changes bits afterwards
    bool bApplied = false;
};

// The application's objects around one port, as the main window and the retry timer use
// them; the caller attaches the plotter (in-process or through the USB library).
class CFaultRig {
public:
    explicit CFaultRig(std::string_view modelType);

    ExchangeOutcome Run(Exchange exchange);

    CPlotterModel model;
    CPlotterPort port{model};
    CControllerSettings settings{true};

private:
    // The tick's view of the application: controller conditions, the rig's condition.
    class CSource : public IRetrySource {
    public:
        bool SkipQueueCheck() const override { return true; }
        bool UseControllerCondition() const override { return true; }
        std::optional<CuttingCondition> CurrentCondition() const override { return m_condition; }
        int MediaOrientation() const override { return 0; }
        AdvancedSettings StoredAdvancedSettings() const override { return {}; }
        CuttingCondition m_condition{"Vinyl", "KR16U", 14, 30, 2, 0};
    };

    CSource m_source;
    CMediaList m_mediaList{model, {}};
    CRetryValues m_retryValues{m_mediaList};
    AdvancedSettings m_advanced;
    CUnsentChanges m_unsent;
    CPlotterQueries m_queries{port, model, settings};
    CPlotterCommands m_commands{port, model};
    CAdvancedSettingsLink m_advancedLink{port, model};
    CRetryTick m_tick{port, m_commands, m_advancedLink, m_unsent, m_source};
};

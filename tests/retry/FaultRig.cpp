#include "tests/retry/FaultRig.h"

#include "core/messages/MessageCodes.h"
#include "retry/ChangeSender.h"

CFaultRig::CFaultRig(std::string_view modelType) {
    model.Identify(modelType);
    model.SelectBladeCatalogue(1033);
}

ExchangeOutcome CFaultRig::Run(Exchange exchange) {
    ExchangeOutcome outcome;
    switch (exchange) {
    case Exchange::Opening: {
        int mirror = 0;
        int code = m_queries.ReadFirmwareVersion();
        code = code != msg::kOk ? code : m_queries.ReadCommandSet();
        outcome.nShown = code != msg::kOk ? code : m_queries.ReadPanelSettings(mirror);
        outcome.bApplied = outcome.nShown == msg::kOk;
        break;
    }
    case Exchange::Setting: {
        // As the main window does: LM given (no spooler), the ready check on.
        CChangeSender sender(m_unsent, m_retryValues, settings, m_advanced, true);
        outcome.nShown = sender.Send(
            CUnsentChanges::kCuttingCondition,
            [&] { return m_commands.SendCuttingCondition(m_source.m_condition, false, true); },
            [&] { outcome.bApplied = true; });
        break;
    }
    case Exchange::Tick:
        // A tick shows nothing; what it leaves unsent tells how it went.
        m_unsent.Set(CUnsentChanges::kCuttingCondition);
        m_tick.OnTick();
        outcome.bApplied = !m_unsent.Any();
        break;
    case Exchange::Poll:
        outcome.nShown = m_queries.QueryEnterState();
        outcome.bApplied = outcome.nShown == msg::kOk;
        break;
    }
    outcome.nUnsent = m_unsent.Bits();
    // The next exchange starts with nothing left unsent.
    m_unsent.Clear(m_unsent.Bits());
    return outcome;
}

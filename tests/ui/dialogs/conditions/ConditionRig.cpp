#include "ConditionRig.h"

#include "core/ControllerSettings.h"
#include "core/messages/CMessageService.h"
#include "ui/dialogs/conditions/TestCutRestore.h"

#include <gtest/gtest.h>

ConditionRig::ConditionRig(std::string_view modelType, std::uint16_t langId, bool skipQueueCheck)
    : link(modelType), language(langId),
      store(link.model, folder.Path() / "MEDIALIST" / "ENG" / ""),
      sender(unsent, retryValues, settings, advanced, skipQueueCheck) {
    link.model.SelectBladeCatalogue(langId);
    settings.m_nCutCondSetting = 1;
    ConnectTestCutRestore(commands, store, settings);
    std::filesystem::create_directories(store.Folder());
}

void ConditionRig::Load(const std::vector<CuttingCondition>& lists, const std::string& current) {
    for (const CuttingCondition& list : lists) {
        store.WriteConditionFile(File(list.m_strName), list);
    }
    settings.m_condition.m_strName = current;
    if (store.Load(settings.m_condition) != msg::kOk) {
        ADD_FAILURE() << "no list loaded";
    }
    sender.Publish();
}

ConditionDialogLinks ConditionRig::Links() {
    return {language,
            link.model,
            settings,
            store,
            commands,
            sender,
            jog,
            programFolder,
            [this](QWidget*, int topic) { helpTopics.push_back(topic); },
            [this](QWidget*) { wireAtProgress.push_back(link.sim.Log().substr(m_nWireSeen)); }};
}

std::filesystem::path ConditionRig::File(const std::string& name) const {
    return store.Folder() / (name + ".kcd");
}

std::string ConditionRig::TakeWire() {
    std::string fresh = link.sim.Log().substr(m_nWireSeen);
    m_nWireSeen = link.sim.Log().size();
    return fresh;
}

std::vector<int> ConditionRig::ShownCodes() {
    const CStringTable& strings = CMessageService::Instance().Strings();
    std::vector<int> codes;
    for (const MessageBoxRequest& shown : recording.Sink().m_vecShown) {
        const std::size_t suffix = shown.text.rfind(" [code = ");
        if (suffix != std::string::npos) {
            codes.push_back(std::stoi(shown.text.substr(suffix + 9)));
            continue;
        }
        // A confirmation by its text, whatever its "%s" stands for.
        int code = 0;
        for (int candidate = msg::kConfirmCommandSetSwitch;
             candidate <= msg::kConfirmChangeConditions; ++candidate) {
            const std::string format = strings.LoadString(candidate);
            const std::size_t subject = format.find("%s");
            const std::string before = format.substr(0, subject);
            const std::string after =
                subject == std::string::npos ? std::string() : format.substr(subject + 2);
            if (subject == std::string::npos
                    ? shown.text == format
                    : shown.text.size() >= format.size() - 2 && shown.text.starts_with(before) &&
                          shown.text.ends_with(after)) {
                code = candidate;
            }
        }
        codes.push_back(code);
    }
    return codes;
}

std::string ConditionBytes(int tool, int force, int speed, int quality, int offset) {
    return "TC4," + std::to_string(tool) + kEtx + "TC3," + std::to_string(force) + kEtx + "TC1," +
           std::to_string(speed) + kEtx + "TC2," + std::to_string(quality) + kEtx + "TC5," +
           std::to_string(offset) + kEtx;
}

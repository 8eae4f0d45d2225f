#pragma once

#include "conditions/MediaList.h"
#include "protocol/AdvancedSettingsLink.h"
#include "protocol/PlotterCommands.h"
#include "retry/ChangeSender.h"
#include "retry/RetryValues.h"
#include "retry/UnsentChanges.h"
#include "skin/SkinFolders.h"
#include "tests/core/messages/CRecordingMessageSink.h"
#include "tests/protocol/SimPlotterLink.h"
#include "ui/dialogs/settings/AdvancedDlg.h"
#include "ui/dialogs/settings/CommandWaitDlg.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

#include <string>
#include <string_view>
#include <vector>

// The settings windows' collaborators around an in-process simulated plotter, as the
// application owns them after the main window's opening. Unit mm, separator '.'.
struct SettingsRig {
    explicit SettingsRig(std::string_view modelType = "WX8800-60") : link(modelType) {
        commands.SetCommandSetWait([] { CCommandWaitDlg::Wait(); });
    }

    AdvancedDlgLinks Links() {
        return {folders,
                advanced,
                link.model,
                link.settings,
                sender,
                commands,
                link.commandLine,
                kWidthE,
                [this](QWidget*, int topic) { helpTopics.push_back(topic); }};
    }

    // Bytes the plotter received since the last call.
    std::string TakeWire() {
        std::string wire = link.sim.Log().substr(m_nSeen);
        m_nSeen = link.sim.Log().size();
        return wire;
    }

    // Texts of the message boxes shown so far.
    std::vector<std::string> Shown() {
        std::vector<std::string> texts;
        for (const MessageBoxRequest& box : recording.Sink().m_vecShown) {
            texts.push_back(box.text);
        }
        return texts;
    }

    static constexpr int kWidthE = 91; // English

    CScopedRecordingSink recording;
    SimPlotterLink link;
    CSkinFolders folders{QUIRN_RUNTIME_DIR, "BMP/ENG"};
    CAdvancedSettingsLink advanced{link.port, link.model};
    CPlotterCommands commands{link.port, link.model};
    CUnsentChanges unsent;
    CMediaList mediaList{link.model, QUIRN_RUNTIME_DIR "/MEDIALIST/ENG/"};
    CRetryValues retryValues{mediaList};
    CChangeSender sender{unsent, retryValues, link.settings, link.settings.m_advanced, false};
    std::vector<int> helpTopics;

private:
    std::size_t m_nSeen = 0;
};

// Driving a window like a user.
inline void Click(QWidget* control) {
    QTest::mouseClick(control, Qt::LeftButton);
}
inline void Type(QWidget* edit, const QString& text) {
    static_cast<QLineEdit*>(edit)->setText(text);
}
inline void Choose(QWidget* combo, int index) {
    auto* box = static_cast<QComboBox*>(combo);
    box->setCurrentIndex(index);
    emit box->activated(index);
}

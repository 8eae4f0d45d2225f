#include "ui/dialogs/settings/AdvancedDlg.h"

#include "conditions/units/EditFilters.h"
#include "conditions/units/LengthUnits.h"
#include "conditions/units/NumberText.h"
#include "core/ControllerCommandLine.h"
#include "core/ControllerSettings.h"
#include "core/HelpContext.h"
#include "core/messages/CMessageService.h"
#include "core/messages/MessageCodes.h"
#include "models/PlotterModel.h"
#include "protocol/AdvancedSettingsLink.h"
#include "retry/ChangeSender.h"
#include "retry/UnsentChanges.h"
#include "skin/SkinButton.h"
#include "skin/SkinCombo.h"
#include "ui/dialogs/common/FocusForTyping.h"
#include "ui/dialogs/common/WindowLook.h"
#include "ui/dialogs/settings/AdvancedDlgLayout.h"
#include "ui/dialogs/settings/CommandSetDlg.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <algorithm>
#include <limits>

namespace {

constexpr int kFontHeight = 12;
constexpr int kStringAuto = 2604;
constexpr int kStringInch = 2007;
constexpr int kStringCm = 2600;
constexpr int kStringM = 2601;
constexpr int kStringFeet = 2602;
constexpr int kStringFirstCondition = 2605; // "Cond. No. 1" … "Cond. No. 9"
constexpr int kStringTitle = 2870;

// A typed whole number as an int; beyond the int range it saturates, so the range check that
// follows rejects it instead of a wrapped value passing.
int TypedInteger(const QString& text) {
    const long long n = ReadLeadingInteger(text.toStdString());
    return static_cast<int>(
        std::clamp<long long>(n, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

} // namespace

CAdvancedDlg::CAdvancedDlg(AdvancedDlgLinks links, QWidget* parent)
    : CSkinnedDialog(links.folders, links.showHelp, helpcontext::kTopicPlotterSettings,
                     Text(kStringTitle), parent),
      m_links(std::move(links)), m_nTemplate(m_links.model.AdvancedLayout()) {}

int CAdvancedDlg::OnOpen() {
    if (const int read = m_links.link.ReadAdvancedSettings(m_block); read != msg::kOk) {
        return read;
    }
    if (m_links.sender.IsUnsent(CUnsentChanges::kAdvancedSettings)) {
        // The plotter has not got the settings the user chose last time yet; they are what it
        // will have, so they are what the window shows and edits.
        m_block = m_links.settings.m_advanced;
        m_block.distanceAdjustSelection = 0;
        m_block.tangentialSelection = 0;
    } else {
        m_links.settings.m_advanced = m_block;
    }
    if (const int created = CreateControls(); created != msg::kOk) {
        return created;
    }
    FillControls();
    ConnectHandlers();
    ConnectSlotHandlers();
    return msg::kOk;
}

int CAdvancedDlg::CreateControls() {
    using advlayout::Kind;
    setFixedSize(advlayout::kClientWidth, advlayout::kClientHeight);
    for (const advlayout::Placement& place : advlayout::Controls(m_nTemplate, m_links.labelWidth)) {
        const QString text = place.text != 0 ? Text(place.text) : QString();
        switch (place.kind) {
        case Kind::Group:
            Add(new QGroupBox(text, this), place.id, place.rect);
            break;
        case Kind::Label:
            Add(new QLabel(text, this), place.id, place.rect);
            break;
        case Kind::Edit:
            // Enter in an edit is swallowed (eventFilter) instead of pressing OK.
            Add(new QLineEdit(this), place.id, place.rect)->installEventFilter(this);
            break;
        case Kind::Check:
            Add(new QCheckBox(text, this), place.id, place.rect);
            break;
        case Kind::Radio:
            // Every radio is set from the record it shows, pairs and the per-condition modes
            // alike, so none of them unchecks another by itself.
            Add(new QRadioButton(text, this), place.id, place.rect)->setAutoExclusive(false);
            break;
        case Kind::Combo: {
            auto* combo = new CSkinCombo(Folders(), this);
            if (const int setUp = combo->SetUp(place.id, place.rect.x(), place.rect.y(),
                                               place.skinKind, PixelSizeForCellHeight(kFontHeight));
                setUp != msg::kOk) {
                return setUp;
            }
            (place.id == advctl::kPenUpSpeed     ? m_pPenUpSpeed
             : place.id == advctl::kDistanceSlot ? m_pDistanceSlot
                                                 : m_pTangentialSlot) = combo;
            break;
        }
        case Kind::Button: {
            CSkinButton* button = nullptr;
            if (const int setUp =
                    AddButton(place.id, place.rect.x(), place.rect.y(), place.text, button);
                setUp != msg::kOk) {
                return setUp;
            }
            break;
        }
        }
    }
    // A symbol, the same in every language.
    SetText(advctl::kLPercent, QStringLiteral("%"));
    SetText(advctl::kWPercent, QStringLiteral("%"));
    return msg::kOk;
}

void CAdvancedDlg::FillControls() {
    using namespace advctl;
    const int unit = m_links.settings.m_nUnitType;
    Fill(kPageLength, FormatWholeLength(m_block.pageLength, WholeLength::PageLength, unit), -1,
         m_block.pageLength);
    SetText(kPageLengthUnit, Text(Inch() ? kStringInch : kStringCm));
    Fill(kOffsetAngle, QString::number(m_block.offsetAngle), -1, m_block.offsetAngle);
    Fill(kInitialDownForce, QString::number(m_block.initialDownForce), -1,
         m_block.initialDownForce);
    Fill(kStepPass, QString::number(m_block.stepPass), -1, m_block.stepPass);

    m_pPenUpSpeed->ResetContent();
    m_penUpSpeeds.clear();
    for (const int speed : m_links.model.PenUpSpeeds()) {
        if (speed >= 0) {
            m_penUpSpeeds.push_back(speed);
            m_pPenUpSpeed->AddString(speed == 0 ? Text(kStringAuto) : QString::number(speed));
        }
    }
    const auto chosen = std::find(m_penUpSpeeds.begin(), m_penUpSpeeds.end(), m_block.penUpSpeed);
    m_pPenUpSpeed->setCurrentIndex(
        chosen == m_penUpSpeeds.end() ? -1 : static_cast<int>(chosen - m_penUpSpeeds.begin()));

    QString feed = FormatWholeLength(m_block.feedLength, WholeLength::FeedLength, unit);
    const int feedMaxMetres = m_links.model.AdvancedRanges().feedLengthMm.nMax / 1000;
    if (!Inch() && feed.toInt() > feedMaxMetres) {
        feed = QString::number(feedMaxMetres);
    }
    Fill(kFeedLength, feed, -1, m_block.feedLength);
    SetText(kFeedUnit, Text(Inch() ? kStringFeet : kStringM));
    SetChecked(kAutoPreFeed, m_block.autoPreFeed != 0);
    for (const int id : {kFeedLabel, kFeedLength, kFeedUnit}) {
        SetEnabled(id, m_block.autoPreFeed != 0);
    }

    const bool fan = m_links.model.HasFanPower();
    SetChecked(kFanNormal, !fan || m_block.fanPower == 0);
    SetChecked(kFanWeak, fan && m_block.fanPower == 1);
    for (const int id : {kFanGroup, kFanNormal, kFanWeak}) {
        SetEnabled(id, fan);
    }
    SetChecked(kMirrorOff, m_block.mirror == 0);
    SetChecked(kMirrorOn, m_block.mirror == 1);

    for (CSkinCombo* slotCombo : {m_pDistanceSlot, m_pTangentialSlot}) {
        slotCombo->ResetContent();
        for (int slot = 0; slot < AdvancedSettings::kSlots; ++slot) {
            slotCombo->AddString(Text(kStringFirstCondition + slot));
        }
    }
    ShowDistanceAdjust();
    ShowTangential();
    SetEnabled(kCommand, m_links.commandLine.m_bSkipQueueCheck == 0);
}

void CAdvancedDlg::ConnectHandlers() {
    using namespace advctl;
    OnEdit(kPageLength, -1, [this](const QString& text) {
        if (const auto microns =
                ParseWholeLength(text, WholeLength::PageLength, m_links.settings.m_nUnitType)) {
            m_block.pageLength = m_shown.Kept(kPageLength, text, *microns);
        }
    });
    OnEdit(kOffsetAngle, -1, [this](const QString& t) { m_block.offsetAngle = TypedInteger(t); });
    OnEdit(kInitialDownForce, -1,
           [this](const QString& t) { m_block.initialDownForce = TypedInteger(t); });
    OnEdit(kStepPass, -1, [this](const QString& t) { m_block.stepPass = TypedInteger(t); });
    OnEdit(kFeedLength, -1, [this](const QString& text) {
        if (const auto microns =
                ParseWholeLength(text, WholeLength::FeedLength, m_links.settings.m_nUnitType)) {
            m_block.feedLength = m_shown.Kept(kFeedLength, text, *microns);
        }
    });
    connect(m_pPenUpSpeed, &QComboBox::activated, this, [this](int index) {
        if (index >= 0 && index < static_cast<int>(m_penUpSpeeds.size())) {
            m_block.penUpSpeed = m_penUpSpeeds[static_cast<std::size_t>(index)];
        }
    });
    connect(static_cast<QCheckBox*>(Control(kAutoPreFeed)), &QCheckBox::toggled, this,
            [this](bool on) {
                m_block.autoPreFeed = on ? 1 : 0;
                for (const int id : {kFeedLabel, kFeedLength, kFeedUnit}) {
                    SetEnabled(id, on);
                }
                if (on) {
                    FocusForTyping(Edit(kFeedLength));
                }
            });

    // Plain pairs: each click sets its field and shows it.
    const auto pair = [this](int offId, int onId, int AdvancedSettings::*field) {
        for (const int id : {offId, onId}) {
            connect(static_cast<QRadioButton*>(Control(id)), &QRadioButton::clicked, this,
                    [this, offId, onId, field, value = id == onId ? 1 : 0] {
                        m_block.*field = value;
                        SetChecked(offId, value == 0);
                        SetChecked(onId, value == 1);
                    });
        }
    };
    pair(kFanNormal, kFanWeak, &AdvancedSettings::fanPower);
    pair(kMirrorOff, kMirrorOn, &AdvancedSettings::mirror);

    connect(static_cast<CSkinButton*>(Control(kCommand)), &CSkinButton::clicked, this,
            &CAdvancedDlg::OnCommand);
    auto* ok = static_cast<CSkinButton*>(Control(kIdOk));
    connect(ok, &CSkinButton::clicked, this, &CAdvancedDlg::OnOK);
    ok->setDefault(true);
    connect(static_cast<CSkinButton*>(Control(kIdCancel)), &CSkinButton::clicked, this,
            &CAdvancedDlg::reject);
}

void CAdvancedDlg::OnOK() {
    const CAdvancedChecks checks = Checks();
    const AdvancedSettings shown = AsShown();
    const auto& shownAdjust = shown.distanceAdjust[shown.distanceAdjustSelection];
    const auto& shownTangential = shown.tangential[shown.tangentialSelection];
    if (Rejects(checks.General(shown)) ||
        (shown.autoPreFeed != 0 && Rejects(checks.FeedLength(shown.feedLength))) ||
        (shownAdjust.on != 0 && Rejects(checks.DistanceAdjust(shownAdjust))) ||
        (shownTangential.on != 0 && Rejects(checks.Tangential(shownTangential)))) {
        return;
    }
    const int sent = m_links.sender.Send(
        CUnsentChanges::kAdvancedSettings,
        [this] {
            return m_links.link.WriteAdvancedSettings(m_block, m_links.sender.CheckQueues(), true);
        },
        [this] { m_links.settings.m_advanced = m_block; });
    if (sent != msg::kOk) {
        ShowMessage(sent);
        return;
    }
    done(kIdOk);
}

void CAdvancedDlg::OnCommand() {
    CCommandSetDlg command(m_links.folders, m_links.commands, m_links.settings, m_links.commandLine,
                           m_links.showHelp, this);
    command.exec();
}

CAdvancedChecks CAdvancedDlg::Checks() const {
    return {m_links.model.AdvancedRanges(), m_links.settings.m_nUnitType, Separator()};
}

AdvancedSettings CAdvancedDlg::AsShown() const {
    using namespace advctl;
    const int unit = m_links.settings.m_nUnitType;
    AdvancedSettings shown = m_block;
    const auto whole = [&](int id, WholeLength kind, int& field) {
        field = ParseWholeLength(Edit(id)->text(), kind, unit).value_or(field);
    };
    whole(kPageLength, WholeLength::PageLength, shown.pageLength);
    whole(kFeedLength, WholeLength::FeedLength, shown.feedLength);
    AdvancedSettings::DistanceAdjust& adjust = shown.distanceAdjust[shown.distanceAdjustSelection];
    adjust.l = TypedPercent(Edit(kL)->text());
    adjust.w = TypedPercent(Edit(kW)->text());
    AdvancedSettings::TangentialEmulation& tangential = shown.tangential[shown.tangentialSelection];
    for (auto [id, field] : {std::pair{kStart, &tangential.start}, {kEnd, &tangential.end}}) {
        *field = ParseDecimalLength(Edit(id)->text(), unit, Separator()).value_or(*field);
    }
    return shown;
}

bool CAdvancedDlg::Rejects(const std::optional<RangeFailure>& failure) {
    if (!failure) {
        return false;
    }
    ShowRangeMessage(failure->code, failure->low.toUtf8().constData(),
                     failure->high.toUtf8().constData());
    FocusForTyping(Edit(failure->editId));
    return true;
}

bool CAdvancedDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            return true;
        }
    }
    return CSkinnedDialog::eventFilter(watched, event);
}

bool CAdvancedDlg::OneMode() const {
    return m_nTemplate != advlayout::kTemplateSlotModes;
}

bool CAdvancedDlg::Inch() const {
    return m_links.settings.m_nUnitType == kUnitInch;
}

QChar CAdvancedDlg::Separator() const {
    return QChar::fromLatin1(m_links.settings.m_cDecimalSeparator);
}

QLineEdit* CAdvancedDlg::Edit(int id) const {
    return static_cast<QLineEdit*>(Control(id));
}

void CAdvancedDlg::Fill(int id, const QString& text, int decimals, double value) {
    m_shown.Remember(id, text, value);
    QLineEdit* edit = Edit(id);
    {
        const QSignalBlocker quiet(edit);
        edit->setText(text);
    }
    // Records the text as the edit's last accepted one, for the filter to return to.
    if (decimals < 0) {
        FilterIntegerEdit(edit);
    } else {
        FilterDecimalEdit(edit, decimals, Separator());
    }
}

void CAdvancedDlg::SetText(int id, const QString& text) {
    static_cast<QLabel*>(Control(id))->setText(text);
}

void CAdvancedDlg::SetChecked(int id, bool checked) {
    static_cast<QAbstractButton*>(Control(id))->setChecked(checked);
}

void CAdvancedDlg::SetEnabled(int id, bool enabled) {
    Control(id)->setEnabled(enabled);
}

void CAdvancedDlg::OnEdit(int id, int decimals, std::function<void(const QString&)> apply) {
    QLineEdit* edit = Edit(id);
    connect(edit, &QLineEdit::textChanged, this, [this, edit, decimals, apply = std::move(apply)] {
        const bool accepted =
            decimals < 0 ? FilterIntegerEdit(edit) : FilterDecimalEdit(edit, decimals, Separator());
        if (accepted) {
            apply(edit->text());
        }
    });
}

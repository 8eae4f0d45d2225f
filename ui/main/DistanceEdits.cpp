#include "ui/main/DistanceEdits.h"

#include "conditions/units/EditFilters.h"
#include "conditions/units/LengthUnits.h"
#include "core/ControllerSettings.h"
#include "models/PlotterModel.h"
#include "ui/dialogs/common/RangeReport.h"

#include <QLineEdit>
#include <QSignalBlocker>

namespace {

// Decimals a length may be typed with.
constexpr int kMmDecimals = 1;
constexpr int kInchDecimals = 3;

} // namespace

void CDistanceEdits::Attach(QLineEdit* editX, QLineEdit* editY) {
    m_pEditX = editX;
    m_pEditY = editY;
}

void CDistanceEdits::Show() {
    m_nShownUnit = m_settings.m_nUnitType;
    const struct {
        QLineEdit* edit;
        int stored;
    } shown[] = {{m_pEditX, m_settings.m_nTomboDisX}, {m_pEditY, m_settings.m_nTomboDisY}};
    for (const auto& [edit, stored] : shown) {
        {
            const QSignalBlocker blocker(edit);
            edit->setText(FormatDecimalLength(stored, m_nShownUnit, Separator()));
        }
        FilterDecimalEdit(edit, Decimals(), Separator());
    }
}

void CDistanceEdits::OnChanged(QLineEdit* edit) {
    int& stored = edit == m_pEditX ? m_settings.m_nTomboDisX : m_settings.m_nTomboDisY;
    if (FilterDecimalEdit(edit, Decimals(), Separator())) {
        stored = ParseDecimalLength(edit->text(), m_nShownUnit, Separator()).value_or(stored);
    }
}

bool CDistanceEdits::Check() const {
    const CMarkLimits limits = Limits();
    const int orientation = m_settings.m_nMediaOrient;
    return PassesRangeCheck(limits.CheckDistanceX(m_pEditX->text(), orientation), m_pEditX) &&
           PassesRangeCheck(limits.CheckDistanceY(m_pEditY->text(), orientation), m_pEditY);
}

void CDistanceEdits::Clamp() {
    if (m_pEditX == nullptr) {
        return; // the window never opened: nothing was typed
    }
    const MarkDistances kept = Limits().ClampDistances(
        m_pEditX->text(), m_pEditY->text(), {m_settings.m_nTomboDisX, m_settings.m_nTomboDisY});
    m_settings.m_nTomboDisX = kept.x;
    m_settings.m_nTomboDisY = kept.y;
}

bool CDistanceEdits::Contains(const QWidget* widget) const {
    return widget != nullptr && (widget == m_pEditX || widget == m_pEditY);
}

CMarkLimits CDistanceEdits::Limits() const {
    return CMarkLimits(m_model.MarkRanges(), m_nShownUnit, Separator());
}

int CDistanceEdits::Decimals() const {
    return m_nShownUnit == kUnitInch ? kInchDecimals : kMmDecimals;
}

QChar CDistanceEdits::Separator() const {
    return QLatin1Char(m_settings.m_cDecimalSeparator);
}

#pragma once

#include "conditions/units/MarkLimits.h"

class CControllerSettings;
class CPlotterModel;
class QLineEdit;
class QWidget;

// The two edits of the distances between the registration marks. Only a text the input filter
// accepted is ever stored; the texts are read in the unit they were written in, so a unit
// changed elsewhere never makes a typed millimetre count as an inch.
class CDistanceEdits {
public:
    CDistanceEdits(CControllerSettings& settings, const CPlotterModel& model)
        : m_settings(settings), m_model(model) {}

    // Takes the edits once the window has made them.
    void Attach(QLineEdit* editX, QLineEdit* editY);
    // Writes the stored distances in the display unit. The written texts are what a refused
    // keystroke returns to; showing them stores nothing, so an untouched distance keeps its
    // micrometres instead of its rounded display.
    void Show();
    // A changed text: filtered, and stored in micrometres when the filter accepts it.
    void OnChanged(QLineEdit* edit);
    // X, then Y, against the model's limits for the media orientation; a failure shows its range
    // message and leaves the focus in the edit with its whole text selected.
    [[nodiscard]] bool Check() const;
    // A typed distance outside the model's range along the medium is stored as that limit.
    void Clamp();
    bool Contains(const QWidget* widget) const;

private:
    CMarkLimits Limits() const;
    int Decimals() const;
    QChar Separator() const;

    CControllerSettings& m_settings;
    const CPlotterModel& m_model;
    QLineEdit* m_pEditX = nullptr;
    QLineEdit* m_pEditY = nullptr;
    int m_nShownUnit = 0; // the unit the texts are written in
};

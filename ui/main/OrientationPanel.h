#pragma once

#include "ui/main/MainPanel.h"

class QPainter;

// The orientation and registration-mark panel: design and media orientation with their
// pictures, whether and how marks are read, and the distances between the marks.
class COrientationPanel : public CMainPanel {
    Q_OBJECT
public:
    explicit COrientationPanel(const PanelContext& context);

    // Fills the panel from the settings once the window has opened.
    void Init();
    // The orientation, preview and mark pictures.
    void Paint(QPainter& painter) const;
    // Whether the widget is one of the distance edits, in which Enter does not close.
    bool IsDistanceEdit(const QWidget* widget) const;
    // Brings typed distances outside the model's limits to the nearest limit, as they are
    // stored at closing.
    void ClampDistances();
    // The display unit has changed: the typed distances are clamped, then shown again from the
    // stored ones in the new unit.
    void RenewUnit();

private:
    void ShowUnit();
    void ShowDistances();
};

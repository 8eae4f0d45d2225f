#pragma once

#include "protocol/MarkReading.h"
#include "ui/main/DistanceEdits.h"
#include "ui/main/MainPanel.h"

#include <initializer_list>

class QPainter;
class QRect;

// The orientation and registration-mark panel: design and media orientation with their
// pictures, whether and how marks are read, the distances between the marks, the mark
// settings and the mark reading.
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
    // The unit labels and the distances in the display unit.
    void ShowDistances();
    // Brings typed distances outside the model's limits to the nearest limit, as they are
    // stored at closing.
    void ClampDistances();
    // The display unit has changed: the typed distances are clamped, read in the unit they were
    // typed in, then shown again from the stored ones in the new unit.
    void RenewUnit();
    // What a mark reading sends is within the model's limits: both distances and, with the
    // Area method, the step. A failure has been shown (a distance's edit holds the focus).
    [[nodiscard]] bool CheckReadingValues() const;
    // Starts the plotter's search and waits for it: 0 when the plotter reported the marks read,
    // else the code that says why not (its message has been shown).
    [[nodiscard]] int ReadMarks();
    // Whether the plotter has read the marks, into the settings.
    [[nodiscard]] int QueryMarksRead();

    // "Read Marks", and F7.
    void OnReadMarks();

private:
    void OnDesign(int orientation);
    void OnMedia(int orientation);
    void OnMarks(bool checked);
    void OnSearchMarks(bool checked);
    void OnMarkSettings();
    void OfferMarkControls();
    void Repaint(std::initializer_list<QRect> pictures) const;

    CDistanceEdits m_distances;
    CMarkReading m_marks;
};

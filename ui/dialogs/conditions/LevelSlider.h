#pragma once

#include "models/PlotterTables.h"
#include "skin/SkinSlider.h"

#include <QObject>
#include <QString>

class CSkinFolders;
class QLabel;
class QWidget;

// One level of the condition edit window: its caption, the value ("%2d"), the skinned slider
// and the lower and upper bound above the slider ("%d"). The slider only asks; this row moves
// the value by the row's page step and keeps it within the bounds.
class CLevelSlider : public QObject {
    Q_OBJECT
public:
    struct Ids {
        int caption;
        int value;
        int slider;
        int lower;
        int upper;
    };

    CLevelSlider(const CSkinFolders& folders, QWidget& dialog, Ids ids, const QString& caption);

    // Skins the slider (0, 1014 or 1015) and places the row with its value label at y.
    [[nodiscard]] int SetUp(int y, int textHeight);

    // New bounds; the value is kept within them. A level not offered is disabled, its value and
    // bounds hidden.
    void SetBounds(IntRange bounds, bool offered, int pageStep);
    void SetValue(int value);
    int Value() const;

private:
    void OnScrolled(ScrollRequest request, int dragged);
    void ShowValue();

    QWidget& m_dialog;
    Ids m_ids;
    CSkinSlider* m_pSlider;
    QLabel* m_pCaption;
    QLabel* m_pValue;
    QLabel* m_pLower;
    QLabel* m_pUpper;
    IntRange m_bounds{0, 0};
    int m_nPageStep = 1;
};

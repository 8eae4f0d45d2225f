#include "ui/dialogs/WindowLook.h"

#include "skin/SkinControl.h"

#include <QDialog>
#include <QFontMetricsF>
#include <QPalette>

#include <algorithm>
#include <cmath>

int PixelSizeForCellHeight(int cellHeight) {
    constexpr int kProbe = 100;
    const QFontMetricsF metrics(skin::CaptionFont(kProbe));
    const double cellPerEm = metrics.height() / kProbe;
    if (cellPerEm <= 0.0) {
        return cellHeight;
    }
    return std::max(1, static_cast<int>(std::lround(cellHeight / cellPerEm)));
}

QFont WindowFont(int cellHeight, QFont::Weight weight) {
    QFont font = skin::CaptionFont(PixelSizeForCellHeight(cellHeight));
    font.setWeight(weight);
    return font;
}

void ApplyWindowLook(QDialog& window, const QString& title) {
    window.setWindowTitle(title);
    window.setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    QPalette background = window.palette();
    background.setColor(QPalette::Window, kWindowBackground);
    window.setPalette(background);
    window.setAutoFillBackground(true);
}

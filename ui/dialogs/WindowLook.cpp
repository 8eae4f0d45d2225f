#include "ui/dialogs/WindowLook.h"

#include "skin/SkinControl.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDir>
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

QIcon ProgramIcon(const QString& programFolder) {
    QIcon icon;
    const QDir icons(programFolder + QStringLiteral("/icons"));
    for (const QString& name : icons.entryList({QStringLiteral("quirn-*.png")}, QDir::Files)) {
        icon.addFile(icons.filePath(name));
    }
    return icon;
}

void ApplyWindowLook(QDialog& window, const QString& title, const QString& programFolder) {
    window.setWindowTitle(title);
    window.setWindowIcon(ProgramIcon(
        programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : programFolder));
    window.setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    QPalette background = window.palette();
    background.setColor(QPalette::Window, kWindowBackground);
    window.setPalette(background);
    window.setAutoFillBackground(true);
}

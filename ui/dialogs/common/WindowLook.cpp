#include "ui/dialogs/common/WindowLook.h"

#include "skin/SkinControl.h"
#include "ui/dialogs/common/IconFilesEngine.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFontMetricsF>
#include <QPalette>

#include <algorithm>
#include <cmath>
#include <map>

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
    const QString prefix = QStringLiteral("quirn-");
    const QString suffix = QStringLiteral(".png");
    const QDir icons(programFolder + QStringLiteral("/icons"));
    std::map<int, QString> files;
    for (const QString& name : icons.entryList({prefix + '*' + suffix}, QDir::Files)) {
        bool isSize = false;
        const int size =
            name.sliced(prefix.size(), name.size() - prefix.size() - suffix.size()).toInt(&isSize);
        if (isSize && size > 0) {
            files.emplace(size, icons.filePath(name));
        }
    }
    if (files.empty()) {
        return {};
    }
    return QIcon(new CIconFilesEngine(std::move(files)));
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

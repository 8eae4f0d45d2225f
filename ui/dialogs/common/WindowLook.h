#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QString>

class QDialog;

// Font heights of the windows are character-cell heights (ascent plus descent), as Windows
// sizes fonts; Qt sizes a font by its em. Taking the height as the em makes every text a fifth
// larger than its control was laid out for.

// The em pixel size at which the default GUI font's cell is `cellHeight` pixels high.
int PixelSizeForCellHeight(int cellHeight);

// The default GUI font with a cell of `cellHeight` pixels.
QFont WindowFont(int cellHeight, QFont::Weight weight = QFont::Normal);

// The background of every window and label.
inline constexpr QColor kWindowBackground(210, 212, 213);

// The program's icon: every "icons/quirn-<size>.png" of the program folder (the build draws
// them from data/icons/quirn.svg). A null icon when there are none.
QIcon ProgramIcon(const QString& programFolder);

// What every window of the controller shares: its title, the program's icon, the background
// colour and no context-help button in the title bar. The icon comes from `programFolder`,
// or from the running program's folder when that is empty.
void ApplyWindowLook(QDialog& window, const QString& title, const QString& programFolder = {});

#pragma once

#include <QColor>
#include <QFont>

class QDialog;
class QString;

// Font heights of the windows are character-cell heights (ascent plus descent), as Windows
// sizes fonts; Qt sizes a font by its em. Taking the height as the em makes every text a fifth
// larger than its control was laid out for.

// The em pixel size at which the default GUI font's cell is `cellHeight` pixels high.
int PixelSizeForCellHeight(int cellHeight);

// The default GUI font with a cell of `cellHeight` pixels.
QFont WindowFont(int cellHeight, QFont::Weight weight = QFont::Normal);

// The background of every window and label.
inline constexpr QColor kWindowBackground(210, 212, 213);

// What every window of the controller shares: its title, the background colour and no
// context-help button in the title bar.
void ApplyWindowLook(QDialog& window, const QString& title);

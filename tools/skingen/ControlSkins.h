#pragma once

// Draws one control skin (a file of the kind tables) from its name: the name says the kind
// of control, the symbol on it and its state ("_UP", "_DOWN", "_DIS").

#include <QImage>
#include <QSize>
#include <QString>

// A null image when the name is not one this generator knows how to draw.
QImage DrawControlSkin(const QString& name, QSize size);

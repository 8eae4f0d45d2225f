#pragma once

// A 5 × 7 pixel font drawn as rectangles, so that captions in the generated pictures look the
// same whatever fonts the build machine has.

#include <QColor>
#include <QPainter>
#include <QPoint>
#include <QString>

// Width in pixels of text drawn at the given scale (one pixel column between letters).
int PixelTextWidth(const QString& text, int scale);
inline int PixelTextHeight(int scale) {
    return 7 * scale;
}

// Draws text with its top-left corner at origin. Only the letters A–Z, "a" and "?" exist;
// anything else is drawn as a space.
void DrawPixelText(QPainter& painter, QPoint origin, const QString& text, int scale,
                   const QColor& colour);

#include "tools/skingen/SkinPalette.h"

void DrawFace(QPainter& painter, const QRect& rect, Relief relief) {
    painter.fillRect(rect, relief == Relief::Sunken ? palette::kFacePressed : palette::kFace);
    const QColor outline = relief == Relief::Flat ? palette::kShadow : palette::kDark;
    painter.setPen(outline);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    if (relief == Relief::Flat) {
        return;
    }
    const QRect inner = rect.adjusted(1, 1, -2, -2);
    const QColor topLeft = relief == Relief::Raised ? palette::kLight : palette::kShadow;
    const QColor bottomRight = relief == Relief::Raised ? palette::kShadow : palette::kLight;
    painter.setPen(topLeft);
    painter.drawLine(inner.topLeft(), inner.topRight());
    painter.drawLine(inner.topLeft(), inner.bottomLeft());
    painter.setPen(bottomRight);
    painter.drawLine(inner.bottomLeft(), inner.bottomRight());
    painter.drawLine(inner.topRight(), inner.bottomRight());
}

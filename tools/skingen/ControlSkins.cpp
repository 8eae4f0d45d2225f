#include "tools/skingen/ControlSkins.h"

#include "tools/skingen/SkinPalette.h"

#include <QPainterPath>
#include <QPolygonF>
#include <QRegularExpression>

namespace {

enum class Look { Up, Down, Disabled };

Look LookOf(const QString& name) {
    if (name.endsWith(QLatin1String("_DOWN.BMP"))) {
        return Look::Down;
    }
    if (name.endsWith(QLatin1String("_DIS.BMP"))) {
        return Look::Disabled;
    }
    return Look::Up;
}

Relief ReliefOf(Look look) {
    switch (look) {
    case Look::Down:
        return Relief::Sunken;
    case Look::Disabled:
        return Relief::Flat;
    case Look::Up:
        break;
    }
    return Relief::Raised;
}

QColor SymbolColour(Look look, const QColor& normal) {
    return look == Look::Disabled ? palette::kDisabled : normal;
}

// A pressed face shows its symbol one pixel right and down, as a pressed caption moves.
QPointF SymbolShift(Look look) {
    return look == Look::Down ? QPointF(1, 1) : QPointF(0, 0);
}

void DrawTriangle(QPainter& p, QPointF centre, qreal half, int directionDegrees,
                  const QColor& colour) {
    // A triangle pointing up, turned to the wanted direction (0 up, 90 right ...).
    QPolygonF shape{QPointF(0, -half), QPointF(half, half * 0.6), QPointF(-half, half * 0.6)};
    p.save();
    p.translate(centre);
    p.rotate(directionDegrees);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(shape);
    p.restore();
}

QImage NewImage(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(palette::kBackground);
    return image;
}

QImage TextButton(QSize size, Look look, const QColor* accent) {
    QImage image = NewImage(size);
    QPainter p(&image);
    const QRect rect(QPoint(0, 0), size);
    DrawFace(p, rect, ReliefOf(look));
    if (accent != nullptr) {
        // A coloured stripe on the left marks the window's main action; the caption stays
        // centred and clear of it.
        const int shift = look == Look::Down ? 1 : 0;
        p.fillRect(QRect(3 + shift, 3 + shift, 5, size.height() - 6), SymbolColour(look, *accent));
    }
    return image;
}

void DrawTestPattern(QPainter& p, QPointF centre, qreal half, qreal pen, const QColor& colour) {
    // The usual test cut: a square with a triangle inside.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colour, pen, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawRect(QRectF(centre.x() - half, centre.y() - half, 2 * half, 2 * half));
    QPolygonF triangle{QPointF(centre.x(), centre.y() - half * 0.6),
                       QPointF(centre.x() + half * 0.6, centre.y() + half * 0.55),
                       QPointF(centre.x() - half * 0.6, centre.y() + half * 0.55)};
    p.drawPolygon(triangle);
}

QImage IconButton(const QString& name, QSize size, Look look) {
    QImage image = NewImage(size);
    QPainter p(&image);
    DrawFace(p, QRect(QPoint(0, 0), size), ReliefOf(look));
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(SymbolShift(look));
    const QColor ink = SymbolColour(look, palette::kInk);
    const QColor blue = SymbolColour(look, palette::kTitleBlue);
    const QColor red = SymbolColour(look, palette::kCapRed);
    const QPointF centre(size.width() / 2.0, size.height() / 2.0);
    if (name.startsWith(QLatin1String("TEST_CUT_5_"))) {
        // Five patterns cut with a rising force: the outline grows heavier from left to right.
        const qreal step = size.width() / 5.0;
        for (int i = 0; i < 5; ++i) {
            DrawTestPattern(p, QPointF(step * (i + 0.5), centre.y()), 7, 0.8 + 0.45 * i, blue);
        }
    } else if (name.startsWith(QLatin1String("TEST_CUT_"))) {
        DrawTestPattern(p, centre, 11, 2, blue);
    } else if (name.startsWith(QLatin1String("ORIGIN_"))) {
        // The origin: a cross-hair on the corner where the axes meet.
        p.setPen(QPen(ink, 2));
        p.drawLine(QPointF(9, 8), QPointF(9, 32));
        p.drawLine(QPointF(8, 31), QPointF(32, 31));
        p.setPen(QPen(red, 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(9, 31), 5, 5);
        p.drawLine(QPointF(2, 31), QPointF(16, 31));
        p.drawLine(QPointF(9, 24), QPointF(9, 38));
    } else {
        // Cross cut: a sheet cut off along a dashed line by the blade.
        p.setPen(QPen(ink, 1.2));
        p.setBrush(look == Look::Disabled ? palette::kFace : palette::kPaper);
        p.drawRect(QRectF(7, 6, 26, 28));
        p.setPen(QPen(red, 2, Qt::DashLine));
        p.drawLine(QPointF(4, 20), QPointF(36, 20));
        DrawTriangle(p, QPointF(34, 20), 4, 90, ink);
    }
    return image;
}

QImage ArrowButton(const QString& direction, QSize size, Look look) {
    QImage image = NewImage(size);
    QPainter p(&image);
    DrawFace(p, QRect(QPoint(0, 0), size), ReliefOf(look));
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(SymbolShift(look));
    int degrees = 0;
    if (direction == QLatin1String("RIGHT")) {
        degrees = 90;
    } else if (direction == QLatin1String("DOWN")) {
        degrees = 180;
    } else if (direction == QLatin1String("LEFT")) {
        degrees = 270;
    }
    DrawTriangle(p, QPointF(size.width() / 2.0, size.height() / 2.0), size.width() * 0.28, degrees,
                 SymbolColour(look, palette::kTitleBlue));
    return image;
}

QImage ComboFace(QSize size, Look look) {
    QImage image = NewImage(size);
    QPainter p(&image);
    const int button = size.height(); // the drop button is a square at the right end
    const QRect field(0, 0, size.width() - button + 1, size.height());
    p.fillRect(field, look == Look::Disabled ? palette::kBackground : palette::kPaper);
    p.setPen(look == Look::Disabled ? palette::kShadow : palette::kDark);
    p.drawRect(field.adjusted(0, 0, -1, -1));
    const QRect drop(size.width() - button, 0, button, size.height());
    DrawFace(p, drop, ReliefOf(look));
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(SymbolShift(look));
    DrawTriangle(p, QPointF(drop.center().x() + 0.5, drop.center().y() + 1.0), button * 0.22, 180,
                 SymbolColour(look, palette::kInk));
    return image;
}

QImage SliderTrack(QSize size, Look look, bool leftHeld, bool rightHeld) {
    QImage image = NewImage(size);
    QPainter p(&image);
    const int a = size.height();
    p.fillRect(QRect(a, 0, size.width() - 2 * a, size.height()),
               look == Look::Disabled ? palette::kBackground : palette::kTrack);
    p.setPen(palette::kShadow);
    p.drawLine(a, 0, size.width() - a, 0);
    p.drawLine(a, size.height() - 1, size.width() - a, size.height() - 1);
    const QRect left(0, 0, a, a);
    const QRect right(size.width() - a, 0, a, a);
    DrawFace(p, left,
             look == Look::Disabled ? Relief::Flat
             : leftHeld             ? Relief::Sunken
                                    : Relief::Raised);
    DrawFace(p, right,
             look == Look::Disabled ? Relief::Flat
             : rightHeld            ? Relief::Sunken
                                    : Relief::Raised);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink = SymbolColour(look, palette::kInk);
    const QPointF leftShift = leftHeld ? QPointF(1, 1) : QPointF(0, 0);
    const QPointF rightShift = rightHeld ? QPointF(1, 1) : QPointF(0, 0);
    DrawTriangle(p, QPointF(a / 2.0, a / 2.0) + leftShift, a * 0.25, 270, ink);
    DrawTriangle(p, QPointF(size.width() - a / 2.0, a / 2.0) + rightShift, a * 0.25, 90, ink);
    return image;
}

QImage SliderKnob(QSize size) {
    QImage image = NewImage(size);
    QPainter p(&image);
    DrawFace(p, QRect(QPoint(0, 0), size), Relief::Raised);
    // Three grip lines in the middle.
    for (int i = -1; i <= 1; ++i) {
        const int x = size.width() / 2 + 3 * i;
        p.setPen(palette::kShadow);
        p.drawLine(x, 5, x, size.height() - 6);
        p.setPen(palette::kLight);
        p.drawLine(x + 1, 5, x + 1, size.height() - 6);
    }
    return image;
}

} // namespace

QImage DrawControlSkin(const QString& name, QSize size) {
    const Look look = LookOf(name);
    static const QRegularExpression arrow(QStringLiteral("^ARW_(UP|DOWN|LEFT|RIGHT)_"));
    if (name.startsWith(QLatin1String("BUTTON_1_"))) {
        return TextButton(size, look, nullptr);
    }
    if (name.startsWith(QLatin1String("BUTTON_2_"))) {
        return TextButton(size, look, &palette::kTitleBlue);
    }
    if (name.startsWith(QLatin1String("BUTTON_3_"))) {
        return TextButton(size, look, &palette::kAction);
    }
    if (name.startsWith(QLatin1String("TEST_CUT_")) || name.startsWith(QLatin1String("ORIGIN_")) ||
        name.startsWith(QLatin1String("CROSS_CUT_"))) {
        return IconButton(name, size, look);
    }
    if (const QRegularExpressionMatch match = arrow.match(name); match.hasMatch()) {
        return ArrowButton(match.captured(1), size, look);
    }
    if (name.startsWith(QLatin1String("COMBO_"))) {
        return ComboFace(size, look);
    }
    if (name == QLatin1String("SCRL_UP.BMP")) {
        return SliderTrack(size, Look::Up, false, false);
    }
    if (name == QLatin1String("SCRL_L_DOWN.BMP")) {
        return SliderTrack(size, Look::Up, true, false);
    }
    if (name == QLatin1String("SCRL_R_DOWN.BMP")) {
        return SliderTrack(size, Look::Up, false, true);
    }
    if (name == QLatin1String("SCRL_DIS.BMP")) {
        return SliderTrack(size, Look::Disabled, false, false);
    }
    if (name == QLatin1String("SCRL_KNOB.BMP")) {
        return SliderKnob(size);
    }
    return {};
}

#pragma once

// Draws an SVG picture that keeps to a small subset of SVG, so that the program's icon is
// drawn from its committed SVG with QPainter alone. The subset: the elements svg (viewBox),
// g, title, desc, rect (rx, ry), circle, ellipse, line, polyline, polygon and path (the
// commands M, L, H, V and Z, absolute or relative); the attributes fill, stroke, stroke-width,
// stroke-linecap and stroke-linejoin, inherited from g; colours as #rgb, #rrggbb or none.
// Anything else that would change the picture (another element, transform, style, class,
// another path command) is refused, so the PNGs never silently differ from the SVG.

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QRectF>
#include <QString>

#include <optional>
#include <vector>

class CSvgSubset {
public:
    // Reads the document; false when it is not well-formed or leaves the subset (Error() says
    // why).
    [[nodiscard]] bool Load(const QByteArray& document);
    const QString& Error() const { return m_strError; }

    // The picture scaled to size x size pixels, transparent where nothing is drawn.
    QImage Render(int size) const;

    struct Style {
        std::optional<QColor> fill = QColor(Qt::black);
        std::optional<QColor> stroke;
        double strokeWidth = 1.0;
        Qt::PenCapStyle cap = Qt::FlatCap;
        Qt::PenJoinStyle join = Qt::MiterJoin;
    };

private:
    struct Shape {
        QPainterPath path;
        Style style;
    };

    bool Fail(const QString& error);

    std::vector<Shape> m_shapes;
    QRectF m_viewBox;
    QString m_strError;
};

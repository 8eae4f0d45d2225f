#include "cut/CutPreview.h"

#include <QPainter>

#include <algorithm>

namespace {

constexpr double kLongestSidePixels = 1200.0;
constexpr int kMarginPixels = 24;

} // namespace

QImage DrawPreview(const std::vector<CutPath>& ordered, QSizeF sizeMm) {
    const double units = cutpaths::kUnitsPerMm;
    const double longest = std::max({sizeMm.width(), sizeMm.height(), 1.0}) * units;
    const double scale = kLongestSidePixels / longest;
    const QSize drawing(static_cast<int>(sizeMm.width() * units * scale),
                        static_cast<int>(sizeMm.height() * units * scale));
    QImage image(drawing + QSize(2 * kMarginPixels, 2 * kMarginPixels),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // Plotter units, y up, the drawing's bottom left corner at the origin.
    const auto toImage = [&](QPoint p) {
        return QPointF(kMarginPixels + p.x() * scale,
                       kMarginPixels + drawing.height() - p.y() * scale);
    };
    painter.setPen(QPen(QColor(200, 200, 200), 1, Qt::DotLine));
    painter.drawRect(QRectF(kMarginPixels, kMarginPixels, drawing.width(), drawing.height()));

    QPoint knife(0, 0);
    QFont font = painter.font();
    font.setPixelSize(11);
    painter.setFont(font);
    for (std::size_t i = 0; i < ordered.size(); ++i) {
        const std::vector<QPoint>& points = ordered[i].points;
        painter.setPen(QPen(QColor(160, 160, 160), 1, Qt::DashLine));
        painter.drawLine(toImage(knife), toImage(points.front()));
        const double along = ordered.size() > 1 ? double(i) / double(ordered.size() - 1) : 0.0;
        const QColor colour = QColor::fromHsvF(0.66 * (1.0 - along), 0.9, 0.8);
        painter.setPen(QPen(colour, 1.5));
        QPolygonF line;
        for (const QPoint& p : points) {
            line << toImage(p);
        }
        painter.drawPolyline(line);
        painter.setBrush(QColor(0, 150, 0));
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(toImage(points.front()), 3.0, 3.0);
        painter.setPen(Qt::black);
        painter.drawText(toImage(points.front()) + QPointF(4, -4), QString::number(i + 1));
        knife = points.back();
    }
    return image;
}

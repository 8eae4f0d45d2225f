#include "tools/icongen/SvgSubset.h"

#include <QPainter>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <vector>

namespace {

using Numbers = std::vector<double>;

// Numbers separated by blanks and commas; nullopt when anything else is in between.
std::optional<Numbers> ReadNumbers(const QString& text) {
    static const QRegularExpression kNumber(
        QStringLiteral(R"([-+]?(?:\d+\.?\d*|\.\d+)(?:[eE][-+]?\d+)?)"));
    Numbers numbers;
    qsizetype at = 0;
    for (auto it = kNumber.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        if (!text.mid(at, match.capturedStart() - at).trimmed().remove(',').trimmed().isEmpty()) {
            return std::nullopt;
        }
        numbers.push_back(match.captured().toDouble());
        at = match.capturedEnd();
    }
    if (!text.mid(at).trimmed().remove(',').trimmed().isEmpty()) {
        return std::nullopt;
    }
    return numbers;
}

std::optional<double> ReadNumber(const QXmlStreamAttributes& attributes, const char* name) {
    const std::optional<Numbers> numbers = ReadNumbers(attributes.value(name).toString());
    if (!numbers || numbers->size() != 1) {
        return std::nullopt;
    }
    return numbers->front();
}

// Path data with the commands M, L, H, V and Z (either case).
std::optional<QPainterPath> ReadPathData(const QString& data) {
    static const QRegularExpression kCommand(QStringLiteral("[A-Za-z]"));
    QPainterPath path;
    QPointF current;
    QPointF start;
    qsizetype at = data.indexOf(kCommand);
    if (at < 0 || !data.left(at).trimmed().isEmpty()) {
        return std::nullopt;
    }
    while (at >= 0) {
        const QChar command = data.at(at);
        const qsizetype next = data.indexOf(kCommand, at + 1);
        const std::optional<Numbers> args =
            ReadNumbers(data.mid(at + 1, next < 0 ? -1 : next - at - 1));
        if (!args) {
            return std::nullopt;
        }
        const bool relative = command.isLower();
        switch (command.toUpper().toLatin1()) {
        case 'M':
        case 'L':
            if (args->empty() || args->size() % 2 != 0) {
                return std::nullopt;
            }
            for (std::size_t i = 0; i < args->size(); i += 2) {
                const QPointF base = relative ? current : QPointF();
                current = base + QPointF((*args)[i], (*args)[i + 1]);
                // Further pairs after a move are lines, as in SVG.
                if (i == 0 && command.toUpper() == 'M') {
                    path.moveTo(current);
                    start = current;
                } else {
                    path.lineTo(current);
                }
            }
            break;
        case 'H':
        case 'V':
            if (args->empty()) {
                return std::nullopt;
            }
            for (const double value : *args) {
                const bool horizontal = command.toUpper() == 'H';
                const double base = relative ? (horizontal ? current.x() : current.y()) : 0.0;
                current = horizontal ? QPointF(base + value, current.y())
                                     : QPointF(current.x(), base + value);
                path.lineTo(current);
            }
            break;
        case 'Z':
            if (!args->empty()) {
                return std::nullopt;
            }
            path.closeSubpath();
            current = start;
            break;
        default:
            return std::nullopt;
        }
        at = next;
    }
    return path;
}

std::optional<QPainterPath> ReadPoints(const QXmlStreamAttributes& attributes, bool closed) {
    const std::optional<Numbers> points = ReadNumbers(attributes.value("points").toString());
    if (!points || points->size() < 4 || points->size() % 2 != 0) {
        return std::nullopt;
    }
    QPainterPath path(QPointF((*points)[0], (*points)[1]));
    for (std::size_t i = 2; i < points->size(); i += 2) {
        path.lineTo((*points)[i], (*points)[i + 1]);
    }
    if (closed) {
        path.closeSubpath();
    }
    return path;
}

// The outline of one shape element; nullopt when its geometry cannot be read.
std::optional<QPainterPath> ReadShape(QStringView name, const QXmlStreamAttributes& a) {
    QPainterPath path;
    if (name == u"rect") {
        const auto x = ReadNumber(a, "x");
        const auto y = ReadNumber(a, "y");
        const auto w = ReadNumber(a, "width");
        const auto h = ReadNumber(a, "height");
        if (!x || !y || !w || !h) {
            return std::nullopt;
        }
        const double rx = ReadNumber(a, "rx").value_or(ReadNumber(a, "ry").value_or(0.0));
        const double ry = ReadNumber(a, "ry").value_or(rx);
        path.addRoundedRect(QRectF(*x, *y, *w, *h), rx, ry);
        return path;
    }
    if (name == u"circle" || name == u"ellipse") {
        const auto cx = ReadNumber(a, "cx");
        const auto cy = ReadNumber(a, "cy");
        const auto rx = ReadNumber(a, name == u"circle" ? "r" : "rx");
        const auto ry = ReadNumber(a, name == u"circle" ? "r" : "ry");
        if (!cx || !cy || !rx || !ry) {
            return std::nullopt;
        }
        path.addEllipse(QPointF(*cx, *cy), *rx, *ry);
        return path;
    }
    if (name == u"line") {
        const auto x1 = ReadNumber(a, "x1");
        const auto y1 = ReadNumber(a, "y1");
        const auto x2 = ReadNumber(a, "x2");
        const auto y2 = ReadNumber(a, "y2");
        if (!x1 || !y1 || !x2 || !y2) {
            return std::nullopt;
        }
        path.moveTo(*x1, *y1);
        path.lineTo(*x2, *y2);
        return path;
    }
    if (name == u"polyline" || name == u"polygon") {
        return ReadPoints(a, name == u"polygon");
    }
    if (name == u"path") {
        return ReadPathData(a.value("d").toString());
    }
    return std::nullopt;
}

std::optional<std::optional<QColor>> ReadPaint(QStringView text) {
    if (text == u"none") {
        return std::optional<QColor>();
    }
    static const QRegularExpression kHex(QStringLiteral("^#(?:[0-9A-Fa-f]{3}|[0-9A-Fa-f]{6})$"));
    if (!kHex.match(text).hasMatch()) {
        return std::nullopt;
    }
    return std::optional<QColor>(QColor(text));
}

// Applies the element's presentation attributes to `style`; false on a value outside the
// subset or an attribute that would change the picture in a way not drawn here.
bool ApplyStyle(const QXmlStreamAttributes& attributes, CSvgSubset::Style& style) {
    for (const QXmlStreamAttribute& attribute : attributes) {
        const QStringView name = attribute.name();
        const QStringView value = attribute.value();
        if (name == u"fill" || name == u"stroke") {
            const auto paint = ReadPaint(value);
            if (!paint) {
                return false;
            }
            (name == u"fill" ? style.fill : style.stroke) = *paint;
        } else if (name == u"stroke-width") {
            const std::optional<Numbers> width = ReadNumbers(value.toString());
            if (!width || width->size() != 1 || width->front() < 0) {
                return false;
            }
            style.strokeWidth = width->front();
        } else if (name == u"stroke-linecap") {
            if (value == u"butt") {
                style.cap = Qt::FlatCap;
            } else if (value == u"round") {
                style.cap = Qt::RoundCap;
            } else if (value == u"square") {
                style.cap = Qt::SquareCap;
            } else {
                return false;
            }
        } else if (name == u"stroke-linejoin") {
            if (value == u"miter") {
                style.join = Qt::MiterJoin;
            } else if (value == u"round") {
                style.join = Qt::RoundJoin;
            } else if (value == u"bevel") {
                style.join = Qt::BevelJoin;
            } else {
                return false;
            }
        } else if (name == u"transform" || name == u"style" || name == u"class" ||
                   name.startsWith(u"fill-") || name.startsWith(u"stroke-") || name == u"opacity") {
            return false;
        }
    }
    return true;
}

} // namespace

bool CSvgSubset::Fail(const QString& error) {
    m_strError = error;
    m_shapes.clear();
    return false;
}

bool CSvgSubset::Load(const QByteArray& document) {
    m_shapes.clear();
    m_viewBox = QRectF();
    std::vector<Style> styles{Style()};
    int skipped = 0; // depth inside title and desc
    QXmlStreamReader xml(document);
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement) {
            if (skipped > 0) {
                --skipped;
            } else {
                styles.pop_back();
            }
            continue;
        }
        if (token != QXmlStreamReader::StartElement) {
            continue;
        }
        const QStringView name = xml.name();
        if (skipped > 0 || name == u"title" || name == u"desc") {
            ++skipped;
            continue;
        }
        Style style = styles.back();
        if (!ApplyStyle(xml.attributes(), style)) {
            return Fail(QStringLiteral("line %1: a presentation value outside the subset")
                            .arg(xml.lineNumber()));
        }
        styles.push_back(style);
        if (name == u"svg") {
            const std::optional<Numbers> box =
                ReadNumbers(xml.attributes().value("viewBox").toString());
            if (!box || box->size() != 4 || (*box)[2] <= 0 || (*box)[3] <= 0) {
                return Fail(QStringLiteral("the svg element needs a viewBox"));
            }
            m_viewBox = QRectF((*box)[0], (*box)[1], (*box)[2], (*box)[3]);
        } else if (name != u"g") {
            const std::optional<QPainterPath> path = ReadShape(name, xml.attributes());
            if (!path) {
                return Fail(QStringLiteral("line %1: <%2> is outside the subset or incomplete")
                                .arg(xml.lineNumber())
                                .arg(name));
            }
            m_shapes.push_back({*path, style});
        }
    }
    if (xml.hasError()) {
        return Fail(xml.errorString());
    }
    if (m_viewBox.isEmpty()) {
        return Fail(QStringLiteral("no svg element"));
    }
    return true;
}

QImage CSvgSubset::Render(int size) const {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / m_viewBox.width(), size / m_viewBox.height());
    painter.translate(-m_viewBox.topLeft());
    for (const Shape& shape : m_shapes) {
        painter.setBrush(shape.style.fill ? QBrush(*shape.style.fill) : QBrush(Qt::NoBrush));
        if (shape.style.stroke && shape.style.strokeWidth > 0) {
            painter.setPen(QPen(*shape.style.stroke, shape.style.strokeWidth, Qt::SolidLine,
                                shape.style.cap, shape.style.join));
        } else {
            painter.setPen(Qt::NoPen);
        }
        painter.drawPath(shape.path);
    }
    return image;
}

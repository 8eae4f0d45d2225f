#include "cut/SvgDrawing.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QXmlStreamReader>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kCssPixelsPerInch = 96.0;
constexpr double kMmPerPixel = kMmPerInch / kCssPixelsPerInch;

// Records the outline of everything drawn, mapped by the painter's transform. Every feature
// is claimed, so QPainter hands over paths as they are instead of stroking or filling them
// itself: the cut follows a line's path, not the outline of its stroke.
class CRecordingEngine : public QPaintEngine {
public:
    CRecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState& state) override {
        const QPaintEngine::DirtyFlags flags = state.state();
        if (flags & QPaintEngine::DirtyTransform) {
            m_transform = state.transform();
        }
        if (flags & QPaintEngine::DirtyPen) {
            m_bPen = state.pen().style() != Qt::NoPen;
        }
        if (flags & QPaintEngine::DirtyBrush) {
            m_bBrush = state.brush().style() != Qt::NoBrush;
        }
        if (flags & QPaintEngine::DirtyOpacity) {
            m_bOpaque = state.opacity() > 0;
        }
    }

    void drawPath(const QPainterPath& path) override {
        // Neither stroked nor filled, or fully transparent: nothing shows, so nothing is cut.
        if (!(m_bPen || m_bBrush) || !m_bOpaque) {
            return;
        }
        // Qt SVG fills a shape and strokes it in two calls; it is cut once.
        QPainterPath outline = m_transform.map(path);
        if (m_outlines.empty() || !(m_outlines.back() == outline)) {
            m_outlines.push_back(std::move(outline));
        }
    }

    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
        QPainterPath path;
        path.addPolygon(QPolygonF(QList<QPointF>(points, points + count)));
        if (mode != QPaintEngine::PolylineMode) {
            path.closeSubpath();
        }
        drawPath(path);
    }

    // Pictures have no outline to cut; the document scan reports them.
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}

    std::vector<QPainterPath> TakeOutlines() { return std::move(m_outlines); }

private:
    QTransform m_transform;
    bool m_bPen = true;
    bool m_bBrush = true;
    bool m_bOpaque = true;
    std::vector<QPainterPath> m_outlines;
};

// The device the renderer draws on; its one job is to hand QPainter the recording engine.
class CRecordingDevice : public QPaintDevice {
public:
    QPaintEngine* paintEngine() const override { return &m_engine; }
    CRecordingEngine& Engine() const { return m_engine; }

protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
        case PdmWidth:
        case PdmHeight:
            return 100000;
        case PdmWidthMM:
        case PdmHeightMM:
            return 100000;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            // Points are user units, as CSS would have them at 96 px per inch with 72 pt.
            return 72;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return 0x7fffffff;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(QPaintDevice::devicePixelRatioFScale());
        }
        return 0;
    }

private:
    mutable CRecordingEngine m_engine;
};

// A CSS length in millimetres; nothing for relative units (%, em, ex) and bad numbers.
std::optional<double> LengthInMm(const QString& text) {
    static const QRegularExpression form(
        QStringLiteral("^\\s*([-+]?(?:\\d+\\.?\\d*|\\.\\d+)(?:[eE][-+]?\\d+)?)\\s*([a-z]*)\\s*$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    const double value = match.captured(1).toDouble();
    const QString unit = match.captured(2);
    const double factor = unit == "mm"                 ? 1.0
                          : unit == "cm"               ? 10.0
                          : unit == "in"               ? kMmPerInch
                          : unit == "pt"               ? kMmPerInch / 72.0
                          : unit == "pc"               ? kMmPerInch / 6.0
                          : unit == "px" || unit == "" ? kMmPerPixel
                                                       : -1.0;
    if (factor < 0 || !(value > 0)) {
        return std::nullopt;
    }
    return value * factor;
}

// Elements and attributes Qt SVG does not draw, with what that means for the cut.
struct Unsupported {
    const char* name;
    const char* effect;
};
constexpr Unsupported kUnsupportedElements[] = {
    {"clipPath", "clipping is not applied: clipped shapes are cut whole"},
    {"mask", "masks are not applied: masked shapes are cut whole"},
    {"filter", "filters are not applied"},
    {"marker", "markers (arrow heads) are not drawn, so not cut"},
    {"pattern", "pattern fills are not drawn, so not cut"},
    {"symbol", "symbols and the use elements that show them are not drawn, so not cut"},
    {"foreignObject", "foreign objects are not drawn, so not cut"},
    {"textPath", "text on a path is not drawn, so not cut"},
    {"image", "images are not cut"},
};

// The root's size and viewBox, and what the document holds that Qt SVG does not draw.
struct DocumentFacts {
    std::optional<double> widthMm;
    std::optional<double> heightMm;
    std::optional<QRectF> viewBox;
    std::vector<std::string> notes;
    bool isSvg = false;
    // Qt SVG draws a nested <svg> as a rectangle the size of the device and stops drawing
    // what follows it: such a drawing cannot be cut as it stands.
    bool nestedSvg = false;
};

DocumentFacts ReadFacts(const QByteArray& bytes) {
    DocumentFacts facts;
    QXmlStreamReader xml(bytes);
    int depth = 0;
    std::vector<std::string> met;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            if (xml.tokenType() == QXmlStreamReader::EndElement) {
                --depth;
            }
            continue;
        }
        ++depth;
        const QString name = xml.name().toString();
        const QXmlStreamAttributes attributes = xml.attributes();
        if (depth == 1) {
            facts.isSvg = name == "svg";
            facts.widthMm = LengthInMm(attributes.value("width").toString());
            facts.heightMm = LengthInMm(attributes.value("height").toString());
            const QStringList box = attributes.value("viewBox").toString().split(
                QRegularExpression("[\\s,]+"), Qt::SkipEmptyParts);
            if (box.size() == 4 && box[2].toDouble() > 0 && box[3].toDouble() > 0) {
                facts.viewBox = QRectF(box[0].toDouble(), box[1].toDouble(), box[2].toDouble(),
                                       box[3].toDouble());
            }
            continue;
        }
        facts.nestedSvg = facts.nestedSvg || name == "svg";
        std::string note;
        for (const Unsupported& element : kUnsupportedElements) {
            if (name == element.name) {
                note = std::string("<") + element.name + ">: " + element.effect;
            }
        }
        if (!note.empty() && std::find(met.begin(), met.end(), note) == met.end()) {
            met.push_back(note);
            facts.notes.push_back(note + " (line " + std::to_string(xml.lineNumber()) + ")");
        }
    }
    if (xml.hasError()) {
        facts.isSvg = false;
    }
    return facts;
}

} // namespace

bool LooksLikeSvg(const QByteArray& bytes) {
    QByteArray start = bytes.left(512);
    if (start.startsWith("\xEF\xBB\xBF")) {
        start.remove(0, 3);
    }
    return start.trimmed().startsWith('<');
}

std::optional<SvgDrawing> ReadSvgDrawing(const QByteArray& bytes, std::string& problem) {
    const DocumentFacts facts = ReadFacts(bytes);
    QSvgRenderer renderer;
    if (!facts.isSvg || !renderer.load(bytes)) {
        problem = "is no SVG drawing that can be read";
        return std::nullopt;
    }
    if (facts.nestedSvg) {
        problem = "holds an <svg> inside the drawing, which Qt SVG cannot draw (save it as plain "
                  "SVG, or ungroup it)";
        return std::nullopt;
    }
    // Qt SVG reads absolute units at 90 px per inch; the document's size is taken here at
    // the 96 of CSS, and user units are pixels of that size when no viewBox says otherwise.
    const QRectF viewBox = facts.viewBox.value_or(renderer.viewBoxF());
    SvgDrawing drawing;
    drawing.sizeMm = QSizeF(facts.widthMm.value_or(viewBox.width() * kMmPerPixel),
                            facts.heightMm.value_or(viewBox.height() * kMmPerPixel));
    QRectF userBox = viewBox;
    if (!facts.viewBox) {
        userBox = QRectF(0, 0, drawing.sizeMm.width() / kMmPerPixel,
                         drawing.sizeMm.height() / kMmPerPixel);
    }
    renderer.setViewBox(userBox);
    renderer.setAspectRatioMode(Qt::KeepAspectRatio);

    CRecordingDevice device;
    {
        QPainter painter(&device);
        renderer.render(&painter, QRectF(QPointF(0, 0), drawing.sizeMm));
    }
    drawing.outlines = device.Engine().TakeOutlines();
    drawing.notes = facts.notes;
    return drawing;
}

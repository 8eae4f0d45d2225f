// SVG drawings converted to HP-GL, read back and laid over Qt's own rendering of the same
// drawing: every cut outline lies on the edge of what Qt paints and every painted edge is cut.
#include "cut/CutPaths.h"
#include "cut/PlotterJob.h"
#include "cut/SvgDrawing.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace {

const QString kDrawings = QStringLiteral(QUIRN_SOURCE_DIR "/tests/cut/drawings/");
// Pixels per millimetre of the reference picture: two to a plotter unit.
constexpr double kPixelsPerMm = 80.0;
constexpr double kPixelsPerUnit = kPixelsPerMm / cutpaths::kUnitsPerMm;
// How far a cut may lie from the drawing's outline.
constexpr double kToleranceMm = 0.05;
constexpr int kTolerancePixels = static_cast<int>(kToleranceMm * kPixelsPerMm);

QByteArray Read(const QString& name) {
    QFile file(kDrawings + name);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    return file.readAll();
}

// The job as the plotter reads it: each PU starts a line, the PD points that follow draw it.
std::vector<std::vector<QPointF>> ReadHpglLines(const std::string& hpgl) {
    std::vector<std::vector<QPointF>> lines;
    std::istringstream commands(hpgl);
    for (std::string command; std::getline(commands, command, ';');) {
        const std::string mnemonic = command.substr(0, 2);
        std::istringstream numbers(command.substr(2));
        std::vector<double> values;
        for (std::string value; std::getline(numbers, value, ',');) {
            values.push_back(std::stod(value));
        }
        if (mnemonic == "PU" && values.size() == 2) {
            lines.push_back({QPointF(values[0], values[1])});
        }
        for (std::size_t i = 0; mnemonic == "PD" && i + 1 < values.size(); i += 2) {
            lines.back().emplace_back(values[i], values[i + 1]);
        }
    }
    return lines;
}

std::string Convert(const QString& name, QSizeF& sizeMm) {
    std::string problem;
    const std::optional<SvgDrawing> drawing = ReadSvgDrawing(Read(name), problem);
    EXPECT_TRUE(drawing) << problem;
    if (!drawing) {
        return {};
    }
    sizeMm = drawing->sizeMm;
    return cutpaths::ToHpgl(cutpaths::OrderForCutting(
        cutpaths::ToPlotterUnits(drawing->outlines, drawing->sizeMm.height())));
}

// Painted pixels that touch an unpainted one: the outline of what Qt drew.
std::vector<QPoint> EdgePixels(const QImage& image) {
    std::vector<QPoint> edges;
    const auto painted = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < image.width() && y < image.height() &&
               image.constScanLine(y)[x] < 128;
    };
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (painted(x, y) && (!painted(x - 1, y) || !painted(x + 1, y) || !painted(x, y - 1) ||
                                  !painted(x, y + 1))) {
                edges.emplace_back(x, y);
            }
        }
    }
    return edges;
}

struct Drawing {
    const char* file;
    QSizeF sizeMm;     // the document's size, from its width and height
    QRectF viewBox;    // its user space
    std::size_t lines; // outlines to cut
};

TEST(CutGeometry, EveryOutlineLiesWithinFiveHundredthsOfAMillimetreOfQtsRendering) {
    const Drawing drawings[] = {
        {"shapes-in.svg", {60.96, 40.64}, {0, 0, 600, 400}, 8},
        {"shapes-px.svg", {240 * 25.4 / 96, 180 * 25.4 / 96}, {0, 0, 240, 180}, 4},
        {"nested-mm.svg", {80, 50}, {0, 0, 160, 100}, 5},
    };
    for (const Drawing& d : drawings) {
        SCOPED_TRACE(d.file);
        QSizeF sizeMm;
        const std::vector<std::vector<QPointF>> lines = ReadHpglLines(Convert(d.file, sizeMm));
        EXPECT_NEAR(sizeMm.width(), d.sizeMm.width(), 1e-9);
        EXPECT_NEAR(sizeMm.height(), d.sizeMm.height(), 1e-9);
        EXPECT_EQ(lines.size(), d.lines);

        QImage picture(qRound(d.sizeMm.width() * kPixelsPerMm),
                       qRound(d.sizeMm.height() * kPixelsPerMm), QImage::Format_Grayscale8);
        picture.fill(255);
        {
            QSvgRenderer renderer(kDrawings + d.file);
            renderer.setViewBox(d.viewBox);
            QPainter painter(&picture);
            renderer.render(&painter, QRectF(QPointF(0, 0), picture.size()));
        }
        const std::vector<QPoint> edges = EdgePixels(picture);
        ASSERT_FALSE(edges.empty());

        // The cut in the picture's pixels (y down), and a band of the tolerance around it.
        std::vector<std::vector<QPointF>> cut;
        QImage band(picture.size(), QImage::Format_Grayscale8);
        band.fill(0);
        {
            QPainter painter(&band);
            painter.setPen(QPen(Qt::white, 2 * kTolerancePixels, Qt::SolidLine, Qt::RoundCap));
            for (const std::vector<QPointF>& line : lines) {
                cut.emplace_back();
                for (const QPointF& p : line) {
                    cut.back().emplace_back(p.x() * kPixelsPerUnit,
                                            picture.height() - p.y() * kPixelsPerUnit);
                }
                painter.drawPolyline(cut.back().data(), static_cast<int>(cut.back().size()));
            }
        }
        std::size_t uncut = 0;
        for (const QPoint& edge : edges) {
            uncut += band.constScanLine(edge.y())[edge.x()] < 128 ? 1 : 0;
        }
        EXPECT_EQ(uncut, 0u) << "painted edge pixels farther than the tolerance from any cut";

        QImage edgeMap(picture.size(), QImage::Format_Grayscale8);
        edgeMap.fill(0);
        for (const QPoint& edge : edges) {
            edgeMap.scanLine(edge.y())[edge.x()] = 255;
        }
        const auto nearEdge = [&](QPointF p) {
            for (int dy = -kTolerancePixels; dy <= kTolerancePixels; ++dy) {
                for (int dx = -kTolerancePixels; dx <= kTolerancePixels; ++dx) {
                    const int x = static_cast<int>(std::floor(p.x())) + dx;
                    const int y = static_cast<int>(std::floor(p.y())) + dy;
                    if (dx * dx + dy * dy <= kTolerancePixels * kTolerancePixels && x >= 0 &&
                        y >= 0 && x < edgeMap.width() && y < edgeMap.height() &&
                        edgeMap.constScanLine(y)[x] != 0) {
                        return true;
                    }
                }
            }
            return false;
        };
        std::size_t astray = 0;
        for (const std::vector<QPointF>& line : cut) {
            for (std::size_t i = 1; i < line.size(); ++i) {
                const QPointF step = line[i] - line[i - 1];
                const int samples = std::max(1, static_cast<int>(std::hypot(step.x(), step.y())));
                for (int s = 0; s <= samples; ++s) {
                    astray += nearEdge(line[i - 1] + step * (double(s) / samples)) ? 0 : 1;
                }
            }
        }
        EXPECT_EQ(astray, 0u) << "cut points farther than the tolerance from any painted edge";
    }
}

// A square of 100 mm is 4000 plotter units a side in every unit a document may use, and one
// path however it is painted.
TEST(CutGeometry, HundredMillimetreSquareIsExactlyFourThousandUnits) {
    // The root's attributes, then its content.
    const std::pair<const char*, const char*> documents[] = {
        {R"(width="120mm" height="120mm" viewBox="0 0 120 120")",
         R"(<rect x="10" y="10" width="100" height="100"/>)"},
        {R"(width="12cm" height="12cm" viewBox="0 0 12 12")",
         R"(<rect x="1" y="1" width="10" height="10"/>)"},
        {R"(width="4.72440945in" height="4.72440945in" viewBox="0 0 120 120")",
         R"(<rect x="10" y="10" width="100" height="100"/>)"},
        {R"(width="340.157480pt" height="340.157480pt" viewBox="0 0 120 120")",
         R"(<rect x="10" y="10" width="100" height="100"/>)"},
        {R"(width="453.543307" height="453.543307")",
         R"(<rect x="37.795276" y="37.795276" width="377.952756" height="377.952756"/>)"},
        {R"(width="120mm" height="120mm" viewBox="0 0 120 120")",
         R"(<rect x="10" y="10" width="100" height="100" fill="red" stroke="blue"/>)"},
        {R"(width="453.543307px" height="453.543307px" viewBox="0 0 1200 1200")",
         R"svg(<g transform="scale(10)"><rect x="10" y="10" width="100" height="100"/></g>)svg"},
    };
    for (const auto& [attributes, content] : documents) {
        SCOPED_TRACE(attributes);
        const QByteArray svg = QByteArray("<svg xmlns=\"http://www.w3.org/2000/svg\" ") +
                               attributes + ">" + content + "</svg>";
        std::string problem;
        const std::optional<SvgDrawing> drawing = ReadSvgDrawing(svg, problem);
        ASSERT_TRUE(drawing) << problem;
        const std::vector<CutPath> paths =
            cutpaths::ToPlotterUnits(drawing->outlines, drawing->sizeMm.height());
        ASSERT_EQ(paths.size(), 1u);
        const std::vector<QPoint> expected{
            {400, 4400}, {4400, 4400}, {4400, 400}, {400, 400}, {400, 4400}};
        EXPECT_EQ(paths[0].points, expected);
        EXPECT_TRUE(paths[0].closed);
    }
}

// Bounds of a line, in plotter units.
QRectF Bounds(const std::vector<QPointF>& line) {
    QPointF low = line.front();
    QPointF high = line.front();
    for (const QPointF& p : line) {
        low = QPointF(std::min(low.x(), p.x()), std::min(low.y(), p.y()));
        high = QPointF(std::max(high.x(), p.x()), std::max(high.y(), p.y()));
    }
    return QRectF(low, high);
}

TEST(CutGeometry, HolesAndIslandsAreCutBeforeTheOutlinesAroundThem) {
    for (const char* file : {"shapes-in.svg", "nested-mm.svg"}) {
        SCOPED_TRACE(file);
        QSizeF sizeMm;
        const std::vector<std::vector<QPointF>> lines = ReadHpglLines(Convert(file, sizeMm));
        std::size_t pairs = 0;
        for (std::size_t outer = 0; outer < lines.size(); ++outer) {
            for (std::size_t inner = 0; inner < lines.size(); ++inner) {
                const QRectF in = Bounds(lines[inner]);
                const QRectF out = Bounds(lines[outer]);
                if (inner != outer && out.contains(in) && out != in) {
                    ++pairs;
                    EXPECT_LT(inner, outer) << "line " << inner << " lies inside " << outer;
                }
            }
        }
        // shapes-in: one hole; nested-mm: two holes, an island in one hole and in the outline.
        EXPECT_EQ(pairs, std::string(file) == "shapes-in.svg" ? 1u : 4u);
    }
}

TEST(CutGeometry, OvercutGoesOnPastTheStartAlongTheFirstEdges) {
    const std::vector<QPoint> square{{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 0}};
    struct Row {
        double units;
        std::vector<QPoint> tail; // what follows the closed square
    };
    const Row rows[] = {{0, {}}, {40, {{40, 0}}}, {100, {{100, 0}}}, {150, {{100, 0}, {100, 50}}}};
    for (const Row& row : rows) {
        std::vector<CutPath> paths{{square, true}, {{{0, 0}, {50, 50}}, false}};
        cutpaths::AddOvercut(paths, row.units);
        std::vector<QPoint> expected = square;
        expected.insert(expected.end(), row.tail.begin(), row.tail.end());
        EXPECT_EQ(paths[0].points, expected) << row.units;
        EXPECT_EQ(paths[1].points.size(), 2u) << "open paths stay as they are";
    }
}

TEST(CutGeometry, FeaturesQtSvgDoesNotDrawAreReportedAndHiddenOnesLeaveNothing) {
    std::string problem;
    const std::optional<SvgDrawing> unsupported = ReadSvgDrawing(Read("unsupported.svg"), problem);
    ASSERT_TRUE(unsupported);
    ASSERT_EQ(unsupported->notes.size(), 2u);
    EXPECT_EQ(unsupported->notes[0].rfind("<clipPath>: clipping is not applied", 0), 0u);
    EXPECT_EQ(unsupported->notes[1].rfind("<mask>", 0), 0u);

    const std::optional<SvgDrawing> nothing = ReadSvgDrawing(Read("nothing.svg"), problem);
    ASSERT_TRUE(nothing);
    EXPECT_TRUE(cutpaths::ToPlotterUnits(nothing->outlines, 50).empty());

    EXPECT_FALSE(ReadSvgDrawing("<html><body>no drawing</body></html>", problem));
    EXPECT_FALSE(ReadSvgDrawing("<svg xmlns=\"http://www.w3.org/2000/svg\"><rect", problem));
    EXPECT_FALSE(ReadSvgDrawing("<svg xmlns=\"http://www.w3.org/2000/svg\"><svg><rect "
                                "width=\"3\" height=\"3\"/></svg></svg>",
                                problem));
    EXPECT_EQ(problem.rfind("holds an <svg> inside the drawing", 0), 0u);
}

} // namespace

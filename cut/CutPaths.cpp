#include "cut/CutPaths.h"

#include <QPolygonF>
#include <QRect>

#include <algorithm>
#include <cmath>
#include <limits>

namespace cutpaths {
namespace {

// Points a PD command carries at most, so that the job can be sent in short pieces.
constexpr std::size_t kPointsPerCommand = 64;
// Points of a path tried against a closed path that may contain it.
constexpr std::size_t kContainmentSamples = 16;

double DistanceSquared(QPoint a, QPoint b) {
    const double dx = a.x() - b.x();
    const double dy = a.y() - b.y();
    return dx * dx + dy * dy;
}

QRect Bounds(const CutPath& path) {
    QRect bounds(path.points.front(), path.points.front());
    for (const QPoint& p : path.points) {
        bounds |= QRect(p, p);
    }
    return bounds;
}

// Whether `inner` lies inside the closed path `outer`: within its bounds and every sampled
// point inside it.
bool Contains(const CutPath& outer, const QPolygon& outerPolygon, const QRect& outerBounds,
              const CutPath& inner, const QRect& innerBounds) {
    if (!outer.closed || &outer == &inner || !outerBounds.contains(innerBounds) ||
        outerBounds == innerBounds) {
        return false;
    }
    const std::size_t step = std::max<std::size_t>(1, inner.points.size() / kContainmentSamples);
    for (std::size_t i = 0; i < inner.points.size(); i += step) {
        if (!outerPolygon.containsPoint(inner.points[i], Qt::OddEvenFill)) {
            return false;
        }
    }
    return true;
}

// Where the path is best entered from `from`: the index of its nearest point for a closed
// path, 0 or the last for an open one, with the squared distance.
std::pair<std::size_t, double> NearestStart(const CutPath& path, QPoint from) {
    if (!path.closed) {
        const double first = DistanceSquared(from, path.points.front());
        const double last = DistanceSquared(from, path.points.back());
        return last < first ? std::pair{path.points.size() - 1, last}
                            : std::pair{std::size_t{0}, first};
    }
    std::pair<std::size_t, double> best{0, std::numeric_limits<double>::max()};
    for (std::size_t i = 0; i + 1 < path.points.size(); ++i) {
        const double d = DistanceSquared(from, path.points[i]);
        if (d < best.second) {
            best = {i, d};
        }
    }
    return best;
}

// The path entered at `start`: a closed one turned to begin there, an open one reversed
// when entered from its end.
CutPath EnteredAt(CutPath path, std::size_t start) {
    if (start == 0) {
        return path;
    }
    if (!path.closed) {
        std::reverse(path.points.begin(), path.points.end());
        return path;
    }
    std::vector<QPoint> turned(path.points.begin() + static_cast<long>(start),
                               path.points.end() - 1);
    turned.insert(turned.end(), path.points.begin(),
                  path.points.begin() + static_cast<long>(start) + 1);
    path.points = std::move(turned);
    return path;
}

void AppendPoints(std::string& out, const std::vector<QPoint>& points, std::size_t from) {
    for (std::size_t i = from; i < points.size(); i += kPointsPerCommand) {
        out += "PD";
        const std::size_t end = std::min(points.size(), i + kPointsPerCommand);
        for (std::size_t j = i; j < end; ++j) {
            out += std::to_string(points[j].x()) + ',' + std::to_string(points[j].y());
            out += j + 1 < end ? ',' : ';';
        }
    }
}

} // namespace

std::vector<CutPath> ToPlotterUnits(const std::vector<QPainterPath>& outlines, double heightMm) {
    // Flattened in plotter units: Qt divides curves until they lie within a fraction of a unit.
    const QTransform toPlotter(kUnitsPerMm, 0, 0, -kUnitsPerMm, 0, heightMm * kUnitsPerMm);
    std::vector<CutPath> paths;
    for (const QPainterPath& outline : outlines) {
        for (const QPolygonF& polygon : outline.toSubpathPolygons(toPlotter)) {
            CutPath path;
            for (const QPointF& point : polygon) {
                const QPoint rounded(static_cast<int>(std::lround(point.x())),
                                     static_cast<int>(std::lround(point.y())));
                if (path.points.empty() || path.points.back() != rounded) {
                    path.points.push_back(rounded);
                }
            }
            if (path.points.size() < 2) {
                continue;
            }
            path.closed = path.points.size() > 2 && path.points.front() == path.points.back();
            paths.push_back(std::move(path));
        }
    }
    return paths;
}

std::vector<CutPath> OrderForCutting(std::vector<CutPath> paths) {
    const std::size_t n = paths.size();
    std::vector<QRect> bounds;
    std::vector<QPolygon> polygons;
    for (const CutPath& path : paths) {
        bounds.push_back(Bounds(path));
        polygons.emplace_back(QList<QPoint>(path.points.begin(), path.points.end()));
    }
    // How many uncut paths lie inside each one, and which paths contain each one.
    std::vector<std::size_t> insideCount(n, 0);
    std::vector<std::vector<std::size_t>> containers(n);
    for (std::size_t outer = 0; outer < n; ++outer) {
        for (std::size_t inner = 0; inner < n; ++inner) {
            if (Contains(paths[outer], polygons[outer], bounds[outer], paths[inner],
                         bounds[inner])) {
                ++insideCount[outer];
                containers[inner].push_back(outer);
            }
        }
    }
    std::vector<CutPath> ordered;
    ordered.reserve(n);
    std::vector<bool> done(n, false);
    QPoint knife(0, 0);
    for (std::size_t step = 0; step < n; ++step) {
        std::size_t best = n;
        std::pair<std::size_t, double> bestStart{0, std::numeric_limits<double>::max()};
        for (std::size_t i = 0; i < n; ++i) {
            if (done[i] || insideCount[i] != 0) {
                continue;
            }
            const auto start = NearestStart(paths[i], knife);
            if (start.second < bestStart.second) {
                best = i;
                bestStart = start;
            }
        }
        done[best] = true;
        for (std::size_t outer : containers[best]) {
            --insideCount[outer];
        }
        ordered.push_back(EnteredAt(std::move(paths[best]), bestStart.first));
        knife = ordered.back().points.back();
    }
    return ordered;
}

void AddOvercut(std::vector<CutPath>& paths, double units) {
    for (CutPath& path : paths) {
        if (!path.closed || units <= 0) {
            continue;
        }
        double left = units;
        const std::vector<QPoint> ring = path.points;
        for (std::size_t i = 1; i < ring.size() && left > 0; ++i) {
            const QPointF a = ring[i - 1];
            const QPointF b = ring[i];
            const double length = std::hypot(b.x() - a.x(), b.y() - a.y());
            if (length >= left) {
                const QPointF end = a + (b - a) * (left / length);
                path.points.emplace_back(static_cast<int>(std::lround(end.x())),
                                         static_cast<int>(std::lround(end.y())));
                break;
            }
            path.points.push_back(ring[i]);
            left -= length;
        }
    }
}

std::string ToHpgl(const std::vector<CutPath>& paths) {
    std::string out = "PA;";
    for (const CutPath& path : paths) {
        out += "PU" + std::to_string(path.points.front().x()) + ',' +
               std::to_string(path.points.front().y()) + ';';
        AppendPoints(out, path.points, 1);
    }
    out += "PU;";
    return out;
}

} // namespace cutpaths

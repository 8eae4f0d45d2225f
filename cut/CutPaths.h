#pragma once

#include <QPainterPath>
#include <QPoint>

#include <string>
#include <vector>

// One line the knife follows without lifting, in plotter units.
struct CutPath {
    std::vector<QPoint> points;
    bool closed = false; // ends where it starts
};

namespace cutpaths {

constexpr int kUnitsPerMm = 40;

// The outlines (document millimetres, y down) as the plotter cuts them: curves flattened
// within a plotter unit, coordinates in plotter units with the plotter's y axis (up, the
// drawing's bottom edge at 0). Subpaths without length are left out.
std::vector<CutPath> ToPlotterUnits(const std::vector<QPainterPath>& outlines, double heightMm);

// The order of cutting: a path inside a closed one is cut before it (a hole before its
// outline, so the piece is still held while its inside is cut), otherwise the path whose
// start is nearest to where the knife is; a closed path starts at its point nearest to the
// knife, an open one at its nearer end. The knife starts at the origin.
std::vector<CutPath> OrderForCutting(std::vector<CutPath> paths);

// Closed paths go on past their start for `units` along their first segments, so that the
// cut closes cleanly.
void AddOvercut(std::vector<CutPath>& paths, double units);

// The HP-GL job: absolute coordinates, each path one pen-up move and pen-down lines, the
// tool lifted at the end. No speed or force: the controller sets those.
std::string ToHpgl(const std::vector<CutPath>& paths);

} // namespace cutpaths

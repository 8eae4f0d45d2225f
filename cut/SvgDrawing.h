#pragma once

#include <QByteArray>
#include <QPainterPath>
#include <QSizeF>

#include <optional>
#include <string>
#include <vector>

// What an SVG drawing asks to be cut: the outline of every shape Qt SVG draws, in document
// millimetres (y down, as in the drawing), after every transform, `use`, the viewBox and the
// document's units. Hidden elements are not drawn, so not cut.
struct SvgDrawing {
    QSizeF sizeMm;
    std::vector<QPainterPath> outlines;
    // What the drawing holds that Qt SVG does not draw as it stands, once per kind.
    std::vector<std::string> notes;
};

// Whether the bytes look like XML (an SVG drawing) rather than a plotter job.
bool LooksLikeSvg(const QByteArray& bytes);

// Draws the SVG with Qt SVG and records the outlines. Nothing when it is no SVG Qt can read,
// with the reason in `problem`.
std::optional<SvgDrawing> ReadSvgDrawing(const QByteArray& bytes, std::string& problem);

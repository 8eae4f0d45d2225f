#pragma once

#include "cut/CutPaths.h"

#include <QImage>
#include <QSizeF>

// A picture of a cut: the paths in the order they are cut (from blue to red), each one's
// start as a dot with its number, and the moves with the tool up as dashed grey lines.
QImage DrawPreview(const std::vector<CutPath>& ordered, QSizeF sizeMm);

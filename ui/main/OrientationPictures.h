#pragma once

#include <QRect>

#include <string>
#include <vector>

// What the orientation pictures depend on.
struct OrientationView {
    int designOrientation; // 0 landscape, 1 portrait
    int mediaOrientation;  // 0 unrotated, 1 rotated
    bool marksDrawn;       // mark reading offered and registration marks on
    bool mirror;           // the plotter's mirror setting read at opening
};

struct PlacedPicture {
    QRect rect;       // client pixels
    std::string file; // name in the common skin folder, with its leading separator
};

// The five pictures of the orientation panel: the two design pictures, the two media pictures
// and the preview, in that order.
std::vector<PlacedPicture> OrientationPictures(const OrientationView& view);

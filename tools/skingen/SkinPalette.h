#pragma once

// The one palette of every generated picture, and the bevelled faces shared by the skins.

#include <QColor>
#include <QPainter>
#include <QRect>

namespace palette {

inline const QColor kBackground(210, 212, 213); // every window's background
inline const QColor kFace(232, 233, 234);
inline const QColor kFacePressed(196, 198, 200);
inline const QColor kLight(255, 255, 255);
inline const QColor kShadow(140, 140, 140); // also the windows' frame colour
inline const QColor kDark(72, 74, 78);
inline const QColor kDisabled(178, 178, 178); // disabled captions and symbols
inline const QColor kInk(24, 26, 30);
inline const QColor kTitleBlue(0, 29, 160);
inline const QColor kAction(214, 96, 24);
inline const QColor kPaper(255, 255, 255);
inline const QColor kTrack(196, 198, 200);
inline const QColor kMetal(168, 172, 178);
inline const QColor kMetalDark(110, 114, 120);
inline const QColor kCapBlue(30, 90, 200);
inline const QColor kCapRed(200, 34, 34);
inline const QColor kCapGreen(30, 150, 60);
inline const QColor kDesign(0, 120, 190);
inline const QColor kMark(0, 0, 0);
inline const QColor kLength(255, 0, 0);    // the length edit's text colour
inline const QColor kThickness(0, 0, 255); // the thickness edit's text colour

} // namespace palette

enum class Relief { Raised, Sunken, Flat };

// Fills rect with a button face: a dark outline, then a light and a shadow edge that make it
// stand out (raised), sink in (sunken) or neither (flat, for disabled faces).
void DrawFace(QPainter& painter, const QRect& rect, Relief relief);

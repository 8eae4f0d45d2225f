#include "tools/skingen/Pictures.h"

#include "tools/skingen/Captions.h"
#include "tools/skingen/SkinPalette.h"

#include <QPainterPath>
#include <QPolygonF>

#include <cmath>
#include <cstdio>
#include <numbers>

namespace {

QImage NewImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(palette::kBackground);
    return image;
}

bool Has(const std::string& name, const char* part) {
    return name.find(part) != std::string::npos;
}

// ---- blades ---------------------------------------------------------------------------------

enum class Tip { Blade, Tool, Pen };

struct BladeLook {
    QColor cap;
    Tip tip;
    int rings;           // marks on the body that tell the tool series apart
    double bladeDegrees; // the cutting edge's angle, for blades
    bool question;       // the "Other" entry
    bool disabled;       // the neutral picture shown with the plotter's own settings
};

BladeLook LookOfBlade(const std::string& name) {
    BladeLook look{palette::kMetalDark, Tip::Blade, 0, 45, false, false};
    if (Has(name, "LM200")) {
        look = {palette::kDark, Tip::Tool, 1, 0, false, false};
    } else if (Has(name, "LM300")) {
        look = {palette::kDark, Tip::Tool, 2, 0, false, false};
    } else if (Has(name, "LM400")) {
        look = {palette::kDark, Tip::Tool, 3, 0, false, false};
    } else if (Has(name, "BLUE_1")) {
        look.cap = palette::kCapBlue;
    } else if (Has(name, "BLUE_2")) {
        look.cap = palette::kCapBlue;
        look.bladeDegrees = 60;
    } else if (Has(name, "RED")) {
        look.cap = palette::kCapRed;
    } else if (Has(name, "GREEN")) {
        look.cap = palette::kCapGreen;
        look.bladeDegrees = 30;
    } else if (Has(name, "PNH40")) {
        look = {palette::kInk, Tip::Pen, 0, 0, false, false};
    } else if (Has(name, "OTHER")) {
        look.question = true;
    } else {
        look.disabled = true;
    }
    return look;
}

// The letters that are the same in every language ("a" of the Area step, "?" of "Other").
constexpr std::string_view kSymbolFolder = "BMP/ENG";

// Pixel size of the words in the length and thickness picture.
constexpr int kCaptionPixels = 11;

// Drawn on a 105 × 150 grid, scaled to the picture's size.
bool DrawBlade(QPainter& p, const BladeLook& look, int width, int height,
               const CCaptionFonts& fonts) {
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(width / 105.0, height / 150.0);
    const auto tone = [&](const QColor& c) { return look.disabled ? palette::kDisabled : c; };

    p.setPen(QPen(palette::kShadow, 1));
    p.setBrush(palette::kFace);
    p.drawRoundedRect(QRectF(3.5, 3.5, 98, 143), 6, 6);

    QLinearGradient metal(38, 0, 67, 0);
    metal.setColorAt(0, tone(palette::kMetalDark));
    metal.setColorAt(0.45, tone(palette::kMetal).lighter(125));
    metal.setColorAt(1, tone(palette::kMetalDark));
    const QColor outline = tone(palette::kDark);

    // Collar and shaft below the body.
    p.setPen(QPen(outline, 1));
    p.setBrush(metal);
    p.drawPolygon(
        QPolygonF{QPointF(38, 100), QPointF(67, 100), QPointF(59, 112), QPointF(46, 112)});
    p.drawRect(QRectF(49.5, 112, 6, 14));

    // Body, then the coloured cap that tells the blade family.
    const QColor body = look.tip == Tip::Pen ? tone(palette::kInk) : QColor();
    if (body.isValid()) {
        p.setBrush(body);
    }
    p.drawRoundedRect(QRectF(38, 30, 29, 70), 3, 3);
    p.setBrush(tone(look.cap));
    p.drawRoundedRect(QRectF(36, 12, 33, 24), 5, 5);
    p.setPen(QPen(tone(palette::kLight), 2));
    for (int i = 0; i < look.rings; ++i) {
        const double y = 46 + 10 * i;
        p.drawLine(QPointF(39, y), QPointF(66, y));
    }
    if (look.question && !DrawCaption(p, fonts.ForLanguage(kSymbolFolder, 18), QPointF(52.5, 24),
                                      CaptionAnchor::Centre, QStringLiteral("?"), palette::kLight,
                                      QRectF(36, 12, 33, 24))) {
        return false;
    }

    p.setPen(QPen(outline, 1));
    switch (look.tip) {
    case Tip::Blade: {
        // The edge is slanted by the blade angle: steeper blades reach further down.
        const double depth =
            std::min(18.0, 6.0 * std::tan(look.bladeDegrees * std::numbers::pi / 180.0) + 3.0);
        p.setBrush(tone(palette::kLight));
        p.drawPolygon(
            QPolygonF{QPointF(49.5, 126), QPointF(55.5, 126), QPointF(55.5, 126 + depth)});
        break;
    }
    case Tip::Tool:
        p.setBrush(metal);
        p.drawPolygon(
            QPolygonF{QPointF(49.5, 126), QPointF(55.5, 126), QPointF(54, 136), QPointF(51, 136)});
        break;
    case Tip::Pen:
        p.setBrush(tone(palette::kInk));
        p.drawPolygon(QPolygonF{QPointF(49.5, 126), QPointF(55.5, 126), QPointF(52.5, 138)});
        p.setBrush(tone(palette::kCapBlue));
        p.drawEllipse(QPointF(52.5, 139), 1.5, 1.5);
        break;
    }
    return true;
}

// ---- designs, media and marks ------------------------------------------------------------

void DrawCornerMark(QPainter& p, QPointF corner, qreal arm, qreal thickness, int quadrant,
                    const QColor& colour) {
    // An L-shaped mark; quadrant 0 opens to the lower right, 1 lower left, 2 upper left,
    // 3 upper right.
    p.save();
    p.translate(corner);
    p.rotate(90 * quadrant);
    p.fillRect(QRectF(0, 0, arm, thickness), colour);
    p.fillRect(QRectF(0, 0, thickness, arm), colour);
    p.restore();
}

// A sheet with the design on it: an "F" and a dot, which show both turning and mirroring.
// Drawn around the painter's origin.
void DrawPage(QPainter& p, qreal width, qreal height, bool marks, bool mirror) {
    const QRectF page(-width / 2, -height / 2, width, height);
    p.setPen(QPen(palette::kShadow, 1));
    p.setBrush(palette::kPaper);
    p.drawRect(page);

    const qreal margin = std::max<qreal>(3, std::min(width, height) * 0.16);
    const QRectF c = page.adjusted(margin, margin, -margin, -margin);
    p.save();
    if (mirror) {
        p.scale(-1, 1);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(palette::kDesign);
    const qreal bar = std::max<qreal>(1.5, std::min(c.width(), c.height()) * 0.18);
    p.drawRect(QRectF(c.left(), c.top(), bar, c.height()));
    p.drawRect(QRectF(c.left(), c.top(), c.width() * 0.7, bar));
    p.drawRect(QRectF(c.left(), c.top() + c.height() * 0.42, c.width() * 0.5, bar));
    p.setBrush(palette::kCapRed);
    const qreal r = std::min(c.width(), c.height()) * 0.16;
    p.drawEllipse(QPointF(c.left() + c.width() * 0.78, c.top() + c.height() * 0.74), r, r);
    p.restore();

    if (marks) {
        const qreal arm = std::max<qreal>(3, std::min(width, height) * 0.14);
        const qreal t = std::max<qreal>(1, arm / 4);
        const qreal inset = 1.5;
        DrawCornerMark(p, page.topLeft() + QPointF(inset, inset), arm, t, 0, palette::kMark);
        DrawCornerMark(p, page.topRight() + QPointF(-inset, inset), arm, t, 1, palette::kMark);
        DrawCornerMark(p, page.bottomRight() + QPointF(-inset, -inset), arm, t, 2, palette::kMark);
        DrawCornerMark(p, page.bottomLeft() + QPointF(inset, -inset), arm, t, 3, palette::kMark);
    }
}

// The plotter seen from above: the head's carriage across the top, the medium coming out
// below it, an arrow for the feed direction.
QRectF DrawMedium(QPainter& p, int width, int height) {
    const qreal bar = std::max(5.0, height * 0.1);
    const qreal side = width * 0.14;
    const QRectF medium(side, bar, width - 2 * side, height - bar);
    p.setPen(QPen(palette::kShadow, 1));
    p.setBrush(palette::kPaper.darker(104));
    p.drawRect(medium);
    p.setPen(Qt::NoPen);
    p.setBrush(palette::kDark);
    p.drawRect(QRectF(0, 0, width, bar));
    p.setBrush(palette::kAction);
    p.drawRect(QRectF(width * 0.2, bar * 0.15, bar * 1.2, bar * 0.7));
    // Feed arrow in the right margin.
    const qreal x = width - side / 2;
    p.setPen(QPen(palette::kShadow, std::max(1.0, side / 6)));
    p.drawLine(QPointF(x, height * 0.35), QPointF(x, height * 0.8));
    p.setPen(Qt::NoPen);
    p.setBrush(palette::kShadow);
    const qreal head = side * 0.35;
    p.drawPolygon(QPolygonF{QPointF(x - head, height * 0.8 - head),
                            QPointF(x + head, height * 0.8 - head),
                            QPointF(x, height * 0.8 + head * 0.5)});
    return medium;
}

void DrawDesignPicture(QPainter& p, int width, int height, bool portrait, bool marks) {
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(width / 2.0, height / 2.0);
    const qreal longSide = height * 0.86 * (portrait ? 1 : 1.45);
    const qreal shortSide = longSide / 1.41;
    if (portrait) {
        DrawPage(p, shortSide, longSide, marks, false);
    } else {
        DrawPage(p, longSide, shortSide, marks, false);
    }
}

void DrawPlacement(QPainter& p, int width, int height, bool portrait, bool rotated, bool marks,
                   bool mirror) {
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF medium = DrawMedium(p, width, height);
    const qreal room = std::min(medium.width(), medium.height()) * 0.86;
    const qreal longSide = room;
    const qreal shortSide = room / 1.41;
    p.translate(medium.center());
    if (rotated) {
        p.rotate(90);
    }
    if (portrait) {
        DrawPage(p, shortSide, longSide, marks, mirror);
    } else {
        DrawPage(p, longSide, shortSide, marks, mirror);
    }
}

// Mark type 0 lies inside the corner of the cut area, type 1 outside it.
void DrawMarkType(QPainter& p, int width, int height, bool outside) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(palette::kPaper);
    p.setPen(QPen(palette::kShadow, 1));
    p.drawRect(QRectF(2.5, 2.5, width - 5, height - 5));
    const qreal s = std::min(width, height);
    const QRectF area = outside ? QRectF(s * 0.12, s * 0.12, s * 0.56, s * 0.56)
                                : QRectF(s * 0.32, s * 0.32, s * 0.56, s * 0.56);
    p.setPen(QPen(palette::kDesign, 1.5, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(area);
    const qreal arm = s * 0.42;
    const qreal t = s * 0.07;
    if (outside) {
        DrawCornerMark(p, QPointF(s * 0.8, s * 0.8), arm, t, 2, palette::kMark);
    } else {
        DrawCornerMark(p, QPointF(s * 0.2, s * 0.2), arm, t, 0, palette::kMark);
    }
}

void DrawArrowHead(QPainter& p, QPointF tip, qreal degrees, qreal size, const QColor& colour) {
    p.save();
    p.translate(tip);
    p.rotate(degrees);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(QPolygonF{QPointF(0, 0), QPointF(-size, -size / 2), QPointF(-size, size / 2)});
    p.restore();
}

void DrawDimension(QPainter& p, QPointF from, QPointF to, const QColor& colour) {
    p.setPen(QPen(colour, 1));
    p.drawLine(from, to);
    const qreal degrees =
        std::atan2(to.y() - from.y(), to.x() - from.x()) * 180.0 / std::numbers::pi;
    DrawArrowHead(p, to, degrees, 4, colour);
    DrawArrowHead(p, from, degrees + 180, 4, colour);
}

// The Area method: marks repeated at the step "a" along the design.
bool DrawMarkArea(QPainter& p, int width, int height, bool rotated, bool outside, bool disabled,
                  const CCaptionFonts& fonts) {
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink = disabled ? palette::kDisabled : palette::kMark;
    const QRectF medium =
        disabled ? QRectF(width * 0.14, 0, width * 0.72, height) : DrawMedium(p, width, height);
    if (disabled) {
        p.setPen(QPen(palette::kDisabled, 1));
        p.setBrush(palette::kBackground);
        p.drawRect(medium);
    }
    // The design's long axis runs along the feed unless the media is rotated.
    const QRectF area = medium.adjusted(10, 8, -10, -10);
    const int count = 4;
    const qreal arm = 7;
    const qreal t = 2;
    const int quadrantNear = outside ? 2 : 0;
    const int quadrantFar = outside ? 3 : 1;
    for (int i = 0; i < count; ++i) {
        if (rotated) {
            const qreal x = area.left() + area.width() * i / (count - 1);
            DrawCornerMark(p, QPointF(x, area.top()), arm, t, outside ? 2 : 0, ink);
            DrawCornerMark(p, QPointF(x, area.bottom()), arm, t, outside ? 1 : 3, ink);
        } else {
            const qreal y = area.top() + area.height() * i / (count - 1);
            DrawCornerMark(p, QPointF(area.left(), y), arm, t, quadrantNear, ink);
            DrawCornerMark(p, QPointF(area.right(), y), arm, t, quadrantFar, ink);
        }
    }
    if (disabled) {
        return true;
    }
    const QColor dimension = palette::kCapRed;
    const QFont font = fonts.ForLanguage(kSymbolFolder, kCaptionPixels);
    const QRectF bounds(0, 0, width, height);
    if (rotated) {
        const qreal step = area.width() / (count - 1);
        const qreal y = area.center().y();
        DrawDimension(p, QPointF(area.left(), y), QPointF(area.left() + step, y), dimension);
        return DrawCaption(p, font, QPointF(area.left() + step / 2, y - 7), CaptionAnchor::Centre,
                           QStringLiteral("a"), dimension, bounds);
    }
    const qreal step = area.height() / (count - 1);
    const qreal x = area.center().x();
    DrawDimension(p, QPointF(x, area.top()), QPointF(x, area.top() + step), dimension);
    return DrawCaption(p, font, QPointF(x + 4, area.top() + step / 2), CaptionAnchor::Left,
                       QStringLiteral("a"), dimension, bounds);
}

struct MarkWords {
    std::string_view folder;
    const char* length;    // of a mark's arm
    const char* thickness; // of its line
};

// The words a user of each language reads beside the two edits of the mark settings window.
constexpr MarkWords kMarkWords[] = {
    {"BMP/ENG", "Length", "Thickness"}, {"BMP/JPN", "長さ", "太さ"},
    {"BMP/RUS", "Длина", "Толщина"},    {"BMP/SPA", "Longitud", "Grosor"},
    {"BMP/GER", "Länge", "Dicke"},      {"BMP/FRE", "Longueur", "Épaisseur"},
    {"BMP/CHI", "长度", "粗细"},
};

bool DrawLengthThickness(QPainter& p, std::string_view folder, const CCaptionFonts& fonts) {
    const MarkWords* words = nullptr;
    for (const MarkWords& row : kMarkWords) {
        if (row.folder == folder) {
            words = &row;
        }
    }
    if (words == nullptr) {
        std::fprintf(stderr, "skingen: no mark captions for %.*s\n", int(folder.size()),
                     folder.data());
        return false;
    }
    // A large mark: the red arrow measures its arm's length, the blue arrows its thickness.
    const QPointF corner(14, 16);
    const qreal arm = 44;
    const qreal t = 6;
    DrawCornerMark(p, corner, arm, t, 0, palette::kMark);
    p.setRenderHint(QPainter::Antialiasing);
    DrawDimension(p, QPointF(corner.x(), 8), QPointF(corner.x() + arm, 8), palette::kLength);
    const qreal y = corner.y() + arm * 0.7;
    p.setPen(QPen(palette::kThickness, 1));
    p.drawLine(QPointF(corner.x() - 10, y), QPointF(corner.x(), y));
    p.drawLine(QPointF(corner.x() + t, y), QPointF(corner.x() + t + 10, y));
    DrawArrowHead(p, QPointF(corner.x(), y), 0, 4, palette::kThickness);
    DrawArrowHead(p, QPointF(corner.x() + t, y), 180, 4, palette::kThickness);
    const QFont font = fonts.ForLanguage(folder, kCaptionPixels);
    const QRectF bounds(0, 0, skin::kMarkLengthWidth, skin::kMarkLengthHeight);
    return DrawCaption(p, font, QPointF(corner.x() + arm + 6, 8), CaptionAnchor::Left,
                       QString::fromUtf8(words->length), palette::kLength, bounds) &&
           DrawCaption(p, font, QPointF(corner.x() + t + 14, y), CaptionAnchor::Left,
                       QString::fromUtf8(words->thickness), palette::kThickness, bounds);
}

void DrawMainBackground(QPainter& p, int width, int height) {
    // A plain window face with a thin frame; the controls and pictures go on top of it.
    p.setPen(palette::kShadow);
    p.drawRect(0, 0, width - 1, height - 1);
    p.setPen(palette::kLight);
    p.drawLine(1, 1, width - 2, 1);
    p.drawLine(1, 1, 1, height - 2);
}

} // namespace

QImage DrawPicture(const skin::PictureFile& file, std::string_view languageFolder,
                   const CCaptionFonts& fonts) {
    const std::string& name = file.name;
    QImage image = NewImage(file.width, file.height);
    QPainter p(&image);
    const bool marks = Has(name, "_TB");
    bool drawn = true;
    if (name == skin::kMainBackground) {
        DrawMainBackground(p, file.width, file.height);
    } else if (name.starts_with("/CUT_")) {
        drawn = DrawBlade(p, LookOfBlade(name), file.width, file.height, fonts);
    } else if (name.starts_with("/IMG_")) {
        DrawDesignPicture(p, file.width, file.height, Has(name, "PORTRAIT"), marks);
    } else if (name.starts_with("/RT_")) {
        DrawPlacement(p, file.width, file.height, Has(name, "PORTRAIT"), Has(name, "_ON_"), marks,
                      false);
    } else if (name.starts_with("/PT_")) {
        DrawPlacement(p, file.width, file.height, Has(name, "_PR_"), Has(name, "_ON"), marks,
                      Has(name, "_MR"));
    } else if (name == skin::kMarkTypeInside || name == skin::kMarkTypeOutside) {
        DrawMarkType(p, file.width, file.height, name == skin::kMarkTypeOutside);
    } else if (name == skin::kMarkAreaDisabled) {
        drawn = DrawMarkArea(p, file.width, file.height, false, false, true, fonts);
    } else if (name.starts_with("/TB_AREA_RT_")) {
        drawn = DrawMarkArea(p, file.width, file.height, Has(name, "_ON_"), Has(name, "OUTSIDE"),
                             false, fonts);
    } else if (name == skin::kMarkLengthThickness) {
        drawn = DrawLengthThickness(p, languageFolder, fonts);
    } else {
        return {};
    }
    return drawn ? image : QImage();
}

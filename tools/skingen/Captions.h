#pragma once

// Words and letters in the generated pictures, drawn with font files named on the command line
// rather than with whatever fonts the build machine has configured, so that the bitmaps depend
// only on the font packages.

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPointF>
#include <QString>

#include <string_view>

class CCaptionFonts {
public:
    // latinFile: a font with Latin and Cyrillic letters (DejaVu Sans); cjkFile: a font
    // collection with Japanese and Simplified Chinese faces (Noto Sans CJK). Needs a
    // QGuiApplication.
    CCaptionFonts(const QString& latinFile, const QString& cjkFile);

    // Empty when both files were loaded; else what went wrong, for the build log.
    const QString& Problem() const { return m_strProblem; }

    // The font for the captions of a bitmap folder ("BMP/JPN" …) at a pixel size; symbols
    // shared by every language use "BMP/ENG".
    QFont ForLanguage(std::string_view languageFolder, int pixelSize) const;

private:
    QString LoadFamily(const QString& file, const QString& preferredSuffix);

    QString m_strLatin;
    QString m_strJapanese;
    QString m_strChinese;
    QString m_strProblem;
};

// Where a caption's anchor point lies: at the middle of its left end, or of the whole text.
enum class CaptionAnchor { Left, Centre };

// Draws text as a filled outline placed by `anchor` (vertically the middle of the capitals or
// ideographs): the painter's own antialiasing, no hinting and no fallback font, so the pixels
// depend on the font file alone. Returns false (and draws nothing) when the font lacks a
// character or the text would leave `bounds`; the caller then fails the picture rather than
// clip it or guess.
[[nodiscard]] bool DrawCaption(QPainter& painter, const QFont& font, QPointF anchor,
                               CaptionAnchor place, const QString& text, const QColor& colour,
                               const QRectF& bounds);

#include "tools/skingen/Captions.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainterPath>
#include <QStringList>

#include <cstdio>

CCaptionFonts::CCaptionFonts(const QString& latinFile, const QString& cjkFile) {
    m_strLatin = LoadFamily(latinFile, QString());
    m_strJapanese = LoadFamily(cjkFile, QStringLiteral(" JP"));
    m_strChinese = LoadFamily(cjkFile, QStringLiteral(" SC"));
}

QString CCaptionFonts::LoadFamily(const QString& file, const QString& preferredSuffix) {
    const int id = QFontDatabase::addApplicationFont(file);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (id < 0 || families.isEmpty()) {
        m_strProblem += QStringLiteral("cannot load the caption font %1 (is its package "
                                       "installed?)\n")
                            .arg(file);
        return {};
    }
    // A collection holds one face per region; the region's own glyph shapes are the right ones.
    for (const QString& family : families) {
        if (!preferredSuffix.isEmpty() && family.endsWith(preferredSuffix)) {
            return family;
        }
    }
    return families.front();
}

QFont CCaptionFonts::ForLanguage(std::string_view languageFolder, int pixelSize) const {
    QString family = m_strLatin;
    if (languageFolder == "BMP/JPN") {
        family = m_strJapanese;
    } else if (languageFolder == "BMP/CHI") {
        family = m_strChinese;
    }
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoFontMerging | QFont::PreferOutline));
    return font;
}

bool DrawCaption(QPainter& painter, const QFont& font, QPointF anchor, CaptionAnchor place,
                 const QString& text, const QColor& colour, const QRectF& bounds) {
    const QFontMetricsF metrics(font);
    if (QFontInfo(font).family() != font.family()) {
        std::fprintf(stderr, "skingen: the font \"%s\" is not available\n",
                     qPrintable(font.family()));
        return false;
    }
    for (const char32_t letter : text.toUcs4()) {
        if (!metrics.inFontUcs4(letter)) {
            std::fprintf(stderr, "skingen: \"%s\" has no glyph for U+%04X in \"%s\"\n",
                         qPrintable(font.family()), unsigned(letter), qPrintable(text));
            return false;
        }
    }
    // Centred on the ink of the capitals and ideographs, not on the line's full height.
    const qreal baseline = anchor.y() + metrics.capHeight() / 2;
    const qreal left = place == CaptionAnchor::Left
                           ? anchor.x()
                           : anchor.x() - metrics.horizontalAdvance(text) / 2;
    QPainterPath path;
    path.addText(QPointF(left, baseline), font, text);
    if (!bounds.contains(path.boundingRect())) {
        std::fprintf(stderr, "skingen: \"%s\" does not fit its picture\n", qPrintable(text));
        return false;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPath(path);
    painter.restore();
    return true;
}

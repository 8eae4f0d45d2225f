// The build's program folder holds every skin file the tables name, as a real bitmap of the
// size it is drawn at, and its pictures are not blank.

#include "skin/SkinFolders.h"
#include "skin/SkinKinds.h"
#include "skin/SkinPictures.h"

#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString FromView(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// Reads a file as a BMP (by its content, not its name) and checks its size.
QImage ReadBmp(const QString& path, QSize size) {
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    EXPECT_EQ(reader.format(), "bmp") << path.toStdString();
    QImage image = reader.read();
    EXPECT_FALSE(image.isNull()) << path.toStdString() << ": "
                                 << reader.errorString().toStdString();
    EXPECT_EQ(image.size(), size) << path.toStdString();
    return image;
}

int ColourCount(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            colours.insert(image.pixel(x, y));
        }
    }
    return static_cast<int>(colours.size());
}

const CSkinFolders kBuild(QStringLiteral(QUIRN_RUNTIME_DIR), QStringLiteral("BMP/ENG"));

template <typename Kinds> void ExpectKindFiles(const Kinds& kinds) {
    for (const auto& kind : kinds) {
        for (std::string_view name : kind.pictures) {
            const QSize size = name == "SCRL_KNOB.BMP" ? QSize(kind.height, kind.height)
                                                       : QSize(kind.width, kind.height);
            const QImage image = ReadBmp(kBuild.ControlSkin(name), size);
            EXPECT_GT(ColourCount(image), 2) << name;
        }
    }
}

TEST(GeneratedSkin, EveryControlSkinIsABitmapOfItsKindSize) {
    ExpectKindFiles(skin::kButtonKinds);
    ExpectKindFiles(skin::kArrowKinds);
    ExpectKindFiles(skin::kToggleKinds);
    ExpectKindFiles(skin::kComboKinds);
    ExpectKindFiles(skin::kSliderKinds);
}

TEST(GeneratedSkin, EveryPictureLiesInItsFoldersAtItsSize) {
    for (const skin::PictureFile& file : skin::AllPictures()) {
        const QSize size(file.width, file.height);
        if (file.folder == skin::PictureFolder::Common) {
            EXPECT_GT(ColourCount(ReadBmp(kBuild.CommonPicture(file.name), size)), 2) << file.name;
            continue;
        }
        for (std::string_view language : skin::kLanguageFolders) {
            const CSkinFolders folders(QStringLiteral(QUIRN_RUNTIME_DIR), FromView(language));
            EXPECT_GT(ColourCount(ReadBmp(folders.LanguagePicture(file.name), size)), 2)
                << language << file.name;
        }
    }
}

TEST(GeneratedSkin, StatesOfAControlLookDifferent) {
    // A pressed or disabled face must be told from the released one.
    const std::pair<const char*, const char*> pairs[] = {
        {"BUTTON_1_UP.BMP", "BUTTON_1_DOWN.BMP"},  {"BUTTON_2_UP.BMP", "BUTTON_3_UP.BMP"},
        {"TEST_CUT_UP.BMP", "TEST_CUT_DIS.BMP"},   {"TEST_CUT_5_UP.BMP", "TEST_CUT_5_DOWN.BMP"},
        {"CROSS_CUT_UP.BMP", "CROSS_CUT_DIS.BMP"}, {"ARW_UP_UP.BMP", "ARW_DOWN_UP.BMP"},
        {"ARW_LEFT_UP.BMP", "ARW_LEFT_DOWN.BMP"},  {"COMBO_65x14_UP.BMP", "COMBO_65x14_DIS.BMP"},
        {"SCRL_UP.BMP", "SCRL_L_DOWN.BMP"},        {"SCRL_L_DOWN.BMP", "SCRL_R_DOWN.BMP"},
        {"SCRL_UP.BMP", "SCRL_DIS.BMP"},
    };
    for (const auto& [first, second] : pairs) {
        EXPECT_NE(QImage(kBuild.ControlSkin(first)), QImage(kBuild.ControlSkin(second)))
            << first << " " << second;
    }
    // Each blade shape, the designs, placements and previews differ from one another.
    QSet<QByteArray> seen;
    for (const skin::PictureFile& file : skin::AllPictures()) {
        if (file.folder == skin::PictureFolder::Common) {
            const QImage image(kBuild.CommonPicture(file.name));
            const QByteArray bits(reinterpret_cast<const char*>(image.constBits()),
                                  static_cast<qsizetype>(image.sizeInBytes()));
            EXPECT_FALSE(seen.contains(bits)) << file.name << " looks like another picture";
            seen.insert(bits);
        }
    }
}

TEST(GeneratedSkin, PicturesUseTheWindowBackground) {
    // The corner of the main background and of a skinned button shows the windows' colour.
    const QColor background(210, 212, 213);
    const QImage main(kBuild.CommonPicture(skin::kMainBackground));
    EXPECT_EQ(main.pixelColor(main.width() / 2, main.height() / 2), background);
    const QImage blade(kBuild.CommonPicture("/CUT_RED_BIG.BMP"));
    EXPECT_EQ(blade.pixelColor(0, 0), background);
}

struct GeneratorRun {
    int exitCode;
    QString errors;
};

GeneratorRun RunSkingen(const QString& programFolder, const QString& latinFont,
                        const QString& cjkFont) {
    QProcess run;
    run.start(QStringLiteral(QUIRN_SKINGEN), {programFolder, latinFont, cjkFont});
    EXPECT_TRUE(run.waitForFinished(60000));
    return {run.exitStatus() == QProcess::NormalExit ? run.exitCode() : -1,
            QString::fromLocal8Bit(run.readAllStandardError())};
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(GeneratedSkin, ASecondRunWritesTheSameBytesAndCaptionsFollowTheLanguage) {
    QTemporaryDir again;
    ASSERT_EQ(RunSkingen(again.path(), QUIRN_CAPTION_FONT_LATIN, QUIRN_CAPTION_FONT_CJK).exitCode,
              0);
    const auto filesBelow = [](const QString& folder) {
        QSet<QString> files;
        for (QDirIterator it(folder + "/BMP", QDir::Files, QDirIterator::Subdirectories);
             it.hasNext();) {
            files.insert(it.next().mid(folder.size()));
        }
        return files;
    };
    const QSet<QString> files = filesBelow(again.path());
    EXPECT_EQ(files, filesBelow(QUIRN_RUNTIME_DIR));
    for (const QString& relative : files) {
        EXPECT_EQ(FileBytes(again.path() + relative), FileBytes(QUIRN_RUNTIME_DIR + relative))
            << relative.toStdString();
    }

    // Every language has words of its own for the length and the thickness of a mark line.
    QSet<QByteArray> captioned;
    for (std::string_view language : skin::kLanguageFolders) {
        const CSkinFolders folders(again.path(), FromView(language));
        captioned.insert(FileBytes(folders.LanguagePicture(skin::kMarkLengthThickness)));
    }
    EXPECT_EQ(captioned.size(), qsizetype(skin::kLanguageFolders.size()));
}

TEST(GeneratedSkin, AMissingCaptionFontFailsTheGeneratorByName) {
    const QString missing = QStringLiteral("/nonexistent/CaptionFont.ttf");
    const std::pair<QString, QString> fonts[] = {
        {missing, QUIRN_CAPTION_FONT_CJK},
        {QUIRN_CAPTION_FONT_LATIN, missing},
    };
    for (const auto& [latin, cjk] : fonts) {
        QTemporaryDir folder;
        const GeneratorRun run = RunSkingen(folder.path(), latin, cjk);
        EXPECT_NE(run.exitCode, 0);
        EXPECT_TRUE(run.errors.contains(missing)) << run.errors.toStdString();
        EXPECT_FALSE(QFile::exists(folder.path() + "/BMP"));
    }
}

} // namespace

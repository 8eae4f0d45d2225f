// skingen: writes every skin bitmap into a program folder's "BMP" tree.
// Usage: skingen <program folder> <Latin and Cyrillic font file> <CJK font collection file>
// The output depends on nothing but this program and the two font files, so rebuilding gives
// the same bytes.

#include "skin/SkinFolders.h"
#include "skin/SkinKinds.h"
#include "skin/SkinPictures.h"
#include "tools/skingen/Captions.h"
#include "tools/skingen/ControlSkins.h"
#include "tools/skingen/Pictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QString>

#include <cstdio>
#include <map>
#include <string_view>

namespace {

QString FromView(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// Every control skin file with the size it is drawn at. A file shared by several kinds must
// have one size in all of them.
class SkinFileList {
public:
    template <typename Kinds> void AddKinds(const Kinds& kinds) {
        for (const auto& kind : kinds) {
            for (std::string_view name : kind.pictures) {
                Add(name, QSize(kind.width, kind.height));
            }
        }
    }
    void Add(std::string_view name, QSize size) {
        const auto [it, added] = m_files.emplace(FromView(name), size);
        if (!added && it->second != size) {
            m_bConsistent = false;
            std::fprintf(stderr, "skingen: %s is used at two sizes\n", it->first.toLatin1().data());
        }
    }
    const std::map<QString, QSize>& Files() const { return m_files; }
    bool Consistent() const { return m_bConsistent; }

private:
    std::map<QString, QSize> m_files;
    bool m_bConsistent = true;
};

bool Save(const QImage& image, const QString& path) {
    if (image.isNull()) {
        std::fprintf(stderr, "skingen: no drawing for %s\n", path.toLocal8Bit().data());
        return false;
    }
    if (!image.save(path, "BMP")) {
        std::fprintf(stderr, "skingen: cannot write %s\n", path.toLocal8Bit().data());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: skingen <program folder> <Latin and Cyrillic font file> "
                             "<CJK font collection file>\n");
        return 2;
    }
    // Fonts and text drawing need the application object; the build runs it offscreen.
    QGuiApplication application(argc, argv);
    const QString programFolder = QString::fromLocal8Bit(argv[1]);
    const CCaptionFonts fonts(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    if (!fonts.Problem().isEmpty()) {
        std::fprintf(stderr, "skingen: %s", qPrintable(fonts.Problem()));
        return 1;
    }

    SkinFileList skins;
    skins.AddKinds(skin::kButtonKinds);
    skins.AddKinds(skin::kArrowKinds);
    skins.AddKinds(skin::kToggleKinds);
    skins.AddKinds(skin::kComboKinds);
    for (const skin::SliderKind& kind : skin::kSliderKinds) {
        for (std::size_t i = 0; i < kind.pictures.size(); ++i) {
            // The knob is a square as high as the slider; the rest spans the whole slider.
            const QSize size = i == skin::kSliderKnobPicture ? QSize(kind.height, kind.height)
                                                             : QSize(kind.width, kind.height);
            skins.Add(kind.pictures[i], size);
        }
    }
    if (!skins.Consistent()) {
        return 1;
    }

    const CSkinFolders common(programFolder, FromView(skin::kLanguageFolders[0]));
    bool ok = QDir().mkpath(programFolder + QLatin1Char('/') + FromView(skin::kCommonFolder));
    int written = 0;
    for (const auto& [name, size] : skins.Files()) {
        ok = Save(DrawControlSkin(name, size), common.ControlSkin(name.toStdString())) && ok;
        ++written;
    }
    for (std::string_view languageFolder : skin::kLanguageFolders) {
        const CSkinFolders folders(programFolder, FromView(languageFolder));
        ok = QDir().mkpath(folders.ProgramFolder() + folders.LanguageFolder()) && ok;
        for (const skin::PictureFile& file : skin::AllPictures()) {
            if (file.folder == skin::PictureFolder::Language) {
                ok = Save(DrawPicture(file, languageFolder, fonts),
                          folders.LanguagePicture(file.name)) &&
                     ok;
                ++written;
            }
        }
    }
    for (const skin::PictureFile& file : skin::AllPictures()) {
        if (file.folder == skin::PictureFolder::Common) {
            ok = Save(DrawPicture(file, skin::kLanguageFolders[0], fonts),
                      common.CommonPicture(file.name)) &&
                 ok;
            ++written;
        }
    }
    std::printf("skingen: %d bitmaps\n", written);
    return ok ? 0 : 1;
}

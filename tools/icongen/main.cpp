// icongen: draws the program's icon from its SVG at each size as "<name>-<size>.png".
// Usage: icongen <svg file> <output folder> <size>...
// The SVG keeps to the subset CSvgSubset draws; anything else fails, and so the build.

#include "tools/icongen/SvgSubset.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: icongen <svg file> <output folder> <size>...\n");
        return 2;
    }
    const QString source = QString::fromLocal8Bit(argv[1]);
    const QString folder = QString::fromLocal8Bit(argv[2]);

    QFile file(source);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "icongen: cannot read %s\n", argv[1]);
        return 1;
    }
    CSvgSubset svg;
    if (!svg.Load(file.readAll())) {
        std::fprintf(stderr, "icongen: %s: %s\n", argv[1], svg.Error().toLocal8Bit().data());
        return 1;
    }
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "icongen: cannot create %s\n", argv[2]);
        return 1;
    }
    const QString name = QFileInfo(source).completeBaseName();
    for (int i = 3; i < argc; ++i) {
        bool number = false;
        const int size = QString::fromLocal8Bit(argv[i]).toInt(&number);
        if (!number || size <= 0 || size > 1024) {
            std::fprintf(stderr, "icongen: %s is no icon size\n", argv[i]);
            return 2;
        }
        const QString path = QStringLiteral("%1/%2-%3.png").arg(folder, name).arg(size);
        if (!svg.Render(size).save(path, "PNG")) {
            std::fprintf(stderr, "icongen: cannot write %s\n", path.toLocal8Bit().data());
            return 1;
        }
    }
    return 0;
}

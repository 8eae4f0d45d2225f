#pragma once

#include "skin/SkinBitmap.h"
#include "skin/SkinFolders.h"

#include <QImage>
#include <QString>

#include <future>
#include <map>
#include <string>

class QPainter;
class QRect;

// The pictures a window draws itself, read from the common skin folder once per file and
// place, and drawn from then on without touching the disk.
class CPictureCache {
public:
    explicit CPictureCache(const CSkinFolders& folders) : m_folders(folders) {}

    // A picture that cannot be read is simply not drawn.
    void Draw(QPainter& painter, const std::string& file, const QRect& rect);

    // Starts reading a picture on another thread; its first Draw takes the result. For the
    // window's background, the largest file, which the first paint would otherwise read.
    void Prefetch(const std::string& file, const QRect& rect);

private:
    const CSkinFolders& m_folders;
    std::map<QString, CSkinBitmap> m_pictures;
    std::map<QString, std::future<QImage>> m_pending;
};

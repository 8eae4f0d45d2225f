#pragma once

#include "skin/SkinBitmap.h"
#include "skin/SkinFolders.h"

#include <QString>

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

private:
    const CSkinFolders& m_folders;
    std::map<QString, CSkinBitmap> m_pictures;
};

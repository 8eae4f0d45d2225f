#include "ui/main/PictureCache.h"

#include <QPainter>
#include <QRect>

void CPictureCache::Draw(QPainter& painter, const std::string& file, const QRect& rect) {
    const QString path = m_folders.CommonPicture(file);
    const QString key = QStringLiteral("%1@%2,%3,%4,%5")
                            .arg(path)
                            .arg(rect.x())
                            .arg(rect.y())
                            .arg(rect.width())
                            .arg(rect.height());
    auto found = m_pictures.find(key);
    if (found == m_pictures.end()) {
        found = m_pictures.emplace(key, CSkinBitmap()).first;
        found->second.Init(path, rect);
    }
    found->second.Draw(painter);
}

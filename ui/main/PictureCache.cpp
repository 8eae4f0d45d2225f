#include "ui/main/PictureCache.h"

#include "skin/SkinControl.h"

#include <QPainter>
#include <QRect>

namespace {

// One entry per file and place: the same file may be drawn at two places or sizes.
QString Key(const QString& path, const QRect& rect) {
    return QStringLiteral("%1@%2,%3,%4,%5")
        .arg(path)
        .arg(rect.x())
        .arg(rect.y())
        .arg(rect.width())
        .arg(rect.height());
}

} // namespace

void CPictureCache::Draw(QPainter& painter, const std::string& file, const QRect& rect) {
    const QString path = m_folders.CommonPicture(file);
    const QString key = Key(path, rect);
    auto found = m_pictures.find(key);
    if (found == m_pictures.end()) {
        found = m_pictures.emplace(key, CSkinBitmap()).first;
        if (auto pending = m_pending.find(key); pending != m_pending.end()) {
            found->second.Init(path, rect, pending->second.get());
            m_pending.erase(pending);
        } else {
            found->second.Init(path, rect);
        }
    }
    found->second.Draw(painter);
}

void CPictureCache::Prefetch(const std::string& file, const QRect& rect) {
    const QString path = m_folders.CommonPicture(file);
    const QString key = Key(path, rect);
    if (m_pictures.contains(key) || m_pending.contains(key)) {
        return;
    }
    m_pending.emplace(key, std::async(std::launch::async, [path, size = rect.size()] {
                          return skin::LoadScaledPicture(path, size);
                      }));
}
